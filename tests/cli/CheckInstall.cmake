# Installs the build into a fresh prefix and runs the installed tool from
# another folder: it must find the installed presets and papers by itself,
# and the manual page must format. Run as
#   cmake -DBUILD_DIR=<build> -DSAMPLE=<picture> -DWORK=<scratch> -P CheckInstall.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/prefix ${WORK}/elsewhere)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${WORK}/prefix
  OUTPUT_QUIET RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cmake --install failed")
endif()
foreach(installed bin/vellisto share/vellisto/VellistoIII/Presets/Basic share/vellisto/VellistoIII/Papers
                  share/vellisto/VellistoIII/Presets/User share/man/man1/vellisto.1)
  if(NOT EXISTS ${WORK}/prefix/${installed})
    message(FATAL_ERROR "the install lacks ${installed}")
  endif()
endforeach()
# A factory preset in a folder that prints on a shipped paper texture.
execute_process(
  COMMAND ${WORK}/prefix/bin/vellisto engrave ${SAMPLE} engraved.png --quiet --preset "Papers/Laid Paper Letter"
  WORKING_DIRECTORY ${WORK}/elsewhere RESULT_VARIABLE failed ERROR_VARIABLE errors)
if(failed OR NOT EXISTS ${WORK}/elsewhere/engraved.png)
  message(FATAL_ERROR "the installed tool did not engrave: ${errors}")
endif()
find_program(MAN man)
if(MAN)
  execute_process(COMMAND ${MAN} -l ${WORK}/prefix/share/man/man1/vellisto.1
    OUTPUT_VARIABLE page RESULT_VARIABLE failed ERROR_QUIET)
  if(failed OR NOT page MATCHES "plates")
    message(FATAL_ERROR "man -l does not show the manual page")
  endif()
endif()
file(REMOVE_RECURSE ${WORK})

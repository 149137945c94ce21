# Lists the package zip and fails unless the module and every data folder
# are in it.
execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${ARCHIVE}
  OUTPUT_VARIABLE listing RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot list ${ARCHIVE}")
endif()
foreach(entry VellistoIII.8bf vellisto.exe README.txt VellistoIII/Help/ VellistoIII/Presets/Basic/ VellistoIII/Presets/User/
              VellistoIII/Papers/Thumb/)
  string(FIND "${listing}" "${entry}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${ARCHIVE} lacks ${entry}")
  endif()
endforeach()

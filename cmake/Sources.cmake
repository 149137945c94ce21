# Collects the sources of a folder for the current platform. Files named
# *_win32.cpp build only for Windows, *_posix.cpp only elsewhere; a new file
# in a folder joins the build without editing CMake.
function(vel_collect_sources out)
  set(result)
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS "${dir}/*.cpp")
    foreach(f IN LISTS found)
      if(f MATCHES "_win32\\.cpp$" AND NOT WIN32)
        continue()
      endif()
      if(f MATCHES "_posix\\.cpp$" AND WIN32)
        continue()
      endif()
      list(APPEND result "${f}")
    endforeach()
  endforeach()
  set(${out} "${result}" PARENT_SCOPE)
endfunction()

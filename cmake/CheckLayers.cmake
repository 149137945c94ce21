# Checks that every source under SOURCE_DIR includes headers only of its own
# layer and of the layers below it; run as `cmake -DSOURCE_DIR=<src> -P`.
# A header is named by its folder ("color/Paper.h"), and the folder is the
# layer. Includes without a folder and system headers are not checked.
cmake_minimum_required(VERSION 3.25)

# Lowest first; each layer may include its own headers and those of the
# layers listed before it. The front ends (cli, plugin and ui) stand side by
# side on top: none of them includes another's headers.
set(layers platform params numeric color engine session)
set(front_ends cli plugin ui)

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "CheckLayers.cmake needs -DSOURCE_DIR=<the src folder>")
endif()

function(allowed_below layer out)
  set(allowed)
  foreach(candidate IN LISTS layers)
    list(APPEND allowed ${candidate})
    if(candidate STREQUAL layer)
      set(${out} ${allowed} PARENT_SCOPE)
      return()
    endif()
  endforeach()
  # A front end: every layer, and itself.
  set(${out} ${layers} ${layer} PARENT_SCOPE)
endfunction()

set(violations)
foreach(layer IN LISTS layers front_ends)
  allowed_below(${layer} allowed)
  file(GLOB_RECURSE sources ${SOURCE_DIR}/${layer}/*.h ${SOURCE_DIR}/${layer}/*.cpp)
  foreach(source IN LISTS sources)
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[A-Za-z0-9_]+/")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([A-Za-z0-9_]+)/.*" "\\1" included "${line}")
      if(NOT included IN_LIST layers AND NOT included IN_LIST front_ends)
        continue()
      endif()
      if(NOT included IN_LIST allowed)
        file(RELATIVE_PATH where ${SOURCE_DIR} ${source})
        string(STRIP "${line}" line)
        list(APPEND violations "  src/${where}: ${line} (the ${layer} layer cannot include ${included}/)")
      endif()
    endforeach()
  endforeach()
endforeach()

if(violations)
  list(JOIN violations "\n" text)
  message(FATAL_ERROR "Includes against the layer order "
                      "(platform <- params <- numeric <- color <- engine <- session <- cli, plugin, ui):\n${text}")
endif()

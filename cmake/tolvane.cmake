# Helpers shared by both build trees.

# tolvane_sources(PORTABLE a.cpp ... WINDOWS b.cpp ...)
# Each folder is a layer and one static library of the program (its sources
# gathered under the folder's name). Portable sources include no Windows
# header and are also built into the native core library.
function(tolvane_sources)
  cmake_parse_arguments(ARG "" "" "PORTABLE;WINDOWS" ${ARGN})
  get_filename_component(layer ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  foreach(kind PORTABLE WINDOWS)
    foreach(source IN LISTS ARG_${kind})
      set(path ${CMAKE_CURRENT_SOURCE_DIR}/${source})
      set_property(GLOBAL APPEND PROPERTY TOLVANE_LAYER_${layer}_SOURCES ${path})
      if(kind STREQUAL "PORTABLE")
        set_property(GLOBAL APPEND PROPERTY TOLVANE_PORTABLE_SOURCES ${path})
      endif()
    endforeach()
  endforeach()
endfunction()

function(tolvane_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()

# GoogleTest from the Debian source package, built with whichever toolchain
# configures this tree.
function(tolvane_add_googletest)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endfunction()

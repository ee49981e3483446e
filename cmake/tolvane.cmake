# Helpers shared by both build trees.

# tolvane_sources(PORTABLE a.cpp ... WINDOWS b.cpp ...)
# Portable sources include no Windows header and are built into the native
# core library as well as into the program.
function(tolvane_sources)
  cmake_parse_arguments(ARG "" "" "PORTABLE;WINDOWS" ${ARGN})
  foreach(kind PORTABLE WINDOWS)
    foreach(source IN LISTS ARG_${kind})
      set_property(GLOBAL APPEND PROPERTY TOLVANE_${kind}_SOURCES
                   ${CMAKE_CURRENT_SOURCE_DIR}/${source})
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

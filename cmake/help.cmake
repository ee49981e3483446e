# The two compiled HTML Help files that the program opens beside itself:
# Help.chm, the manual, and tutorial.chm, compiled from help/ with Free
# Pascal's chmcmd into the top of the tree, beside Tolvane.exe, and read back
# by a test.
find_program(CHMCMD chmcmd REQUIRED)

# tolvane_help_file(<name> SOURCES <file>... TOPICS <topic>...): compiles
# help/<name>.hhp into <name>.chm whenever the project or one of its sources
# changes, and adds the test that every topic the program opens in it (written
# as the program passes it), and every page its contents, index and pages name,
# made it into the file.
function(tolvane_help_file name)
  cmake_parse_arguments(ARG "" "" "SOURCES;TOPICS" ${ARGN})
  set(project ${PROJECT_SOURCE_DIR}/help/${name}.hhp)
  set(output ${CMAKE_BINARY_DIR}/${name}.chm)
  # chmcmd reads the files beside the project and writes into the folder it
  # runs in. Its own scan of the pages takes a link into a page's own folder
  # for the folder and misses every anchor of a page in a subfolder, so it is
  # off: the project lists every file, and the test checks the links.
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CHMCMD} --no-html-scan ${project}
    DEPENDS ${project} ${ARG_SOURCES}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    COMMENT "Compiling ${name}.chm"
    VERBATIM)
  add_test(NAME help_file_${name}_holds_every_topic_and_linked_page
           COMMAND ${PROJECT_SOURCE_DIR}/tools/check-help ${output} ${ARG_TOPICS})
  set_tests_properties(help_file_${name}_holds_every_topic_and_linked_page
                       PROPERTIES TIMEOUT 60)
endfunction()

set(help_folder ${PROJECT_SOURCE_DIR}/help)
file(GLOB_RECURSE manual_pages CONFIGURE_DEPENDS ${help_folder}/Source/*)
file(GLOB manual_files CONFIGURE_DEPENDS ${help_folder}/Help.*)
file(GLOB tutorial_files CONFIGURE_DEPENDS ${help_folder}/tutorial*)

tolvane_help_file(Help
  SOURCES ${manual_files} ${manual_pages} ${help_folder}/help.css
  TOPICS [[Source\Introducing Tolvane!\Introduction.htm]]
         [[Source\Quick start\Configuring keys.htm]]
         [[Source\Quick start\Reading text from any application.htm]]
         [[Source\Quick start\Working with voice slots.htm]]
         [[Source\Quick start\Correcting pronunciation.htm]])
tolvane_help_file(tutorial
  SOURCES ${tutorial_files} ${help_folder}/help.css
  TOPICS tutorial.htm)

add_custom_target(help_files ALL DEPENDS ${CMAKE_BINARY_DIR}/Help.chm ${CMAKE_BINARY_DIR}/tutorial.chm)

# The release a Windows user downloads, built beside Tolvane.exe with every
# build: Tolvane-<version>-setup.exe, a per-user setup made with NSIS, and
# Tolvane-<version>-portable.zip, the program and its help with a short text
# on running it from any folder. `make dist` installs both (the component
# "release") into dist/.
find_program(MAKENSIS makensis REQUIRED)
find_program(ZIP zip REQUIRED)
find_program(UNZIP unzip REQUIRED)

set(release_name Tolvane-${PROJECT_VERSION})
set(setup_file ${CMAKE_BINARY_DIR}/${release_name}-setup.exe)
set(portable_zip ${CMAKE_BINARY_DIR}/${release_name}-portable.zip)
set(shipped_files $<TARGET_FILE:Tolvane> ${CMAKE_BINARY_DIR}/Help.chm
    ${CMAKE_BINARY_DIR}/tutorial.chm)
set(setup_script ${PROJECT_SOURCE_DIR}/installer/tolvane.nsi)
set(program_icon ${PROJECT_SOURCE_DIR}/app/res/program.ico)

# The uninstaller removes the download window's installers by name, and only
# those: the names come from the program's engine table.
set(engine_table ${PROJECT_SOURCE_DIR}/downloads/engine_table.h)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${engine_table})
file(STRINGS ${engine_table} engine_rows REGEX "L\"[a-z_]+\\.exe\"")
set(engine_installers_text "")
foreach(row IN LISTS engine_rows)
  string(REGEX MATCH "L\"([a-z_]+\\.exe)\"" ignored "${row}")
  string(APPEND engine_installers_text "!insertmacro EngineInstaller \"${CMAKE_MATCH_1}\"\n")
endforeach()
list(LENGTH engine_rows engine_count)
if(NOT engine_count EQUAL 12)
  message(FATAL_ERROR "found ${engine_count} engine installers in ${engine_table}, not 12")
endif()
set(engine_installers ${CMAKE_BINARY_DIR}/installer/engine_installers.nsh)
file(CONFIGURE OUTPUT ${engine_installers} CONTENT "${engine_installers_text}")

# The version comes from the project alone; warnings fail the build, as the
# compilers' do.
add_custom_command(
  OUTPUT ${setup_file}
  COMMAND ${MAKENSIS} -V2 -WX -DVERSION=${PROJECT_VERSION} -DPROGRAM_FOLDER=${CMAKE_BINARY_DIR}
          -DICON=${program_icon} -DOUTFILE=${setup_file}
          -DENGINE_INSTALLERS=${engine_installers} ${setup_script}
  DEPENDS ${setup_script} ${program_icon} ${engine_installers} Tolvane ${shipped_files}
  COMMENT "Building ${release_name}-setup.exe"
  VERBATIM)

# Notepad before Windows 10 shows a file with bare line feeds as one line.
set(read_me "${CMAKE_BINARY_DIR}/portable-read-me/Read me.txt")
configure_file(installer/portable-read-me.txt ${read_me} @ONLY NEWLINE_STYLE CRLF)
add_custom_command(
  OUTPUT ${portable_zip}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${portable_zip}
  COMMAND ${ZIP} -q -j -X ${portable_zip} ${shipped_files} ${read_me}
  DEPENDS Tolvane ${shipped_files} ${read_me}
  COMMENT "Packing ${release_name}-portable.zip"
  VERBATIM)

# The zip unpacked as a user unpacks it, for the end-to-end test that runs the
# program from there. Timestamps are today's, so the build sees it up to date.
set(portable_folder ${CMAKE_BINARY_DIR}/portable)
add_custom_command(
  OUTPUT ${portable_folder}/Tolvane.exe
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${portable_folder}
  COMMAND ${UNZIP} -q -DD ${portable_zip} -d ${portable_folder}
  DEPENDS ${portable_zip}
  COMMENT "Unpacking ${release_name}-portable.zip"
  VERBATIM)

add_custom_target(release ALL DEPENDS ${setup_file} ${portable_zip} ${portable_folder}/Tolvane.exe)
add_dependencies(release help_files)
install(FILES ${setup_file} ${portable_zip} DESTINATION . COMPONENT release)

add_test(NAME portable_zip_holds_the_program_its_help_and_the_read_me
         COMMAND ${PROJECT_SOURCE_DIR}/tools/check-portable-zip ${portable_zip}
                 ${CMAKE_BINARY_DIR})
set_tests_properties(portable_zip_holds_the_program_its_help_and_the_read_me
                     PROPERTIES TIMEOUT 30)

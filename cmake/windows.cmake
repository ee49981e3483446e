# The MinGW tree: Tolvane.exe, the stand-in speech runtimes and the tests that
# run under Wine.
enable_language(RC)

# Every program and DLL lands in the top of the tree (build/win32/Tolvane.exe,
# build/win32/standin_sapi5.dll, the tests beside them).
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

add_compile_definitions(UNICODE _UNICODE _WIN32_WINNT=0x0601 WINVER=0x0601 NOMINMAX)
# One self-contained program: no MinGW runtime DLL beside it.
add_link_options(-static -static-libgcc -static-libstdc++)

# Tests run through this wrapper: it points Wine at the private prefix and the
# Xvfb display that the wine_session fixture starts for one ctest run.
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${PROJECT_SOURCE_DIR}/tools/wine-run;${CMAKE_BINARY_DIR}/wine-session)

set(tolvane_system_libraries
    comctl32 ole32 oleaut32 oleacc uuid shell32 shlwapi advapi32 gdi32 user32 sapi wininet version)

# One static library per layer, linking only the layers before it; the last,
# tolvane_app, is the whole program but its entry point.
set(earlier_layer ${tolvane_system_libraries})
foreach(layer IN LISTS tolvane_layers)
  get_property(layer_sources GLOBAL PROPERTY TOLVANE_LAYER_${layer}_SOURCES)
  add_library(tolvane_${layer} STATIC ${layer_sources})
  target_include_directories(tolvane_${layer} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(tolvane_${layer} PUBLIC ${earlier_layer})
  tolvane_warnings(tolvane_${layer})
  set(earlier_layer tolvane_${layer})
endforeach()

# windres reports no dependencies: name what the resource script pulls in
# (each folder's templates and identifier header, and the control class names).
file(GLOB resource_inputs CONFIGURE_DEPENDS
     ${PROJECT_SOURCE_DIR}/app/res/* ${PROJECT_SOURCE_DIR}/*/*.rc
     ${PROJECT_SOURCE_DIR}/*/*_resources.h ${PROJECT_SOURCE_DIR}/ui/*_class.h)
# The version resource takes its numbers from the project version, the one
# place that names it.
configure_file(app/res/version.h.in ${CMAKE_BINARY_DIR}/generated/app/res/version.h @ONLY)
set(resource_include_folders ${PROJECT_SOURCE_DIR}/app/res ${CMAKE_BINARY_DIR}/generated)
list(APPEND resource_inputs ${CMAKE_BINARY_DIR}/generated/app/res/version.h)
set_source_files_properties(app/res/tolvane.rc PROPERTIES OBJECT_DEPENDS "${resource_inputs}")

add_executable(Tolvane WIN32 app/main.cpp app/res/tolvane.rc)
target_link_libraries(Tolvane PRIVATE tolvane_app)
# The resource script finds its icons and manifest beside itself, and the
# version where the build wrote it.
target_include_directories(Tolvane PRIVATE ${resource_include_folders})
target_link_options(Tolvane PRIVATE -municode $<$<CONFIG:Release>:-s>)
tolvane_warnings(Tolvane)

add_subdirectory(standins)
include(cmake/help.cmake)

add_test(NAME program_file_is_a_self_contained_win32_gui_program
         COMMAND ${PROJECT_SOURCE_DIR}/tools/check-program-file $<TARGET_FILE:Tolvane>)
set_tests_properties(program_file_is_a_self_contained_win32_gui_program PROPERTIES TIMEOUT 30)

tolvane_add_googletest()

# tolvane_wine_session(<fixture> <folder>): a Wine session of its own, with
# its own Xvfb display, prefix and wineserver, started by <folder>_start before
# the tests that require the fixture and ended by <folder>_stop after them.
function(tolvane_wine_session fixture folder)
  string(REPLACE "-" "_" name ${folder})
  add_test(NAME ${name}_start
           COMMAND ${PROJECT_SOURCE_DIR}/tools/wine-session start ${CMAKE_BINARY_DIR}/${folder})
  add_test(NAME ${name}_stop
           COMMAND ${PROJECT_SOURCE_DIR}/tools/wine-session stop ${CMAKE_BINARY_DIR}/${folder})
  set_tests_properties(${name}_start PROPERTIES FIXTURES_SETUP ${fixture} TIMEOUT 180)
  set_tests_properties(${name}_stop PROPERTIES FIXTURES_CLEANUP ${fixture} TIMEOUT 60)
endfunction()

# The Windows tests share one session. The end-to-end tests have another, so
# that they run beside the Windows tests: each session has its own hot keys,
# keyboard, clipboard, Run value and single-instance window.
tolvane_wine_session(wine wine-session)
tolvane_wine_session(e2e_wine e2e-wine-session)

# What the tests of one Wine session share, and the test suites that use it.
# Each case of such a suite holds the resource as a lock, so that `ctest -j`
# never runs two of its users at once.
set(tolvane_shared_resources autostart_value fixed_hot_keys clipboard keyboard single_instance
    regional_settings html_help_viewer)
# Main windows built inside win_tests.exe write the Run value and register the
# fixed hot keys (each keeps its settings in a program folder of its own).
set(main_form_suites MainFormTest MainFormResilienceTest ConfigurationTest SavedVoiceTest
    DefaultVoiceTest OptionsWindowTest Sapi4PauseVariationsTest ReadingControlTest)
# Every end-to-end case runs Tolvane.exe, which holds the fixed hot keys and
# the single-instance title, and drives it through the keyboard.
set(e2e_suites Startup Tray OptionsWindow Reading ReadingWithSapi4
    ReadingWithAFailingVoice Ending VoiceSlots VoiceSlotsWithAGap SixCorrections
    Welcome WelcomeWithASapi4Engine Help AdditionalVoices Release Idle HeldAtStart
    VoiceSlotsWithAKeyTaken)
# The autostart value under the user's Run key: a first start and every save
# of the settings write it.
set(autostart_value_users ${main_form_suites} Autostart Startup Tray OptionsWindow
    Ending VoiceSlotsWithAGap VoiceSlotsWithAKeyTaken Welcome WelcomeWithASapi4Engine Release
    HeldAtStart)
# Ctrl+BkSp, Ctrl+F11 and Ctrl+F12: registered, or pressed where no one may hold them.
set(fixed_hot_keys_users ${main_form_suites} ${e2e_suites} HotKeyEditTest)
set(clipboard_users ClipboardSnapshotTest SelectedTextTest HotKeyEditTest
    ReadingControlTest Reading ReadingWithSapi4 ReadingWithAFailingVoice Ending
    VoiceSlots SixCorrections Release HeldAtStart)
# Key presses made with SendInput go to whichever window has the focus: a main
# window shown or a message box opened by another test takes them, and an open
# popup menu takes every key until it closes.
set(keyboard_users ${e2e_suites} ${main_form_suites} SelectedTextTest
    GlobalHotKeyTest HotKeyEditTest ReadingControlTest TrayMenuTest)
# The "Tolvane!" application window that a second copy looks for.
set(single_instance_users ${e2e_suites} ApplicationWindow)
# The library registered for the HTML Help control: a test registers the
# stand-in viewer for a while, and every main window loads what is registered.
set(html_help_viewer_users ${main_form_suites} HtmlHelpTest)
# The user's number separators: a test changes them for a while, and the
# download window writes its megabytes with them.
set(regional_settings_users MegabytesTextForTheUser)

# Sets each shared resource of the session <fixture> as a lock on the cases of
# its suites. A case is named "Suite.Case", or "*/Suite.Case/*" when
# parameterised.
function(tolvane_lock_shared_resources fixture cases)
  foreach(resource IN LISTS tolvane_shared_resources)
    list(JOIN ${resource}_users "|" suites)
    foreach(case IN LISTS cases)
      if(case MATCHES "(^|/)(${suites})\\.")
        set_property(TEST ${case} APPEND PROPERTY RESOURCE_LOCK ${fixture}_${resource})
      endif()
    endforeach()
  endforeach()
endfunction()

# tolvane_wine_tests(<target> <timeout> [<fixture> <folder>]): one ctest entry
# per GoogleTest case, each inside the Wine session (by default the Windows
# tests' own) and with its own time limit.
function(tolvane_wine_tests target timeout)
  set(fixture wine)
  if(ARGC GREATER 2)
    set(fixture ${ARGV2})
    set_target_properties(${target} PROPERTIES CROSSCOMPILING_EMULATOR
                          "${PROJECT_SOURCE_DIR}/tools/wine-run;${CMAKE_BINARY_DIR}/${ARGV3}")
  endif()
  include(GoogleTest)
  gtest_add_tests(TARGET ${target} TEST_LIST cases)
  set_tests_properties(${cases} PROPERTIES FIXTURES_REQUIRED ${fixture} TIMEOUT ${timeout})
  tolvane_lock_shared_resources(${fixture} "${cases}")
  set(${target}_cases ${cases} PARENT_SCOPE)
endfunction()

# Every case of <cases> must belong to a suite of <suites>: a suite left out of
# the lists above would run beside a test that holds what it needs too.
function(tolvane_require_listed_suites cases suites)
  list(JOIN suites "|" pattern)
  foreach(case IN LISTS cases)
    if(NOT case MATCHES "(^|/)(${pattern})\\.")
      message(FATAL_ERROR "${case}: add its suite to e2e_suites in cmake/windows.cmake")
    endif()
  endforeach()
endfunction()

add_subdirectory(tests/support)
add_subdirectory(tests/win)
add_subdirectory(tests/standins)
add_subdirectory(tests/e2e)
include(cmake/dist.cmake)

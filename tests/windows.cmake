# The Windows build's tests: GoogleTest programs, cross-built like the program and run by ctest
# under Wine through the emulator (tests/support/wine.sh), each in a Wine prefix of its own. The
# prefixes are copies of one template, made once per ctest run by the fixture test wine/prefix
# (a new prefix takes Wine some 12 seconds, a copy under 2) and removed at the end.
#
#   logic/   the handler tests, but for those that try what only Linux has (tests/CMakeLists.txt)
#   win32/   the Windows layer: the pictures as it decodes them (test_win32_pictures: the
#            Linux build has a test_pictures of its own); the setup program as a user meets
#            it (test_setup.sh); and the program on a Windows user's desktop (test_desktop.sh)
#   xvfb/    the real program under Xvfb and Wine: the Linux build's scripts (see below)

set(wine_dir ${CMAKE_CURRENT_BINARY_DIR}/wine)
set(wine_runner ${PROJECT_SOURCE_DIR}/tests/support/wine.sh)
add_test(NAME wine/prefix COMMAND bash ${wine_runner} --make-template ${wine_dir})
add_test(NAME wine/prefix-removed COMMAND bash ${wine_runner} --remove-template ${wine_dir})
set_tests_properties(wine/prefix PROPERTIES FIXTURES_SETUP wine)
set_tests_properties(wine/prefix-removed PROPERTIES FIXTURES_CLEANUP wine)
set_tests_properties(wine/prefix wine/prefix-removed PROPERTIES LABELS wine SKIP_RETURN_CODE 77
  TIMEOUT 300)

# A test program run under Wine: no Wine here is a skip (77), which GLIMMERDECK_NO_SKIP=1 makes a
# failure, as for every other test.
function(glimmerdeck_wine_test name target)
  add_test(NAME ${name} COMMAND ${target} ${ARGN})
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine SKIP_RETURN_CODE 77
    ENVIRONMENT "GLIMMERDECK_WINE_DIR=${wine_dir}")
endfunction()

# GoogleTest from Debian's sources (googletest), built here for Windows. It is not our code:
# its warnings are not ours to make errors of.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_CURRENT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
set_target_properties(gtest gtest_main PROPERTIES COMPILE_WARNING_AS_ERROR OFF)

# A logic test, run under Wine.
function(glimmerdeck_logic_test name target)
  glimmerdeck_wine_test(${name} ${target})
  set_property(TEST ${name} APPEND PROPERTY LABELS logic)
endfunction()

# The Windows layer's own tests.
file(GLOB win32_sources CONFIGURE_DEPENDS win32/*.cpp)
foreach(src ${win32_sources})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  target_link_libraries(${name} PRIVATE glimmerdeck_win32 glimmerdeck_resources GTest::gtest_main)
  glimmerdeck_wine_test(win32/${name} ${name})
  set_property(TEST win32/${name} APPEND PROPERTY LABELS win32)
endforeach()

# The setup program (make windows-package, which make test-windows runs first), installed,
# started from the Start menu on an X server of its own, and uninstalled, in a prefix of its own.
add_test(NAME win32/test_setup COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/win32/test_setup.sh
  $<TARGET_FILE:glimmerdeck> ${GLIMMERDECK_WINDOWS_SETUP} ${PROJECT_VERSION})
set_tests_properties(win32/test_setup PROPERTIES FIXTURES_REQUIRED wine LABELS "package;wine"
  SKIP_RETURN_CODE 77 TIMEOUT 300 ENVIRONMENT "GLIMMERDECK_WINE_DIR=${wine_dir}")

# The real-window tests of tests/xvfb, the very scripts the Linux build runs, given the Windows
# program: each starts it under Wine (through wine.sh, in a prefix copied from the template) on an
# Xvfb of its own, where Wine's windows are X windows like Qt's, and says in one line each check
# that cannot apply to it (the accessibility tree, the command line). Three are Linux's alone and
# not registered here: test_accessibility reads the window through AT-SPI, which Wine's windows
# are not on; test_motion serves the desktop portal's setting for less motion, which the Windows
# program does not ask (it asks Windows' own, SPI_GETCLIENTAREAANIMATION); test_install installs
# the Linux build and makes its Debian package.
foreach(name test_window test_panels test_effects test_readouts test_storm test_locale test_soak
    test_nosurprises)
  glimmerdeck_wine_test(xvfb/${name} bash ${PROJECT_SOURCE_DIR}/tests/xvfb/${name}.sh
    $<TARGET_FILE:glimmerdeck>)
  set_property(TEST xvfb/${name} APPEND PROPERTY ENVIRONMENT
    "GLIMMERDECK_SOURCE_DIR=${PROJECT_SOURCE_DIR};GLIMMERDECK_BUILD_DIR=${PROJECT_BINARY_DIR}")
  set_tests_properties(xvfb/${name} PROPERTIES LABELS "xvfb;wine" TIMEOUT 300)
endforeach()
# The two-minute memory soak is a long run, as on Linux.
set_property(TEST xvfb/test_soak APPEND PROPERTY LABELS long)

# The program on a Windows user's desktop: what a screen reader is told through Active
# Accessibility, the animation setting turned off, a high-contrast scheme, screens of 144 and 192
# dots per inch. Two small programs of the test's read the accessibility tree and change the
# desktop's setting, as a screen reader and the Settings app do.
foreach(tool accessible_tree desktop_setting)
  add_executable(${tool} win32/tools/${tool}.cpp)
  target_link_options(${tool} PRIVATE -municode)
endforeach()
target_link_libraries(accessible_tree PRIVATE oleacc ole32 oleaut32 uuid)
glimmerdeck_wine_test(win32/test_desktop bash ${CMAKE_CURRENT_SOURCE_DIR}/win32/test_desktop.sh
  $<TARGET_FILE:glimmerdeck>)
set_property(TEST win32/test_desktop APPEND PROPERTY ENVIRONMENT
  "GLIMMERDECK_WIN32_TOOLS=$<TARGET_FILE_DIR:accessible_tree>")
set_tests_properties(win32/test_desktop PROPERTIES LABELS "win32;wine" TIMEOUT 300)

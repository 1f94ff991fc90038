# Whole-program tests: scripts that drive the Windows build under test under Wine from outside. The Windows builds
# make the helpers they use: the probe that reads the main window's children (built with the program),
# and a bare window, the yardstick of the start-up benchmark (scripts/benchmark.py).
if(WIN32)
  add_executable(bare_window WIN32 ${CMAKE_SOURCE_DIR}/tests/e2e/bare_window.cpp)
  target_compile_options(bare_window PRIVATE ${WARN})
  set_target_properties(bare_window PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
elseif(WIN_TEST_BUILD_DIR)
  add_test(NAME e2e.restart_runonce
           COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/restart_runonce.sh ${WIN_TEST_BUILD_DIR})
  set_tests_properties(e2e.restart_runonce PROPERTIES LABELS e2e TIMEOUT 600)
  add_test(NAME e2e.sample_setup COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/sample_setup.sh ${WIN_TEST_BUILD_DIR})
  set_tests_properties(e2e.sample_setup PROPERTIES LABELS e2e TIMEOUT 300)
  add_test(NAME e2e.install COMMAND xvfb-run -a -s "-screen 0 1024x768x24"
                                    ${CMAKE_SOURCE_DIR}/tests/e2e/install.sh ${WIN_TEST_BUILD_DIR})
  set_tests_properties(e2e.install PROPERTIES LABELS e2e TIMEOUT 900)
  add_test(NAME e2e.unattended COMMAND xvfb-run -a -s "-screen 0 1024x768x24"
                                         ${CMAKE_SOURCE_DIR}/tests/e2e/unattended.sh ${WIN_TEST_BUILD_DIR})
  set_tests_properties(e2e.unattended PROPERTIES LABELS e2e TIMEOUT 1200)
  add_test(NAME e2e.dump COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/dump.sh ${WIN_TEST_BUILD_DIR})
  set_tests_properties(e2e.dump PROPERTIES LABELS e2e TIMEOUT 600 ENVIRONMENT "WINE_ROOT=${WIN_TEST_BUILD_DIR}/wine-dump")
  # The menu window on fixture CDs, read from outside, in a prefix of its own.
  add_test(NAME e2e.menu COMMAND xvfb-run -a -s "-screen 0 1024x768x24" /usr/bin/python3
                                 ${CMAKE_SOURCE_DIR}/tests/e2e/menu_e2e.py ${WIN_TEST_BUILD_DIR})
  set_tests_properties(e2e.menu PROPERTIES LABELS e2e TIMEOUT 900
                       ENVIRONMENT "WINE_ROOT=${WIN_TEST_BUILD_DIR}/wine-menu")
  # The sample CD under each Windows version setting, in both modes: the 32-bit ones in the prefix
  # kind of the tests, the 64-bit editions in a 64-bit prefix (WoW64 for the 32-bit program).
  add_test(NAME e2e.platforms COMMAND xvfb-run -a -s "-screen 0 1024x768x24" /usr/bin/python3
                                      ${CMAKE_SOURCE_DIR}/tests/e2e/platforms_e2e.py ${WIN_TEST_BUILD_DIR})
  set_tests_properties(e2e.platforms PROPERTIES LABELS e2e TIMEOUT 900
                       ENVIRONMENT "WINE_ROOT=${WIN_TEST_BUILD_DIR}/wine-platforms")
  add_test(NAME e2e.platforms_wow64 COMMAND xvfb-run -a -s "-screen 0 1024x768x24" /usr/bin/python3
                                            ${CMAKE_SOURCE_DIR}/tests/e2e/platforms_e2e.py ${WIN_TEST_BUILD_DIR} --wow64)
  set_tests_properties(e2e.platforms_wow64 PROPERTIES LABELS e2e TIMEOUT 600
                       ENVIRONMENT "WINE_ROOT=${WIN_TEST_BUILD_DIR}/wine-platforms64;WINEARCH=win64")
  # The live update against the loopback FTP server, read from outside, in a prefix of its own.
  add_test(NAME e2e.liveupdate COMMAND xvfb-run -a -s "-screen 0 1024x768x24" ${CMAKE_SOURCE_DIR}/tests/wine/with-ftp.sh
                                       /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tests/e2e/liveupdate_e2e.py ${WIN_TEST_BUILD_DIR})
  set_tests_properties(e2e.liveupdate PROPERTIES LABELS e2e TIMEOUT 300
                       ENVIRONMENT "WINE_ROOT=${WIN_TEST_BUILD_DIR}/wine-liveupdate")
  # The preview of the sample CD is the window Autorun.exe shows for it, in a prefix of its own.
  add_test(NAME e2e.preview COMMAND xvfb-run -a -s "-screen 0 1024x768x24" /usr/bin/python3
                                    ${CMAKE_SOURCE_DIR}/tests/e2e/preview_e2e.py ${WIN_TEST_BUILD_DIR}
                                    $<TARGET_FILE:autorun-preview>)
  set_tests_properties(e2e.preview PROPERTIES LABELS e2e TIMEOUT 300
                       ENVIRONMENT "WINE_ROOT=${WIN_TEST_BUILD_DIR}/wine-preview")
endif()

# End-to-end runs of Autorun.exe under Wine. The Windows builds make the helper that answers
# message boxes; the native build registers the scripts, which use the win64 build's programs.
if(WIN32)
  foreach(helper answer_box probe_windows)
    add_executable(${helper} ${CMAKE_SOURCE_DIR}/tests/e2e/${helper}.cpp)
    target_compile_options(${helper} PRIVATE ${WARN})
    set_target_properties(${helper} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  endforeach()
elseif(WIN64_BUILD_DIR)
  add_test(NAME e2e.restart_runonce
           COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/restart_runonce.sh ${WIN64_BUILD_DIR})
  set_tests_properties(e2e.restart_runonce PROPERTIES LABELS e2e TIMEOUT 600)
  add_test(NAME e2e.sample_setup COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/sample_setup.sh ${WIN64_BUILD_DIR})
  set_tests_properties(e2e.sample_setup PROPERTIES LABELS e2e TIMEOUT 300)
  add_test(NAME e2e.install COMMAND xvfb-run -a -s "-screen 0 1024x768x24"
                                    ${CMAKE_SOURCE_DIR}/tests/e2e/install.sh ${WIN64_BUILD_DIR})
  set_tests_properties(e2e.install PROPERTIES LABELS e2e TIMEOUT 900)
  add_test(NAME e2e.dump COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/dump.sh ${WIN64_BUILD_DIR})
  set_tests_properties(e2e.dump PROPERTIES LABELS e2e TIMEOUT 600 ENVIRONMENT "WINE_ROOT=${WIN64_BUILD_DIR}/wine")
  # The menu window on fixture CDs, read from outside, in a prefix of its own.
  add_test(NAME e2e.menu COMMAND xvfb-run -a -s "-screen 0 1024x768x24" /usr/bin/python3
                                 ${CMAKE_SOURCE_DIR}/tests/e2e/menu_e2e.py ${WIN64_BUILD_DIR})
  set_tests_properties(e2e.menu PROPERTIES LABELS e2e TIMEOUT 900
                       ENVIRONMENT "WINE_ROOT=${WIN64_BUILD_DIR}/wine-menu")
endif()

# Whole-program tests: scripts that drive the win64 build under Wine from outside.
if(NOT WIN32 AND WIN64_BUILD_DIR)
  add_test(NAME e2e.restart_runonce
           COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/restart_runonce.sh ${WIN64_BUILD_DIR})
  set_tests_properties(e2e.restart_runonce PROPERTIES LABELS e2e TIMEOUT 600)
  add_test(NAME e2e.sample_setup COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/sample_setup.sh ${WIN64_BUILD_DIR})
  set_tests_properties(e2e.sample_setup PROPERTIES LABELS e2e TIMEOUT 300)
endif()

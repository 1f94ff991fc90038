# End-to-end runs of Autorun.exe under Wine. The Windows builds make the helper that answers
# message boxes; the native build registers the scripts, which use the win64 build's programs.
if(WIN32)
  add_executable(answer_box ${CMAKE_SOURCE_DIR}/tests/e2e/answer_box.cpp)
  target_compile_options(answer_box PRIVATE ${WARN})
  set_target_properties(answer_box PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
elseif(WIN64_BUILD_DIR)
  add_test(NAME e2e.dump COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/dump.sh ${WIN64_BUILD_DIR})
  set_tests_properties(e2e.dump PROPERTIES LABELS e2e TIMEOUT 600 ENVIRONMENT "WINE_ROOT=${WIN64_BUILD_DIR}/wine")
endif()

# Windows test programs. Each entry is a GoogleTest program built in the Windows build under test and run
# under Wine by the native build's ctest:
#   win_test(NAME SOURCES... [WINVER ver] [XVFB] [UNMANAGED] [WRAP script])
# WINVER picks the Windows version Wine reports (win7 when absent); XVFB gives it a display, whose
# windows UNMANAGED lets go at once (see wine-run.sh);
# WRAP names a script (from the top of the tree) that runs the test as its arguments, for servers
# the test needs around it.
function(win_test name)
  cmake_parse_arguments(T "XVFB;UNMANAGED" "WINVER;WRAP" "SOURCES" ${ARGN})
  if(WIN32)
    list(TRANSFORM T_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/tests/win/)
    # With the program's own resources: dialogs, icons, cursor, clips.
    add_executable(${name} ${T_SOURCES} ${RES_SRC})
    target_compile_options(${name} PRIVATE ${WARN})
    target_compile_definitions(${name} PRIVATE FIXTURES_DIR="${CMAKE_SOURCE_DIR}/tests/fixtures")
    target_link_libraries(${name} autorun_platform gmock gtest_main)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  elseif(WIN_TEST_BUILD_DIR)
    set(opts)
    if(T_WINVER)
      list(APPEND opts --winver ${T_WINVER})
    endif()
    if(T_XVFB)
      list(APPEND opts --xvfb)
    endif()
    if(T_UNMANAGED)
      list(APPEND opts --unmanaged)
    endif()
    set(wrap)
    if(T_WRAP)
      set(wrap ${CMAKE_SOURCE_DIR}/${T_WRAP})
    endif()
    add_test(NAME win.${name}
             COMMAND ${wrap} ${CMAKE_SOURCE_DIR}/tests/wine/wine-run.sh ${opts} ${WIN_TEST_BUILD_DIR}/tests/${name}.exe)
    set_tests_properties(win.${name} PROPERTIES LABELS win TIMEOUT 600
                         ENVIRONMENT "WINE_ROOT=${WIN_TEST_BUILD_DIR}/wine/${name}")
  endif()
endfunction()

win_test(smoke_test SOURCES SmokeTest.cpp)
win_test(token_winxp SOURCES TokenWinTest.cpp WINVER winxp)
win_test(token_win2003 SOURCES TokenWinTest.cpp WINVER win2003)
win_test(token_win98 SOURCES TokenWinTest.cpp WINVER win98)
win_test(registry_test SOURCES RegistryTest.cpp)
win_test(profile_cache_test SOURCES ProfileCacheTest.cpp)
win_test(wmi_query_test SOURCES WMIQueryTest.cpp)
win_test(detect_winxp SOURCES DetectWinTest.cpp WINVER winxp)
win_test(sha256_test SOURCES Sha256WinTest.cpp)
win_test(ftp_manip_test SOURCES FTPManipTest.cpp WRAP tests/wine/with-ftp.sh)
if(TEST win.ftp_manip_test)
  set_property(TEST win.ftp_manip_test APPEND PROPERTY ENVIRONMENT FTP_BIG=1) # a 64 MB file
endif()
win_test(ftp_manip_dlg_test SOURCES FTPManipDlgTest.cpp WRAP tests/wine/with-ftp.sh XVFB)
win_test(ftp_cancel_test SOURCES FTPCancelTest.cpp WRAP tests/wine/with-ftp.sh XVFB UNMANAGED)
win_test(ftp_site_mirror_dlg_test SOURCES FtpSiteMirrorDlgTest.cpp XVFB)
win_test(live_update_list_page_test SOURCES TipTestView.cpp UiTestWindow.cpp LiveUpdateListPageTest.cpp WRAP tests/wine/with-ftp.sh XVFB)
if(TARGET live_update_list_page_test)
  add_dependencies(live_update_list_page_test press_ok open_recorder)
endif()
win_test(ui_test SOURCES UiTestWindow.cpp UiFrameworkTest.cpp UiControlsTest.cpp XVFB)
win_test(start_window_test SOURCES UiTestWindow.cpp StartWindowTest.cpp XVFB)

# Helpers that tests start, built beside the test programs: a stand-in installer for the process and
# restart tests, the recorder that test prefixes register as the program files and addresses open
# with, the FTP client that scripts/ftp-benchmark.sh times beside curl, and the log-off question put
# to Autorun.exe. (The probe, press_ok and the sample installer are built with the program.)
if(WIN32)
  foreach(helper process_child open_recorder ftp_benchmark end_session)
    add_executable(${helper} ${CMAKE_SOURCE_DIR}/tests/win/${helper}.cpp)
    target_compile_options(${helper} PRIVATE ${WARN})
    target_link_libraries(${helper} autorun_platform)
    set_target_properties(${helper} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  endforeach()
  # Without a console window of its own, what the recorder stands in for leaves the window that
  # opened it in front, and a test's next click there is not spent on bringing it back.
  set_target_properties(open_recorder PROPERTIES WIN32_EXECUTABLE ON)
endif()
win_test(process_test SOURCES ProcessTest.cpp)
if(TARGET process_test)
  add_dependencies(process_test process_child)
endif()
win_test(file_manip_test SOURCES FileManipTest.cpp)
# The action button tests move the mouse and change file associations: a prefix of their own, whose
# session always starts with a display.
win_test(button_tip_test SOURCES TipTestView.cpp UiTestWindow.cpp ButtonTipTest.cpp WINVER win10 XVFB)
win_test(exec_btn_test SOURCES TipTestView.cpp UiTestWindow.cpp ExecBtnTest.cpp WINVER win10 XVFB)
if(TARGET exec_btn_test)
  add_dependencies(exec_btn_test open_recorder press_ok)
endif()

# Delay-import libraries: a program linked to one loads the DLL at the first call into it instead of
# at start. Each is made from the toolchain's own import library, so it offers every name that does.
#   delay_import_libraries(OUT DLL...) sets OUT to the libraries' paths.
function(delay_import_libraries out)
  string(REGEX REPLACE "-g\\+\\+(-posix)?$" "" prefix "${CMAKE_CXX_COMPILER}")
  find_program(DELAY_DLLTOOL NAMES ${prefix}-dlltool REQUIRED)
  find_program(DELAY_NM NAMES ${prefix}-nm REQUIRED)
  set(libs)
  foreach(dll IN LISTS ARGN)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=lib${dll}.a
                    OUTPUT_VARIABLE implib OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND ${DELAY_NM} -g --defined-only ${implib}
                    OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
    # x86_64 names its imports __imp_Name, i686 __imp__Name@N (stdcall) or __imp__Name (cdecl).
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      string(REGEX MATCHALL "__imp__[A-Za-z0-9_@?$]+" imports "${symbols}")
      list(TRANSFORM imports REPLACE "^__imp__" "")
      set(kill --kill-at)
    else()
      string(REGEX MATCHALL "__imp_[A-Za-z0-9_@?$]+" imports "${symbols}")
      list(TRANSFORM imports REPLACE "^__imp_" "")
      set(kill)
    endif()
    list(REMOVE_DUPLICATES imports)
    list(JOIN imports "\n" exports)
    set(def ${CMAKE_BINARY_DIR}/delay/${dll}.def)
    set(lib ${CMAKE_BINARY_DIR}/delay/lib${dll}_delay.a)
    file(WRITE ${def} "LIBRARY ${dll}.dll\nEXPORTS\n${exports}\n")
    execute_process(COMMAND ${DELAY_DLLTOOL} ${kill} --input-def ${def} --output-delaylib ${lib}
                            --dllname ${dll}.dll COMMAND_ERROR_IS_FATAL ANY)
    list(APPEND libs ${lib})
  endforeach()
  set(${out} ${libs} PARENT_SCOPE)
endfunction()

# Replays the .rc corpus (fuzz/corpus/rc/*.rc, symbols from symbols.h there)
# through the string-table generator, cmake/rc_strings.cmake, which is a
# CMake script and so cannot be driven by libFuzzer. For every script the
# generator either refuses it with a message or writes a table that
# compiles: nothing it reads may turn into broken C++.
#
#   cmake -DROOT=<source tree> -DWORK=<scratch folder> -DCXX=<C++ compiler> -P rc_corpus.cmake
cmake_minimum_required(VERSION 3.25)
file(GLOB _scripts "${ROOT}/fuzz/corpus/rc/*.rc")
if(NOT _scripts)
  message(FATAL_ERROR "rc_corpus: no .rc files in ${ROOT}/fuzz/corpus/rc")
endif()
file(MAKE_DIRECTORY "${WORK}")
set(_replayed 0)
foreach(_script IN LISTS _scripts)
  get_filename_component(_name "${_script}" NAME_WE)
  set(_table "${WORK}/${_name}.cpp")
  file(REMOVE "${_table}")
  execute_process(
    COMMAND "${CMAKE_COMMAND}" -DRC_FILE=${_script} -DHEADER=${ROOT}/fuzz/corpus/rc/symbols.h
            -DOUTPUT=${_table} -P ${ROOT}/cmake/rc_strings.cmake
    RESULT_VARIABLE _result ERROR_VARIABLE _errors OUTPUT_QUIET)
  if(_result EQUAL 0)
    execute_process(
      COMMAND "${CXX}" -std=c++17 -fsyntax-only -Werror -I${ROOT} "${_table}"
      RESULT_VARIABLE _compiled ERROR_VARIABLE _compile_errors)
    if(NOT _compiled EQUAL 0)
      message(FATAL_ERROR "rc_corpus: ${_name}.rc gave a table that does not compile:\n${_compile_errors}")
    endif()
  elseif(NOT _errors MATCHES "rc_strings: ")
    message(FATAL_ERROR "rc_corpus: ${_name}.rc was refused without the generator's message:\n${_errors}")
  endif()
  math(EXPR _replayed "${_replayed} + 1")
endforeach()
message(STATUS "rc_corpus: ${_replayed} scripts replayed")

# Turns the STRINGTABLE blocks of a resource script into a C++ table for the
# POSIX build, where there is no resource compiler (see
# platform/internal/resource_strings.h). Run as a script:
#
#   cmake -DRC_FILE=quillon.rc -DHEADER=resource.h -DOUTPUT=resources_strings.cpp
#         -P cmake/rc_strings.cmake
#
# An entry is one line: an id (a number, decimal or 0x hex, or a name that
# HEADER defines with #define) and a quoted text, with an optional comma
# between them. In the text, "" stands for one quote; backslash escapes are
# kept as they are, which C++ reads as the resource compiler does for \n, \t,
# \\ and octal escapes. Block headers may carry options (STRINGTABLE
# DISCARDABLE) and BEGIN/END may be written { and }.
#
# Ids are 16 bits, as in Win32; a larger one, or a text whose last backslash
# would escape its closing quote, stops the build.
#
# Less than the resource compiler: the script is not run through the
# preprocessor (#if blocks and macros other than plain #define numbers are not
# seen), an entry may not span lines, and /* */ comments are not understood
# inside a STRINGTABLE block. A line this reader cannot understand stops the
# build with its line number, so nothing is dropped silently.
cmake_minimum_required(VERSION 3.25)

foreach(_var RC_FILE HEADER OUTPUT)
  if(NOT DEFINED ${_var})
    message(FATAL_ERROR "rc_strings: ${_var} is not set")
  endif()
endforeach()

include(${CMAKE_CURRENT_LIST_DIR}/rc_lines.cmake)

# The value of a decimal or 0x hexadecimal number when it is a string id
# (0 to 65535, 16 bits as in Win32), else "" (math would fail on a number
# beyond 64 bits).
function(_rc_string_id text out)
  set(${out} "" PARENT_SCOPE)
  if(text MATCHES "^0[xX]0*([0-9A-Fa-f]*)$")
    string(LENGTH "${CMAKE_MATCH_1}" _digits)
    if(_digits GREATER 4)
      return()
    endif()
  elseif(text MATCHES "^0*([0-9]*)$")
    string(LENGTH "${CMAKE_MATCH_1}" _digits)
    if(_digits GREATER 5)
      return()
    endif()
  endif()
  math(EXPR _value "${text}")
  if(_value LESS_EQUAL 65535)
    set(${out} ${_value} PARENT_SCOPE)
  endif()
endfunction()

# Symbols: every "#define NAME number" of the header.
rc_read_lines("${HEADER}" _header_lines)
foreach(_line IN LISTS _header_lines)
  if(_line MATCHES "^[ \t]*#[ \t]*define[ \t]+([A-Za-z_][A-Za-z0-9_]*)[ \t]+(0[xX][0-9A-Fa-f]+|[0-9]+)[ \t]*(//.*)?$")
    set(_name ${CMAKE_MATCH_1})
    _rc_string_id("${CMAKE_MATCH_2}" _value)
    if(NOT _value STREQUAL "")
      set(_symbol_${_name} ${_value})
    endif()
  endif()
endforeach()

rc_read_lines("${RC_FILE}" _rc_lines)
set(_state outside)  # outside, header (after STRINGTABLE), inside (after BEGIN)
set(_number 0)
set(_ids "")
set(_entries "")
set(_count 0)
foreach(_line IN LISTS _rc_lines)
  math(EXPR _number "${_number} + 1")
  string(STRIP "${_line}" _line)
  if(_state STREQUAL "outside")
    if(_line MATCHES "^STRINGTABLE([ \t]|$)")
      set(_state header)
    endif()
    continue()
  endif()
  if(_line STREQUAL "" OR _line MATCHES "^//")
    continue()
  endif()
  if(_state STREQUAL "header")
    if(_line STREQUAL "BEGIN" OR _line STREQUAL "{")
      set(_state inside)
    elseif(NOT _line MATCHES "^(LANGUAGE|CHARACTERISTICS|VERSION)[ \t]")
      message(FATAL_ERROR "rc_strings: ${RC_FILE}:${_number}: expected BEGIN after STRINGTABLE")
    endif()
    continue()
  endif()
  if(_line STREQUAL "END" OR _line STREQUAL "}")
    set(_state outside)
    continue()
  endif()
  if(NOT _line MATCHES "^([A-Za-z_][A-Za-z0-9_]*|0[xX][0-9A-Fa-f]+|[0-9]+)[ \t]*,?[ \t]*\"((\"\"|[^\"])*)\"[ \t]*(//.*)?$")
    message(FATAL_ERROR "rc_strings: ${RC_FILE}:${_number}: cannot read this string table entry: ${_line}")
  endif()
  set(_id "${CMAKE_MATCH_1}")
  set(_text "${CMAKE_MATCH_2}")
  # A backslash just before the closing quote would escape it in C++.
  if(_text MATCHES "(^|[^\\\\])(\\\\\\\\)*\\\\$")
    message(FATAL_ERROR "rc_strings: ${RC_FILE}:${_number}: a text may not end in a lone backslash: ${_line}")
  endif()
  if(_id MATCHES "^[A-Za-z_]")
    if(NOT DEFINED _symbol_${_id})
      message(FATAL_ERROR "rc_strings: ${RC_FILE}:${_number}: ${_id} is not defined in ${HEADER} as a string id (0 to 65535)")
    endif()
    set(_id ${_symbol_${_id}})
  else()
    _rc_string_id("${_id}" _value)
    if(_value STREQUAL "")
      message(FATAL_ERROR "rc_strings: ${RC_FILE}:${_number}: ${_id} is not a string id (0 to 65535)")
    endif()
    set(_id ${_value})
  endif()
  if(_id IN_LIST _ids)
    message(FATAL_ERROR "rc_strings: ${RC_FILE}:${_number}: string ${_id} is defined twice")
  endif()
  list(APPEND _ids ${_id})
  string(REPLACE "\"\"" "\\\"" _text "${_text}")
  string(APPEND _entries "    {${_id}u, \"${_text}\"},\n")
  math(EXPR _count "${_count} + 1")
endforeach()
if(NOT _state STREQUAL "outside")
  message(FATAL_ERROR "rc_strings: ${RC_FILE}: a STRINGTABLE block has no END")
endif()

get_filename_component(_rc_name "${RC_FILE}" NAME)
set(_code "// Generated at build time by cmake/rc_strings.cmake from the STRINGTABLE\n")
string(APPEND _code "// blocks of ${_rc_name}. Do not edit: edit the resource script.\n")
string(APPEND _code "#include \"platform/internal/resource_strings.h\"\n\n")
string(APPEND _code "const ResourceString resourceStrings[] = {\n${_entries}    {0u, nullptr},\n};\n")
string(APPEND _code "const int resourceStringCount = ${_count};\n")
rc_restore_text(_code)
rc_write_if_changed("${OUTPUT}" "${_code}")

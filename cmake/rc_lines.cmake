# Shared by the resource-script readers of the POSIX build (rc_strings.cmake,
# rc_dialogs.cmake): the lines of a file as a CMake list.
#
# Characters that CMake lists treat specially are swapped for control
# characters while the text is handled as a list of lines; rc_restore_text
# swaps them back in generated code.
string(ASCII 1 _rc_semicolon)
string(ASCII 2 _rc_open)
string(ASCII 3 _rc_close)

function(rc_read_lines path out)
  file(READ "${path}" _text)
  string(REPLACE "\r" "" _text "${_text}")
  string(REPLACE ";" "${_rc_semicolon}" _text "${_text}")
  string(REPLACE "[" "${_rc_open}" _text "${_text}")
  string(REPLACE "]" "${_rc_close}" _text "${_text}")
  string(REPLACE "\n" ";" _text "${_text}")
  set(${out} "${_text}" PARENT_SCOPE)
endfunction()

function(rc_restore_text variable)
  set(_text "${${variable}}")
  string(REPLACE "${_rc_semicolon}" ";" _text "${_text}")
  string(REPLACE "${_rc_open}" "[" _text "${_text}")
  string(REPLACE "${_rc_close}" "]" _text "${_text}")
  set(${variable} "${_text}" PARENT_SCOPE)
endfunction()

# Writes `content` to `path` only when it changes, so that its object is not
# rebuilt.
function(rc_write_if_changed path content)
  set(_old "")
  if(EXISTS "${path}")
    file(READ "${path}" _old)
  endif()
  if(NOT _old STREQUAL content)
    file(WRITE "${path}" "${content}")
  endif()
endfunction()

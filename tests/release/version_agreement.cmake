# Checks that every artefact naming Quillon's version names VERSION, the
# project version: `quillon --version`, the Debian changelog's entry, the
# man page's title line, the Windows manifest and version header (whose
# numbers make the VERSIONINFO resource) and the Debian package's version.
# Each disagreement is one line; the test fails when there is any.
set(_wrong "")

function(expect what found)
  if(NOT found STREQUAL VERSION)
    set(_wrong "${_wrong}\n  ${what}: \"${found}\", not \"${VERSION}\"" PARENT_SCOPE)
  endif()
endfunction()

# The first match of `regex`'s group 1 in the file, or "(none)".
function(first_match path regex out)
  set(_value "(none)")
  if(EXISTS "${path}")
    file(STRINGS "${path}" _lines REGEX "${regex}")
    foreach(_line IN LISTS _lines)
      if(_line MATCHES "${regex}")
        set(_value "${CMAKE_MATCH_1}")
        break()
      endif()
    endforeach()
  endif()
  set(${out} "${_value}" PARENT_SCOPE)
endfunction()

execute_process(COMMAND "${PROGRAM}" --version OUTPUT_VARIABLE _output RESULT_VARIABLE _code)
if(_output MATCHES "^quillon ([^\n]*)\n$" AND _code EQUAL 0)
  expect("quillon --version" "${CMAKE_MATCH_1}")
else()
  expect("quillon --version (exit code ${_code})" "${_output}")
endif()

first_match("${CHANGELOG}" "^quillon \\(([^)]*)\\)" _changelog)
expect("the changelog's first entry" "${_changelog}")

first_match("${MAN_PAGE}" "^\\.TH .*\"Quillon ([^\"]*)\"" _man)
expect("the man page's title line" "${_man}")

first_match("${MANIFEST}" "name=\"Quillon.ScreenSaver\" version=\"([0-9.]*)\\.0\"" _manifest)
expect("the Windows manifest" "${_manifest}")

first_match("${VERSION_HEADER}" "#define QUILLON_VERSION \"([^\"]*)\"" _header)
expect("quillon_version.h" "${_header}")
foreach(_part MAJOR MINOR PATCH)
  first_match("${VERSION_HEADER}" "#define QUILLON_VERSION_${_part} ([0-9]*)" _number)
  list(APPEND _numbers "${_number}")
endforeach()
list(JOIN _numbers "." _numbers)
expect("the VERSIONINFO numbers" "${_numbers}")

first_match("${CPACK_CONFIG}" "set\\(CPACK_PACKAGE_VERSION \"([^\"]*)\"\\)" _package)
expect("the Debian package" "${_package}")

if(_wrong)
  message(FATAL_ERROR "Versions disagree with the project's ${VERSION}:${_wrong}")
endif()
message(STATUS "Every artefact names version ${VERSION}")

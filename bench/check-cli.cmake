# Runs numera-cli on one generated input and checks what it must do.
#   cmake -DCLI=... -DINPUT=NAME.txt [-DEXPECTED=NAME.expected] -DOUTCOME=...
#         -DWORK=dir -P check-cli.cmake
# OUTCOME: Succeeds (exit 0, no error line), SyntaxError (exit 1, exactly the
# one "Syntax error" line), ResultOrGiveUp (either of the two, never a crash).
foreach(var CLI INPUT OUTCOME WORK)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "check-cli.cmake: ${var} is not set")
  endif()
endforeach()

get_filename_component(name "${INPUT}" NAME_WE)
file(MAKE_DIRECTORY "${WORK}")
set(out "${WORK}/${name}.out")

execute_process(
  COMMAND "${CLI}" "${INPUT}"
  OUTPUT_FILE "${out}"
  ERROR_VARIABLE err
  RESULT_VARIABLE rc)

set(syntax_error "1\tError\tNone\tSyntax error\n")
set(failures "")

if(OUTCOME STREQUAL "Succeeds")
  if(NOT rc STREQUAL "0")
    string(APPEND failures "exit status '${rc}', expected 0\n")
  endif()
  if(err MATCHES "\tError\t")
    string(APPEND failures "an error was reported\n")
  endif()
elseif(OUTCOME STREQUAL "SyntaxError")
  if(NOT rc STREQUAL "1")
    string(APPEND failures "exit status '${rc}', expected 1\n")
  endif()
  if(NOT err STREQUAL syntax_error)
    string(APPEND failures "standard error is not the single Syntax error line\n")
  endif()
elseif(OUTCOME STREQUAL "ResultOrGiveUp")
  if(rc STREQUAL "0")
    if(NOT err STREQUAL "")
      string(APPEND failures "a result came with diagnostics\n")
    endif()
  elseif(rc STREQUAL "1")
    if(NOT err STREQUAL syntax_error)
      string(APPEND failures "giving up must report the single Syntax error line\n")
    endif()
  else()
    string(APPEND failures "exit status '${rc}' (a crash?), expected 0 or 1\n")
  endif()
else()
  message(FATAL_ERROR "check-cli.cmake: unknown OUTCOME '${OUTCOME}'")
endif()

# A successful run must give the expected text; a failed one leaves the text
# as it was, since each of these inputs is a single cell without "=".
set(compare_with "")
if(rc STREQUAL "0" AND DEFINED EXPECTED AND NOT EXPECTED STREQUAL "")
  set(compare_with "${EXPECTED}")
elseif(rc STREQUAL "1" AND NOT OUTCOME STREQUAL "Succeeds")
  set(compare_with "${INPUT}")
endif()
if(NOT compare_with STREQUAL "")
  execute_process(
    COMMAND "${CMAKE_COMMAND}" -E compare_files "${out}" "${compare_with}"
    RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    file(READ "${out}" head LIMIT 200)
    string(APPEND failures "standard output differs from ${compare_with}; it begins: ${head}\n")
  endif()
endif()

if(NOT failures STREQUAL "")
  string(SUBSTRING "${err}" 0 2000 err_head)
  message(FATAL_ERROR "${name}:\n${failures}standard error:\n${err_head}")
endif()
message(STATUS "${name}: ok")

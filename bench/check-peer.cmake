# Calculates the common document with numera-cli and with the muparser
# driver and compares the two cell by cell (equal doubles).
#   cmake -DCLI=... -DPEER=... [-DPEER_OPTIONS=...] -DGEN=... -DINPUT=common_1mib.txt
#         -DPEER_INPUT=common_1mib.muparser -DWORK=dir -P check-peer.cmake
foreach(var CLI PEER GEN INPUT PEER_INPUT WORK)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "check-peer.cmake: ${var} is not set")
  endif()
endforeach()

file(MAKE_DIRECTORY "${WORK}")
execute_process(COMMAND "${CLI}" "${INPUT}" OUTPUT_FILE "${WORK}/common.calculated"
                ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc STREQUAL "0" OR NOT err STREQUAL "")
  message(FATAL_ERROR "numera-cli: exit status '${rc}', standard error: ${err}")
endif()
execute_process(COMMAND "${PEER}" ${PEER_OPTIONS} "${PEER_INPUT}" OUTPUT_FILE "${WORK}/common.peer"
                ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc STREQUAL "0")
  message(FATAL_ERROR "numera-muparser: exit status '${rc}', standard error: ${err}")
endif()
execute_process(COMMAND "${GEN}" --compare "${WORK}/common.calculated" "${WORK}/common.peer"
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc STREQUAL "0")
  message(FATAL_ERROR "the results differ from the peer's:\n${err}")
endif()
message(STATUS "${out}")

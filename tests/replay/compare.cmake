# SPDX-License-Identifier: MIT
# Runs the replay tool on SCRIPT and compares its standard output and exit
# code with the golden transcript EXPECTED (exit code on the last line).
execute_process(COMMAND ${REPLAY} INPUT_FILE ${SCRIPT}
                OUTPUT_VARIABLE actual ERROR_VARIABLE errors RESULT_VARIABLE code)
string(APPEND actual "exit ${code}\n")
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
  file(WRITE ${EXPECTED}.actual "${actual}")
  message(FATAL_ERROR "replay of ${SCRIPT} differs from ${EXPECTED}; "
                      "got ${EXPECTED}.actual\nstderr:\n${errors}")
endif()

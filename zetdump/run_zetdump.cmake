# Runs zetdump (under the emulator in a Windows build) and checks its exit
# status, and, when given, a pattern in what it printed and a file it wrote.
#   -DZETDUMP=program -DEMULATOR=runner -DARGS=a|b|c -DSTATUS=n
#   [-DPATTERN=regex] [-DWRITES=file] [-DFRESH=folder removed first]
if(DEFINED FRESH)
  file(REMOVE_RECURSE "${FRESH}")
endif()
string(REPLACE "|" ";" arguments "${ARGS}")
execute_process(COMMAND ${EMULATOR} ${ZETDUMP} ${arguments}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status STREQUAL "${STATUS}")
  message(FATAL_ERROR "zetdump ${ARGS}: status ${status}, expected ${STATUS}\n${out}${err}")
endif()
if(DEFINED PATTERN AND NOT "${out}${err}" MATCHES "${PATTERN}")
  message(FATAL_ERROR "zetdump ${ARGS}: no match for ${PATTERN} in\n${out}${err}")
endif()
if(DEFINED WRITES AND NOT EXISTS "${WRITES}")
  message(FATAL_ERROR "zetdump ${ARGS}: ${WRITES} was not written")
endif()

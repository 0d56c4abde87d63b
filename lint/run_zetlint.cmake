# Runs zetlint (under the emulator in a Windows build) and checks its exit
# status, a pattern in what it printed, and a file it wrote.
#   -DZETLINT=program -DEMULATOR=runner -DARGS=a|b|c -DSTATUS=n
#   [-DPATTERN=regex] [-DWRITES=file -DCONTENT=text]
string(REPLACE "|" ";" arguments "${ARGS}")
if(DEFINED WRITES)
  file(REMOVE "${WRITES}")
endif()
execute_process(COMMAND ${EMULATOR} ${ZETLINT} ${arguments}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status STREQUAL "${STATUS}")
  message(FATAL_ERROR "zetlint ${ARGS}: status ${status}, expected ${STATUS}\n${out}${err}")
endif()
if(DEFINED PATTERN AND NOT "${out}${err}" MATCHES "${PATTERN}")
  message(FATAL_ERROR "zetlint ${ARGS}: no match for ${PATTERN} in\n${out}${err}")
endif()
if(DEFINED WRITES)
  file(READ "${WRITES}" written)
  if(NOT written STREQUAL CONTENT)
    message(FATAL_ERROR "zetlint ${ARGS}: ${WRITES} holds\n${written}\nexpected\n${CONTENT}")
  endif()
endif()

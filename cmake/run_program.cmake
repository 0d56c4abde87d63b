# Runs one of the kit's programs (under the emulator in a Windows build) and
# checks its exit status and, when given, a pattern in what it printed and a
# file it wrote (that it exists, or that it holds CONTENT).
#   -DPROGRAM=program -DEMULATOR=runner -DARGS=a|b|c -DSTATUS=n
#   [-DPATTERN=regex] [-DWRITES=file [-DCONTENT=text]] [-DFRESH=folder removed first]
if(DEFINED FRESH)
  file(REMOVE_RECURSE "${FRESH}")
endif()
if(DEFINED CONTENT)
  file(REMOVE "${WRITES}")
endif()
string(REPLACE "|" ";" arguments "${ARGS}")
get_filename_component(name "${PROGRAM}" NAME_WE)
execute_process(COMMAND ${EMULATOR} ${PROGRAM} ${arguments}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status STREQUAL "${STATUS}")
  message(FATAL_ERROR "${name} ${ARGS}: status ${status}, expected ${STATUS}\n${out}${err}")
endif()
if(DEFINED PATTERN AND NOT "${out}${err}" MATCHES "${PATTERN}")
  message(FATAL_ERROR "${name} ${ARGS}: no match for ${PATTERN} in\n${out}${err}")
endif()
if(DEFINED WRITES AND NOT EXISTS "${WRITES}")
  message(FATAL_ERROR "${name} ${ARGS}: ${WRITES} was not written")
endif()
if(DEFINED CONTENT)
  file(READ "${WRITES}" written)
  if(NOT written STREQUAL CONTENT)
    message(FATAL_ERROR "${name} ${ARGS}: ${WRITES} holds\n${written}\nexpected\n${CONTENT}")
  endif()
endif()

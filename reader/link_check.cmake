# Shows that programs on the reader stand alone: the command that links each
# program (as the build system will run it) must name the reader's library
# and none of the compiler's.
#   -DNINJA=program -DBUILD=dir -DPROGRAMS=a|b -DREQUIRED=file
#   -DFORBIDDEN=file|file (library file names)
string(REPLACE "|" ";" programs "${PROGRAMS}")
string(REPLACE "|" ";" forbidden "${FORBIDDEN}")
foreach(program ${programs})
  execute_process(COMMAND ${NINJA} -C ${BUILD} -t commands ${program}
                  RESULT_VARIABLE status OUTPUT_VARIABLE commands ERROR_VARIABLE err)
  # The last command builds the program itself: its link.
  string(REGEX MATCH "[^\n]+\n*$" link "${commands}")
  string(STRIP "${link}" link)
  if(NOT status EQUAL 0 OR link STREQUAL "")
    message(FATAL_ERROR "ninja -t commands ${program}: ${status}\n${err}")
  endif()
  message(STATUS "${program}: ${link}")
  string(FIND "${link}" "/${REQUIRED}" at)
  if(at EQUAL -1)
    message(SEND_ERROR "${program} is not linked with ${REQUIRED}")
  endif()
  foreach(library ${forbidden})
    string(FIND "${link}" "/${library}" at)
    if(NOT at EQUAL -1)
      message(SEND_ERROR "${program} is linked with the compiler's ${library}")
    endif()
  endforeach()
endforeach()

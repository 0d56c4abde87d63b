# The round trip through the two programs: every compiled file the test
# suites leave behind (in the source and build trees) and the example,
# compiled by zetcomp, decompile with zetdump and compile with zetcomp to the
# same bytes.
# Files found in the trees that fail --check (the partial output of a test
# that makes the compiler fail on purpose) are named and left out.
#   -DZETDUMP=program -DZETCOMP=program -DEXAMPLES=dir -DWORK=dir
#   -DFILES=file|file (must round-trip) -DSEARCH=dir|dir (searched for *.ztr)
#   -DEXCLUDE=dir (not searched)
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/example/bmp")
file(COPY "${EXAMPLES}/demo.zts" DESTINATION "${WORK}/example")
file(GLOB bitmaps "${EXAMPLES}/bmp/*.bmp")
file(COPY ${bitmaps} DESTINATION "${WORK}/example/bmp")
execute_process(COMMAND ${ZETCOMP} demo.zts WORKING_DIRECTORY "${WORK}/example"
                RESULT_VARIABLE status OUTPUT_VARIABLE out)
if(NOT status EQUAL 0 OR NOT EXISTS "${WORK}/example/demo.ztr")
  message(FATAL_ERROR "zetcomp demo.zts: ${status}\n${out}")
endif()

string(REPLACE "|" ";" compiled "${WORK}/example/demo.ztr|${FILES}")
string(REPLACE "|" ";" trees "${SEARCH}")
foreach(tree ${trees})
  file(GLOB_RECURSE found "${tree}/*.ztr")
  foreach(file ${found})
    string(FIND "${file}" "${EXCLUDE}/" excluded)
    if(NOT excluded EQUAL 0)
      execute_process(COMMAND ${ZETDUMP} --check "${file}" RESULT_VARIABLE status
                      OUTPUT_VARIABLE out ERROR_VARIABLE err)
      if(status EQUAL 0)
        list(APPEND compiled "${file}")
      else()
        message(STATUS "not a finished compiled file, left out: ${err}")
      endif()
    endif()
  endforeach()
endforeach()

set(index 0)
foreach(file ${compiled})
  math(EXPR index "${index} + 1")
  set(back "${WORK}/back${index}")
  execute_process(COMMAND ${ZETDUMP} --decompile "${file}" "${back}"
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(SEND_ERROR "zetdump --decompile ${file}: ${status}\n${out}${err}")
    continue()
  endif()
  file(GLOB source RELATIVE "${back}" "${back}/*.zts")
  string(REGEX REPLACE "\\.zts$" ".ztr" output "${source}")
  execute_process(COMMAND ${ZETCOMP} "${source}" WORKING_DIRECTORY "${back}"
                  RESULT_VARIABLE status OUTPUT_VARIABLE out)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${file}" "${back}/${output}"
                  RESULT_VARIABLE differs)
  if(NOT status EQUAL 0 OR NOT differs EQUAL 0)
    message(SEND_ERROR "${file}: compiled again in ${back}, not the same bytes\n${out}")
  else()
    message(STATUS "same bytes: ${file}")
  endif()
endforeach()

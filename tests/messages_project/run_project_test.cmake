# Builds tests/messages_project/project with one generator, with the kit as
# installed into a prefix of its own, and checks that a build compiles the
# messages exactly when it must: first, not again when nothing changed, again
# when a bitmap is touched, and without breaking when the source stops
# naming a bitmap that is then removed.
#   -DGENERATOR=Ninja|Unix Makefiles -DWORK=folder -DPREFIX=installed kit
#   -DPROJECT=project folder -DEXAMPLES=examples folder
file(REMOVE_RECURSE ${WORK})
file(COPY ${PROJECT}/ ${EXAMPLES}/demo.zts ${EXAMPLES}/bmp DESTINATION ${WORK}/src)
file(COPY_FILE ${WORK}/src/bmp/info.bmp ${WORK}/src/bmp/info-copy.bmp)

function(build expect_compile what)
  execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK}/build
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${GENERATOR}, ${what}: the build failed\n${out}${err}")
  endif()
  string(FIND "${out}" "Compiling messages demo" at)
  if(expect_compile AND at EQUAL -1)
    message(FATAL_ERROR "${GENERATOR}, ${what}: the messages were not compiled\n${out}")
  elseif(NOT expect_compile AND NOT at EQUAL -1)
    message(FATAL_ERROR "${GENERATOR}, ${what}: the messages were compiled again\n${out}")
  endif()
  message(STATUS "${GENERATOR}, ${what}: as expected")
endfunction()

execute_process(COMMAND ${CMAKE_COMMAND} -S ${WORK}/src -B ${WORK}/build -G ${GENERATOR}
                        -DCMAKE_PREFIX_PATH=${PREFIX}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${GENERATOR}: configuring failed\n${out}${err}")
endif()
build(TRUE "first build")
if(NOT EXISTS ${WORK}/src/demo.ztr)
  message(FATAL_ERROR "${GENERATOR}: no demo.ztr")
endif()
build(FALSE "nothing changed")
# File times of one second apart at the most coarse.
execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 1.1)
file(TOUCH ${WORK}/src/bmp/info.bmp)
build(TRUE "a bitmap touched")
build(FALSE "nothing changed since")
execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 1.1)
file(READ ${WORK}/src/demo.zts source)
string(REPLACE "bmp/info.bmp" "bmp/info-copy.bmp" source "${source}")
file(WRITE ${WORK}/src/demo.zts "${source}")
file(REMOVE ${WORK}/src/bmp/info.bmp)
build(TRUE "a bitmap no longer named and removed")
build(FALSE "nothing changed at the end")

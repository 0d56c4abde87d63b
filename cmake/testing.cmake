# GoogleTest from the system's sources, and one ctest entry per test program.
include(CTest)

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

option(ZET_WINE_TESTS "Run the Windows test programs under Wine" OFF)
if(ZET_WINE_TESTS)
  include(${CMAKE_CURRENT_LIST_DIR}/wine.cmake)
endif()

# zet_add_gtest(name SOURCES ... LIBS ... [LABELS ...])
function(zet_add_gtest name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  zet_add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS "unit;${T_LABELS}" TIMEOUT 300)
endfunction()

# zet_add_test(NAME name COMMAND command... [WORKING_DIRECTORY dir] [HOST])
# The one way a test enters a Windows tree whose tests run under Wine; the
# check at the end of the configuration refuses any other. Unless HOST says
# that it starts no Windows program, the test needs the shared Wine session,
# and where the tree's programs cannot run it ends with status 77 and the one
# reason before it starts anything: a program of the tree through wine-run, a
# script (which may start programs of its own) through wine-run --guard.
function(zet_add_test)
  cmake_parse_arguments(T "HOST" "NAME;WORKING_DIRECTORY" "COMMAND" ${ARGN})
  set(command ${T_COMMAND})
  set(wine ${ZET_WINE_TESTS})
  if(T_HOST)
    set(wine OFF)
  endif()
  if(wine)
    list(POP_FRONT command first)
    if(TARGET ${first})
      set(command ${ZET_WINE_RUN} $<TARGET_FILE:${first}> ${command})
    else()
      set(command ${ZET_WINE_RUN} --guard ${first} ${command})
    endif()
  endif()
  set(directory)
  if(T_WORKING_DIRECTORY)
    set(directory WORKING_DIRECTORY ${T_WORKING_DIRECTORY})
  endif()
  add_test(NAME ${T_NAME} COMMAND ${command} ${directory})
  set_property(GLOBAL APPEND PROPERTY ZET_REGISTERED_TESTS ${T_NAME})
  if(wine)
    set_tests_properties(${T_NAME} PROPERTIES FIXTURES_REQUIRED wine SKIP_RETURN_CODE 77
      SKIP_REGULAR_EXPRESSION "Windows programs cannot run on this machine")
  endif()
endfunction()

# Fails the configuration of a Windows tree when a test was added with a plain
# add_test: it might start a program that cannot run here, and fail instead of
# being skipped.
function(zet_check_wine_tests)
  if(NOT ZET_WINE_TESTS)
    return()
  endif()
  get_property(registered GLOBAL PROPERTY ZET_REGISTERED_TESTS)
  set(folders ${PROJECT_SOURCE_DIR})
  while(folders)
    list(POP_FRONT folders folder)
    get_property(subfolders DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
    list(APPEND folders ${subfolders})
    get_property(tests DIRECTORY ${folder} PROPERTY TESTS)
    foreach(test ${tests})
      if(NOT test IN_LIST registered)
        message(FATAL_ERROR "${folder}: test ${test} was added without zet_add_test, which "
                            "skips it where Windows programs cannot run; add it with zet_add_test")
      endif()
    endforeach()
  endwhile()
endfunction()

# zet_add_program_cases(target folder [FRESH dir] CASES "name|status|pattern|arg|..." ...):
# one test <target>_<name> per case, which runs the program with the
# arguments in `folder` and checks its exit status and a pattern in its output.
function(zet_add_program_cases target folder)
  cmake_parse_arguments(P "" "FRESH" "CASES" ${ARGN})
  set(fresh)
  if(P_FRESH)
    set(fresh -DFRESH=${P_FRESH})
  endif()
  foreach(case ${P_CASES})
    string(REPLACE "|" ";" parts "${case}")
    list(POP_FRONT parts name status pattern)
    string(REPLACE ";" "|" arguments "${parts}")
    zet_add_test(NAME ${target}_${name}
      COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${target}>
              "-DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}" "-DARGS=${arguments}"
              -DSTATUS=${status} "-DPATTERN=${pattern}" ${fresh}
              -P ${PROJECT_SOURCE_DIR}/cmake/run_program.cmake
      WORKING_DIRECTORY ${folder})
  endforeach()
endfunction()

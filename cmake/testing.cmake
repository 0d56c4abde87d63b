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
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS "unit;${T_LABELS}" TIMEOUT 300)
  zet_wine_test(${name})
endfunction()

# Makes a test that runs a Windows program depend on the shared Wine session. Where
# the tree's programs cannot run, wine-run ends them with status 77 and a line
# that scripts may only pass on: either makes the test skipped.
function(zet_wine_test test)
  if(ZET_WINE_TESTS)
    set_tests_properties(${test} PROPERTIES FIXTURES_REQUIRED wine SKIP_RETURN_CODE 77
      SKIP_REGULAR_EXPRESSION "Windows programs cannot run on this machine")
  endif()
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
    add_test(NAME ${target}_${name}
      COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${target}>
              "-DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}" "-DARGS=${arguments}"
              -DSTATUS=${status} "-DPATTERN=${pattern}" ${fresh}
              -P ${PROJECT_SOURCE_DIR}/cmake/run_program.cmake
      WORKING_DIRECTORY ${folder})
    zet_wine_test(${target}_${name})
  endforeach()
endfunction()

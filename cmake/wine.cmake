# Runs the Windows test programs under Wine: a Japanese locale compiled into the
# build tree (code page 932), one prefix created once per build tree, and a
# wineserver kept alive across the tests so that each program starts quickly.
set(ZET_WINE_DIR ${CMAKE_BINARY_DIR}/wine)
set(ZET_WINE_PREFIX ${ZET_WINE_DIR}/prefix)
set(ZET_WINE_LOCALE ${ZET_WINE_DIR}/locale)
set(ZET_WINE_RUN ${ZET_WINE_DIR}/wine-run)
# The loader that matches the tree's programs: a 32-bit program under the 64-bit
# loader would only be handed on to the 32-bit one.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(ZET_WINE_BITS 32)
  set(default_loader /usr/lib/wine/wine)
else()
  set(ZET_WINE_BITS 64)
  set(default_loader /usr/lib/wine/wine64)
endif()
set(ZET_WINE_LOADER ${default_loader} CACHE FILEPATH "The Wine loader for this tree's programs")

configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.in ${ZET_WINE_RUN} @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE)
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-prefix.reg.in ${ZET_WINE_DIR}/prefix-settings.reg @ONLY)

set(CMAKE_CROSSCOMPILING_EMULATOR ${ZET_WINE_RUN} CACHE FILEPATH "" FORCE)

# A prefix made before the 32-bit Wine was installed has no syswow64: the stamp
# names the kind made, so that installing the 32-bit Wine makes the prefix again.
if(EXISTS /usr/lib/wine/wine)
  set(prefix_stamp ${ZET_WINE_DIR}/prefix-wow64.stamp)
else()
  set(prefix_stamp ${ZET_WINE_DIR}/prefix-64.stamp)
endif()
add_custom_command(
  OUTPUT ${prefix_stamp}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${ZET_WINE_PREFIX}
  COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/wine-prefix.sh ${ZET_WINE_RUN} ${ZET_WINE_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${prefix_stamp}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/wine-prefix.sh ${ZET_WINE_DIR}/prefix-settings.reg
  COMMENT "Creating the Wine prefix and the ja_JP.UTF-8 locale"
  VERBATIM)
add_custom_target(wine_prefix ALL DEPENDS ${prefix_stamp})

add_test(NAME wine_start COMMAND ${ZET_WINE_RUN} --start-server)
set_tests_properties(wine_start PROPERTIES FIXTURES_SETUP wine SKIP_RETURN_CODE 77)
add_test(NAME wine_stop COMMAND ${ZET_WINE_RUN} --stop-server)
set_property(GLOBAL APPEND PROPERTY ZET_REGISTERED_TESTS wine_start wine_stop)
set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine)

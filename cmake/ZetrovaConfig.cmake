# find_package(Zetrova): zetrova_add_messages() with the programs installed
# beside this file (bin/ of the same prefix), unless ZETROVA_ZETLINT and
# ZETROVA_ZETCOMP say otherwise.
include(${CMAKE_CURRENT_LIST_DIR}/ZetrovaMessages.cmake)

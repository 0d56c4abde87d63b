# Where the programs, the example and the documents go when installed, and the
# packages CPack makes of them (make dist). The Windows ZIP holds the programs
# side by side, as Zetcomp.exe expects sample.zts beside itself; the Linux
# packages follow the file system's layout under /usr.
if(WIN32)
  set(ZET_INSTALL_BIN .)
  set(ZET_INSTALL_EXAMPLES examples)
  set(ZET_INSTALL_DOC docs)
else()
  include(GNUInstallDirs)
  set(ZET_INSTALL_BIN ${CMAKE_INSTALL_BINDIR})
  set(ZET_INSTALL_EXAMPLES ${CMAKE_INSTALL_DATADIR}/zetrova/examples)
  set(ZET_INSTALL_DOC ${CMAKE_INSTALL_DATADIR}/doc/zetrova)
  set(ZET_INSTALL_MAN ${CMAKE_INSTALL_MANDIR})
  # Three levels below the prefix, where ZetrovaConfig.cmake finds bin/.
  set(ZET_INSTALL_CMAKE lib/cmake/Zetrova)
endif()

# What a package holds must be built first: `cmake --build . --target zet_dist`.
add_custom_target(zet_dist)

# zet_install_program(target): the program into the packages.
function(zet_install_program target)
  install(TARGETS ${target} RUNTIME DESTINATION ${ZET_INSTALL_BIN})
  add_dependencies(zet_dist ${target})
endfunction()

# Whom users of the packages write to: the Debian package's maintainer, its
# changelog and its copyright file.
set(ZET_PACKAGE_MAINTAINER "Zetrova authors <zetrova@example.org>" CACHE STRING
  "Name and address of the packages' maintainer")

set(CPACK_PACKAGE_NAME zetrova)
set(CPACK_PACKAGE_VENDOR Zetrova)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# Debian's rules: a synopsis under 80 characters that does not start with the
# package's name, and a description beneath it (each line given one space).
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "kit for animated message boxes: compiler, inspector, player and lint")
set(CPACK_PACKAGE_DESCRIPTION [=[
Zetrova animates the message boxes of Windows applications with a Japanese
user interface. This package holds the kit's Linux programs:
 zetcomp  compiles a source (.zts) and its BMP strips into a message file;
 zetdump  shows, checks and decompiles compiled message files;
 zetplay  plays the animations and exports them (APNG, GIF, HTML);
 zetlint  reports mistakes in sources and writes dependencies for builds;
with their manual pages, the user guide in Japanese and English, the
example, and the CMake function zetrova_add_messages().]=])
set(CPACK_PACKAGE_CHECKSUM SHA256)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(CPACK_SYSTEM_NAME win32)
  else()
    set(CPACK_SYSTEM_NAME win64)
  endif()
  set(CPACK_PACKAGE_FILE_NAME zetrova-${PROJECT_VERSION}-${CPACK_SYSTEM_NAME})
else()
  set(CPACK_GENERATOR "DEB;TGZ")
  set(CPACK_PACKAGE_FILE_NAME zetrova-${PROJECT_VERSION}-linux-x86_64)
  # /usr for the Debian package; the archive keeps bin/, share/, ... at its top.
  set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/packaging-generator.cmake)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ZET_PACKAGE_MAINTAINER}")
  set(CPACK_DEBIAN_PACKAGE_SECTION devel)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_STRIP_FILES ON)
  # The archive's LICENSE.txt, which packaging-archive.cmake puts at its top.
  set(CPACK_ZET_ARCHIVE_LICENSE ${PROJECT_BINARY_DIR}/packaging/LICENSE.txt)
endif()

# Run by CPack on the archive's files before it packs them: the licence at
# the archive's top, where a user who unpacks it looks first.
file(COPY_FILE ${CPACK_ZET_ARCHIVE_LICENSE} ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/LICENSE.txt)

# What the Windows package holds of the run-time library: zetrt.dll for this
# tree's kind of application in runtime/x86 or runtime/x64, with import
# libraries for MinGW (libzetrt.dll.a) and Microsoft's linker (zetrt.lib),
# zetrt.h and the CMake package; zetshow beside the other programs. The win32
# tree of `make dist` also takes the 64-bit files from an optimised 64-bit tree
# (preset dist-win64, ZET_RUNTIME_X64_DIR), so that one package serves both
# kinds; they are a component of their own, so that installing this tree's
# runtime component never depends on the other tree.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(zetrt_arch x86)
  set(zetrt_machine i386)
else()
  set(zetrt_arch x64)
  set(zetrt_machine i386:x86-64)
endif()

# --kill-at takes the @n off the exports, and off the symbols of the import
# library ld writes too, so that 32-bit callers, who ask for ZetOpenFileA@8,
# could not link. Both import libraries are made again from the linker's list
# of exports, which keeps the decorated names.
find_program(ZET_LLVM_DLLTOOL llvm-dlltool)
set(zetrt_exports ${CMAKE_CURRENT_BINARY_DIR}/zetrt-exports.def)
target_link_options(zetrt PRIVATE -Wl,--output-def,${zetrt_exports})
add_custom_command(TARGET zetrt POST_BUILD
  COMMAND ${CMAKE_COMMAND} -DEXPORTS=${zetrt_exports} -DMACHINE=${zetrt_machine}
          -DDLLTOOL=${CMAKE_DLLTOOL} -DLLVM_DLLTOOL=${ZET_LLVM_DLLTOOL}
          -DFOLDER=$<TARGET_FILE_DIR:zetrt>
          -P ${CMAKE_CURRENT_SOURCE_DIR}/import_libraries.cmake
  VERBATIM)

set(ZET_INSTALL_RUNTIME runtime/${zetrt_arch})
install(TARGETS zetrt
  RUNTIME DESTINATION ${ZET_INSTALL_RUNTIME} COMPONENT runtime
  ARCHIVE DESTINATION ${ZET_INSTALL_RUNTIME} COMPONENT runtime
  PUBLIC_HEADER DESTINATION include COMPONENT runtime)
install(FILES $<TARGET_FILE_DIR:zetrt>/zetrt.lib DESTINATION ${ZET_INSTALL_RUNTIME}
        COMPONENT runtime)
install(FILES ${PROJECT_SOURCE_DIR}/cmake/ZetrovaConfig.cmake
              ${PROJECT_SOURCE_DIR}/cmake/ZetrovaMessages.cmake
        DESTINATION lib/cmake/Zetrova COMPONENT runtime)
install(FILES ${PROJECT_SOURCE_DIR}/examples/runtime/hello.c
              ${PROJECT_SOURCE_DIR}/examples/runtime/CMakeLists.txt
        DESTINATION ${ZET_INSTALL_EXAMPLES}/runtime COMPONENT runtime)
add_dependencies(zet_dist zetrt)
zet_install_program(zetshow)

set(ZET_RUNTIME_X64_DIR "" CACHE PATH
    "A 64-bit tree's runtime folder, whose zetrt.dll and import libraries the 32-bit package also holds")
if(zetrt_arch STREQUAL "x86" AND ZET_RUNTIME_X64_DIR)
  install(FILES ${ZET_RUNTIME_X64_DIR}/zetrt.dll ${ZET_RUNTIME_X64_DIR}/libzetrt.dll.a
                ${ZET_RUNTIME_X64_DIR}/zetrt.lib
          DESTINATION runtime/x64 COMPONENT runtime_x64)
endif()

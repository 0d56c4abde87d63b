# find_package(Zetrova [COMPONENTS messages runtime]):
#   messages: zetrova_add_messages() with the programs installed with this file
#             (bin/ of the same prefix, or the prefix itself as in the Windows
#             package), unless ZETROVA_ZETLINT and ZETROVA_ZETCOMP say otherwise;
#   runtime:  the target Zetrova::runtime, zetrt.dll with its header and import
#             library, for a Windows build of the kind (32 or 64 bits) being made.
include(${CMAKE_CURRENT_LIST_DIR}/ZetrovaMessages.cmake)
set(Zetrova_messages_FOUND TRUE)

get_filename_component(_zetrova_prefix ${CMAKE_CURRENT_LIST_DIR}/../../.. ABSOLUTE)
set(_zetrova_runtime ${_zetrova_prefix}/runtime/x64)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(_zetrova_runtime ${_zetrova_prefix}/runtime/x86)
endif()
# Microsoft's linker reads zetrt.lib; MinGW's reads libzetrt.dll.a.
set(_zetrova_implib ${_zetrova_runtime}/libzetrt.dll.a)
if(MSVC)
  set(_zetrova_implib ${_zetrova_runtime}/zetrt.lib)
endif()
set(Zetrova_runtime_FOUND FALSE)
if(TARGET Zetrova::runtime)
  set(Zetrova_runtime_FOUND TRUE)
elseif(WIN32 AND EXISTS ${_zetrova_runtime}/zetrt.dll AND EXISTS ${_zetrova_implib})
  add_library(Zetrova::runtime SHARED IMPORTED)
  set_target_properties(Zetrova::runtime PROPERTIES
    IMPORTED_LOCATION ${_zetrova_runtime}/zetrt.dll
    IMPORTED_IMPLIB ${_zetrova_implib}
    INTERFACE_INCLUDE_DIRECTORIES ${_zetrova_prefix}/include)
  set(Zetrova_runtime_FOUND TRUE)
endif()

foreach(_zetrova_component ${Zetrova_FIND_COMPONENTS})
  if(NOT Zetrova_${_zetrova_component}_FOUND AND Zetrova_FIND_REQUIRED_${_zetrova_component})
    set(Zetrova_FOUND FALSE)
    if(_zetrova_component STREQUAL "runtime")
      set(Zetrova_NOT_FOUND_MESSAGE
          "Zetrova::runtime needs a Windows build and ${_zetrova_runtime}/zetrt.dll with ${_zetrova_implib}")
    else()
      set(Zetrova_NOT_FOUND_MESSAGE "Zetrova has no component ${_zetrova_component}")
    endif()
  endif()
endforeach()
unset(_zetrova_component)
unset(_zetrova_implib)
unset(_zetrova_runtime)
unset(_zetrova_prefix)

# Makes zetrt's import libraries from the exports ld lists for the DLL
# (--output-def): "Name = Name@n @k" for 32-bit stdcall, "Name @k" for 64-bit.
# The import libraries know each function by the name the compiler gives its
# calls (Name@n) and bind it to the DLL's plain export (-k).
# cmake -DEXPORTS=def -DMACHINE=i386|i386:x86-64 -DDLLTOOL=... [-DLLVM_DLLTOOL=...] -DFOLDER=dir -P
file(STRINGS ${EXPORTS} lines REGEX "^[ \t]+[A-Za-z_]")
set(imports "LIBRARY zetrt.dll\nEXPORTS\n")
foreach(line ${lines})
  # The decorated name after "=" where there is one, else the first word.
  if(line MATCHES "= ([A-Za-z0-9_@]+)")
    string(APPEND imports "${CMAKE_MATCH_1}\n")
  elseif(line MATCHES "([A-Za-z0-9_]+)")
    string(APPEND imports "${CMAKE_MATCH_1}\n")
  endif()
endforeach()
set(def ${FOLDER}/zetrt-imports.def)
file(WRITE ${def} "${imports}")

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN}: ${status}")
  endif()
endfunction()
run(${DLLTOOL} -k -d ${def} -D zetrt.dll -l ${FOLDER}/libzetrt.dll.a)
if(LLVM_DLLTOOL)
  run(${LLVM_DLLTOOL} -m ${MACHINE} -k -d ${def} -l ${FOLDER}/zetrt.lib)
else()
  message(WARNING "llvm-dlltool not found: no zetrt.lib for Microsoft's linker")
endif()

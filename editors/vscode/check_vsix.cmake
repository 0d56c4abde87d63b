# cmake -DNODE=<node> -DSTAGE=<staged extension> -DKIT=<CMakeLists.txt>
#       -DKIT_VERSION=<a.b.c.d> -DOUT=<folder> -P check_vsix.cmake
#
# Packages the staged extension into OUT and checks the package: its name and
# manifest carry the kit's version as a.b.(c*100+d), it holds what VS Code
# loads and the kit's licence (the LICENSE beside KIT) as the marketplace
# shows it, and nothing of the tests, tools or dependencies.
file(REMOVE_RECURSE "${OUT}")
execute_process(COMMAND ${NODE} "${STAGE}/tools/package.js" --kit "${KIT}" --out "${OUT}"
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "packaging failed: ${status}")
endif()

string(REPLACE "." ";" parts "${KIT_VERSION}.0.0.0")
list(GET parts 0 major)
list(GET parts 1 minor)
list(GET parts 2 patch)
list(GET parts 3 tweak)
math(EXPR third "${patch} * 100 + ${tweak}")
set(version "${major}.${minor}.${third}")

set(vsix "${OUT}/zetrova-zts-${version}.vsix")
if(NOT EXISTS "${vsix}")
  file(GLOB made "${OUT}/*")
  message(FATAL_ERROR "expected ${vsix}, found: ${made}")
endif()

file(ARCHIVE_EXTRACT INPUT "${vsix}" DESTINATION "${OUT}/contents")
file(READ "${OUT}/contents/extension/package.json" manifest)
string(JSON packaged GET "${manifest}" version)
if(NOT packaged STREQUAL version)
  message(FATAL_ERROR "the package's package.json has version ${packaged}, not ${version}")
endif()
file(READ "${OUT}/contents/extension.vsixmanifest" vsixmanifest)
if(NOT vsixmanifest MATCHES "<Identity [^>]*Version=\"${version}\"")
  message(FATAL_ERROR "extension.vsixmanifest does not name version ${version}")
endif()

if(NOT vsixmanifest MATCHES "Content.License\" Path=\"extension/LICENSE.txt\"")
  message(FATAL_ERROR "extension.vsixmanifest names no licence")
endif()
get_filename_component(kit_dir "${KIT}" DIRECTORY)
file(READ "${kit_dir}/LICENSE" kit_license)
file(READ "${OUT}/contents/extension/LICENSE.txt" packaged_license)
if(NOT packaged_license STREQUAL kit_license)
  message(FATAL_ERROR "the package's LICENSE.txt is not the kit's LICENSE")
endif()

file(GLOB_RECURSE files RELATIVE "${OUT}/contents" "${OUT}/contents/*")
list(SORT files)
set(expected "[Content_Types].xml" extension.vsixmanifest extension/LICENSE.txt
  extension/language-configuration.json extension/package.json extension/readme.md
  extension/syntaxes/zts.tmLanguage.json)
list(SORT expected)
if(NOT files STREQUAL expected)
  message(FATAL_ERROR "the package holds\n  ${files}\nnot\n  ${expected}")
endif()

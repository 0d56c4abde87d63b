# zetrova_add_messages(NAME SOURCE file.zts [WORKING_DIRECTORY dir] [OUTPUT file])
#
# Adds the target NAME (built by default) that compiles SOURCE with zetcomp
# from WORKING_DIRECTORY (default: the folder of SOURCE), where the source's
# BITMAP and OUTPUT paths are relative. zetlint runs first: it stops the
# build on an error and writes a depfile of the source and every bitmap the
# source names, so that touching a bitmap rebuilds the compiled file, and a
# bitmap the source no longer names breaks no build.
#
# The compiled file is the source's OUTPUT, which zetlint reads at configure
# time (the source is then a configure dependency); give OUTPUT when zetlint
# is built by the same project. The target's property ZETROVA_OUTPUT holds
# the compiled file's full path.
#
# The programs: ZETROVA_ZETLINT and ZETROVA_ZETCOMP, or the targets zetlint
# and zetcomp of the same project, or the programs found on the path.
include_guard(GLOBAL)

function(_zetrova_program variable name)
  if(${variable})
    return()
  endif()
  if(TARGET ${name})
    set(${variable} $<TARGET_FILE:${name}> PARENT_SCOPE)
    return()
  endif()
  find_program(${variable} ${name}
               HINTS ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../../../bin
                     ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../../..)
  if(NOT ${variable})
    message(FATAL_ERROR "zetrova_add_messages: ${name} not found; set ${variable}")
  endif()
  set(${variable} ${${variable}} PARENT_SCOPE)
endfunction()

# The target of the depfile zetlint writes by default: the first line, less
# its ": \", with make's escapes undone.
function(_zetrova_output_of source folder zetlint result)
  set(depfile ${CMAKE_CURRENT_BINARY_DIR}/CMakeFiles/zetrova_output.d)
  execute_process(COMMAND ${zetlint} -MD -MF ${depfile} ${source}
                  WORKING_DIRECTORY ${folder} OUTPUT_QUIET ERROR_QUIET)
  if(NOT EXISTS ${depfile})
    message(FATAL_ERROR "zetrova_add_messages: zetlint cannot tell the OUTPUT of ${source}")
  endif()
  file(STRINGS ${depfile} lines LIMIT_COUNT 1)
  file(REMOVE ${depfile})
  list(GET lines 0 line)
  string(REGEX REPLACE ": \\\\$" "" line "${line}")
  string(REGEX REPLACE "\\\\([ #\\\\])" "\\1" line "${line}")
  string(REPLACE "$$" "$" line "${line}")
  set(${result} ${line} PARENT_SCOPE)
endfunction()

function(zetrova_add_messages name)
  cmake_parse_arguments(PARSE_ARGV 1 Z "" "SOURCE;WORKING_DIRECTORY;OUTPUT" "")
  if(NOT Z_SOURCE)
    message(FATAL_ERROR "zetrova_add_messages(${name}): SOURCE is required")
  endif()
  get_filename_component(source ${Z_SOURCE} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  if(Z_WORKING_DIRECTORY)
    get_filename_component(folder ${Z_WORKING_DIRECTORY} ABSOLUTE
                           BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  else()
    get_filename_component(folder ${source} DIRECTORY)
  endif()
  _zetrova_program(ZETROVA_ZETLINT zetlint)
  _zetrova_program(ZETROVA_ZETCOMP zetcomp)
  if(Z_OUTPUT)
    get_filename_component(output ${Z_OUTPUT} ABSOLUTE BASE_DIR ${folder})
  elseif(TARGET zetlint AND ZETROVA_ZETLINT STREQUAL "$<TARGET_FILE:zetlint>")
    message(FATAL_ERROR "zetrova_add_messages(${name}): give OUTPUT, zetlint is not built yet")
  else()
    _zetrova_output_of(${source} ${folder} ${ZETROVA_ZETLINT} output)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
  endif()
  set(depfile ${CMAKE_CURRENT_BINARY_DIR}/${name}.zts.d)
  set(programs)
  foreach(program zetlint zetcomp)
    if(TARGET ${program})
      list(APPEND programs ${program})
    endif()
  endforeach()
  set(forget)
  if(CMAKE_GENERATOR MATCHES "Makefiles")
    # CMake's Makefile generator adds each depfile to the dependencies it
    # keeps and never drops one, so a bitmap the source no longer names
    # would, once removed, have the file compiled at every build. Its list
    # removed, it reads the depfile afresh.
    set(forget COMMAND ${CMAKE_COMMAND} -E rm -f
        ${CMAKE_CURRENT_BINARY_DIR}/CMakeFiles/${name}.dir/compiler_depend.internal)
  endif()
  add_custom_command(OUTPUT ${output}
    COMMAND ${ZETROVA_ZETLINT} -MD -MF ${depfile} -MT ${output} ${source}
    COMMAND ${ZETROVA_ZETCOMP} ${source}
    ${forget}
    DEPENDS ${source} ${programs}
    DEPFILE ${depfile}
    WORKING_DIRECTORY ${folder}
    COMMENT "Compiling messages ${name}"
    VERBATIM)
  add_custom_target(${name} ALL DEPENDS ${output})
  set_target_properties(${name} PROPERTIES ZETROVA_OUTPUT ${output})
endfunction()

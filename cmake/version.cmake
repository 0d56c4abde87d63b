# Writes version.h into the build tree from ZETCOMP_VERSION and ZETVIEW_VERSION:
# the numbers as a version block's fixed part and its strings write them.
function(zet_version_parts prefix version)
  string(REPLACE "." ";" parts "${version}")
  list(GET parts 0 a)
  list(GET parts 1 b)
  list(GET parts 2 c)
  list(GET parts 3 d)
  set(${prefix}_VERSION_COMMAS "${a}, ${b}, ${c}, ${d}" PARENT_SCOPE)
  set(${prefix}_VERSION_BLOCK "${a}, ${b}, ${c}, ${d}" PARENT_SCOPE)
  math(EXPR ms "(${a} << 16) | ${b}" OUTPUT_FORMAT HEXADECIMAL)
  math(EXPR ls "(${c} << 16) | ${d}" OUTPUT_FORMAT HEXADECIMAL)
  set(${prefix}_VERSION_MS ${ms} PARENT_SCOPE)
  set(${prefix}_VERSION_LS ${ls} PARENT_SCOPE)
endfunction()

zet_version_parts(ZETCOMP ${ZETCOMP_VERSION})
zet_version_parts(ZETVIEW ${ZETVIEW_VERSION})
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in ${PROJECT_BINARY_DIR}/version.h @ONLY)
# version.h is included as a top-level name by the scripts and tests.
include_directories(${PROJECT_BINARY_DIR} ${PROJECT_SOURCE_DIR})

# cmake -DSOURCE=<extension folder> -DSTAGE=<copy> -DNPM=<npm> -P stage.cmake
#
# Makes STAGE a copy of the extension's sources (a file taken out of the
# sources goes from the copy too), then installs the dev dependencies unless
# node_modules was installed from this very lock file.
# CMake's * takes names that start with a dot too, never . and ..
file(GLOB old LIST_DIRECTORIES true "${STAGE}/*")
list(FILTER old EXCLUDE REGEX "/node_modules$")
if(old)
  file(REMOVE_RECURSE ${old})
endif()
file(COPY "${SOURCE}/" DESTINATION "${STAGE}"
  PATTERN node_modules EXCLUDE
  PATTERN "*.vsix" EXCLUDE
  PATTERN CMakeLists.txt EXCLUDE
  PATTERN "*.cmake" EXCLUDE)

# npm ci empties node_modules first, so the stamp inside goes with it.
set(stamp "${STAGE}/node_modules/.zet-installed-lock.json")
set(installed "")
if(EXISTS "${stamp}")
  file(SHA256 "${stamp}" installed)
endif()
file(SHA256 "${STAGE}/package-lock.json" wanted)
if(NOT installed STREQUAL wanted)
  execute_process(COMMAND ${NPM} ci --prefer-offline --no-audit --no-fund
    WORKING_DIRECTORY "${STAGE}" RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "npm ci failed in ${STAGE}: ${status}")
  endif()
  file(COPY_FILE "${STAGE}/package-lock.json" "${stamp}")
endif()

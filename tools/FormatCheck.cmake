# Lists the project's own C++ files that clang-format, with the checked-in
# .clang-format, would change, and fails when there are any. Run through the
# format-check target:
#   cmake -DCLANG_FORMAT=<program> -DSOURCE_DIR=<tree> -P tools/FormatCheck.cmake
# The files are looked up here, when the check runs, and never build anything.
if(NOT CLANG_FORMAT)
  message(FATAL_ERROR "format-check: clang-format not found (apt-get install clang-format)")
endif()

set(files)
foreach(dir IN ITEMS src tests bench tools fuzz)
  file(GLOB_RECURSE found LIST_DIRECTORIES false RELATIVE "${SOURCE_DIR}"
       "${SOURCE_DIR}/${dir}/*.h" "${SOURCE_DIR}/${dir}/*.cpp")
  list(APPEND files ${found})
endforeach()
# tests/files holds inputs of tests, kept byte for byte as the tests need them.
list(FILTER files EXCLUDE REGEX "^tests/files/")
list(SORT files)
list(LENGTH files checked)

execute_process(COMMAND "${CLANG_FORMAT}" --dry-run --Werror --style=file ${files}
  WORKING_DIRECTORY "${SOURCE_DIR}"
  RESULT_VARIABLE result ERROR_VARIABLE report OUTPUT_QUIET)

# Every place that differs is reported as "<file>:<line>:<column>: error: ...";
# one line per file is enough to know what to run clang-format on.
string(REGEX MATCHALL "[^\n]+:[0-9]+:[0-9]+: error:" places "${report}")
set(differ)
foreach(place IN LISTS places)
  string(REGEX REPLACE ":[0-9]+:[0-9]+: error:$" "" file "${place}")
  list(APPEND differ "${file}")
endforeach()
list(REMOVE_DUPLICATES differ)
list(LENGTH differ count)

if(count GREATER 0)
  list(JOIN differ "\n  " shown)
  message(FATAL_ERROR "format-check: ${count} of ${checked} files differ from .clang-format:\n  ${shown}")
elseif(NOT result EQUAL 0)
  message(FATAL_ERROR "format-check: clang-format failed:\n${report}")
endif()
message(STATUS "format-check: all ${checked} files match .clang-format")

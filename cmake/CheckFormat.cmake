# Fails when a source file drifts from .clang-format. Run as
#   cmake -DSOURCE_DIR=<repository> -DCLANG_FORMAT=<clang-format> -P CheckFormat.cmake
# Fix a drift with: clang-format -i <file>
if(NOT SOURCE_DIR OR NOT CLANG_FORMAT)
  message(FATAL_ERROR "CheckFormat.cmake needs -DSOURCE_DIR and -DCLANG_FORMAT")
endif()
set(_files "")
foreach(_dir src tests bench fuzz)
  file(GLOB_RECURSE _found "${SOURCE_DIR}/${_dir}/*.h" "${SOURCE_DIR}/${_dir}/*.cpp")
  list(APPEND _files ${_found})
endforeach()
execute_process(
  COMMAND "${CLANG_FORMAT}" --dry-run --Werror --style=file ${_files}
  WORKING_DIRECTORY "${SOURCE_DIR}"
  RESULT_VARIABLE _result
  ERROR_VARIABLE _drift)
if(NOT _result EQUAL 0)
  message(FATAL_ERROR "Sources drift from .clang-format (clang-format -i fixes them):\n${_drift}")
endif()
list(LENGTH _files _count)
message(STATUS "${_count} files follow .clang-format")

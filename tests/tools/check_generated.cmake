# Runs a generator into a fresh folder and demands that its output equals the committed files:
# the same file names (matching PATTERN) and the same bytes.
#   cmake -DGENERATOR=<program> [-DGENERATOR_SCRIPT=<script>] -DOUTPUT_DIR=<folder>
#         -DREFERENCE_DIR=<folder> -DPATTERN=<glob> -P check_generated.cmake
foreach(required GENERATOR OUTPUT_DIR REFERENCE_DIR PATTERN)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "check_generated: ${required} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE ${OUTPUT_DIR})
execute_process(COMMAND ${GENERATOR} ${GENERATOR_SCRIPT} ${OUTPUT_DIR} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the generator failed: ${result}")
endif()

file(GLOB generated RELATIVE ${OUTPUT_DIR} ${OUTPUT_DIR}/${PATTERN})
file(GLOB committed RELATIVE ${REFERENCE_DIR} ${REFERENCE_DIR}/${PATTERN})
list(SORT generated)
list(SORT committed)
if(NOT generated STREQUAL committed)
  message(FATAL_ERROR "file names differ.\n generated: ${generated}\n committed: ${committed}")
endif()
list(LENGTH generated count)
if(count EQUAL 0)
  message(FATAL_ERROR "no files matching ${PATTERN} were generated")
endif()

set(differing "")
foreach(name IN LISTS generated)
  file(SHA256 ${OUTPUT_DIR}/${name} fresh)
  file(SHA256 ${REFERENCE_DIR}/${name} stored)
  if(NOT fresh STREQUAL stored)
    list(APPEND differing ${name})
  endif()
endforeach()
if(differing)
  message(FATAL_ERROR "the committed files are not the generator's output: ${differing}\n"
                      "Regenerate them (see tools/CMakeLists.txt) and commit the result.")
endif()
message(STATUS "${count} files equal the generator's output")

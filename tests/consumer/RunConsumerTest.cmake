# Installs the build in BINARY_DIR into a prefix under WORK_DIR, builds the
# consumer project against it and runs the result.
#   cmake -DSOURCE_DIR=... -DBINARY_DIR=... -DWORK_DIR=... [-DCMAKE_CXX_COMPILER=...] -P RunConsumerTest.cmake

foreach(var SOURCE_DIR BINARY_DIR WORK_DIR)
  if(NOT ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()

set(prefix ${WORK_DIR}/prefix)
set(build ${WORK_DIR}/build)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${what} failed (${rc}):\n${out}\n${err}")
  endif()
  message(STATUS "${what}: ok")
  set(last_output "${out}" PARENT_SCOPE)
endfunction()

run("install" ${CMAKE_COMMAND} --install ${BINARY_DIR} --prefix ${prefix})
if(NOT EXISTS ${prefix}/include/eventconfig/EventConfig.h)
  message(FATAL_ERROR "the umbrella header was not installed")
endif()

set(compiler_arg)
if(CMAKE_CXX_COMPILER)
  set(compiler_arg -DCMAKE_CXX_COMPILER=${CMAKE_CXX_COMPILER})
endif()
run("configure" ${CMAKE_COMMAND} -S ${SOURCE_DIR}/tests/consumer -B ${build}
    -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_BUILD_TYPE=Release ${compiler_arg})
run("build" ${CMAKE_COMMAND} --build ${build})
run("run" ${build}/host ${WORK_DIR}/EventConfig.xml)
message(STATUS "${last_output}")

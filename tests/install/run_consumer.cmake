# Installs the built project into a scratch prefix, then configures, builds and runs a small program
# that uses it only through find_package(nox).
set(prefix "${BINARY_DIR}/install-test/prefix")
set(consumer_build "${BINARY_DIR}/install-test/consumer")
file(REMOVE_RECURSE "${BINARY_DIR}/install-test")

execute_process(COMMAND ${CMAKE_COMMAND} --install "${BINARY_DIR}" --prefix "${prefix}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "install failed (${rc})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -S "${CONSUMER_DIR}" -B "${consumer_build}" -G "${GENERATOR}"
                        -DCMAKE_CXX_COMPILER=${CXX} -DCMAKE_PREFIX_PATH=${prefix} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "configuring the consumer failed (${rc})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build "${consumer_build}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "building the consumer failed (${rc})")
endif()
execute_process(COMMAND "${consumer_build}/nox_consumer" "${consumer_build}/consumer.png" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the consumer program failed (${rc})")
endif()

# Builds a probe that includes its own floor's header, which must build, and
# one that reaches a floor up, which must fail for want of that header.
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD} --target ${OWN} RESULT_VARIABLE own_status
                OUTPUT_VARIABLE own_output ERROR_VARIABLE own_output)
if(NOT own_status EQUAL 0)
  message(FATAL_ERROR "${OWN} should build:\n${own_output}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD} --target ${ABOVE} RESULT_VARIABLE above_status
                OUTPUT_VARIABLE above_output ERROR_VARIABLE above_output)
string(FIND "${above_output}" "${HEADER}: No such file or directory" missing)
if(above_status EQUAL 0 OR missing EQUAL -1)
  message(FATAL_ERROR "${ABOVE} includes ${HEADER}, a floor up, and should fail to find it:\n${above_output}")
endif()

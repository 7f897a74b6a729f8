# Runs systemd-analyze verify on the unit with ExecStart pointing at SERVER.
file(READ ${UNIT} text)
string(REPLACE "/usr/local/bin/quenlow-server" "${SERVER}" text "${text}")
file(MAKE_DIRECTORY ${WORK})
file(WRITE ${WORK}/quenlow-server.service "${text}")
execute_process(COMMAND ${ANALYZE} verify ${WORK}/quenlow-server.service
  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT result EQUAL 0 OR NOT "${err}${out}" STREQUAL "")
  message(FATAL_ERROR "systemd-analyze verify failed (${result}):\n${out}${err}")
endif()

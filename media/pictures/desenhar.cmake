# Runs the picture generator at build time. Should the generator itself fail
# (it reports pictures it cannot draw and goes on), the failure is shown as a
# warning and the build carries on: missing media must not stop the program.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
          ${GERADOR} ${LISTA} ${PROGRAMA} ${MARCA}
  RESULT_VARIABLE resultado)
if(NOT resultado EQUAL 0)
  message(WARNING "pictures: the generator ended with '${resultado}'; some pictures may be missing")
  file(WRITE ${MARCA} "generator failed: ${resultado}\n")
endif()

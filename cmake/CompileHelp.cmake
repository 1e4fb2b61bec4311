# Compiles the help project SOURCE/Help.hhp with COMPILER in the folder WORK and copies the
# result to OUTPUT. Run as cmake -P. The compilers write beside the project and hhc reports
# success with exit status 1, so the new file, not the status, tells whether it worked.
file(REMOVE_RECURSE ${WORK})
file(COPY ${SOURCE}/ DESTINATION ${WORK})
execute_process(COMMAND ${COMPILER} Help.hhp WORKING_DIRECTORY ${WORK}
  OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT EXISTS ${WORK}/Help.chm)
  message(FATAL_ERROR "${COMPILER} made no Help.chm from ${SOURCE}/Help.hhp:\n${output}")
endif()
file(COPY_FILE ${WORK}/Help.chm ${OUTPUT})

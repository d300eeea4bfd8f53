# What the drivers of the consumer projects share.

# run(<command>...): runs the command, its output in run_output; stops unless it succeeds.
function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output
                    ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "failed (${result}): ${ARGN}\n${output}")
    endif()
    set(run_output "${output}" PARENT_SCOPE)
endfunction()

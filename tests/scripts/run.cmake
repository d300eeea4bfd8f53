# Runs scripts/run-editor.sh against the suite's build folder, without a display, with
# stand-ins for cmake and dpkg-query first on the PATH that write down how they are called:
# the build runs as many jobs as CMAKE_BUILD_PARALLEL_LEVEL says, or as the machine has
# cores when it is not set; the editor then refuses in one line, exit status 2, saying how
# to run it under xvfb-run.
# Variables: PIXMINT_BUILD_DIR, PIXMINT_SOURCE_DIR, WORK_DIR.
set(stubs "${WORK_DIR}/bin")
set(calls "${WORK_DIR}/calls")
file(REMOVE_RECURSE "${WORK_DIR}")
file(WRITE "${stubs}/cmake"
     "#!/bin/sh\necho \"jobs=\${CMAKE_BUILD_PARALLEL_LEVEL-unset} $*\" >> \"${calls}\"\n")
file(WRITE "${stubs}/dpkg-query" "#!/bin/sh\necho 'install ok installed'\n")
file(CHMOD "${stubs}/cmake" "${stubs}/dpkg-query" PERMISSIONS OWNER_READ OWNER_EXECUTE)
execute_process(COMMAND nproc OUTPUT_VARIABLE cores OUTPUT_STRIP_TRAILING_WHITESPACE)

foreach(level 3 "")
    set(variables --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
        "PATH=${stubs}:$ENV{PATH}" "PIXMINT_BUILD_DIR=${PIXMINT_BUILD_DIR}"
        "XDG_RUNTIME_DIR=${WORK_DIR}")
    set(expected "${level}")
    if(level STREQUAL "")
        list(PREPEND variables --unset=CMAKE_BUILD_PARALLEL_LEVEL)
        set(expected "${cores}")
    else()
        list(APPEND variables "CMAKE_BUILD_PARALLEL_LEVEL=${level}")
    endif()
    file(REMOVE "${calls}")
    execute_process(COMMAND ${CMAKE_COMMAND} -E env ${variables}
                            bash "${PIXMINT_SOURCE_DIR}/scripts/run-editor.sh" font.xml
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE error)
    if(NOT result EQUAL 2 OR NOT output STREQUAL "" OR
       NOT error MATCHES "^pixmint: no display [^\n]* xvfb-run -a pixmint [^\n]*\n$")
        message(FATAL_ERROR "run-editor.sh without a display (exit ${result}):\n${output}${error}")
    endif()
    # The jobs of the build: those of --parallel, else those of the variable.
    file(STRINGS "${calls}" build REGEX " --build ")
    set(jobs "")
    if(build MATCHES "--parallel( ([0-9]+))?")
        set(jobs "${CMAKE_MATCH_2}")
    elseif(build MATCHES "^jobs=([^ ]+) ")
        set(jobs "${CMAKE_MATCH_1}")
    endif()
    if(NOT jobs STREQUAL expected)
        message(FATAL_ERROR "the build runs \"${jobs}\" jobs, not ${expected}:\n${build}")
    endif()
endforeach()

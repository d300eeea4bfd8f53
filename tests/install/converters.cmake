# A build folder in which only pixmint-export was built, as `cmake --build --target
# pixmint-export` leaves it (the converter is taken from the suite's build rather than
# compiled again), installs with a plain `cmake --install`: the converter and the CMake
# package, and nothing of the programs that were not built; cpack makes no package of it, and
# pixmint-tools alone once the other command-line programs are there. A project then finds
# the package and compiles a font through it.
# Variables: PIXMINT_BUILD_DIR, PIXMINT_SOURCE_DIR, WORK_DIR.
include("${CMAKE_CURRENT_LIST_DIR}/../consumer/common.cmake")

set(build "${WORK_DIR}/build")
set(prefix "${WORK_DIR}/prefix")
file(REMOVE_RECURSE "${WORK_DIR}")
run(${CMAKE_COMMAND} -S "${PIXMINT_SOURCE_DIR}" -B "${build}" -G Ninja -DBUILD_TESTING=OFF)
file(COPY "${PIXMINT_BUILD_DIR}/bin/pixmint-export" DESTINATION "${build}/bin")
run(${CMAKE_COMMAND} --install "${build}" --prefix "${prefix}")
foreach(file bin/pixmint bin/pixmint-import bin/pixmint-font share/applications/pixmint.desktop
        share/man/man1/pixmint-font.1.gz share/bash-completion/completions/pixmint-font)
    if(EXISTS "${prefix}/${file}")
        message(FATAL_ERROR "installed, though not built: ${file}")
    endif()
endforeach()
if(NOT EXISTS "${prefix}/share/bash-completion/completions/pixmint-export")
    message(FATAL_ERROR "the completion of pixmint-export is not installed")
endif()
# Nor does it make a package: pixmint-tools holds all three command-line programs. With them
# and without the editor, it makes pixmint-tools alone.
function(packages expected_failure expected_output)
    file(REMOVE_RECURSE "${WORK_DIR}/packages")
    execute_process(COMMAND ${CMAKE_CPACK_COMMAND} -G DEB --config "${build}/CPackConfig.cmake"
                    -B "${WORK_DIR}/packages" RESULT_VARIABLE result OUTPUT_VARIABLE output
                    ERROR_VARIABLE output)
    file(GLOB made RELATIVE "${WORK_DIR}/packages" "${WORK_DIR}/packages/*.deb")
    set(failure OFF)
    if(NOT result EQUAL 0)
        set(failure ON)
    endif()
    if(NOT failure STREQUAL expected_failure OR (failure AND made)
       OR NOT output MATCHES "${expected_output}")
        message(FATAL_ERROR "cpack (${result}) made ${made}:\n${output}")
    endif()
    set(made "${made}" PARENT_SCOPE)
endfunction()
packages(ON "pixmint-tools would lack pixmint-import,")
file(COPY "${PIXMINT_BUILD_DIR}/bin/pixmint-import" "${PIXMINT_BUILD_DIR}/bin/pixmint-font"
     DESTINATION "${build}/bin")
packages(OFF "")
if(NOT made MATCHES "^pixmint-tools_[^;]*[.]deb$")
    message(FATAL_ERROR "a build without the editor made ${made}, not pixmint-tools alone")
endif()

include("${CMAKE_CURRENT_LIST_DIR}/project.cmake")
firmware_from("${prefix}" "${WORK_DIR}/project" pixmint pixmint-import pixmint-font)

# A build folder in which only pixmint-export was built, as `cmake --build --target
# pixmint-export` leaves it (the converter is taken from the suite's build rather than
# compiled again), installs with a plain `cmake --install`: the converter and the CMake
# package, and nothing of the programs that were not built. A project then finds the package
# and compiles a font through it.
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
# Nor does it make a package named after all the programs.
execute_process(COMMAND ${CMAKE_COMMAND} -E chdir "${build}" ${CMAKE_CPACK_COMMAND} -G DEB
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
file(GLOB packages "${build}/*.deb")
if(result EQUAL 0 OR packages OR NOT output MATCHES "package would lack pixmint,")
    message(FATAL_ERROR "cpack made a package of pixmint-export alone (${result}):\n${output}")
endif()

set(project "${WORK_DIR}/project")
file(WRITE "${project}/CMakeLists.txt" "cmake_minimum_required(VERSION 3.25)
project(ConvertersOnly LANGUAGES C)
find_package(Pixmint 1 REQUIRED)
foreach(program pixmint pixmint-import pixmint-font)
    if(TARGET Pixmint::\${program})
        message(FATAL_ERROR \"Pixmint::\${program} is imported, though not installed\")
    endif()
endforeach()
add_executable(firmware main.c)
pixmint_add_font(firmware font.xml NAME font CONST CHECK)\n")
file(WRITE "${project}/main.c" "extern const unsigned char font[][5];
int main(void) { return font[0][0] == 0x7e ? 0 : 1; }\n")
file(WRITE "${project}/font.xml" "<CharSet><FontChar Char=\"C27  A\"><Byte Index=\"0\">7e</Byte>"
                                 "</FontChar></CharSet>\n")
run(${CMAKE_COMMAND} -S "${project}" -B "${project}/build" -G Ninja
    "-DCMAKE_PREFIX_PATH=${prefix}")
run(${CMAKE_COMMAND} --build "${project}/build")
run("${project}/build/firmware")

# firmware_from(<prefix> <folder> <program>...): builds a firmware project in <folder> that
# compiles a font through find_package(Pixmint) from <prefix>, and runs it; the package must
# come from <prefix> and import none of the programs named, which are not installed there.
function(firmware_from prefix folder)
    file(WRITE "${folder}/CMakeLists.txt" "cmake_minimum_required(VERSION 3.25)
project(Firmware LANGUAGES C)
find_package(Pixmint 1 REQUIRED)
if(NOT Pixmint_DIR MATCHES \"^${prefix}/\")
    message(FATAL_ERROR \"Pixmint found in \${Pixmint_DIR}\")
endif()
foreach(program ${ARGN})
    if(TARGET Pixmint::\${program})
        message(FATAL_ERROR \"Pixmint::\${program} is imported, though not installed\")
    endif()
endforeach()
add_executable(firmware main.c)
pixmint_add_font(firmware font.xml NAME font CONST CHECK)\n")
    file(WRITE "${folder}/main.c" "extern const unsigned char font[][5];
int main(void) { return font[0][0] == 0x7e ? 0 : 1; }\n")
    file(WRITE "${folder}/font.xml" "<CharSet><FontChar Char=\"C27  A\"><Byte Index=\"0\">7e"
                                    "</Byte></FontChar></CharSet>\n")
    foreach(command "${CMAKE_COMMAND};-S;${folder};-B;${folder}/build;-G;Ninja;-DCMAKE_PREFIX_PATH=${prefix}"
            "${CMAKE_COMMAND};--build;${folder}/build" "${folder}/build/firmware")
        execute_process(COMMAND ${command} RESULT_VARIABLE result OUTPUT_VARIABLE output
                        ERROR_VARIABLE output)
        if(NOT result EQUAL 0)
            message(FATAL_ERROR "failed (${result}): ${command}\n${output}")
        endif()
    endforeach()
endfunction()

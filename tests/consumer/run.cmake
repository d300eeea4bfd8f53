# Installs Pixmint into a fresh prefix, builds the consumer project against it, runs it, then
# changes the font file and checks that the next build exports and compiles it again.
# Variables: PIXMINT_BUILD_DIR, SOURCE_DIR, WORK_DIR, GENERATOR.

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output
                    ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "failed (${result}): ${ARGN}\n${output}")
    endif()
endfunction()

function(expect_output expected)
    execute_process(COMMAND "${WORK_DIR}/build/consumer" RESULT_VARIABLE result
                    OUTPUT_VARIABLE output)
    if(NOT result EQUAL 0 OR NOT output STREQUAL expected)
        message(FATAL_ERROR "the consumer printed (exit ${result}):\n${output}\nexpected:\n${expected}")
    endif()
endfunction()

function(write_font middle_byte)
    file(WRITE "${WORK_DIR}/font.xml"
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<CharSet>\n"
        "<FontChar Char=\"C27  A\"><Byte Index=\"0\">7e</Byte><Byte Index=\"1\">9</Byte>"
        "<Byte Index=\"2\">${middle_byte}</Byte><Byte Index=\"3\">9</Byte>"
        "<Byte Index=\"4\">7e</Byte></FontChar>\n"
        "<FontChar Char=\"C53  0\"><Byte Index=\"0\">3e</Byte><Byte Index=\"4\">3e</Byte></FontChar>\n"
        "<FontChar Char=\"C81  &#xB2; */\"><Byte Index=\"2\">ff</Byte></FontChar>\n"
        "</CharSet>\n")
endfunction()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
run(${CMAKE_COMMAND} --install "${PIXMINT_BUILD_DIR}" --prefix "${WORK_DIR}/prefix")
foreach(installed bin/pixmint bin/pixmint-export bin/pixmint-import
        share/applications/pixmint.desktop
        share/icons/hicolor/48x48/apps/pixmint.png share/icons/hicolor/scalable/apps/pixmint.svg)
    if(NOT EXISTS "${WORK_DIR}/prefix/${installed}")
        message(FATAL_ERROR "not installed: ${installed}")
    endif()
endforeach()

write_font(9)
run(${CMAKE_COMMAND} -S "${SOURCE_DIR}" -B "${WORK_DIR}/build" -G "${GENERATOR}"
    "-DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix" "-DFONT_FILE=${WORK_DIR}/font.xml" -DGLYPH_COUNT=3)
run(${CMAKE_COMMAND} --build "${WORK_DIR}/build")
expect_output("7e0909097e\n3e0000003e\n0000ff0000\n")

# Nothing but the font changes; a later modification time even on coarse file systems.
execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 1.1)
write_font(7f)
run(${CMAKE_COMMAND} --build "${WORK_DIR}/build")
expect_output("7e097f097e\n3e0000003e\n0000ff0000\n")

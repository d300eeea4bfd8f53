# Installs Pixmint into a fresh prefix, builds the consumer project against it in folders
# whose paths hold spaces and quotes, runs it, then changes one font file and checks that the
# next build exports and compiles that font again and nothing else. Last, two fonts under one
# name must stop the configuration.
# Variables: PIXMINT_BUILD_DIR, SOURCE_DIR, WORK_DIR, GENERATOR, LANGUAGE.

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output
                    ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "failed (${result}): ${ARGN}\n${output}")
    endif()
endfunction()

function(expect_output expected)
    execute_process(COMMAND "${build}/consumer" RESULT_VARIABLE result OUTPUT_VARIABLE output)
    if(NOT result EQUAL 0 OR NOT output STREQUAL expected)
        message(FATAL_ERROR "the consumer printed (exit ${result}):\n${output}\nexpected:\n${expected}")
    endif()
endfunction()

function(write_font middle_byte)
    file(WRITE "${fonts}/font.xml"
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<CharSet>\n"
        "<FontChar Char=\"C27  A\"><Byte Index=\"0\">7e</Byte><Byte Index=\"1\">9</Byte>"
        "<Byte Index=\"2\">${middle_byte}</Byte><Byte Index=\"3\">9</Byte>"
        "<Byte Index=\"4\">7e</Byte></FontChar>\n"
        "<FontChar Char=\"C53  0\"><Byte Index=\"0\">3e</Byte><Byte Index=\"4\">3e</Byte></FontChar>\n"
        "<FontChar Char=\"C81  &#xB2; */\"><Byte Index=\"2\">ff</Byte></FontChar>\n"
        "</CharSet>\n")
endfunction()

set(fonts "${WORK_DIR}/fonts with spaces & 'quotes'")
set(build "${WORK_DIR}/build (here)")
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${fonts}")
run(${CMAKE_COMMAND} --install "${PIXMINT_BUILD_DIR}" --prefix "${WORK_DIR}/prefix")
foreach(installed bin/pixmint bin/pixmint-export bin/pixmint-import
        share/applications/pixmint.desktop
        share/icons/hicolor/48x48/apps/pixmint.png share/icons/hicolor/scalable/apps/pixmint.svg)
    if(NOT EXISTS "${WORK_DIR}/prefix/${installed}")
        message(FATAL_ERROR "not installed: ${installed}")
    endif()
endforeach()

write_font(9)
file(WRITE "${fonts}/small font.xml"
    "<CharSet><FontChar Char=\"C00  a\"><Byte Index=\"0\">ff</Byte></FontChar>"
    "<FontChar Char=\"C27  A\"><Byte Index=\"0\">7e</Byte><Byte Index=\"1\">9</Byte>"
    "<Byte Index=\"2\">9</Byte><Byte Index=\"3\">9</Byte><Byte Index=\"4\">7e</Byte></FontChar>"
    "</CharSet>\n")
set(configure ${CMAKE_COMMAND} -S "${SOURCE_DIR}" -G "${GENERATOR}" -DLANGUAGE=${LANGUAGE}
    "-DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix" "-DFONT_FILE=${fonts}/font.xml"
    "-DSECOND_FONT_FILE=${fonts}/small font.xml" -DGLYPH_COUNT=3)
run(${configure} -B "${build}")
run(${CMAKE_COMMAND} --build "${build}" --parallel 1)
set(small "2 glyphs of 8 bytes, A is 1, q is none\n0e11111f11111100\n")
expect_output("7e0909097e\n3e0000003e\n0000ff0000\n${small}")

# Nothing but one font changes; a later modification time even on coarse file systems.
set(unchanged "${build}/fonts/pixmint_fonts/consumer/small_font.c" "${build}/CMakeFiles/consumer.dir/main.c.o")
if(LANGUAGE STREQUAL "CXX")
    list(TRANSFORM unchanged REPLACE "small_font\\.c$" "small_font.cpp")
endif()
foreach(file IN LISTS unchanged)
    file(TIMESTAMP "${file}" before_${file} "%s")
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 1.1)
write_font(7f)
run(${CMAKE_COMMAND} --build "${build}" --parallel 1)
expect_output("7e097f097e\n3e0000003e\n0000ff0000\n${small}")
foreach(file IN LISTS unchanged)
    file(TIMESTAMP "${file}" after "%s")
    if(NOT after STREQUAL before_${file} OR after STREQUAL "")
        message(FATAL_ERROR "rebuilt although its font did not change: ${file}")
    endif()
endforeach()

execute_process(COMMAND ${configure} -B "${WORK_DIR}/same name" -DSAME_NAME_TWICE=ON
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(result EQUAL 0 OR NOT output MATCHES "give each font of one target its own NAME")
    message(FATAL_ERROR "two fonts under one name were not refused:\n${output}")
endif()

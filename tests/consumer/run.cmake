# Installs Pixmint into a fresh prefix, builds the consumer project against it in folders
# whose paths hold spaces and quotes, and runs it. Then it changes one font file and checks
# that the next build exports and compiles that font again and nothing else; changes a glyph
# of the font with a header and checks that its source is compiled again but not what
# includes the header, which keeps its bytes; and that a build after that does nothing.
# Last, two fonts under one name must stop the configuration.
# Variables: PIXMINT_BUILD_DIR, SOURCE_DIR, WORK_DIR, GENERATOR, LANGUAGE.
include("${CMAKE_CURRENT_LIST_DIR}/common.cmake")

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

function(write_small_font middle_byte)
    file(WRITE "${fonts}/small font.xml"
        "<CharSet><FontChar Char=\"C00  a\"><Byte Index=\"0\">ff</Byte></FontChar>"
        "<FontChar Char=\"C27  A\"><Byte Index=\"0\">7e</Byte><Byte Index=\"1\">9</Byte>"
        "<Byte Index=\"2\">${middle_byte}</Byte><Byte Index=\"3\">9</Byte>"
        "<Byte Index=\"4\">7e</Byte></FontChar></CharSet>\n")
endfunction()

# record_times(<file>...), then check_times(<message> <TRUE if changed, else FALSE> <file>...):
# whether each file's time changed in between.
function(record_times)
    foreach(file IN LISTS ARGN)
        file(TIMESTAMP "${file}" time "%s")
        set(before_${file} "${time}" PARENT_SCOPE)
    endforeach()
endfunction()
function(check_times message changed)
    foreach(file IN LISTS ARGN)
        file(TIMESTAMP "${file}" after "%s")
        set(now_changed TRUE)
        if(after STREQUAL before_${file})
            set(now_changed FALSE)
        endif()
        if(after STREQUAL "" OR NOT now_changed STREQUAL changed)
            message(FATAL_ERROR "${message}: ${file}")
        endif()
    endforeach()
endfunction()

set(fonts "${WORK_DIR}/fonts with spaces & 'quotes'")
set(build "${WORK_DIR}/build (here)")
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${fonts}")
run(${CMAKE_COMMAND} --install "${PIXMINT_BUILD_DIR}" --prefix "${WORK_DIR}/prefix")
foreach(installed bin/pixmint bin/pixmint-export bin/pixmint-import bin/pixmint-font
        share/applications/pixmint.desktop
        share/icons/hicolor/48x48/apps/pixmint.png share/icons/hicolor/scalable/apps/pixmint.svg)
    if(NOT EXISTS "${WORK_DIR}/prefix/${installed}")
        message(FATAL_ERROR "not installed: ${installed}")
    endif()
endforeach()

write_font(9)
write_small_font(9)
set(configure ${CMAKE_COMMAND} -S "${SOURCE_DIR}" -G "${GENERATOR}" -DLANGUAGE=${LANGUAGE}
    "-DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix" "-DFONT_FILE=${fonts}/font.xml"
    "-DSECOND_FONT_FILE=${fonts}/small font.xml" -DGLYPH_COUNT=3)
run(${configure} -B "${build}")
run(${CMAKE_COMMAND} --build "${build}" --parallel 1)
set(table "codes 64 to 65, 2 rows of 5 bytes\n0000000000\n")
set(small "2 glyphs of 8 bytes, A is 1, q is none\n0e11111f11111100\n${table}7e0909097e\n")
set(small_edited
    "2 glyphs of 8 bytes, A is 1, q is none\n0e15151f15151500\n${table}7e097f097e\n")
expect_output("7e0909097e\n3e0000003e\n0000ff0000\n${small}")

# Nothing but one font changes; a later modification time even on coarse file systems.
set(font_folder "${build}/fonts/pixmint_fonts/consumer")
file(GLOB_RECURSE small_object "${build}/CMakeFiles/consumer.dir/*/small_font.c*.o")
set(main_object "${build}/CMakeFiles/consumer.dir/main.c.o")
set(unchanged "${font_folder}/small_font.c" "${small_object}" "${main_object}")
if(LANGUAGE STREQUAL "CXX")
    list(TRANSFORM unchanged REPLACE "small_font\\.c$" "small_font.cpp")
endif()
record_times(${unchanged})
execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 1.1)
write_font(7f)
run(${CMAKE_COMMAND} --build "${build}" --parallel 1)
expect_output("7e097f097e\n3e0000003e\n0000ff0000\n${small}")
check_times("rebuilt although its font did not change" FALSE ${unchanged})

# A glyph of the fonts with a header: the headers keep their bytes and their times.
set(header "${font_folder}/include/small_font.h" "${font_folder}/include/code_table.h")
record_times(${small_object} ${header} ${main_object})
execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 1.1)
write_small_font(7f)
run(${CMAKE_COMMAND} --build "${build}" --parallel 1)
expect_output("7e097f097e\n3e0000003e\n0000ff0000\n${small_edited}")
check_times("not compiled again after a glyph edit" TRUE ${small_object})
check_times("touched although the header kept its bytes" FALSE ${header} ${main_object})
run(${CMAKE_COMMAND} --build "${build}" --parallel 1)
if(run_output MATCHES "Exporting|Building|Linking")
    message(FATAL_ERROR "a build after the last one did something:\n${run_output}")
endif()

execute_process(COMMAND ${configure} -B "${WORK_DIR}/same name" -DSAME_NAME_TWICE=ON
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(result EQUAL 0 OR NOT output MATCHES "give each font of one target its own NAME")
    message(FATAL_ERROR "two fonts under one name were not refused:\n${output}")
endif()

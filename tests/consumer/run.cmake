# Installs Pixmint into a fresh prefix, builds the consumer project against it in folders
# whose paths hold spaces and quotes (with Makefiles also "|"), from fonts whose names no
# build tool takes (the first one with all such characters and all that the shell reads,
# then one for each) and fonts whose names the shell would expand to the fonts beside them
# (v[1].xml beside v1.xml, each compared with what it exports alone), and runs it. Then it
# changes the first font file and checks that the next build exports and compiles that font
# again and nothing else; changes a glyph of the font with a header and checks that its
# source is compiled again but not what includes the header, which keeps its bytes; and that
# a build after that does nothing. Then a problem in the first font,
# which the project checks, must fail the build naming the font, and two fonts under one name
# must stop the configuration.
# With Makefiles, only the converters and the CMake package are installed, and the project
# sets no policies (no cmake_minimum_required): the package must work alike, without a word.
# Variables: PIXMINT_BUILD_DIR, SOURCE_DIR, WORK_DIR, GENERATOR, LANGUAGE.
include("${CMAKE_CURRENT_LIST_DIR}/common.cmake")

# expect_output(<expected> [<the bitmap of "A" in the GFX font> [<the u8g2 font's header>]])
function(expect_output expected)
    set(programs consumer)
    if(LANGUAGE STREQUAL "CXX" AND ARGC GREATER 1)
        list(APPEND programs gfx_consumer)
        set(expected_gfx_consumer "${ARGV1}")
    endif()
    if(ARGC GREATER 2)
        list(APPEND programs u8g2_consumer)
        set(expected_u8g2_consumer "${ARGV2}")
    endif()
    set(expected_consumer "${expected}")
    foreach(program IN LISTS programs)
        execute_process(COMMAND "${build}/${program}" RESULT_VARIABLE result OUTPUT_VARIABLE output)
        if(NOT result EQUAL 0 OR NOT output STREQUAL expected_${program})
            message(FATAL_ERROR "${program} printed (exit ${result}):\n${output}\n"
                                "expected:\n${expected_${program}}")
        endif()
    endforeach()
endfunction()

# The name that the project gives its first font.
function(write_font middle_byte)
    file(WRITE "${fonts}/font |\t\n\r:;\\$(x)\"!#%&'*,<=>?@[]^`{}~.xml"
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<CharSet>\n"
        "<FontChar Char=\"C27  A\"><Byte Index=\"${index}\">7e</Byte><Byte Index=\"1\">9</Byte>"
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
set(index 0)
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${fonts}")
set(install ${CMAKE_COMMAND} --install "${PIXMINT_BUILD_DIR}" --prefix "${WORK_DIR}/prefix")
if(GENERATOR STREQUAL "Unix Makefiles")
    string(APPEND build " |")
    run(${install} --component converters)
    run(${install} --component development)
    set(installed bin/pixmint-export bin/pixmint-import bin/pixmint-font)
    set(absent bin/pixmint share/applications/pixmint.desktop)
else()
    run(${install})
    set(installed bin/pixmint bin/pixmint-export bin/pixmint-import bin/pixmint-font
        share/applications/pixmint.desktop
        share/icons/hicolor/48x48/apps/pixmint.png share/icons/hicolor/scalable/apps/pixmint.svg)
    set(absent "")
    set(minimum -DMINIMUM_REQUIRED=ON)
endif()
foreach(file IN LISTS installed)
    if(NOT EXISTS "${WORK_DIR}/prefix/${file}")
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()
foreach(file IN LISTS absent)
    if(EXISTS "${WORK_DIR}/prefix/${file}")
        message(FATAL_ERROR "installed, though of no component asked for: ${file}")
    endif()
endforeach()

write_font(9)
write_small_font(9)
foreach(mark "|" "\t" "\n" "\r" ":" ";" "\\" "$(x)")
    file(COPY_FILE "${fonts}/small font.xml" "${fonts}/mark ${mark}.xml")
endforeach()
# Fonts whose names the shell expands to the others: in a folder that CMake need not quote.
set(globs "${WORK_DIR}/globs")
file(MAKE_DIRECTORY "${globs}")
file(COPY_FILE "${SOURCE_DIR}/../data/firmware.xml" "${globs}/v1.xml")
file(COPY_FILE "${SOURCE_DIR}/../data/two-glyphs.xml" "${globs}/v2.xml")
foreach(glob "v[1]" "v?")
    file(COPY_FILE "${fonts}/small font.xml" "${globs}/${glob}.xml")
endforeach()
set(configure ${CMAKE_COMMAND} -S "${SOURCE_DIR}" -G "${GENERATOR}" -DLANGUAGE=${LANGUAGE}
    "-DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix" "-DFONT_FOLDER=${fonts}" "-DGLOB_FOLDER=${globs}"
    "-DSECOND_FONT_FILE=${fonts}/small font.xml" -DGLYPH_COUNT=3 ${minimum})
run(${configure} -B "${build}")
if(run_output MATCHES "CMake (Warning|Error)[^\n]*/Pixmint/")
    message(FATAL_ERROR "the package warns:\n${run_output}")
endif()
run(${CMAKE_COMMAND} --build "${build}" --parallel 1)
set(table "codes 64 to 65, 2 rows of 5 bytes\n0000000000\n")
set(chars "2 characters: A 0, a 1, ; none\n")
set(small
    "2 glyphs of 8 bytes, A is 1, q is none\n0e11111f11111100\n${table}7e0909097e\n${chars}")
set(small_edited
    "2 glyphs of 8 bytes, A is 1, q is none\n0e15151f15151500\n${table}7e097f097e\n${chars}")
# Each character of CHARS reached the converter: those without a glyph are named.
string(CONCAT missing "(0x20, 0x22, 0x24, 0x28 to 0x29, 0x3b, 0x5c, 0x71, 0x78, 0xb0), which "
       "the table char_table leaves out")
string(FIND "${run_output}" "${missing}" at)
if(at EQUAL -1)
    message(FATAL_ERROR "CHARS did not reach the converter as written:\n${run_output}")
endif()
expect_output("7e0909097e\n3e0000003e\n0000ff0000\n${small}" 7463f8c620
              "3 glyphs, 8 high\n")
# Each of those fonts exports in the build as it exports alone.
file(GLOB glob_fonts RELATIVE "${globs}" "${globs}/*")
foreach(font IN LISTS glob_fonts)
    list(FIND glob_fonts "${font}" at)
    file(GLOB source "${build}/pixmint_fonts/consumer/glob_${at}.c*")
    run("${WORK_DIR}/prefix/bin/pixmint-export" "${globs}/${font}" -o "${WORK_DIR}/alone.c"
        --name glob_${at})
    run(${CMAKE_COMMAND} -E compare_files "${source}" "${WORK_DIR}/alone.c")
endforeach()

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
expect_output("7e097f097e\n3e0000003e\n0000ff0000\n${small}" 756bfad6a0)
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

# A problem in the checked font fails the build, naming the font as the converter names files
# and the problem with its line.
set(index 9)
execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 1.1)
write_font(7f)
execute_process(COMMAND ${CMAKE_COMMAND} --build "${build}" --parallel 1
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
string(REGEX REPLACE "[ \n]+" " " output "${output}")
set(font "${fonts}/font |\\t\\n\\r:;\\$(x)\"!#%&'*,<=>?@[]^`{}~.xml")
string(CONCAT expected "the font \"${font}\" does not pass pixmint-export --check (CHECK): "
    "${font}:3: Index 9 is outside 0 to 4")
string(FIND "${output}" "${expected}" at)
if(result EQUAL 0 OR at EQUAL -1)
    message(FATAL_ERROR "a font with a problem, which the project checks, built:\n${output}")
endif()

execute_process(COMMAND ${configure} -B "${WORK_DIR}/same name" -DSAME_NAME_TWICE=ON
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(result EQUAL 0 OR NOT output MATCHES "give each font of one target its own NAME")
    message(FATAL_ERROR "two fonts under one name were not refused:\n${output}")
endif()

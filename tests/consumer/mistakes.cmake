# Configures the project in mistakes/ once for each case, in one build folder: every mistake
# that pixmint_add_font can see must stop the configuration with a message naming the
# argument, and the uses next to them must still configure.
# Variables: PIXMINT_BUILD_DIR, SOURCE_DIR, WORK_DIR.
include("${CMAKE_CURRENT_LIST_DIR}/common.cmake")

file(REMOVE_RECURSE "${WORK_DIR}")
run(${CMAKE_COMMAND} --install "${PIXMINT_BUILD_DIR}" --prefix "${WORK_DIR}/prefix")
set(build "${WORK_DIR}/build")
set(case_dir "${WORK_DIR}/case")

# expect(<message> <calls> [<calls from a subfolder>]): configures with the calls; the message
# is a regular expression that the output must match when the configuration stops, or when
# it succeeds with a warning if it starts with "CMake Warning", or empty when it must succeed
# and pixmint_add_font say nothing.
function(expect message top)
    file(WRITE "${case_dir}/top.cmake" "${top}\n")
    file(WRITE "${case_dir}/CMakeLists.txt" "${ARGV2}\n")
    execute_process(COMMAND ${CMAKE_COMMAND} -S "${SOURCE_DIR}" -B "${build}" -G Ninja
                            "-DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix" "-DCASE_DIR=${case_dir}"
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    # CMake breaks the lines of a message where it likes.
    string(REGEX REPLACE "[ \n]+" " " output "${output}")
    if(message STREQUAL "" AND (NOT result EQUAL 0 OR output MATCHES "pixmint_add_font"))
        message(FATAL_ERROR "refused or warned:\n${top}\n${ARGV2}\n${output}")
    elseif(message MATCHES "^CMake Warning")
        if(NOT result EQUAL 0 OR NOT output MATCHES "${message}")
            message(FATAL_ERROR "expected \"${message}\" for:\n${top}\n${ARGV2}\n${output}")
        endif()
    elseif(NOT message STREQUAL "" AND (result EQUAL 0 OR NOT output MATCHES "${message}"))
        message(FATAL_ERROR "expected \"${message}\" for:\n${top}\n${ARGV2}\n${output}")
    endif()
endfunction()

set(add "pixmint_add_font(a \${font}")
expect("LAYOUT \"row\" is none of columns, columns-msb, rows, rows-msb" "${add} LAYOUT row)")
expect("DISPLAY \"ssd1309\" is none of hd44780, ssd1306, sh1106, ks0108, pcd8544, max7219, st7920"
       "${add} DISPLAY ssd1309)")
expect("GFX makes a header of its own and no C array" "${add} GFX DISPLAY ssd1306)")
expect("" "${add} DISPLAY ssd1306 CONST HEADER)")
expect("the font file \"missing.xml\" does not exist" "pixmint_add_font(a missing.xml)")
expect("the font file \"\\.\" is a folder" "pixmint_add_font(a .)")
# A path is named as the converter names it: its controls as escapes, on one line.
string(ASCII 27 escape)
expect("the font file \"mis\\\\x1bsing\\\\t[.]xml\" does not exist \\([^)]*/mis\\\\x1bsing\\\\t[.]xml\\)"
       "pixmint_add_font(a \"mis${escape}sing\t.xml\")")
expect("give CONST or PROGMEM, not both" "${add} CONST PROGMEM)")
expect("GFX makes a header of its own and no C array" "${add} GFX HEADER)")
expect("U8G2 makes a C source of its own and no C array" "${add} U8G2 CONST)")
expect("a already has a font that defines f_Glyphs" "${add} NAME f GFX)\n${add} NAME f_Glyphs)")
foreach(range 32 32- -1-5 1-2-3 0x-5 32-256 0-0x100 0x0100-0x1FF 100-32 99999999999999999999-1
        " 1-2" 1e2-200)
    expect("RANGE \"${range}\" is not FIRST-LAST" "${add} RANGE \"${range}\")")
endforeach()
# A keyword given twice: the converter refuses an option given twice, so the last does not win.
# A value may equal another keyword's value, and a flag given twice says the same thing.
foreach(arguments "NAME x NAME y" "RANGE 1-2 RANGE 3-4" "LAYOUT rows CONST LAYOUT rows")
    string(REGEX MATCH "^[A-Z]+" twice "${arguments}")
    expect("pixmint_add_font: ${twice} is given twice" "${add} ${arguments})")
endforeach()
expect("" "${add} NAME rows LAYOUT rows HEADER CHECK HEADER)")
expect("tool is imported" "pixmint_add_font(tool \${font})")
expect("interface is a target of type INTERFACE_LIBRARY" "pixmint_add_font(interface \${font})")
# A target name that CMake takes only under old policies names a folder of the build.
expect("the target name \"a[?]b\" holds \"[?]\"" "cmake_policy(SET CMP0037 OLD)
add_executable(\"a?b\" ../main.c)\npixmint_add_font(\"a?b\" \${font})")
# A header guard is an identifier that no other font of the target may define.
foreach(first_second "lcd;PIXMINT_FONT_lcd_H" "PIXMINT_FONT_lcd_H;lcd")
    list(GET first_second 0 first)
    list(GET first_second 1 second)
    expect("a already has a font that defines PIXMINT_FONT_lcd_H"
           "${add} NAME ${first} HEADER)\n${add} NAME ${second} HEADER)")
endforeach()
# A table's bounds are identifiers too, in either order of the calls.
expect("a already has a font that defines lcd_FIRST"
       "${add} NAME lcd RANGE 0-7)\n${add} NAME lcd_FIRST)")
expect("a already has a font that defines lcd_LAST"
       "${add} NAME lcd_LAST)\n${add} NAME lcd RANGE 0-7)")
# So is a subset's look-up; a subset and a range choose the same rows.
expect("a already has a font that defines lcd_row" "${add} NAME lcd CHARS x)\n${add} NAME lcd_row)")
expect("give CHARS or RANGE, not both" "${add} CHARS x RANGE 0-7)")
# A value "" would leave the keyword out; a line break would end the build rule's command.
foreach(keyword NAME CHARS DISPLAY RANGE LAYOUT)
    expect("pixmint_add_font: ${keyword} is empty" "${add} ${keyword} \"\" HEADER)")
endforeach()
foreach(text "a\nb" "a\rb" "\n")
    expect("pixmint_add_font: CHARS holds a line break" "${add} CHARS \"${text}\")")
endforeach()
# A display chooses a range, and with it the table's bounds.
expect("a already has a font that defines lcd_LAST"
       "${add} NAME lcd DISPLAY hd44780)\n${add} NAME lcd_LAST)")
# An alias names its target: the font goes there, and its names count there.
expect("" "pixmint_add_font(Alias::a \${font} NAME x HEADER)")
expect("a already has a font that defines x_map"
       "pixmint_add_font(Alias::a \${font} NAME x)\n${add} NAME x_map)")

# A header beside the target's sources with the generated header's name is what a quoted
# #include finds first: a warning names both; another name beside them is no concern.
file(WRITE "${case_dir}/main.c" "int main(void) { return 0; }\n")
file(WRITE "${case_dir}/lcd.h" "")
set(beside "add_executable(h main.c)\npixmint_add_font(h \${font} NAME")
string(CONCAT shadowed "CMake Warning at [^ ]* \\(message\\): pixmint_add_font: [^ ]*/case/lcd.h "
       "has the name of the header generated for the target h \\([^ ]*/sub/pixmint_fonts/h/"
       "include/lcd.h\\): #include \"lcd.h\" in a source beside it finds "
       "[^ ]*/case/lcd.h instead")
expect("${shadowed}" "" "${beside} lcd HEADER)")
expect("CMake Warning" "" "${beside} lcd GFX)")
expect("" "" "${beside} lcd2 HEADER)")
file(REMOVE "${case_dir}/lcd.h")

# Uses that must keep working: helper targets of fonts added from another folder whose names
# once were the same, a font that the build makes, and the boundaries of RANGE, which reaches
# the converter in decimal.
expect("" "" "${add} NAME b_c)\npixmint_add_font(a_b \${font} NAME c)")
expect("" "add_custom_command(OUTPUT made.xml COMMAND \${CMAKE_COMMAND} -E copy \${font} made.xml)
pixmint_add_font(a \${CMAKE_CURRENT_BINARY_DIR}/made.xml)")
# A backslash is a character of the name, not a separator: the font exists.
file(COPY_FILE "${SOURCE_DIR}/../../data/firmware.xml" "${WORK_DIR}/back\\slash.xml")
expect("" "pixmint_add_font(a \"${WORK_DIR}/back\\\\slash.xml\")")
foreach(range_passed "0-255:0-255" "0x00-0xFF:0-255" "0X10-0x1f:16-31" "010-0010:10-10")
    string(REPLACE ":" ";" range_passed "${range_passed}")
    list(GET range_passed 0 range)
    list(GET range_passed 1 passed)
    expect("" "${add} RANGE ${range})")
    file(READ "${build}/build.ninja" rules)
    if(NOT rules MATCHES " --range ${passed}[ \n]")
        message(FATAL_ERROR "RANGE ${range} does not reach the converter as --range ${passed}")
    endif()
endforeach()

# The package offers what the converter says it takes, asked once a configuration: a converter
# that gains a layout and a format (here a wrapper that adds their lines) has them taken with
# no change to the package (nor does an exclusion of an option without a keyword stop it), and
# one that cannot say stops the configuration in one line.
set(wrapper "${WORK_DIR}/gaining/pixmint-export")
file(WRITE "${wrapper}" [=[#!/bin/sh
if [ "$1" = --vocabulary ]; then
    echo asked >> "$0.asked"
    "REAL" --vocabulary | sed 's/^\(option\tLAYOUT\t.*\)$/\1\twide/'
    printf 'format\tWIDE\t--wide\tinclude/@name@_wide.h\treplaces\ta wide header\n'
    printf 'excludes\t--bin\t--layout\t--bin has no keyword, so LAYOUT alone is never refused\n'
    exit
fi
exec "REAL" "$@"
]=])
file(READ "${wrapper}" text)
string(REPLACE "REAL" "${WORK_DIR}/prefix/bin/pixmint-export" text "${text}")
file(WRITE "${wrapper}" "${text}")
file(CHMOD "${wrapper}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
set(gain "set_target_properties(Pixmint::pixmint-export PROPERTIES IMPORTED_LOCATION \"${wrapper}\")")
expect("" "${gain}\n${add} LAYOUT wide)\n${add} NAME w WIDE RANGE 1-2)")
file(READ "${build}/build.ninja" rules)
if(NOT rules MATCHES "--layout wide" OR NOT rules MATCHES "--wide [^ ]*/w_wide\\.h --name w --range 1-2")
    message(FATAL_ERROR "the converter's new layout and format do not reach its command line")
endif()
file(STRINGS "${wrapper}.asked" asked)
list(LENGTH asked asked)
if(NOT asked EQUAL 1)
    message(FATAL_ERROR "the converter was asked ${asked} times for its vocabulary, not once")
endif()
expect("WIDE makes a wide header of its own and no C array, which LAYOUT, CONST, PROGMEM, ART, CHARS, DISPLAY and HEADER shape"
       "${gain}\n${add} WIDE CONST)")
file(WRITE "${wrapper}" "#!/bin/sh\necho 'pixmint-export: unknown option' >&2\nexit 2\n")
expect("the converter \"[^\"]*/gaining/pixmint-export\" does not say what it takes \\(--vocabulary\\): 2 pixmint-export: unknown option"
       "${gain}\n${add})")

# find_package in one folder and pixmint_add_font in a sibling, where the converter's imported
# target is not known: the configuration stops instead of the build.
set(sibling "${WORK_DIR}/sibling")
file(WRITE "${sibling}/CMakeLists.txt" "cmake_minimum_required(VERSION 3.25)
project(Sibling LANGUAGES C)
add_subdirectory(finder)
add_subdirectory(user)\n")
file(WRITE "${sibling}/finder/CMakeLists.txt" "find_package(Pixmint 1 REQUIRED)\n")
file(WRITE "${sibling}/user/CMakeLists.txt" "add_executable(user \"${SOURCE_DIR}/../main.c\")
pixmint_add_font(user \"${SOURCE_DIR}/../../data/firmware.xml\")\n")
execute_process(COMMAND ${CMAKE_COMMAND} -S "${sibling}" -B "${sibling}/build" -G Ninja
                        "-DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
string(REGEX REPLACE "[ \n]+" " " output "${output}")
if(result EQUAL 0 OR NOT output MATCHES "Pixmint::pixmint-export is not known in .*/user; call")
    message(FATAL_ERROR "a font added where the converter is not known:\n${output}")
endif()

# A build folder that holds what the generator cannot take in the files that a rule makes,
# or the shell expands in its commands, stops the configuration, naming it; make takes "|",
# and the consumer test of Makefiles builds in such a folder. ("?" comes first: CMake's own
# compiler check would expand it to the folders before.)
file(WRITE "${case_dir}/top.cmake" "pixmint_add_font(a \${font})\n")
file(WRITE "${case_dir}/CMakeLists.txt" "")
foreach(generator_mark "Ninja:?" "Ninja:#" "Ninja:$(" "Ninja:|" "Ninja:\t" "Ninja:[" "Ninja:{"
        "Ninja:<" "Unix Makefiles:?" "Unix Makefiles:#" "Unix Makefiles:$(" "Unix Makefiles:\t"
        "Unix Makefiles:[" "Unix Makefiles:>" "Ninja:]" "Unix Makefiles:]")
    string(REPLACE ":" ";" generator_mark "${generator_mark}")
    list(GET generator_mark 0 generator)
    list(GET generator_mark 1 mark)
    string(REPLACE "\t" "\\t" shown "${mark}")
    execute_process(COMMAND ${CMAKE_COMMAND} -S "${SOURCE_DIR}" -B "${WORK_DIR}/${generator}/b${mark}x"
                            -G "${generator}" "-DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix"
                            "-DCASE_DIR=${case_dir}"
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    string(REGEX REPLACE "[ \n]+" " " output "${output}")
    string(FIND "${output}" "/b${shown}x\" holds \"${shown}\", which ${generator} cannot" at)
    if(result EQUAL 0 OR at EQUAL -1)
        message(FATAL_ERROR "a build folder holding \"${shown}\" with ${generator}:\n${output}")
    endif()
endforeach()

# A project folder that holds ":", where make cannot read the names of the project's own
# sources, and Pixmint installed in such a folder, where it cannot read the converter's: both
# stop the configuration with Makefiles; Ninja builds them.
file(CREATE_LINK "${WORK_DIR}/prefix" "${WORK_DIR}/pre:fix" SYMBOLIC)
foreach(row "p:c|Ninja|pre:fix|builds"
        "p:c|Unix Makefiles|prefix|the folder of pc \"[^\"]*/p:c\" holds \":\""
        "pc|Unix Makefiles|pre:fix|the converter \"[^\"]*/pre:fix/bin/pixmint-export\" holds \":\"")
    string(REPLACE "|" ";" row "${row}")
    list(GET row 0 project)
    list(GET row 1 generator)
    list(GET row 2 prefix)
    list(GET row 3 expected)
    set(project "${WORK_DIR}/${project}")
    file(WRITE "${project}/main.c" "int main(void) { return 0; }\n")
    file(WRITE "${project}/CMakeLists.txt" "cmake_minimum_required(VERSION 3.25)
project(PC LANGUAGES C)
find_package(Pixmint 1 REQUIRED)
add_executable(pc main.c)
pixmint_add_font(pc \"${SOURCE_DIR}/../../data/firmware.xml\")\n")
    execute_process(COMMAND ${CMAKE_COMMAND} -S "${project}" -B "${project}/${generator}"
                            -G "${generator}" "-DCMAKE_PREFIX_PATH=${WORK_DIR}/${prefix}"
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(result EQUAL 0)
        execute_process(COMMAND ${CMAKE_COMMAND} --build "${project}/${generator}"
                        RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    endif()
    string(REGEX REPLACE "[ \n]+" " " output "${output}")
    if(expected STREQUAL "builds" AND NOT result EQUAL 0 OR NOT expected STREQUAL "builds"
       AND (result EQUAL 0 OR NOT output MATCHES "${expected}, which ${generator} cannot take"))
        message(FATAL_ERROR "${generator} in ${project}, Pixmint in ${prefix}:\n${output}")
    endif()
endforeach()

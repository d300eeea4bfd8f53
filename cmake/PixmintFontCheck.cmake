# The first step of the rule of a font added with pixmint_add_font(... CHECK), run as
# cmake -DPIXMINT_EXPORT=<converter> -DFONT=<font file> -DSTAGED=<bool> -P PixmintFontCheck.cmake:
# fails the build, naming the font and its first problems, when pixmint-export --check
# finds any in it. STAGED says that FONT is the link through which the build reaches a font
# whose path the build tools cannot carry; the font is then named by the link's target.
cmake_policy(VERSION 3.20...3.25)
include("${CMAKE_CURRENT_LIST_DIR}/PixmintFont.cmake")

execute_process(COMMAND "${PIXMINT_EXPORT}" --check "${FONT}" RESULT_VARIABLE result
                OUTPUT_VARIABLE report ERROR_VARIABLE report)
if(result EQUAL 0)
    return()
endif()

set(font "${FONT}")
if(STAGED)
    file(READ_SYMLINK "${FONT}" font)
    _pixmint_font_visible("${font}" font)
    string(REPLACE "${FONT}:" "${font}:" report "${report}")
endif()
# The first lines of the report, indented so that CMake shows them as they are.
string(REGEX REPLACE "[^\n]" "" breaks "${report}")
string(LENGTH "${breaks}" count)
set(shown "")
foreach(index RANGE 1 10)
    string(FIND "${report}" "\n" end)
    if(end EQUAL -1)
        break()
    endif()
    string(SUBSTRING "${report}" 0 ${end} line)
    string(APPEND shown "\n  ${line}")
    math(EXPR end "${end} + 1")
    string(SUBSTRING "${report}" ${end} -1 report)
endforeach()
if(count GREATER 10)
    math(EXPR more "${count} - 10")
    string(APPEND shown "\n  (${more} more lines: pixmint-export --check lists them all)")
endif()
message(FATAL_ERROR "pixmint_add_font: the font \"${font}\" does not pass "
                    "pixmint-export --check (CHECK):${shown}")

# The extractor of the manual's snippets: the fenced blocks of a page and the marker before
# each, an HTML comment that says how the test suite runs the block (tests/docs/run.cmake):
#   <!-- test: sh [package=DIR] [with FIXTURE...] -->  commands, each of which must succeed
#   <!-- test: console [status=S,...] [with FIXTURE...] -->  "$ " commands, their output as the
#                                             block shows it, each exiting 0 or with its S
#   <!-- test: file NAME -->                  the block is the file NAME, for the blocks after it
#   <!-- test: compile COMPILER... [as NAME] [with FIXTURE...] -->  C or C++, by its language
#   <!-- test: cmake TOOLCHAIN... [with FIXTURE...] -->  a project's CMakeLists.txt
#   <!-- untested: REASON -->                 a block that cannot run in a test, and why
# A FIXTURE is a file of tests/docs/fixtures, NAME=FILE that file under another name, or
# build, the project's build folder. Blocks in xml and text are prose; any other block needs
# a marker. Used when the suite is configured (a test per block) and when a block runs.

set(_docs_held_1 ";")
set(_docs_held_2 "[")
set(_docs_held_3 "]")
set(_docs_held_4 "\\")

# docs_lines(<text> <var>): the text's lines as a list. ";", "[", "]" and "\\" are held as the
# control characters 1 to 4, so that no line of the list splits or joins another.
function(docs_lines text var)
    foreach(code 1 2 3 4)
        set(character "${_docs_held_${code}}")
        string(ASCII ${code} held)
        string(REPLACE "${character}" "${held}" text "${text}")
    endforeach()
    string(REPLACE "\n" ";" lines "${text}")
    set(${var} "${lines}" PARENT_SCOPE)
endfunction()

# docs_read(<page> <var>): the page's lines, as docs_lines gives them.
function(docs_read page var)
    file(READ "${page}" text)
    docs_lines("${text}" lines)
    set(${var} "${lines}" PARENT_SCOPE)
endfunction()

# docs_decode(<var>): gives back the characters that docs_lines holds as control characters.
function(docs_decode var)
    set(text "${${var}}")
    foreach(code 1 2 3 4)
        set(character "${_docs_held_${code}}")
        string(ASCII ${code} held)
        string(REPLACE "${held}" "${character}" text "${text}")
    endforeach()
    set(${var} "${text}" PARENT_SCOPE)
endfunction()

# docs_blocks(<lines> <prefix>): sets <prefix>_starts to the numbers (from 1) of the lines
# that open a fenced block and, for each such line L, <prefix>_info_L (the block's language),
# <prefix>_marker_L (the marker on the line before, without "<!--" and "-->", or empty) and
# <prefix>_text_L (the block's lines, decoded, each ending in a line feed). Prose outside the
# blocks goes to <prefix>_prose, a list of lines.
function(docs_blocks lines prefix)
    set(starts "")
    set(prose "")
    set(number 0)
    set(start "")
    set(previous "")
    foreach(line IN LISTS lines)
        math(EXPR number "${number} + 1")
        if(line MATCHES "^ *```")
            if(start STREQUAL "")
                set(start ${number})
                list(APPEND starts ${number})
                string(REGEX REPLACE "^ *```+ *" "" info "${line}")
                set(marker "")
                if(previous MATCHES "^<!-- *((test|untested):.*[^ ]) *-->$")
                    set(marker "${CMAKE_MATCH_1}")
                    docs_decode(marker)
                endif()
                set(${prefix}_info_${number} "${info}" PARENT_SCOPE)
                set(${prefix}_marker_${number} "${marker}" PARENT_SCOPE)
                set(text "")
            else()
                docs_decode(text)
                set(${prefix}_text_${start} "${text}" PARENT_SCOPE)
                set(start "")
            endif()
        elseif(start STREQUAL "")
            list(APPEND prose "${line}")
        else()
            string(APPEND text "${line}\n")
        endif()
        set(previous "${line}")
    endforeach()
    set(${prefix}_starts "${starts}" PARENT_SCOPE)
    set(${prefix}_prose "${prose}" PARENT_SCOPE)
endfunction()

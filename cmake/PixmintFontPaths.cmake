# The paths that the rule of pixmint_add_font names: the font, reached through a link where
# its path holds what the build tools or the shell would read, and the folders, refused
# where they hold such characters.

# Stops the configuration where a path that the rule names holds what the build cannot take:
# CMake refuses "#", "<" and ">" in a rule's output; make reads "$(" as the start of a
# variable and "#" as a comment; a tab splits a file's name in the dependencies that make
# reads and has Ninja export the font at every build; Ninja cannot take "|" in a file name,
# nor make ":" in one that a rule reads. CMake leaves "[", "?" and "{" unquoted in a command,
# even in the folder that it changes to, and the shell expands them to other files. In the
# build folder a "]" before a ";" joins the items of the list of the target's sources, which
# then names a file that does not exist. (Regular expressions: a "[" in a list would join the
# items after it.)
function(_pixmint_font_paths target)
    set(marks "#<>[?{\t")
    if(CMAKE_GENERATOR MATCHES "Ninja")
        string(APPEND marks "|")
    endif()
    set(marks "[${marks}]|[$][(]")
    _pixmint_font_refuse("the build folder" "${CMAKE_CURRENT_BINARY_DIR}" "${marks}|]" makes
                         "build in a folder without it")
    # The target names a folder of the build folder; names that CMake warns of (CMP0037) are
    # taken only under old policies.
    _pixmint_font_refuse("the target name" "${target}" "[^A-Za-z0-9_.+-]" makes
                         "give the target a name of letters, digits, _, ., + and -")
    if(CMAKE_GENERATOR STREQUAL "Unix Makefiles")
        get_target_property(folder "${target}" SOURCE_DIR)
        _pixmint_font_refuse("the folder of ${target}" "${folder}" ":" reads
                             "move the project to a folder without it or build with Ninja")
        string(APPEND marks "|:")
    endif()
    get_target_property(converter Pixmint::pixmint-export LOCATION)
    _pixmint_font_refuse("the converter" "${converter}" "${marks}" reads
                         "install Pixmint in a folder without it")
endfunction()

# Stops the configuration, naming <what>, <path> and what it holds, where the regular
# expression <marks> finds something in <path>.
function(_pixmint_font_refuse what path marks verb advice)
    string(REGEX MATCH "${marks}" mark "${path}")
    if(NOT mark STREQUAL "")
        _pixmint_font_visible("${path}" path)
        _pixmint_font_visible("${mark}" mark)
        message(FATAL_ERROR "pixmint_add_font: ${what} \"${path}\" holds \"${mark}\", which "
                            "${CMAKE_GENERATOR} cannot take in the files that a rule ${verb}; "
                            "${advice}")
    endif()
endfunction()

# Checks the font file and sets, in the caller, font_input: the path that the converter is
# given; font_depends: the file the rule depends on; font_shown: the font as messages name it;
# font_staged: whether font_input is a link to the font. A path that holds any ASCII
# character but letters, digits, spaces and "_./+-" reaches the build as the link <link>, of a
# safe name, whose target's time the build tools read: each of the others means something to
# a build tool or the shell. Ninja and make end a file name at "|" or a line feed, make at ":"
# or a tab and expands "[", "?" and "*" in one; Ninja cannot read a carriage return; CMake ends
# a list item at ";", turns "\" into "/", passes "$(" on as the start of a variable and leaves
# "[", "?" and "{" unquoted in a command, for the shell to expand.
function(_pixmint_font_input font link)
    cmake_path(ABSOLUTE_PATH font BASE_DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}" NORMALIZE
               OUTPUT_VARIABLE path)
    # A font that a rule of this folder makes at build time need not exist yet.
    get_source_file_property(generated "${path}" GENERATED)
    _pixmint_font_visible("${font}" shown)
    _pixmint_font_visible("${path}" shown_path)
    if(NOT generated AND NOT EXISTS "${path}")
        message(FATAL_ERROR "pixmint_add_font: the font file \"${shown}\" does not exist "
                            "(${shown_path})")
    elseif(NOT generated AND IS_DIRECTORY "${path}")
        message(FATAL_ERROR "pixmint_add_font: the font file \"${shown}\" is a folder "
                            "(${shown_path})")
    endif()
    set(input "${path}")
    set(staged FALSE)
    string(REGEX REPLACE "[A-Za-z0-9_./+ -]" "" unsafe "${path}")
    string(ASCII 1 first)
    string(ASCII 127 last)
    if(unsafe MATCHES "[${first}-${last}]")
        file(CREATE_LINK "${path}" "${link}" RESULT failure SYMBOLIC)
        if(failure)
            message(FATAL_ERROR "pixmint_add_font: the path of the font \"${shown}\" holds "
                                "characters that the build tools cannot take, and no link "
                                "to it could be made (${failure}); rename it")
        endif()
        set(input "${link}")
        set(staged TRUE)
    endif()
    set(depends "${input}")
    if(generated)
        set(depends "${path}")
    endif()
    foreach(result input depends shown staged)
        set(font_${result} "${${result}}" PARENT_SCOPE)
    endforeach()
endfunction()

# Sets <result> to <text> with its controls (C0, DEL, and C1 in UTF-8) written as the
# converter names files in its messages: \t, \n, \r, else \x and two lower-case digits, so
# that a message stays on one line and shows each character. The converter's rule is C++
# (TextEscape's Line); CMake, another language, runs before it and keeps this copy of it.
function(_pixmint_font_visible text result)
    string(REPLACE "\t" "\\t" text "${text}")
    string(REPLACE "\n" "\\n" text "${text}")
    string(REPLACE "\r" "\\r" text "${text}")
    # No CMake string holds a NUL.
    foreach(code RANGE 1 159)
        if(code EQUAL 9 OR code EQUAL 10 OR code EQUAL 13 OR (code GREATER 31 AND code LESS 127))
            continue()
        endif()
        math(EXPR digits "${code} + 256" OUTPUT_FORMAT HEXADECIMAL)
        string(SUBSTRING "${digits}" 3 2 digits)
        if(code LESS 128)
            string(ASCII ${code} character)
        else()
            string(ASCII 194 ${code} character)
        endif()
        string(REPLACE "${character}" "\\x${digits}" text "${text}")
    endforeach()
    set(${result} "${text}" PARENT_SCOPE)
endfunction()

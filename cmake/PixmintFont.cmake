# pixmint_add_font(<target> <font.xml> [NAME ident] [LAYOUT layout] [CONST | PROGMEM] [HEADER])
#
# Exports the font file as C source at build time, again whenever the font file changes, and
# compiles it into <target>. Without options the source is exactly what the editor's "Export
# font as C/C++ code" writes: the array PIXMINT_xxxx. NAME names the array, LAYOUT picks the
# bytes of a glyph (columns, columns-msb, rows, rows-msb), CONST makes it const and PROGMEM
# also puts it in AVR program memory; HEADER generates <ident>.h, declaring the array and its
# character map, in a folder on the target's include path. Each font of one target needs a
# name of its own. A relative path is taken from the current source folder, which may be
# another folder than the target's.
function(pixmint_add_font target font)
    cmake_parse_arguments(PARSE_ARGV 2 arg "CONST;PROGMEM;HEADER" "NAME;LAYOUT" "")
    if(NOT TARGET "${target}")
        message(FATAL_ERROR "pixmint_add_font: ${target} is not a target")
    endif()
    if(arg_UNPARSED_ARGUMENTS OR arg_KEYWORDS_MISSING_VALUES)
        message(FATAL_ERROR "pixmint_add_font: unknown arguments or missing values: "
                            "${arg_UNPARSED_ARGUMENTS} ${arg_KEYWORDS_MISSING_VALUES}")
    endif()
    set(name PIXMINT_xxxx)
    set(options "")
    if(DEFINED arg_NAME)
        # The name becomes file names here; pixmint-export checks the rest of what makes a
        # usable C name when it runs.
        if(NOT arg_NAME MATCHES "^[A-Za-z_][A-Za-z0-9_]*$")
            message(FATAL_ERROR "pixmint_add_font: NAME \"${arg_NAME}\" is not a C identifier")
        endif()
        set(name "${arg_NAME}")
        list(APPEND options --name "${name}")
    endif()
    if(DEFINED arg_LAYOUT)
        list(APPEND options --layout "${arg_LAYOUT}")
    endif()
    if(arg_PROGMEM)
        list(APPEND options --progmem)
    elseif(arg_CONST)
        list(APPEND options --const)
    endif()

    # Two fonts whose arrays, maps or header macros share a name would clash in the link, in
    # the generated files or in a file that includes both headers. (list(FIND) rather than
    # IN_LIST: projects that ask for an old CMake do not have that policy.)
    get_property(taken TARGET "${target}" PROPERTY PIXMINT_FONT_NAMES)
    set(identifiers "${name}" "${name}_map" "${name}_COUNT" "${name}_BYTES" "${name}_NONE")
    foreach(identifier IN LISTS identifiers)
        list(FIND taken "${identifier}" at)
        if(at GREATER -1)
            message(FATAL_ERROR "pixmint_add_font: ${target} already has a font that defines "
                                "${identifier}; give each font of one target its own NAME")
        endif()
    endforeach()
    set_property(TARGET "${target}" APPEND PROPERTY PIXMINT_FONT_NAMES ${identifiers})

    # The source compiles as C and as C++; a project that enables only C gets a .c file, any
    # other the .cpp that the editor's export is meant to be.
    get_property(languages GLOBAL PROPERTY ENABLED_LANGUAGES)
    list(FIND languages CXX cxx)
    list(FIND languages C c)
    if(cxx GREATER -1)
        set(extension cpp)
    elseif(c GREATER -1)
        set(extension c)
    else()
        message(FATAL_ERROR "pixmint_add_font: the project enables neither C nor CXX")
    endif()

    # CMake reads a semicolon as the end of a list item: such a path would not reach the
    # build intact.
    string(FIND "${font}" ";" semicolon)
    if(semicolon GREATER -1)
        message(FATAL_ERROR "pixmint_add_font: the path of the font \"${font}\" holds a "
                            "semicolon, which CMake cannot pass on; rename it")
    endif()
    get_filename_component(font_path "${font}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    set(folder "${CMAKE_CURRENT_BINARY_DIR}/pixmint_fonts/${target}")
    set(source "${folder}/${name}.${extension}")
    set(outputs "${source}")
    if(arg_HEADER)
        set(header "${folder}/include/${name}.h")
        list(APPEND outputs "${header}")
        list(APPEND options --header "${header}")
        target_include_directories("${target}" PUBLIC "$<BUILD_INTERFACE:${folder}/include>")
    endif()
    # Not every generator makes the folder of a custom command's output.
    file(MAKE_DIRECTORY "${folder}/include")
    add_custom_command(
        OUTPUT ${outputs}
        COMMAND Pixmint::pixmint-export "${font_path}" -o "${source}" ${options}
        DEPENDS "${font_path}" Pixmint::pixmint-export
        COMMENT "Exporting the font ${font} as C source"
        VERBATIM)
    target_sources("${target}" PRIVATE ${outputs})
    # Called from another folder than the target's, the rule that makes the files belongs to
    # this folder: a target of its own here runs it, before the target is built.
    get_target_property(target_folder "${target}" SOURCE_DIR)
    if(NOT target_folder STREQUAL CMAKE_CURRENT_SOURCE_DIR)
        set_source_files_properties(${outputs} TARGET_DIRECTORY "${target}"
                                    PROPERTIES GENERATED TRUE)
        add_custom_target("pixmint_font_${target}_${name}" DEPENDS ${outputs})
        add_dependencies("${target}" "pixmint_font_${target}_${name}")
    endif()
endfunction()

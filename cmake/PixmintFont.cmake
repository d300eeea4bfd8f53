# pixmint_add_font(<target> <font.xml> [NAME ident] [LAYOUT layout] [CONST | PROGMEM] [HEADER])
#
# Exports the font file as C source at build time, again whenever the font file changes, and
# compiles it into <target>. Without options the source is exactly what the editor's "Export
# font as C/C++ code" writes: the array PIXMINT_xxxx. NAME names the array, LAYOUT picks the
# bytes of a glyph (columns, columns-msb, rows, rows-msb), CONST makes it const and PROGMEM
# also puts it in AVR program memory; HEADER generates <ident>.h, declaring the array and its
# character map, in a folder on the target's include path. Each font of one target needs a
# name of its own. A relative path is taken from the current source folder.
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

    # Two fonts under one name would clash in the link, or in the generated files.
    get_property(names TARGET "${target}" PROPERTY PIXMINT_FONT_NAMES)
    if("${name}" IN_LIST names)
        message(FATAL_ERROR "pixmint_add_font: ${target} already has a font whose array is "
                            "named ${name}; give each font of one target its own NAME")
    endif()
    set_property(TARGET "${target}" APPEND PROPERTY PIXMINT_FONT_NAMES "${name}")

    # The source compiles as C and as C++; a project that enables only C gets a .c file, any
    # other the .cpp that the editor's export is meant to be.
    get_property(languages GLOBAL PROPERTY ENABLED_LANGUAGES)
    if("CXX" IN_LIST languages)
        set(extension cpp)
    elseif("C" IN_LIST languages)
        set(extension c)
    else()
        message(FATAL_ERROR "pixmint_add_font: the project enables neither C nor CXX")
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
endfunction()

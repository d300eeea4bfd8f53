include("${CMAKE_CURRENT_LIST_DIR}/PixmintFontPaths.cmake")
include("${CMAKE_CURRENT_LIST_DIR}/PixmintFontVocabulary.cmake")

# pixmint_add_font(<target> <font.xml> [NAME ident] [LAYOUT layout] [CONST | PROGMEM] [ART]
#                  [HEADER] [RANGE first-last | CHARS text] [DISPLAY display] [CHECK]
#                  [GFX | U8G2 | U8X8 | LVGL])
#
# Exports the font file as C source at build time, again whenever the font file changes, and
# compiles it into <target>. Without options the source is exactly what the editor's "Export
# font as C/C++ code" writes: the array PIXMINT_xxxx. NAME names the array, LAYOUT picks the
# bytes of a glyph (columns, columns-msb, rows, rows-msb), CONST makes it const and PROGMEM
# also puts it in AVR program memory, ART draws each glyph in comments beside its bytes;
# HEADER generates <ident>.h, declaring the array and its character map, in a folder on the
# target's include path; RANGE first-last makes the array a table with a row for each of those
# codes instead of a map (the converter's --range), CHARS text the glyphs of text's characters
# alone, found by <ident>_row(c) (--chars); DISPLAY chooses the layout, range and
# storage of a display's usual driver where those are not given (--display). GFX
# makes the font <ident>.h in the Adafruit GFX form instead, for setFont(&ident), with the
# codes of RANGE (default 32-126), and no C array; U8G2, U8X8 and LVGL likewise compile the
# font <ident> in the form of that library into <target> (LVGL's as C). CHECK fails the
# build, naming the font and its first problems, when pixmint-export --check finds any. Each font of one target needs a
# name of its own. A relative path is taken from the current source folder, which may be
# another folder than the target's. Mistakes in the arguments stop the configuration. The
# keywords, the layouts, the files of each output and the identifiers that a font defines are
# the converter's (PixmintFontVocabulary.cmake), so that what it gains is offered here too.
function(pixmint_add_font target font)
    if(NOT TARGET "${target}")
        message(FATAL_ERROR "pixmint_add_font: ${target} is not a target")
    endif()
    # The converter is imported by find_package, and seen only in that folder and below it.
    if(NOT TARGET Pixmint::pixmint-export)
        message(FATAL_ERROR "pixmint_add_font: Pixmint::pixmint-export is not known in "
                            "${CMAKE_CURRENT_SOURCE_DIR}; call find_package(Pixmint) there or "
                            "in a folder above it")
    endif()
    # The keywords, what they take and what they make are the converter's (--vocabulary).
    get_target_property(converter Pixmint::pixmint-export LOCATION)
    _pixmint_font_vocabulary("${converter}")
    cmake_parse_arguments(PARSE_ARGV 2 arg "CHECK;${pixmint_flags}" "${pixmint_values}" "")
    if(arg_UNPARSED_ARGUMENTS OR arg_KEYWORDS_MISSING_VALUES)
        message(FATAL_ERROR "pixmint_add_font: unknown arguments or missing values: "
                            "${arg_UNPARSED_ARGUMENTS} ${arg_KEYWORDS_MISSING_VALUES}")
    endif()
    # cmake_parse_arguments keeps the last value of a keyword given twice, where the converter
    # refuses an option given twice. (A value never equals a keyword: that one would be
    # missing.) A flag given twice says the same thing twice.
    set(given "")
    foreach(index RANGE 2 ${ARGC})
        if(index LESS ARGC)
            set(argument "${ARGV${index}}")
            if("${argument}" IN_LIST given)
                message(FATAL_ERROR "pixmint_add_font: ${argument} is given twice")
            elseif("${argument}" IN_LIST pixmint_values)
                list(APPEND given "${argument}")
                # cmake_parse_arguments leaves a keyword whose value is "" undefined, as if it
                # were not given: the font would be made without what it asked for.
                math(EXPR next "${index} + 1")
                if(next LESS ARGC AND "${ARGV${next}}" STREQUAL "")
                    message(FATAL_ERROR "pixmint_add_font: ${argument} is empty")
                endif()
            endif()
        endif()
    endforeach()
    # An alias stands for its target: the font goes into the target the alias names.
    get_target_property(aliased "${target}" ALIASED_TARGET)
    if(aliased)
        set(target "${aliased}")
    endif()
    get_target_property(imported "${target}" IMPORTED)
    get_target_property(type "${target}" TYPE)
    if(imported)
        message(FATAL_ERROR "pixmint_add_font: ${target} is imported; a font compiles only "
                            "into a target that this project builds")
    elseif(NOT type MATCHES "^(EXECUTABLE|(STATIC|SHARED|MODULE|OBJECT)_LIBRARY)$")
        message(FATAL_ERROR "pixmint_add_font: ${target} is a target of type ${type}, which "
                            "compiles no sources")
    endif()
    set(name "${pixmint_default_name}")
    if(DEFINED arg_NAME)
        # The name becomes file names here; pixmint-export checks the rest of what makes a
        # usable C name when it runs.
        if(NOT arg_NAME MATCHES "${pixmint_name_pattern}")
            message(FATAL_ERROR "pixmint_add_font: NAME \"${arg_NAME}\" is not a C identifier")
        endif()
        set(name "${arg_NAME}")
    endif()
    _pixmint_font_options(options written)

    # Two fonts whose arrays, maps, header macros or header guards share a name would clash
    # in the link, in the generated files or in a file that includes both headers.
    # (list(FIND) rather than IN_LIST: projects that ask for an old CMake do not have that
    # policy.)
    get_property(taken TARGET "${target}" PROPERTY PIXMINT_FONT_NAMES)
    set(identifiers "")
    foreach(format IN LISTS written)
        list(APPEND identifiers ${pixmint_identifiers_${format}})
        foreach(keyword IN LISTS pixmint_options)
            string(REGEX REPLACE "^--" "" option "${pixmint_option_${keyword}}")
            if(keyword IN_LIST given_keywords)
                list(APPEND identifiers ${pixmint_identifiers_${format}_${option}})
            endif()
        endforeach()
    endforeach()
    string(CONFIGURE "${identifiers}" identifiers @ONLY)
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

    # The converter writes into a folder of its own; only what differs is copied into place,
    # so that an edit that leaves the header's bytes alone recompiles nothing that includes
    # it. The stamp says when the converter last ran; Ninja sees from the unchanged times of
    # the byproducts that nothing else needs to run, Makefiles from the times themselves.
    # Not every generator makes the folder of a custom command's output.
    _pixmint_font_paths("${target}")
    set(folder "${CMAKE_CURRENT_BINARY_DIR}/pixmint_fonts/${target}")
    set(staging "${folder}/staging")
    file(MAKE_DIRECTORY "${folder}/include" "${staging}")
    _pixmint_font_input("${font}" "${staging}/${name}.xml")
    set(stamp "${staging}/${name}.stamp")
    set(files "")
    set(outputs "")
    set(copies "")
    foreach(format IN LISTS written)
        string(CONFIGURE "${pixmint_file_${format}}" file @ONLY)
        get_filename_component(staged "${file}" NAME)
        list(APPEND files "${folder}/${file}")
        list(APPEND outputs "--${format}" "${staging}/${staged}")
        list(APPEND copies COMMAND "${CMAKE_COMMAND}" -E copy_if_different
                           "${staging}/${staged}" "${folder}/${file}")
        if(file MATCHES "^include/")
            target_include_directories("${target}" PUBLIC "$<BUILD_INTERFACE:${folder}/include>")
            _pixmint_font_shadowed("${target}" "${staged}" "${folder}/${file}")
        endif()
    endforeach()
    set(check "")
    if(arg_CHECK)
        set(check COMMAND "${CMAKE_COMMAND}"
                          "-DPIXMINT_EXPORT=$<TARGET_FILE:Pixmint::pixmint-export>"
                          "-DFONT=${font_input}" "-DSTAGED=${font_staged}"
                          -P "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/PixmintFontCheck.cmake")
    endif()
    add_custom_command(
        OUTPUT "${stamp}"
        BYPRODUCTS ${files}
        ${check}
        COMMAND Pixmint::pixmint-export "${font_input}" ${outputs} ${options}
        ${copies}
        COMMAND "${CMAKE_COMMAND}" -E touch "${stamp}"
        DEPENDS "${font_depends}" Pixmint::pixmint-export
        COMMENT "Exporting the font ${font_shown} as C source"
        VERBATIM)
    # Called from another folder than the target's, the rule that makes the files belongs to
    # this folder: a target of its own here runs it, before the target is built. Its name
    # joins the two names with "-", which a NAME cannot hold, so that no two fonts share it.
    get_target_property(target_folder "${target}" SOURCE_DIR)
    if(target_folder STREQUAL CMAKE_CURRENT_SOURCE_DIR)
        target_sources("${target}" PRIVATE "${stamp}" ${files})
    else()
        set_source_files_properties(${files} TARGET_DIRECTORY "${target}"
                                    PROPERTIES GENERATED TRUE)
        target_sources("${target}" PRIVATE ${files})
        add_custom_target("pixmint_font_${target}-${name}" DEPENDS "${stamp}")
        add_dependencies("${target}" "pixmint_font_${target}-${name}")
    endif()
endfunction()

# Reads RANGE "first-last" (each decimal or 0x hexadecimal, 0 <= first <= last <= 255) into
# the decimal "first-last" that the converter is given, or stops the configuration.
function(_pixmint_font_range text result)
    set(number "([0-9]+|0[xX][0-9A-Fa-f]+)")
    set(bounds "")
    if(text MATCHES "^${number}-${number}$")
        foreach(bound "${CMAKE_MATCH_1}" "${CMAKE_MATCH_2}")
            # Without leading zeros, so that 010 is ten and no number of digits overflows
            # the arithmetic.
            if(bound MATCHES "^0[xX]0*([0-9A-Fa-f]+)$")
                set(digits "${CMAKE_MATCH_1}")
                set(bound "0x${digits}")
            else()
                string(REGEX MATCH "[1-9][0-9]*$|0$" digits "${bound}")
                set(bound "${digits}")
            endif()
            string(LENGTH "${digits}" length)
            if(length GREATER 3)
                set(bounds "")
                break()
            endif()
            math(EXPR bound "${bound}")
            list(APPEND bounds ${bound})
        endforeach()
    endif()
    list(LENGTH bounds count)
    if(count EQUAL 2)
        list(GET bounds 0 first)
        list(GET bounds 1 last)
        if(last LESS_EQUAL 255 AND first LESS_EQUAL last)
            set(${result} "${first}-${last}" PARENT_SCOPE)
            return()
        endif()
    endif()
    message(FATAL_ERROR "pixmint_add_font: RANGE \"${text}\" is not FIRST-LAST with "
                        "0 <= FIRST <= LAST <= 255, each decimal or 0x hexadecimal")
endfunction()

# Warns when a header beside one of the target's sources has the name of the header that the
# font generates: a quoted #include there finds that file first, and silently compiles it.
function(_pixmint_font_shadowed target header generated)
    get_target_property(sources "${target}" SOURCES)
    get_target_property(source_dir "${target}" SOURCE_DIR)
    set(folders "")
    foreach(source IN LISTS sources)
        if(NOT source MATCHES "\\$<")
            if(NOT IS_ABSOLUTE "${source}")
                set(source "${source_dir}/${source}")
            endif()
            get_filename_component(source_folder "${source}" DIRECTORY)
            list(APPEND folders "${source_folder}")
        endif()
    endforeach()
    if(folders)
        list(REMOVE_DUPLICATES folders)
    endif()
    foreach(source_folder IN LISTS folders)
        get_filename_component(beside "${source_folder}/${header}" ABSOLUTE)
        if(EXISTS "${beside}" AND NOT IS_DIRECTORY "${beside}")
            message(WARNING "pixmint_add_font: ${beside} has the name of the header generated "
                            "for the target ${target} (${generated}): #include \"${header}\" in "
                            "a source beside it finds ${beside} instead")
        endif()
    endforeach()
endfunction()

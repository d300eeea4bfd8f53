# What pixmint_add_font offers and checks, as the converter gives it (pixmint-export
# --vocabulary): its options and their keywords, the layouts, the formats, the files that they
# are given and the identifiers that they define. Asked once for each converter in a
# configuration, and read for each font.

# Sets, in the caller: pixmint_default_name and pixmint_name_pattern; pixmint_options (the
# keywords of the options, in the converter's order), pixmint_flags and pixmint_values (those
# that take no value and one; pixmint_text_K for a value that the converter joins), and for each keyword K pixmint_option_K (its option) and, where
# it has them, pixmint_choices_K (its values) and pixmint_array_K (it shapes the C array alone);
# pixmint_exclusions (a list of indexes) and pixmint_excludes_I (two options and a message);
# pixmint_formats (the options of the formats that a keyword asks for, and of the source), and
# for each pixmint_keyword_F, pixmint_file_F, pixmint_role_F, pixmint_makes_F, and the
# identifiers pixmint_identifiers_F, with an option O given pixmint_identifiers_F_O too.
# A macro, so that these land in the caller's scope.
macro(_pixmint_font_vocabulary converter)
    string(MD5 _pixmint_key "${converter}")
    get_property(_pixmint_known GLOBAL PROPERTY "PIXMINT_FONT_VOCABULARY_${_pixmint_key}" SET)
    if(NOT _pixmint_known)
        execute_process(COMMAND "${converter}" --vocabulary RESULT_VARIABLE _pixmint_result
                        OUTPUT_VARIABLE _pixmint_text ERROR_VARIABLE _pixmint_error)
        if(NOT _pixmint_result EQUAL 0)
            string(STRIP "${_pixmint_error}" _pixmint_error)
            string(REPLACE "\n" "; " _pixmint_error "${_pixmint_error}")
            message(FATAL_ERROR "pixmint_add_font: the converter \"${converter}\" does not say "
                                "what it takes (--vocabulary): ${_pixmint_result} "
                                "${_pixmint_error}")
        endif()
        set_property(GLOBAL PROPERTY "PIXMINT_FONT_VOCABULARY_${_pixmint_key}" "${_pixmint_text}")
    endif()
    get_property(_pixmint_text GLOBAL PROPERTY "PIXMINT_FONT_VOCABULARY_${_pixmint_key}")
    foreach(_pixmint_list options flags values exclusions formats)
        set(pixmint_${_pixmint_list} "")
    endforeach()
    string(REGEX MATCHALL "[^\n]+" _pixmint_lines "${_pixmint_text}")
    foreach(_pixmint_line IN LISTS _pixmint_lines)
        string(REPLACE "\t" ";" _pixmint_fields "${_pixmint_line}")
        list(POP_FRONT _pixmint_fields _pixmint_kind)
        # A kind of line that this package does not know is left to the packages after it.
        if(COMMAND _pixmint_font_vocabulary_${_pixmint_kind})
            cmake_language(CALL _pixmint_font_vocabulary_${_pixmint_kind} ${_pixmint_fields})
        endif()
    endforeach()
endmacro()

# The lines of each kind, read in the scope of the macro's caller.
function(_pixmint_font_vocabulary_name default pattern)
    set(pixmint_default_name "${default}" PARENT_SCOPE)
    set(pixmint_name_pattern "${pattern}" PARENT_SCOPE)
endfunction()

function(_pixmint_font_vocabulary_option keyword option kind scope)
    # A text is a value that the converter joins when given again.
    if(kind STREQUAL "text")
        set(pixmint_text_${keyword} TRUE PARENT_SCOPE)
        set(kind value)
    endif()
    list(APPEND pixmint_options "${keyword}")
    list(APPEND pixmint_${kind}s "${keyword}")
    set(pixmint_options "${pixmint_options}" PARENT_SCOPE)
    set(pixmint_${kind}s "${pixmint_${kind}s}" PARENT_SCOPE)
    set(pixmint_option_${keyword} "${option}" PARENT_SCOPE)
    if(ARGN)
        set(pixmint_choices_${keyword} "${ARGN}" PARENT_SCOPE)
    endif()
    if(scope STREQUAL "array")
        set(pixmint_array_${keyword} TRUE PARENT_SCOPE)
    endif()
endfunction()

function(_pixmint_font_vocabulary_excludes first second message)
    list(LENGTH pixmint_exclusions index)
    list(APPEND pixmint_exclusions ${index})
    set(pixmint_exclusions "${pixmint_exclusions}" PARENT_SCOPE)
    set(pixmint_excludes_${index} "${first}" "${second}" "${message}" PARENT_SCOPE)
endfunction()

# A format is offered where it has a keyword, and the C source always.
function(_pixmint_font_vocabulary_format keyword option file role makes)
    string(REGEX REPLACE "^--" "" format "${option}")
    if(NOT keyword STREQUAL "-" OR role STREQUAL "source")
        list(APPEND pixmint_formats "${format}")
        set(pixmint_formats "${pixmint_formats}" PARENT_SCOPE)
        if(NOT keyword STREQUAL "-")
            list(APPEND pixmint_flags "${keyword}")
            set(pixmint_flags "${pixmint_flags}" PARENT_SCOPE)
        endif()
    endif()
    foreach(field keyword file role makes)
        set(pixmint_${field}_${format} "${${field}}" PARENT_SCOPE)
    endforeach()
endfunction()

function(_pixmint_font_vocabulary_identifiers format option)
    string(REGEX REPLACE "^--" "" format "${format}")
    set(variable pixmint_identifiers_${format})
    if(NOT option STREQUAL "-")
        string(REGEX REPLACE "^--" "_" option "${option}")
        string(APPEND variable "${option}")
    endif()
    set(${variable} "${ARGN}" PARENT_SCOPE)
endfunction()

# Checks the keywords given against the converter's vocabulary and sets, in the caller,
# <options>: the converter's options that they stand for; <written>: the formats written;
# given_keywords: the keywords given. Reads arg_* and pixmint_* from the caller.
macro(_pixmint_font_options options written)
    set(given_keywords "")
    foreach(keyword IN LISTS pixmint_flags)
        if(arg_${keyword})
            list(APPEND given_keywords "${keyword}")
        endif()
    endforeach()
    foreach(keyword IN LISTS pixmint_values)
        if(DEFINED arg_${keyword})
            list(APPEND given_keywords "${keyword}")
        endif()
        if(DEFINED arg_${keyword} AND DEFINED pixmint_choices_${keyword})
            if(NOT "${arg_${keyword}}" IN_LIST pixmint_choices_${keyword})
                list(JOIN pixmint_choices_${keyword} ", " choices)
                message(FATAL_ERROR "pixmint_add_font: ${keyword} \"${arg_${keyword}}\" is none "
                                    "of ${choices}")
            endif()
        endif()
    endforeach()
    _pixmint_font_exclusions()
    _pixmint_font_formats(${written})
    if(DEFINED arg_RANGE)
        _pixmint_font_range("${arg_RANGE}" arg_RANGE)
    endif()
    set(${options} "")
    foreach(keyword IN LISTS pixmint_options)
        if(keyword IN_LIST pixmint_flags AND arg_${keyword})
            list(APPEND ${options} "${pixmint_option_${keyword}}")
        elseif(pixmint_text_${keyword} AND DEFINED arg_${keyword})
            # A line break ends the command in build.ninja and in a makefile alike.
            if(arg_${keyword} MATCHES "[\r\n]")
                message(FATAL_ERROR "pixmint_add_font: ${keyword} holds a line break, which no "
                                    "build tool passes to a command")
            endif()
            _pixmint_font_text("${pixmint_option_${keyword}}" "${arg_${keyword}}" ${options})
        elseif(keyword IN_LIST pixmint_values AND DEFINED arg_${keyword})
            list(APPEND ${options} "${pixmint_option_${keyword}}" "${arg_${keyword}}")
        endif()
    endforeach()
endmacro()

# Appends to the list named _pixmint_list the option with the text, every character of which must reach
# the converter: a semicolon escaped, so that the list keeps it, and the text split after each
# "$" that "(" follows, each part given to the option again (the converter joins them), since
# a build tool takes "$(" for one of its variables even in a VERBATIM command.
function(_pixmint_font_text option text _pixmint_list)
    string(REPLACE ";" "\\\\;" text "${text}")
    string(REPLACE "$(" "$;(" parts "${text}")
    set(list "${${_pixmint_list}}")
    foreach(part IN LISTS parts)
        list(APPEND list "${option}" "${part}")
    endforeach()
    set(${_pixmint_list} "${list}" PARENT_SCOPE)
endfunction()

# Stops the configuration where two keywords are given whose options the converter refuses
# together, with the converter's message in the words of the keywords. An option that no
# keyword stands for is never given here, so its exclusions never stop a configuration.
function(_pixmint_font_exclusions)
    foreach(index IN LISTS pixmint_exclusions)
        list(GET pixmint_excludes_${index} 2 message)
        set(both TRUE)
        set(keywords 0)
        foreach(keyword IN LISTS pixmint_options)
            set(option "${pixmint_option_${keyword}}")
            list(FIND pixmint_excludes_${index} "${option}" excluded)
            if(excluded GREATER -1 AND excluded LESS 2)
                string(REPLACE "${option}" "${keyword}" message "${message}")
                math(EXPR keywords "${keywords} + 1")
                if(NOT keyword IN_LIST given_keywords)
                    set(both FALSE)
                endif()
            endif()
        endforeach()
        if(both AND keywords EQUAL 2)
            message(FATAL_ERROR "pixmint_add_font: ${message}")
        endif()
    endforeach()
endfunction()

# Sets <written> to the formats that the keywords given ask for: the C source and those
# written beside it, or those that take its place, which no keyword that shapes the C array
# alone may come with.
function(_pixmint_font_formats written)
    set(source "")
    set(beside "")
    set(instead "")
    set(array "")
    foreach(keyword IN LISTS pixmint_options)
        if(pixmint_array_${keyword})
            list(APPEND array "${keyword}")
        endif()
    endforeach()
    foreach(format IN LISTS pixmint_formats)
        set(keyword "${pixmint_keyword_${format}}")
        if(pixmint_role_${format} STREQUAL "source")
            list(APPEND source "${format}")
        elseif(pixmint_role_${format} STREQUAL "adds")
            list(APPEND array "${keyword}")
            if(keyword IN_LIST given_keywords)
                list(APPEND beside "${format}")
            endif()
        elseif(keyword IN_LIST given_keywords)
            list(APPEND instead "${format}")
        endif()
    endforeach()
    foreach(format IN LISTS instead)
        foreach(keyword IN LISTS array)
            if(keyword IN_LIST given_keywords)
                _pixmint_font_join("${array}" " and " shaping)
                message(FATAL_ERROR "pixmint_add_font: ${pixmint_keyword_${format}} makes "
                                    "${pixmint_makes_${format}} of its own and no C array, "
                                    "which ${shaping} shape")
            endif()
        endforeach()
    endforeach()
    if(instead)
        set(${written} "${instead}" PARENT_SCOPE)
    else()
        set(${written} ${source} ${beside} PARENT_SCOPE)
    endif()
endfunction()

# Sets <result> to the items of the list <items> joined with ", ", the last with <last>.
function(_pixmint_font_join items last result)
    list(POP_BACK items final)
    list(JOIN items ", " text)
    if(NOT text STREQUAL "")
        string(APPEND text "${last}")
    endif()
    set(${result} "${text}${final}" PARENT_SCOPE)
endfunction()

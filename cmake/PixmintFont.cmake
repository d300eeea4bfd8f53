# pixmint_add_font(<target> <font.xml>)
#
# Exports the font file as C/C++ source (the array PIXMINT_xxxx, exactly as the editor's
# "Export font as C/C++ code" writes it) at build time, again whenever the font file
# changes, and compiles the source into <target>. A relative path is taken from the
# current source folder.
function(pixmint_add_font target font)
    if(NOT TARGET "${target}")
        message(FATAL_ERROR "pixmint_add_font: ${target} is not a target")
    endif()
    get_filename_component(font_path "${font}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    get_filename_component(font_name "${font}" NAME_WE)
    set(folder "${CMAKE_CURRENT_BINARY_DIR}/pixmint_fonts/${target}")
    set(source "${folder}/${font_name}.cpp")
    # Not every generator makes the folder of a custom command's output.
    file(MAKE_DIRECTORY "${folder}")
    add_custom_command(
        OUTPUT "${source}"
        COMMAND Pixmint::pixmint-export "${font_path}" -o "${source}"
        DEPENDS "${font_path}" Pixmint::pixmint-export
        COMMENT "Exporting the font ${font} as C/C++ source"
        VERBATIM)
    target_sources("${target}" PRIVATE "${source}")
endfunction()

# Installs Pixmint into a fresh prefix, cross-builds the firmware project against it with the
# toolchain file TOOLCHAIN (avr or arm) and checks with the toolchain's objdump where the
# font's array and character map, and the table of codes, went: program memory
# (.progmem.data) for PROGMEM on AVR, read-only data (.rodata) for CONST on ARM. The ARM
# toolchain file searches packages in its sysroot only, so that build finds the package
# through Pixmint_DIR. The AVR project sets no policies (no cmake_minimum_required): the
# package must be found all the same, without a word.
# Variables: PIXMINT_BUILD_DIR, SOURCE_DIR, WORK_DIR, GENERATOR, LANGUAGE, TOOLCHAIN.
include("${CMAKE_CURRENT_LIST_DIR}/common.cmake")

if(TOOLCHAIN STREQUAL "avr")
    set(section .progmem.data)
    set(glyph_bytes 5)
else()
    set(section .rodata)
    set(glyph_bytes 8) # layout rows
endif()
math(EXPR array_bytes "5 * ${glyph_bytes}")  # 5 glyphs
math(EXPR table_bytes "16 * ${glyph_bytes}") # the codes 0x42 to 0x51

set(prefix "${WORK_DIR}/prefix")
set(build "${WORK_DIR}/build")
file(REMOVE_RECURSE "${WORK_DIR}")
run(${CMAKE_COMMAND} --install "${PIXMINT_BUILD_DIR}" --prefix "${prefix}")
if(TOOLCHAIN STREQUAL "avr")
    set(find "-DCMAKE_PREFIX_PATH=${prefix}")
else()
    file(GLOB_RECURSE config "${prefix}/PixmintConfig.cmake")
    get_filename_component(config_folder "${config}" DIRECTORY)
    set(find "-DPixmint_DIR=${config_folder}" -DMINIMUM_REQUIRED=ON)
endif()
run(${CMAKE_COMMAND} -S "${SOURCE_DIR}" -B "${build}" -G "${GENERATOR}" ${find}
    "-DCMAKE_TOOLCHAIN_FILE=${SOURCE_DIR}/${TOOLCHAIN}.cmake" -DLANGUAGE=${LANGUAGE})
if(run_output MATCHES "CMake (Warning|Error)[^\n]*/Pixmint/")
    message(FATAL_ERROR "the package warns:\n${run_output}")
endif()
run(${CMAKE_COMMAND} --build "${build}" --parallel 1)

file(STRINGS "${build}/CMakeCache.txt" objdump REGEX "^CMAKE_OBJDUMP:")
string(REGEX REPLACE "^[^=]*=" "" objdump "${objdump}")
# check_symbols(<font> <symbol>:<bytes>...): the object of the font defines exactly these
# objects, each in the section with that size.
function(check_symbols font)
    file(GLOB_RECURSE object "${build}/CMakeFiles/firmware.dir/*/${font}.c*.o"
         "${build}/CMakeFiles/firmware.dir/*/${font}.c*.obj")
    list(LENGTH object count)
    if(NOT count EQUAL 1)
        message(FATAL_ERROR "expected one object of ${font}, found: ${object}")
    endif()
    run("${objdump}" -t "${object}")
    string(REGEX MATCHALL "[ \t]O[ \t][^\n]*" objects "${run_output}")
    list(LENGTH objects found)
    list(LENGTH ARGN expected)
    if(NOT found EQUAL expected)
        message(FATAL_ERROR "${object} defines ${found} objects, expected ${expected}:\n"
                            "${run_output}")
    endif()
    foreach(symbol_bytes IN LISTS ARGN)
        string(REPLACE ":" ";" symbol_bytes "${symbol_bytes}")
        list(GET symbol_bytes 0 symbol)
        list(GET symbol_bytes 1 bytes)
        if(NOT run_output MATCHES "[ \t]([^ \t\n]+)\t([0-9a-f]+) ${symbol}\n")
            message(FATAL_ERROR "${object} does not define ${symbol}:\n${run_output}")
        endif()
        math(EXPR size "0x${CMAKE_MATCH_2}")
        if(NOT CMAKE_MATCH_1 STREQUAL section OR NOT size EQUAL bytes)
            message(FATAL_ERROR "${symbol} is in ${CMAKE_MATCH_1} with ${size} bytes, expected "
                                "${section} with ${bytes}:\n${run_output}")
        endif()
    endforeach()
endfunction()
check_symbols(font5x8 "font5x8:${array_bytes}" "font5x8_map:512")
check_symbols(table5x8 "table5x8:${table_bytes}")

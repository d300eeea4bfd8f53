# Installs Pixmint and uses the programs from a shell: every example that a program's --help
# shows runs as written, in order, in an empty folder (pixmint-font's make the font that the
# others read); then completion.bash drives the installed bash completion. The editor's
# examples need a display and are left out.
# Variables: PIXMINT_BUILD_DIR, WORK_DIR.
include("${CMAKE_CURRENT_LIST_DIR}/../consumer/common.cmake")

set(prefix "${WORK_DIR}/prefix")
set(folder "${WORK_DIR}/folder")
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${folder}/folder")
run(${CMAKE_COMMAND} --install "${PIXMINT_BUILD_DIR}" --prefix "${prefix}")
set(path "PATH=${prefix}/bin:$ENV{PATH}")

foreach(program pixmint-font pixmint-export pixmint-import)
    execute_process(COMMAND "${prefix}/bin/${program}" --help OUTPUT_VARIABLE help)
    # The command lines, indented by four blanks or more, of the examples.
    string(REGEX REPLACE ".*\nExamples:\n" "" examples "${help}")
    string(REGEX REPLACE "\n ? ? ?[^ \n][^\n]*" "\n" script "\n${examples}")
    file(WRITE "${WORK_DIR}/${program}.sh" "${script}")
    run(${CMAKE_COMMAND} -E env "${path}" bash -e "${WORK_DIR}/${program}.sh"
        WORKING_DIRECTORY "${folder}")
endforeach()

# The folder that completion.bash completes in: the default font with one more glyph.
file(REMOVE "${folder}/back.xml" "${folder}/dejavu.xml" "${folder}/font.c" "${folder}/font.h"
     "${folder}/font.xml")
file(WRITE "${folder}/a.c" "")
run(${CMAKE_COMMAND} -E env "${path}" bash -e -c "pixmint-font new font.xml
    pixmint-font add font.xml \"C99  'quote\"" WORKING_DIRECTORY "${folder}")
run(${CMAKE_COMMAND} -E env "${path}" LC_ALL=C.UTF-8 bash "${CMAKE_CURRENT_LIST_DIR}/completion.bash"
    "${prefix}/share/bash-completion/completions/pixmint-font" WORKING_DIRECTORY "${folder}")

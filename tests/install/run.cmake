# Installs Pixmint into a fresh prefix and checks what a desktop reads from it with the
# desktop's own tools, then builds the Debian packages and checks that between them they hold
# that same install under /usr with dependencies computed from the linked libraries, and
# that the tools' package serves a firmware build alone.
# Variables: PIXMINT_BUILD_DIR, WORK_DIR, VERSION, CPACK, LICENSE (the source tree's), HARDENED
# (whether the build has Debian's hardening flags).
cmake_minimum_required(VERSION 3.25)

function(run output_variable)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output
                    ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "failed (${result}): ${ARGN}\n${output}")
    endif()
    set(${output_variable} "${output}" PARENT_SCOPE)
endfunction()

# check(<message> <condition>...): stops with the message unless the if() condition holds.
function(check message)
    if(NOT (${ARGN}))
        message(FATAL_ERROR "${message}")
    endif()
endfunction()

file(REMOVE_RECURSE "${WORK_DIR}")
set(prefix "${WORK_DIR}/prefix")
set(share "${prefix}/share")
run(ignored ${CMAKE_COMMAND} --install "${PIXMINT_BUILD_DIR}" --prefix "${prefix}")

# The menu entry.
set(desktop "${share}/applications/pixmint.desktop")
run(output desktop-file-validate "${desktop}")
if(NOT output STREQUAL "")
    message(FATAL_ERROR "desktop-file-validate:\n${output}")
endif()

# The metadata: valid, for this version, naming every installed program.
file(GLOB metainfo "${share}/metainfo/*.metainfo.xml")
list(LENGTH metainfo count)
check("expected one metainfo file, found: ${metainfo}" count EQUAL 1)
run(output appstreamcli validate --no-net "${metainfo}")
file(READ "${metainfo}" text)
string(FIND "${text}" "<release version=\"${VERSION}\"" at)
check("the metainfo has no release ${VERSION}" at GREATER -1)
file(GLOB programs RELATIVE "${prefix}/bin" "${prefix}/bin/*")
foreach(program IN LISTS programs)
    string(FIND "${text}" "<binary>${program}</binary>" at)
    check("the metainfo does not name the installed program ${program}" at GREATER -1)
endforeach()

# The licences: the program's and the metadata's own.
foreach(element "<project_license>MIT</project_license>" "<metadata_license>(CC0-1[.]0|FSFAP)<")
    check("the metainfo lacks ${element}" text MATCHES "${element}")
endforeach()

# The copyright file, through Debian's own reader of its format (python3-debian, strict):
# every file under the MIT licence (Debian's name for it is Expat), with the text of LICENSE.
set(copyright "${share}/doc/pixmint/copyright")
check("no copyright file: ${copyright}" EXISTS "${copyright}")
run(output /usr/bin/python3 -c [=[
import json, sys
from debian.copyright import Copyright
with open(sys.argv[1], encoding="utf-8") as file:
    copyright = Copyright(file, strict=True)
licence = copyright.find_files_paragraph("usr/bin/pixmint").license.synopsis
texts = [p.license.text for p in copyright.all_license_paragraphs()
         if p.license.synopsis == licence]
print(json.dumps({"licence": licence, "comment": copyright.header.comment or "",
                  "text": texts[0] if texts else ""}))
]=] "${copyright}")
foreach(field licence comment text)
    string(JSON copyright_${field} GET "${output}" ${field})
endforeach()
check("the copyright file's licence is '${copyright_licence}', not Expat"
      copyright_licence STREQUAL "Expat")
check("the copyright file does not name the MIT licence" copyright_comment MATCHES "MIT licence")
file(READ "${LICENSE}" expected)
string(FIND "${expected}" "Permission is hereby granted" at)
string(SUBSTRING "${expected}" ${at} -1 expected)
string(COMPARE EQUAL "${copyright_text}\n" "${expected}" same)
check("the copyright file's licence text is not that of LICENSE:\n${copyright_text}" same)
file(SHA256 "${copyright}" editor_sum)
file(SHA256 "${share}/doc/pixmint-tools/copyright" tools_sum)
check("pixmint-tools has another copyright file" editor_sum STREQUAL tools_sum)

# The MIME type: compiled from the installed definition, the CharSet root (in no namespace)
# stands for it, and it is the type that the menu entry opens.
file(COPY "${share}/mime/packages/pixmint.xml" DESTINATION "${WORK_DIR}/mime/packages")
run(ignored env PKGSYSTEM_ENABLE_FSYNC=0 update-mime-database "${WORK_DIR}/mime")
file(STRINGS "${WORK_DIR}/mime/XMLnamespaces" roots)
check("the CharSet root maps to no type:\n${roots}"
      " CharSet application/x-pixmint-font" IN_LIST roots)
file(STRINGS "${WORK_DIR}/mime/types" types)
file(STRINGS "${desktop}" opened REGEX "^MimeType=")
string(REGEX MATCHALL "[^=;\\]+/[^;\\]+" opened "${opened}")
check("the menu entry opens no MIME type" opened)
foreach(type IN LISTS opened)
    check("the menu entry opens ${type}, which is not defined" type IN_LIST types)
endforeach()

# The Debian packages, built aside from the build folder: pixmint-tools and pixmint, which
# hold that same install under /usr between them, no file in both.
run(ignored "${CPACK}" -G DEB --config "${PIXMINT_BUILD_DIR}/CPackConfig.cmake"
    -B "${WORK_DIR}/package")
file(GLOB tools "${WORK_DIR}/package/pixmint-tools_*.deb")
file(GLOB editor "${WORK_DIR}/package/pixmint_*.deb")
set(files "")
foreach(package IN ITEMS "${tools}" "${editor}")
    run(listing dpkg-deb --contents "${package}")
    string(REGEX MATCHALL "\n-[^\n]* \\./[^\n]*" listed "\n${listing}")
    list(APPEND files ${listed})
endforeach()
list(TRANSFORM files REPLACE ".* \\./" "/")
list(SORT files)
file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE "${WORK_DIR}" "${prefix}/*")
list(TRANSFORM installed REPLACE "^prefix/" "/usr/")
list(SORT installed)
check("the packages hold:\n${files}\nthe install put:\n${installed}"
      files STREQUAL installed)
# The editor's package takes the tools of its own version; the tools take no GUI library.
run(version dpkg-deb --field "${tools}" Version)
string(STRIP "${version}" version)
run(depends dpkg-deb --field "${editor}" Depends)
foreach(dependency "pixmint-tools (= ${version})" "libqt6widgets6 (")
    string(FIND "${depends}" "${dependency}" at)
    check("pixmint does not depend on ${dependency}: ${depends}" at GREATER -1)
endforeach()
run(depends dpkg-deb --field "${tools}" Depends)
foreach(library libqt6core6 libfreetype6 libc6)
    string(FIND "${depends}" "${library} (" at)
    check("pixmint-tools does not depend on ${library}: ${depends}" at GREATER -1)
endforeach()
# Qt Xml serves the DOM reading route alone, which no program calls.
check("pixmint-tools depends on Qt Xml: ${depends}" NOT depends MATCHES "libqt6xml")
check("pixmint-tools depends on a GUI library: ${depends}" NOT depends MATCHES
      "libqt6(gui|widgets|opengl|dbus)|libx11|libxcb|libxkb|libgl|libegl|libopengl")

# pixmint-tools alone, as a build server installs it: a firmware project compiles a font
# through its CMake package.
set(root "${WORK_DIR}/root")
run(ignored dpkg-deb -x "${tools}" "${root}")
check("pixmint-tools holds the editor" NOT EXISTS "${root}/usr/bin/pixmint")
include("${CMAKE_CURRENT_LIST_DIR}/project.cmake")
firmware_from("${root}/usr" "${WORK_DIR}/project" pixmint)

# Both packages as a system that installs them sees them (unpacked into a folder): each
# program with its manual page and its completion, every page clean under mandoc's and man's
# checks, and reached by man through MANPATH as by name.
run(ignored dpkg-deb -x "${editor}" "${root}")
file(GLOB programs RELATIVE "${root}/usr/bin" "${root}/usr/bin/*")
foreach(program IN LISTS programs)
    foreach(file man/man1/${program}.1.gz bash-completion/completions/${program})
        check("the package has no ${file}" EXISTS "${root}/usr/share/${file}")
    endforeach()
endforeach()
file(GLOB_RECURSE pages "${root}/usr/share/man/*.gz")
list(LENGTH pages count)
check("expected a manual page for each program and one for the file format: ${pages}"
      count EQUAL 5)
foreach(page IN LISTS pages)
    run(output mandoc -Tlint "${page}")
    check("mandoc -Tlint ${page}:\n${output}" output MATCHES "^$")
    execute_process(COMMAND man --warnings -E UTF-8 -l "${page}" OUTPUT_QUIET
                    ERROR_VARIABLE output RESULT_VARIABLE result)
    check("man --warnings -l ${page} (${result}):\n${output}" result EQUAL 0 AND output MATCHES "^$")
endforeach()
# Each page names every option of its program's --help, and says how it ends.
foreach(program IN LISTS programs)
    run(help "${root}/usr/bin/${program}" --help)
    string(REGEX MATCHALL "\n  (-[-a-z]+)(, --[-a-z]+)?" options "${help}")
    run(page env MANWIDTH=100 man -E ascii -l "${root}/usr/share/man/man1/${program}.1.gz")
    foreach(text IN LISTS options ITEMS "EXIT STATUS" "EXAMPLES" "SEE ALSO")
        string(STRIP "${text}" text)
        string(FIND "${page}" "${text}" at)
        check("the manual page of ${program} does not say ${text}:\n${page}" at GREATER -1)
    endforeach()
endforeach()
foreach(name "pixmint-font" "5 pixmint")
    separate_arguments(name)
    run(page env "MANPATH=${root}/usr/share/man" MANWIDTH=100 man -E ascii ${name})
    check("man ${name} through MANPATH:\n${page}" page MATCHES "^PIXMINT")
endforeach()

# lintian, with its default profile: no error, no warning. Of a build with Debian's hardening,
# nothing more with --pedantic -I either (each package explains its one override).
foreach(profile "" "--pedantic;-I")
    execute_process(COMMAND lintian ${profile} "${tools}" "${editor}" OUTPUT_VARIABLE output
                    ERROR_VARIABLE ignored RESULT_VARIABLE result)
    check("lintian ${profile} (${result}):\n${output}" result EQUAL 0 AND output MATCHES "^$")
    if(NOT HARDENED)
        break()
    endif()
endforeach()

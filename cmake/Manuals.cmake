# The release and the manual pages, included by the top-level CMakeLists.txt.

# The release: the Debian changelog's latest entry, which must be for this version, gives the
# package's revision and the date of the manual pages.
file(READ ${PROJECT_SOURCE_DIR}/data/changelog changelog)
string(FIND "${changelog}" "\n -- " trailer)
string(SUBSTRING "${changelog}" ${trailer} 80 trailer)
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
if(NOT changelog MATCHES "^pixmint \\(([0-9.]+)-([0-9]+)\\)"
   OR NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "data/changelog: the latest entry is not for ${PROJECT_VERSION}")
endif()
set(PIXMINT_PACKAGE_REVISION ${CMAKE_MATCH_2})
if(NOT trailer MATCHES "  [A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9]+) ")
    message(FATAL_ERROR "data/changelog: the latest entry has no date")
endif()
list(FIND months ${CMAKE_MATCH_2} month)
math(EXPR month "${month} + 1" OUTPUT_FORMAT DECIMAL)
string(LENGTH "${month}" length)
if(length EQUAL 1)
    set(month 0${month})
endif()
set(PIXMINT_RELEASE_DATE ${CMAKE_MATCH_3}-${month}-${CMAKE_MATCH_1})
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/changelog)

# Section 1: a program's page is made from its --help and docs/man/PROGRAM.1.roff each time
# the program is linked, so that the page is there wherever the program was built, and says
# what that program says. A change of either source links the program again.
function(pixmint_add_manual target)
    set(source ${PROJECT_SOURCE_DIR}/docs/man/${target}.1.roff)
    set(generator ${PROJECT_SOURCE_DIR}/cmake/ManualPage.cmake)
    set(page ${PROJECT_BINARY_DIR}/man/${target}.1.gz)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${target}> -DSOURCE=${source}
            -DOUTPUT=${page} -DVERSION=${PROJECT_VERSION} -DDATE=${PIXMINT_RELEASE_DATE}
            -P ${generator}
        BYPRODUCTS ${page} VERBATIM)
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${source} ${generator})
endfunction()

# Section 5, the font file format: scdoc's source, made at configuration. scdoc starts every
# section and block with a paragraph that man and mandoc skip with a warning: they go, and
# the date is the release's.
find_program(PIXMINT_SCDOC scdoc)
if(NOT PIXMINT_SCDOC)
    message(FATAL_ERROR "scdoc, which makes the manual page pixmint(5), is not installed "
                        "(Debian: apt-get install scdoc)")
endif()
configure_file(docs/man/pixmint.5.scd man/pixmint.5.scd @ONLY)
execute_process(COMMAND ${PIXMINT_SCDOC} INPUT_FILE ${PROJECT_BINARY_DIR}/man/pixmint.5.scd
    OUTPUT_VARIABLE page RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "scdoc failed on docs/man/pixmint.5.scd")
endif()
string(REGEX REPLACE "(\n[.](TH|SH|SS) [^\n]*)\n[.]P\n" "\\1\n" page "${page}")
string(REGEX REPLACE "(\n[.](TH|SH|SS) [^\n]*)\n[.]P\n" "\\1\n" page "${page}")
string(REGEX REPLACE "\n[.]P(\n[.](P|SH|SS)[\n ])" "\\1" page "${page}")
string(REGEX REPLACE "\n[.]P(\n[.](P|SH|SS)[\n ])" "\\1" page "${page}")
string(REGEX REPLACE "(\n[.]TH \"[^\"]*\" \"5\" )\"[^\"]*\"" "\\1\"${PIXMINT_RELEASE_DATE}\""
       page "${page}")
file(WRITE ${PROJECT_BINARY_DIR}/man/pixmint.5 "${page}")
execute_process(COMMAND gzip -9nf ${PROJECT_BINARY_DIR}/man/pixmint.5)

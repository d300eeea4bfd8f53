# Read by cpack (CPACK_PROJECT_CONFIG_FILE): the packages that the build folder makes, each
# holding every program that its description names. pixmint-tools needs the three
# command-line programs, so a folder where one was not built (cmake --build --target
# pixmint-export) makes no package at all; one where the editor was not built makes
# pixmint-tools alone.
foreach(program pixmint-export pixmint-import pixmint-font)
    if(NOT EXISTS "${CPACK_PIXMINT_BIN_DIR}/${program}")
        message(FATAL_ERROR "the package pixmint-tools would lack ${program}, which was not "
                            "built: build it first (cmake --build BUILD-FOLDER --target "
                            "pixmint-export pixmint-import pixmint-font)")
    endif()
endforeach()
if(NOT EXISTS "${CPACK_PIXMINT_BIN_DIR}/pixmint")
    set(CPACK_COMPONENTS_ALL converters development)
endif()
# Each package's description begins with its own summary: the project's one summary is not
# put before it.
unset(CPACK_PACKAGE_DESCRIPTION_SUMMARY)

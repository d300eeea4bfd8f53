# Run by cpack once it has installed what the package is to hold (CPACK_PRE_BUILD_SCRIPTS): the
# package "pixmint" holds every program that its description names, so a build folder where
# only some were built (cmake --build --target pixmint-export) makes no package at all.
set(bin "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/bin")
foreach(program pixmint pixmint-export pixmint-import pixmint-font)
    if(NOT EXISTS "${bin}/${program}")
        message(FATAL_ERROR "the package would lack ${program}, which was not built: build "
                            "every program first (cmake --build BUILD-FOLDER)")
    endif()
endforeach()

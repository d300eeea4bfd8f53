# Package configuration of Pixmint: the pixmint-export converter as Pixmint::pixmint-export
# and pixmint_add_font() to generate a font's C/C++ source at build time; the other programs
# as Pixmint::pixmint-import, Pixmint::pixmint-font and Pixmint::pixmint.
include("${CMAKE_CURRENT_LIST_DIR}/PixmintTargets.cmake")
include("${CMAKE_CURRENT_LIST_DIR}/PixmintFont.cmake")

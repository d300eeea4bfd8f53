/* Auto generated file: u8x8 font small, for u8x8_SetFont(&u8x8, small)
   codes 0x42 to 0x51 (those with a glyph), 5 x 8 pixels a glyph at the left of its
   8 x 8 tile, whose rows are the glyph's */
#include <stdint.h>

#ifndef U8X8_FONT_SECTION
#if defined(__GNUC__) && defined(__AVR__)
#define U8X8_FONT_SECTION(name) __attribute__((section(".progmem." name)))
#else
#define U8X8_FONT_SECTION(name)
#endif
#endif

#ifdef __cplusplus
extern "C" {
#endif
extern const uint8_t small[132] U8X8_FONT_SECTION("small");
#ifdef __cplusplus
}
#endif

const uint8_t small[132] U8X8_FONT_SECTION("small") =
    "BQ\1\1\177III6\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0"
    "\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0"
    "\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0"
    "\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0";

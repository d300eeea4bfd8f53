/* Auto generated file: u8g2 font small, for u8g2_SetFont(&u8g2, small)
   codes 0x42 to 0x51, 5 x 8 pixels a glyph, advance 6; u8g2_DrawStr's y is the baseline,
   just below grid row 7; each glyph in a box around its lit pixels */
#include <stdint.h>

#ifndef U8G2_FONT_SECTION
#if defined(__GNUC__) && defined(__AVR__)
#define U8G2_FONT_SECTION(name) __attribute__((section(".progmem." name)))
#else
#define U8G2_FONT_SECTION(name)
#endif
#endif

#ifdef __cplusplus
extern "C" {
#endif
extern const uint8_t small[100] U8G2_FONT_SECTION("small");
#ifdef __cplusplus
}
#endif

const uint8_t small[100] U8G2_FONT_SECTION("small") =
    "\20\0\2\2\3\3\1\2\4\5\10\0\0\10\0\10\0\0\0\0E\0GB\11\375\35+\33+\33\13C"
    "\4@\35D\4@\35E\4@\35F\4@\35G\4@\35H\4@\35I\4@\35J\4@\35K\4@\35L\4@\35M\4"
    "@\35N\4@\35O\4@\35P\4@\35Q\4@\35\0\0\0\4\377\377\0";

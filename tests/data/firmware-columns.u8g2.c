/* Auto generated file: u8g2 font small, for u8g2_SetFont(&u8g2, small)
   codes 0x20 to 0x7e, 5 x 8 pixels a glyph, advance 6; u8g2_DrawStr's y is the baseline,
   just below grid row 0; each glyph in a box around its lit pixels */
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
extern const uint8_t small[418] U8G2_FONT_SECTION("small");
#ifdef __cplusplus
}
#endif

const uint8_t small[418] U8G2_FONT_SECTION("small") =
    "_\0\2\2\3\3\1\4\4\5\10\0\371\1\371\1\371\0\204\1\12\1\205 \4@t!\4@t\"\4@"
    "t#\4@t$\4@t%\4@t&\4@t'\4@t(\4@t)\4@t*\4@t+\4@t,\4@t-\4@t.\4@t/\4@t0\4@t1"
    "\4@t2\4@t3\4@t4\4@t5\4@t6\4@t7\4@t8\4@t9\4@t:\4@t;\4@t<\4@t=\4@t>\4@t\?"
    "\4@t@\4@tA\4@tB\12}q\254l\254l,\0C\4@tD\4@tE\4@tF\4@tG\4@tH\4@tI\4@tJ\4@"
    "tK\4@tL\4@tM\4@tN\4@tO\4@tP\4@tQ\4@tR\4@tS\4@tT\4@tU\4@tV\4@tW\4@tX\4@tY"
    "\4@tZ\4@t[\4@t\\\4@t]\4@t^\4@t_\4@t`\4@ta\5\311p\2b\4@tc\4@td\4@te\4@tf"
    "\4@tg\4@th\4@ti\4@tj\4@tk\4@tl\4@tm\4@tn\4@to\4@tp\4@tq\4@tr\4@ts\4@tt\4"
    "@tu\4@tv\4@tw\4@tx\4@ty\4@tz\4@t{\4@t|\4@t}\4@t~\4@t\0\0\0\4\377\377\0";

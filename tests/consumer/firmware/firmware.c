/* Copies the glyphs of a text into a display buffer, as firmware does: through the font's
   headers, by its character map and from its table of codes, from program memory on AVR.
   Valid C and C++. */
#include "font5x8.h"
#include "table5x8.h"

#if defined(__AVR__)
#define GLYPH_OF(c) pgm_read_word(&font5x8_map[(unsigned char)(c)])
#define BYTE_OF(glyph, byte) pgm_read_byte(&font5x8[glyph][byte])
#define TABLE_BYTE_OF(row, byte) pgm_read_byte(&table5x8[row][byte])
#else
#define GLYPH_OF(c) font5x8_map[(unsigned char)(c)]
#define BYTE_OF(glyph, byte) font5x8[glyph][byte]
#define TABLE_BYTE_OF(row, byte) table5x8[row][byte]
#endif

volatile unsigned char display[64];

int main(void)
{
    const char* text = "B Q";
    unsigned char x = 0;
    for (; *text; ++text) {
        unsigned short glyph = GLYPH_OF(*text);
        unsigned char byte;
        if (glyph == font5x8_NONE)
            continue;
        for (byte = 0; byte < font5x8_BYTES && x < sizeof display; ++byte)
            display[x++] = BYTE_OF(glyph, byte);
    }
    for (text = "B Q"; *text; ++text) {
        unsigned char code = (unsigned char)*text;
        unsigned char byte;
        if (code < table5x8_FIRST || code > table5x8_LAST)
            continue;
        for (byte = 0; byte < table5x8_BYTES && x < sizeof display; ++byte)
            display[x++] = TABLE_BYTE_OF(code - table5x8_FIRST, byte);
    }
    return 0;
}

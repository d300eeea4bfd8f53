/* Prints the rows of the compiled-in fonts, one glyph a line, as hexadecimal bytes: the
   editor's export, then the glyph of "A" found through the character map of the second font,
   then the rows of the table of codes, then the rows of three characters in the subset. Valid
   C and C++. */
#include <stdio.h>

#include "char_table.h"
#include "code_table.h"
#include "small_font.h"

extern unsigned char PIXMINT_xxxx[][5];

int main(void)
{
    int glyph;
    int byte;
    for (glyph = 0; glyph < GLYPH_COUNT; ++glyph) {
        for (byte = 0; byte < 5; ++byte)
            printf("%02x", PIXMINT_xxxx[glyph][byte]);
        printf("\n");
    }
    printf("%d glyphs of %d bytes, A is %d, q is %s\n", small_font_COUNT, small_font_BYTES,
           small_font_map['A'], small_font_map['q'] == small_font_NONE ? "none" : "a glyph");
    for (byte = 0; byte < small_font_BYTES; ++byte)
        printf("%02x", small_font[small_font_map['A']][byte]);
    printf("\n");
    printf("codes %d to %d, %d rows of %d bytes\n", code_table_FIRST, code_table_LAST,
           code_table_COUNT, code_table_BYTES);
    for (glyph = code_table_FIRST; glyph <= code_table_LAST; ++glyph) {
        for (byte = 0; byte < code_table_BYTES; ++byte)
            printf("%02x", code_table[glyph - code_table_FIRST][byte]);
        printf("\n");
    }
    printf("%d characters: A %d, a %d, ; %s\n", char_table_COUNT, char_table_row('A'),
           char_table_row('a'), char_table_row(';') == char_table_NONE ? "none" : "a row");
    return 0;
}

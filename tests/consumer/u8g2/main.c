/* Prints the glyph count and the box height of the u8g2 font, from its header: RANGE gives
   the count, the cell the height. */
#include <stdint.h>
#include <stdio.h>

#ifdef __cplusplus
extern "C" {
#endif
extern const uint8_t u8g2_font[];
#ifdef __cplusplus
}
#endif

int main(void)
{
    printf("%d glyphs, %d high\n", u8g2_font[0], u8g2_font[10]);
    return 0;
}

// Prints the codes of the GFX font, then each code's glyph: its size and its bitmap's bytes.
#include <Adafruit_GFX.h>
#include <cstdio>

#include "gfx_font.h"

int main()
{
    std::printf("%u-%u", gfx_font.first, gfx_font.last);
    for (unsigned code = gfx_font.first; code <= gfx_font.last; ++code) {
        const GFXglyph& glyph = gfx_font.glyph[code - gfx_font.first];
        std::printf(" %ux%u:", glyph.width, glyph.height);
        for (int byte = 0; byte < (glyph.width * glyph.height + 7) / 8; ++byte)
            std::printf("%02x", gfx_font.bitmap[glyph.bitmapOffset + byte]);
    }
    std::printf("\n");
}

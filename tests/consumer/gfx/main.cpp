// Prints the GFX font's codes, then each code's glyph: its size and its bitmap's bytes.
#include <Adafruit_GFX.h>
#include <cstdio>

#include "gfx_font.h"

int main()
{
    std::printf("%u-%u", gfx_font.first, gfx_font.last);
    for (const GFXglyph* glyph = gfx_font.glyph; glyph <= &gfx_font.glyph[2]; ++glyph) {
        std::printf(" %ux%u:", glyph->width, glyph->height);
        for (int byte = 0; byte < glyph->width * glyph->height / 8; ++byte)
            std::printf("%02x", gfx_font.bitmap[glyph->bitmapOffset + byte]);
    }
    std::printf("\n");
}

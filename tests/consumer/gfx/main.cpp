// Prints the bitmap of the GFX font's "A".
#include <Adafruit_GFX.h>
#include <cstdio>

#include "gfx_font.h"

int main()
{
    for (int byte = 0; byte < 5; ++byte)
        std::printf("%02x",
                    gfx_font.bitmap[gfx_font.glyph['A' - gfx_font.first].bitmapOffset + byte]);
}

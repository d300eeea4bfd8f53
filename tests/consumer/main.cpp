// Prints the rows of the compiled-in font, one glyph a line, as hexadecimal bytes.
#include <cstdio>

extern unsigned char PIXMINT_xxxx[][5];

int main()
{
    for (int glyph = 0; glyph < GLYPH_COUNT; ++glyph) {
        for (int column = 0; column < 5; ++column)
            std::printf("%02x", PIXMINT_xxxx[glyph][column]);
        std::printf("\n");
    }
    return 0;
}

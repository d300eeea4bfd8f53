/* bench_gfx_floor FONT FIRST LAST HEADER: the floor of pixmint-export's start-up. A plain C
   program on FreeType doing the same kind of work as `pixmint-export font.xml --gfx f.h`:
   open a bitmap font, take each glyph of codes FIRST to LAST, and write an Adafruit GFX
   header (bits packed row by row, one glyph table, the font). */
#include <ft2build.h>
#include FT_FREETYPE_H

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int main(int argc, char* argv[])
{
    FT_Library library;
    FT_Face face;
    if (argc != 5 || FT_Init_FreeType(&library) || FT_New_Face(library, argv[1], 0, &face) ||
        FT_Set_Pixel_Sizes(face, 0, (FT_UInt)face->available_sizes[0].height)) {
        fprintf(stderr, "usage: bench_gfx_floor FONT FIRST LAST HEADER (a bitmap font)\n");
        return 2;
    }
    const long first = strtol(argv[2], NULL, 0);
    const long last = strtol(argv[3], NULL, 0);
    FILE* out = fopen(argv[4], "w");
    if (!out || first < 0 || last < first)
        return 2;
    char glyphs[65536];
    size_t used = 0;
    unsigned offset = 0;
    fprintf(out, "#include <stdint.h>\n#include \"gfxfont.h\"\n\n"
                 "const uint8_t font_Bitmaps[] = {\n");
    for (long code = first; code <= last; ++code) {
        if (FT_Load_Char(face, (FT_ULong)code, FT_LOAD_RENDER | FT_LOAD_MONOCHROME))
            return 1;
        const FT_Bitmap* bitmap = &face->glyph->bitmap;
        unsigned bits = 0, filled = 0, bytes = 0;
        for (unsigned row = 0; row < bitmap->rows; ++row)
            for (unsigned column = 0; column < bitmap->width; ++column) {
                const unsigned char* line = bitmap->buffer + (long)row * bitmap->pitch;
                bits = bits << 1 | ((line[column / 8] >> (7 - column % 8)) & 1);
                if (++filled == 8) {
                    fprintf(out, "0x%02x, ", bits);
                    bits = filled = 0;
                    ++bytes;
                }
            }
        if (filled) {
            fprintf(out, "0x%02x, ", bits << (8 - filled));
            ++bytes;
        }
        fprintf(out, "/* 0x%02lx */\n", code);
        used += (size_t)snprintf(glyphs + used, sizeof glyphs - used,
                                 "    {%u, %u, %u, %ld, %d, %d}, /* 0x%02lx */\n", offset,
                                 bitmap->width, bitmap->rows, face->glyph->advance.x >> 6,
                                 face->glyph->bitmap_left, -face->glyph->bitmap_top, code);
        if (used >= sizeof glyphs)
            return 1;
        offset += bytes;
    }
    fprintf(out,
            "};\n\nconst GFXglyph font_Glyphs[] = {\n%s};\n\n"
            "const GFXfont font = {(uint8_t *)font_Bitmaps, (GFXglyph *)font_Glyphs, "
            "0x%02lx, 0x%02lx, %ld};\n",
            glyphs, first, last, face->size->metrics.height >> 6);
    if (fclose(out) != 0)
        return 1;
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return 0;
}

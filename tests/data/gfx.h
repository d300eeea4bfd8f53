/* Auto generated file: Adafruit GFX font font5x8, for setFont(&font5x8)
   codes 0x3e to 0x43, 5 x 8 pixels a glyph, advance 6; the cursor's y is the baseline,
   just below grid row 6 */
#ifndef PIXMINT_GFX_font5x8_H
#define PIXMINT_GFX_font5x8_H

#include <stdint.h>

#ifndef _GFXFONT_H_
#define _GFXFONT_H_
typedef struct {
    uint16_t bitmapOffset;
    uint8_t width;
    uint8_t height;
    uint8_t xAdvance;
    int8_t xOffset;
    int8_t yOffset;
} GFXglyph;
typedef struct {
    uint8_t *bitmap;
    GFXglyph *glyph;
    uint16_t first;
    uint16_t last;
    uint8_t yAdvance;
} GFXfont;
#endif

#if defined(PROGMEM)
PROGMEM
#elif defined(__AVR__)
__attribute__((__progmem__))
#endif
const uint8_t font5x8_Bitmaps[] = {
    0x74, 0x42, 0x22, 0x00, 0x80, /* 0x3f: tab\t"q"\  ? */
    0x74, 0x63, 0xf8, 0xc6, 0x20, /* 0x41: C27  A */
};

#if defined(PROGMEM)
PROGMEM
#elif defined(__AVR__)
__attribute__((__progmem__))
#endif
const GFXglyph font5x8_Glyphs[] = {
    {0, 0, 0, 6, 0, 0}, /* 0x3e: no glyph */
    {0, 5, 8, 6, 0, -7}, /* 0x3f: tab\t"q"\  ? */
    {5, 0, 0, 6, 0, 0}, /* 0x40: no glyph */
    {5, 5, 8, 6, 0, -7}, /* 0x41: C27  A */
    {10, 0, 0, 6, 0, 0}, /* 0x42: no glyph */
    {10, 0, 0, 6, 0, 0} /* 0x43: no glyph */
};

#if defined(PROGMEM)
PROGMEM
#elif defined(__AVR__)
__attribute__((__progmem__))
#endif
const GFXfont font5x8 = {(uint8_t *)font5x8_Bitmaps, (GFXglyph *)font5x8_Glyphs, 0x3e, 0x43, 8};

#endif

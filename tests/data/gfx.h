/* Auto generated file: Adafruit GFX font font5x8, for setFont(&font5x8)
   codes 0x42 to 0x61 of 5 x 8 pixels, advance 6; each glyph's bitmap is the box of its
   lit pixels (width, height, xOffset, yOffset), row by row, the most significant
   bit first, the bits running on across rows; the cursor's y is the baseline,
   just below grid row 7 */
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
    0xf4, 0x63, 0xe8, 0xc7, 0xc0, /* 0x42: C28  B */
    0x80, /* 0x61: C00  a */
};

#if defined(PROGMEM)
PROGMEM
#elif defined(__AVR__)
__attribute__((__progmem__))
#endif
const GFXglyph font5x8_Glyphs[] = {
    {0, 5, 7, 6, 0, -8}, /* 0x42: C28  B */
    {5, 0, 0, 6, 0, 0}, /* 0x43: no glyph */
    {5, 0, 0, 6, 0, 0}, /* 0x44: no glyph */
    {5, 0, 0, 6, 0, 0}, /* 0x45: no glyph */
    {5, 0, 0, 6, 0, 0}, /* 0x46: no glyph */
    {5, 0, 0, 6, 0, 0}, /* 0x47: no glyph */
    {5, 0, 0, 6, 0, 0}, /* 0x48: no glyph */
    {5, 0, 0, 6, 0, 0}, /* 0x49: no glyph */
    {5, 0, 0, 6, 0, 0}, /* 0x4a: no glyph */
    {5, 0, 0, 6, 0, 0}, /* 0x4b: no glyph */
    {5, 0, 0, 6, 0, 0}, /* 0x4c: no glyph */
    {5, 0, 0, 6, 0, 0}, /* 0x4d: no glyph */
    {5, 0, 0, 6, 0, 0}, /* 0x4e: no glyph */
    {5, 0, 0, 6, 0, 0}, /* 0x4f: no glyph */
    {5, 0, 0, 6, 0, 0}, /* 0x50: no glyph */
    {5, 0, 0, 6, 0, 0}, /* 0x51: *\/ end  Q */
    {5, 0, 0, 6, 0, 0}, /* 0x52: no glyph */
    {5, 0, 0, 6, 0, 0}, /* 0x53: no glyph */
    {5, 0, 0, 6, 0, 0}, /* 0x54: no glyph */
    {5, 0, 0, 6, 0, 0}, /* 0x55: no glyph */
    {5, 0, 0, 6, 0, 0}, /* 0x56: no glyph */
    {5, 0, 0, 6, 0, 0}, /* 0x57: no glyph */
    {5, 0, 0, 6, 0, 0}, /* 0x58: no glyph */
    {5, 0, 0, 6, 0, 0}, /* 0x59: no glyph */
    {5, 0, 0, 6, 0, 0}, /* 0x5a: no glyph */
    {5, 0, 0, 6, 0, 0}, /* 0x5b: no glyph */
    {5, 0, 0, 6, 0, 0}, /* 0x5c: no glyph */
    {5, 0, 0, 6, 0, 0}, /* 0x5d: no glyph */
    {5, 0, 0, 6, 0, 0}, /* 0x5e: no glyph */
    {5, 0, 0, 6, 0, 0}, /* 0x5f: no glyph */
    {5, 0, 0, 6, 0, 0}, /* 0x60: no glyph */
    {5, 1, 1, 6, 0, -1} /* 0x61: C00  a */
};

#if defined(PROGMEM)
PROGMEM
#elif defined(__AVR__)
__attribute__((__progmem__))
#endif
const GFXfont font5x8 = {(uint8_t *)font5x8_Bitmaps, (GFXglyph *)font5x8_Glyphs, 0x42, 0x61, 8};

#endif

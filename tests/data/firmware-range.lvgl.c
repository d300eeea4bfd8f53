/* Auto generated file: LVGL font small, for LV_FONT_DECLARE(small)
   codes 0x42 to 0x51, 1 bit a pixel, each glyph cropped to its ink, advance 6;
   line height 8, the baseline just below grid row 7 */
#ifdef __has_include
#if __has_include("lvgl.h")
#ifndef LV_LVGL_H_INCLUDE_SIMPLE
#define LV_LVGL_H_INCLUDE_SIMPLE
#endif
#endif
#endif
#ifdef LV_LVGL_H_INCLUDE_SIMPLE
#include "lvgl.h"
#else
#include "lvgl/lvgl.h"
#endif

#if LVGL_VERSION_MAJOR < 8
#error "the LVGL font small takes LVGL 8 or later"
#endif

static LV_ATTRIBUTE_LARGE_CONST const uint8_t small_bitmaps[] = {
    0xf4, 0x63, 0xe8, 0xc7, 0xc0,
};

static const lv_font_fmt_txt_glyph_dsc_t small_glyphs[] = {
    {.bitmap_index = 0, .adv_w = 0, .box_w = 0, .box_h = 0, .ofs_x = 0, .ofs_y = 0}, /* glyph id 0: LVGL's "no glyph" */
    {.bitmap_index = 0, .adv_w = 96, .box_w = 5, .box_h = 7, .ofs_x = 0, .ofs_y = 1}, /* 0x42: C28  B */
    {.bitmap_index = 0, .adv_w = 96, .box_w = 0, .box_h = 0, .ofs_x = 0, .ofs_y = 0}, /* 0x43 to 0x51 */
};

/* The glyph id of each code from 0x42, and for LVGL 8 a 0 for the code after the last. */
static const uint8_t small_offsets0[] = {
    1, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2,
#if LVGL_VERSION_MAJOR == 8
    0,
#endif
};

static const lv_font_fmt_txt_cmap_t small_cmaps[] = {
    {.range_start = 66, .range_length = 16, .glyph_id_start = 0,
     .unicode_list = NULL, .glyph_id_ofs_list = small_offsets0, .list_length = 16,
     .type = LV_FONT_FMT_TXT_CMAP_FORMAT0_FULL},
};

#if LVGL_VERSION_MAJOR == 8
static lv_font_fmt_txt_glyph_cache_t small_cache;
#endif

static const lv_font_fmt_txt_dsc_t small_dsc = {
    .glyph_bitmap = small_bitmaps,
    .glyph_dsc = small_glyphs,
    .cmaps = small_cmaps,
    .kern_dsc = NULL,
    .kern_scale = 0,
    .cmap_num = 1,
    .bpp = 1,
    .kern_classes = 0,
    .bitmap_format = 0,
#if LVGL_VERSION_MAJOR == 8
    .cache = &small_cache,
#endif
};

const lv_font_t small = {
    .get_glyph_dsc = lv_font_get_glyph_dsc_fmt_txt,
    .get_glyph_bitmap = lv_font_get_bitmap_fmt_txt,
    .line_height = 8,
    .base_line = 0, /* rows below the baseline */
    .subpx = LV_FONT_SUBPX_NONE,
    .dsc = &small_dsc,
};

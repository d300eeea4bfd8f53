#pragma once

#include <ft2build.h>
#include FT_SYSTEM_H

#include <cstddef>

// FreeType's memory, within a budget. FreeType allocates what a font's tables say before it
// reads them: the bitmap of every BDF glyph's box, up to 64 KB each, and every table of a WOFF
// font inflated whole, so that a few megabytes of text or compressed data asked for gigabytes.
// Beyond the budget an allocation fails, and FreeType gives up with its out-of-memory error.
class FreeTypeMemory
{
public:
    explicit FreeTypeMemory(size_t budget);
    FreeTypeMemory(const FreeTypeMemory&) = delete;
    FreeTypeMemory& operator=(const FreeTypeMemory&) = delete;

    // For FT_New_Library and FreeType's streams; valid while this object lives.
    FT_Memory Memory() { return &_memory; }
    // Whether an allocation was refused for the budget.
    bool Exhausted() const { return _exhausted; }

private:
    static void* Allocate(FT_Memory memory, long size);
    static void Free(FT_Memory memory, void* block);
    static void* Reallocate(FT_Memory memory, long currentSize, long newSize, void* block);

    void* Resize(void* block, size_t size);

    FT_MemoryRec_ _memory;
    size_t _budget;
    size_t _used = 0;
    bool _exhausted = false;
};

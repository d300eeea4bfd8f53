#include "FreeTypeMemory.h"

#include <cstdlib>
#include <cstring>

namespace {

// Each block starts with its size, which FreeType does not pass when it frees a block; the
// header keeps the alignment that malloc gives.
constexpr size_t Header = alignof(std::max_align_t);

FreeTypeMemory& Budget(FT_Memory memory)
{
    return *static_cast<FreeTypeMemory*>(memory->user);
}

size_t SizeOf(void* block)
{
    size_t size = 0;
    std::memcpy(&size, static_cast<char*>(block) - Header, sizeof size);
    return size;
}

} // namespace

FreeTypeMemory::FreeTypeMemory(size_t budget)
    : _memory{this, &FreeTypeMemory::Allocate, &FreeTypeMemory::Free, &FreeTypeMemory::Reallocate},
      _budget(budget)
{
}

void* FreeTypeMemory::Allocate(FT_Memory memory, long size)
{
    return size < 0 ? nullptr : Budget(memory).Resize(nullptr, size_t(size));
}

void FreeTypeMemory::Free(FT_Memory memory, void* block)
{
    if (!block)
        return;
    Budget(memory)._used -= SizeOf(block);
    std::free(static_cast<char*>(block) - Header);
}

void* FreeTypeMemory::Reallocate(FT_Memory memory, long, long newSize, void* block)
{
    return newSize < 0 ? nullptr : Budget(memory).Resize(block, size_t(newSize));
}

// A new block (block null) or a block of another size; null, with the old block kept, when
// the budget or the system refuses.
void* FreeTypeMemory::Resize(void* block, size_t size)
{
    const size_t old = block ? SizeOf(block) : 0;
    if (size > _budget || _used - old > _budget - size) {
        _exhausted = true;
        return nullptr;
    }
    char* start = block ? static_cast<char*>(block) - Header : nullptr;
    start = static_cast<char*>(std::realloc(start, Header + size));
    if (!start)
        return nullptr;
    std::memcpy(start, &size, sizeof size);
    _used = _used - old + size;
    return start + Header;
}

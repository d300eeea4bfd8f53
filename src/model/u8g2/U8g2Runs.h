#pragma once

#include <vector>

class U8g2BitStream;

// The pixels of a glyph's box in u8g2's run-length code, row by row as one sequence: a group is
// a count of unlit pixels, a count of lit pixels that follow them, then a bit for each time
// that pair of runs is drawn, 1 when it is drawn once more and 0 after the last. The font says
// how many bits each count takes. The code chosen is the shortest for those widths: long runs
// split where that costs least, and a pattern that comes again (a run of 30 unlit pixels as 3
// times 10, a dotted row) one bit a time.
class U8g2Runs
{
public:
    // The box's pixels, row by row, true for lit.
    explicit U8g2Runs(const std::vector<bool>& pixels);

    // The bits of the shortest code with counts of these widths (0 to 8 for the unlit, 1 to 8
    // for the lit), or -1 when those widths cannot say the pixels: without bits for unlit
    // counts, a box with an unlit pixel.
    int Bits(int zeroWidth, int oneWidth) const;
    // That code, written after what the stream holds.
    void Write(int zeroWidth, int oneWidth, U8g2BitStream& stream) const;

private:
    struct Group
    {
        int zeros = 0;
        int ones = 0;
        int times = 0;
    };
    // The shortest code's groups in order, and its bits; no groups and -1 bits when none.
    std::vector<Group> Shortest(int zeroWidth, int oneWidth, int* bits) const;
    // Whether the pixels from that position on begin with that many unlit, then lit.
    bool Starts(int position, int zeros, int ones) const;

    // For each position, how many unlit (lit) pixels follow from there on, itself included.
    std::vector<int> _zeros;
    std::vector<int> _ones;
};

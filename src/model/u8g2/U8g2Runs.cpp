#include "U8g2Runs.h"

#include "U8g2BitStream.h"

#include <algorithm>
#include <climits>

U8g2Runs::U8g2Runs(const std::vector<bool>& pixels)
    : _zeros(pixels.size() + 1, 0), _ones(pixels.size() + 1, 0)
{
    for (size_t at = pixels.size(); at-- > 0;) {
        _zeros[at] = pixels[at] ? 0 : _zeros[at + 1] + 1;
        _ones[at] = pixels[at] ? _ones[at + 1] + 1 : 0;
    }
}

int U8g2Runs::Bits(int zeroWidth, int oneWidth) const
{
    int bits = -1;
    Shortest(zeroWidth, oneWidth, &bits);
    return bits;
}

void U8g2Runs::Write(int zeroWidth, int oneWidth, U8g2BitStream& stream) const
{
    int bits = -1;
    for (const Group& group : Shortest(zeroWidth, oneWidth, &bits)) {
        stream.Write(quint32(group.zeros), zeroWidth);
        stream.Write(quint32(group.ones), oneWidth);
        for (int time = 1; time < group.times; ++time)
            stream.Write(1, 1);
        stream.Write(0, 1);
    }
}

bool U8g2Runs::Starts(int position, int zeros, int ones) const
{
    if (ones == 0)
        return _zeros[size_t(position)] >= zeros;
    return _zeros[size_t(position)] == zeros && _ones[size_t(position + zeros)] >= ones;
}

// The shortest path over positions: from each position reached, every pair of runs that the
// pixels start with there, drawn once or as many times more as the pixels repeat it. Groups
// are independent of each other, so the position is all a path needs to know.
std::vector<U8g2Runs::Group> U8g2Runs::Shortest(int zeroWidth, int oneWidth, int* bits) const
{
    const int end = int(_zeros.size()) - 1;
    const int mostZeros = (1 << zeroWidth) - 1, mostOnes = (1 << oneWidth) - 1;
    std::vector<int> cost(size_t(end) + 1, INT_MAX);
    std::vector<Group> last(size_t(end) + 1); // the group that reaches each position cheapest
    cost[0] = 0;
    for (int from = 0; from < end; ++from) {
        if (cost[size_t(from)] == INT_MAX)
            continue;
        const int zeroRun = _zeros[size_t(from)];
        for (int zeros = std::min(zeroRun, mostZeros); zeros >= 0; --zeros) {
            const int mostHere =
                zeros == zeroRun ? std::min(_ones[size_t(from + zeros)], mostOnes) : 0;
            for (int ones = mostHere; ones >= 0; --ones) {
                const int length = zeros + ones;
                if (length == 0)
                    continue;
                int at = from, times = 0;
                while (at + length <= end && Starts(at, zeros, ones)) {
                    at += length, ++times;
                    const int total = cost[size_t(from)] + zeroWidth + oneWidth + times;
                    if (total < cost[size_t(at)]) {
                        cost[size_t(at)] = total;
                        last[size_t(at)] = {zeros, ones, times};
                    }
                }
            }
        }
    }
    *bits = cost[size_t(end)] == INT_MAX ? -1 : cost[size_t(end)];
    std::vector<Group> groups;
    for (int at = end; *bits >= 0 && at > 0;
         at -= last[size_t(at)].times * (last[size_t(at)].zeros + last[size_t(at)].ones))
        groups.push_back(last[size_t(at)]);
    std::reverse(groups.begin(), groups.end());
    return groups;
}

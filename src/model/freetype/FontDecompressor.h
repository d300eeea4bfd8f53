#pragma once

#include "Status.h"

#include <QByteArray>
#include <QString>

// A compressed font made plain in memory, once. FreeType's PCF driver opens gzip, LZW
// (compress) and bzip2 data itself, but as a stream that only goes forward: every backward
// seek inflates again from the start, so a font whose glyphs lie in the reverse of the order
// they are loaded took minutes. Given plain bytes, FreeType never opens such a stream.
class FontDecompressor
{
public:
    // Replaces compressed bytes with what they hold, of at most limit bytes; plain bytes stay
    // as they are. A failure, with the reason, for damaged or cut data, a result beyond the
    // limit, a compression FreeType does not read, or data compressed a second time.
    static Status Decompress(QByteArray& bytes, qint64 limit);
};

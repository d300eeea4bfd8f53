// The font's C export lives with the C format it writes, so that the core includes no format:
// FontCharSet declares it, the C array writes it.
#include "CArray.h"
#include "FontCharSet.h"

void FontCharSet::ExportC(QTextStream& stream) const
{
    ExportC(stream, CArray());
}

void FontCharSet::ExportC(QTextStream& stream, const CArray& array) const
{
    array.Write(stream, _glyphs);
}

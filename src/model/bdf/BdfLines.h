#pragma once

#include <QByteArrayView>

// How the BDF scans of the importer split a font's text into lines: as FreeType reads them,
// a line ends at a line feed, a carriage return or both.
class BdfLines
{
public:
    // Where the line that starts at start ends: its line break, or the end of the text.
    static qsizetype End(QByteArrayView text, qsizetype start);
};

#pragma once

#include "Status.h"

#include <QByteArray>
#include <QString>

class QXmlStreamReader;

// What a font file must be like before it reaches the XML parser. Every reading route parses
// with a reader set up here.
class FontFileGuard
{
public:
    // Bounds beyond which a document is refused before it reaches the XML parser. The
    // parsers' cost grows with the square of the nesting depth (DOM) and of the number of
    // attributes of one element (both); no font file comes near those bounds. Whatever a
    // file within the other two holds, the editor opens it in a few seconds and well under
    // 1 GB: a font of 300,000 glyphs as the editor writes it takes 64 MB.
    static constexpr qint64 MaxFileSize = 80 * 1024 * 1024;
    static constexpr qint64 MaxGlyphs = 1000000;
    static constexpr qint64 MaxElements = 6 * MaxGlyphs;
    static constexpr int MaxDepth = 256;
    static constexpr int MaxAttributes = 64;
    // The XML declaration that the program writes.
    static constexpr char WrittenDeclaration[] = R"(<?xml version="1.0" encoding="UTF-8"?>)";

    // Sets up the reader behind the bounds above: a failure, with the reason, when the bytes
    // are refused. The reader is given the bytes themselves only when it reads them as
    // UTF-8, as the guards do; any other encoding (by its byte order mark or its XML
    // declaration) is decoded here, once, and the reader and the guards both see that text.
    static Status StartReading(const QByteArray& bytes, QXmlStreamReader& reader);
};

#pragma once

#include <QByteArray>

#include <memory>

class FontCharSet;

// Reads a font file in the shape that the program writes it, without the XML parser: a
// converter that a build starts once a font spent most of its time in the parser. Every byte
// is checked against a grammar so narrow (the written declaration, printable characters, the
// five predefined entities, the three elements with their one attribute each, plain byte
// text) that what it accepts is well-formed and reads as the walk reads it, through the same
// functions. Anything else, and anything beyond a guard's bound, is left to the walk.
class FontFileShortcut
{
public:
    // The font, or null when the bytes are in any other shape.
    static std::unique_ptr<FontCharSet> Read(const QByteArray& bytes);
};

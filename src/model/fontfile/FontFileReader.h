#pragma once

#include "FontFileWalk.h"
#include "Result.h"

#include <QByteArray>
#include <QString>

#include <memory>

class FontCharSet;
class QDomDocument;

// Builds a font from the walk through a font file, as the editor opens it.
class FontFileReader : public FontFileWalk::Listener
{
public:
    FontFileReader();
    ~FontFileReader() override;

    // A new font from the bytes of a font file, or the reason when they are refused by a guard,
    // are not well-formed XML or the root is not CharSet.
    static Result<std::unique_ptr<FontCharSet>> Read(const QByteArray& bytes);
    // Parses into a DOM document, behind the same guards: what the DOM reading route of
    // FontCharSet::ReadXml starts from; a failure, with the reason, when they are refused.
    // Defined with that route, in pixmint_dom.
    static Status ParseDocument(const QByteArray& bytes, QDomDocument& document);
    // The reason given for a document that the parser rejects.
    static QString NotWellFormed(qint64 line, qint64 column, const QString& message);

    // After a walk: whether the root was a CharSet, its name, and the font it holds.
    bool IsCharSet() const { return _charSet; }
    const QString& RootName() const { return _rootName; }
    const FontCharSet& Font() const { return *_set; }
    std::unique_ptr<FontCharSet> TakeFont();

    void Root(QStringView name) override;
    void GlyphStart(QStringView name, bool named) override;
    void GlyphEnd() override;
    void ByteEnd(const FontChar::ByteIndex& index, QStringView text) override;

private:
    std::unique_ptr<FontCharSet> _set;
    QString _rootName;
    bool _charSet = false;
    std::unique_ptr<FontChar> _glyph;
    QString _glyphName;
};

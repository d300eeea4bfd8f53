#pragma once

#include "FontChar.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QXmlStreamReader>

// The one walk through a font file: behind the input guards, it reads the document as a
// stream and tells its listeners what the reading rules make of each element, with the line
// it stands on. The set reader builds the font from it, the checker words what it skips.
class FontFileWalk
{
public:
    // Where an element the rules pass over stands.
    enum class Place {
        InCharSet, // beside the FontChar elements: skipped with all it holds
        InGlyph,   // beside the Byte elements: skipped with all it holds
        InByte,    // inside a Byte element: its text joins the value
    };

    class Listener
    {
    public:
        virtual ~Listener() = default;
        // True when the listener wants no more: the walk then stops.
        virtual bool IsDone() const { return false; }
        // The root element, whatever its name; only a CharSet holds glyphs.
        virtual void Root(QStringView name) { Q_UNUSED(name); }
        // A FontChar element of the CharSet begins; named tells whether it has a Char
        // attribute at all.
        virtual void GlyphStart(QStringView name, bool named)
        {
            Q_UNUSED(name);
            Q_UNUSED(named);
        }
        virtual void GlyphEnd() {}
        // A Byte element of that FontChar begins, and ends with all its text.
        virtual void ByteStart(const FontChar::ByteIndex& index, QStringView indexText)
        {
            Q_UNUSED(index);
            Q_UNUSED(indexText);
        }
        virtual void ByteEnd(const FontChar::ByteIndex& index, QStringView text)
        {
            Q_UNUSED(index);
            Q_UNUSED(text);
        }
        virtual void Passed(QStringView element, Place place)
        {
            Q_UNUSED(element);
            Q_UNUSED(place);
        }
    };

    enum class Outcome {
        Read,          // the whole document, well-formed
        Refused,       // by the guards, before parsing: Reason() says why
        NotWellFormed, // Reason() is the parser's message, at Line() and Column()
        Stopped,       // a listener wanted no more
    };

    // Listeners are told in the order they were added.
    void Listen(Listener* listener) { _listeners.append(listener); }
    Outcome Walk(const QByteArray& bytes);

    // Where the walk stands: during a walk, the element being told; after it, where it ended.
    qint64 Line() const { return _reader.lineNumber(); }
    qint64 Column() const { return _reader.columnNumber(); }
    const QString& Reason() const { return _reason; }

private:
    void StartElement(int depth);
    // Tells every listener, in order; the walk stops after an event that leaves one done.
    template <typename Event>
    void Tell(const Event& event)
    {
        for (Listener* listener : _listeners) {
            event(listener);
            _done = _done || listener->IsDone();
        }
    }

    QList<Listener*> _listeners;
    QXmlStreamReader _reader;
    QString _reason;
    bool _done = false;
    bool _charSet = false;
    bool _inGlyph = false;
    bool _inByte = false;
    FontChar::ByteIndex _byteIndex;
    QString _byteText;
};

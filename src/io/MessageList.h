#pragma once

#include <QString>
#include <QStringList>

// Messages whose number grows with the input, such as a warning for each glyph that repeats
// a code: the first MaxListed are kept, the others only counted, so that a font of a million
// repeats costs a count and not a million lines. A producer asks IsFull before it words a
// message and counts the rest with AddUnlisted.
class MessageList
{
public:
    // As many as a --check report holds.
    static constexpr qsizetype MaxListed = 1000;

    bool IsFull() const { return _listed.size() >= MaxListed; }
    // Kept while there is room, counted after.
    void Add(const QString& message);
    MessageList& operator<<(const QString& message)
    {
        Add(message);
        return *this;
    }
    void AddUnlisted(qint64 count);

    const QStringList& Listed() const { return _listed; }
    qint64 Unlisted() const { return _unlisted; }

private:
    QStringList _listed;
    qint64 _unlisted = 0;
};

#pragma once

#include "FontFileWalk.h"
#include "MessageList.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>
#include <string>
#include <unordered_map>

class FontCharSet;
class FontFileReader;

// Finds what the editor would read silently in a way the author may not mean: skipped
// elements, numbers read as 0, values cut to a byte, names that lose characters or repeat.
// It listens to the same walk that the editor reads with. The editor itself stays lenient;
// this is for people who want to know.
class FontFileCheck : public FontFileWalk::Listener
{
public:
    struct Problem
    {
        qint64 line = 0;
        QString message;
        // Whether a rewrite of the file ("Save font") says the same: the glyph that the editor
        // reads is written back as it is read, so only the file's wording changes.
        bool rewriteKeeps = false;
    };

    // A check stops after this many problems, as many as a list of warnings keeps.
    static constexpr qsizetype MaxProblems = MessageList::MaxListed;

    // Every problem of a font file, in line order. With font, also the font that the editor
    // opens, read on the same walk; null when it would not open the file or the check stopped
    // before the end. With changed, the number of problems that a rewrite does not keep,
    // counted before the report is cut.
    static QList<Problem> Check(const QByteArray& bytes,
                                std::unique_ptr<FontCharSet>* font = nullptr,
                                qsizetype* changed = nullptr);

    bool IsDone() const override { return _problems.size() >= MaxProblems; }
    void Root(QStringView name) override;
    void GlyphStart(QStringView name, bool named) override;
    void ByteStart(const FontChar::ByteIndex& index, QStringView indexText) override;
    void ByteEnd(const FontChar::ByteIndex& index, QStringView text) override;
    void Passed(QStringView element, FontFileWalk::Place place) override;

private:
    FontFileCheck(const FontFileWalk& walk, const FontFileReader& reader);
    void Report(qint64 line, const QString& message, bool rewriteKeeps = false);
    // The closing line of a report cut at MaxProblems.
    void Stop(qint64 line);
    // After a whole walk of a CharSet: what only the whole font shows.
    void CheckFont();

    const FontFileWalk& _walk;
    const FontFileReader& _reader;
    QList<Problem> _problems;
    bool _columnsSeen[FontChar::ColumnCount] = {};
    qint64 _byteLine = 0;
    // The line of the last FontChar element of each name, as the font stores names.
    std::unordered_map<std::string, qint64> _nameLines;
    // Whether CheckFont found more problems than it reported.
    bool _unreported = false;
};

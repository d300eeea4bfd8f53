#include "FontImport.h"

#include "BdfBoxCheck.h"
#include "BdfGlyphNames.h"
#include "BdfWriter.h"
#include "FontDecompressor.h"
#include "FreeTypeMemory.h"
#include "GlyphDrawing.h"
#include "GlyphName.h"
#include "GridFit.h"
#include "ImportTargets.h"
#include "Message.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_FONT_FORMATS_H
#include FT_MODULE_H

#include <memory>
#include <set>
#include <utility>
#include <vector>

namespace {

struct LibraryDeleter
{
    void operator()(FT_Library library) const { FT_Done_Library(library); }
};
struct FaceDeleter
{
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using Library = std::unique_ptr<FT_LibraryRec_, LibraryDeleter>;
using Face = std::unique_ptr<FT_FaceRec_, FaceDeleter>;

QString FreeTypeError(FT_Error failure)
{
    return Message::LibraryError(QLatin1String("FreeType"), failure);
}

// A code as the importer's notes name it: "U+0041".
QString CodeText(int code)
{
    return Message::CodePoint(char32_t(code));
}

// The file's bytes, read once and decompressed in memory: FreeType then needs no file access
// of its own, the reasons for a file that cannot be read are the system's, and FreeType never
// reads a compressed stream, which it can only go through forwards.
// FreeType finds Latin-1 codes in a Unicode map (it gives one to BDF and PCF fonts in ISO
// 10646 and ISO 8859-1 as well), or in a Latin-1 map (some Type 1 fonts). Any other map's
// codes are taken as they are, which fits the many bitmap fonts that name no character set.
Status ChooseCharacterMap(FT_Face face, MessageList& notes)
{
    if (FT_Select_Charmap(face, FT_ENCODING_UNICODE) == 0 ||
        FT_Select_Charmap(face, FT_ENCODING_ADOBE_LATIN_1) == 0)
        return Status();
    if (face->num_charmaps > 0 && FT_Set_Charmap(face, face->charmaps[0]) == 0) {
        notes << QStringLiteral("the font has no Unicode character map: its own character "
                                "codes are taken as Latin-1");
        return Status();
    }
    return Status::Failure(QStringLiteral("the font has no character map, so no character "
                                          "can be found"));
}

// What a glyph lost to the grid, or nothing.
QString DrawingNote(const GlyphDrawing::Result& result)
{
    using Outcome = GlyphDrawing::Result::Outcome;
    const QString size = Message::Text(u"%1 x %2", {result.width, result.height});
    if (result.outcome == Outcome::DrawnInGrid) {
        return Message::Text(u": drawn %1 pixels large; only its pixels in the 5 x 8 grid kept, "
                             u"those outside not counted",
                             {size});
    }
    if (result.outcome == Outcome::TooLarge) {
        return Message::Text(u": its bitmap of %1 pixels holds more than %2; left blank",
                             {size, GlyphDrawing::MaxCountedPixels});
    }
    if (result.dropped == 0)
        return QString();
    return Message::Text(
        u": %1 %2 outside the 5 x 8 grid dropped",
        {result.dropped, result.dropped == 1 ? QStringLiteral("pixel") : QStringLiteral("pixels")});
}

// The glyphs drawn: into the set's glyphs of those names, or as the whole set for Pixmint's
// own font, where a name given twice keeps its first glyph and the report names the other.
void Store(const std::vector<std::pair<std::string, FontChar>>& drawn, bool replaces,
           FontCharSet& set, MessageList& report)
{
    if (replaces)
        set.Clear();
    for (const auto& [name, glyph] : drawn) {
        FontChar*& slot = set.At(name);
        if (!slot) {
            slot = new FontChar(glyph);
        } else if (!replaces) {
            *slot = glyph;
        } else {
            report << GlyphName::Quoted(name) +
                          QStringLiteral(": a second glyph of this name; only the first is kept");
        }
    }
}

// Draws a character's glyph, or leaves it blank, with what the report says of it after the
// glyph's name. A failure, with the reason, only when FreeType's memory runs out, which ends
// the import (FontImport::Fill names the budget); any other failure is the glyph's own.
Status DrawGlyph(FT_Library library, FT_Face face, FT_UInt index, int baseline, int code,
                 FontChar& glyph, QString& note)
{
    GlyphDrawing::Result result;
    const FT_Error failure = GlyphDrawing::Draw(library, face, index, baseline, glyph, result);
    if (!failure) {
        note = DrawingNote(result);
        return Status();
    }
    const QString reason = Message::Text(u"the glyph for %1 cannot be read (%2)",
                                         {CodeText(code), FreeTypeError(failure)});
    if (failure == FT_Err_Out_Of_Memory)
        return Status::Failure(reason);
    glyph = FontChar();
    note = QStringLiteral(": ") + reason + QStringLiteral("; left blank");
    return Status();
}

// Each target's glyph, drawn at the baseline into drawn, or a note why it is left blank.
Status DrawTargets(FT_Library library, FT_Face face,
                   const std::vector<ImportTargets::Target>& targets, int baseline,
                   const std::set<long>& negativeBoxes,
                   std::vector<std::pair<std::string, FontChar>>& drawn, MessageList& report)
{
    for (const ImportTargets::Target& target : targets) {
        const std::string& name = target.name;
        const FT_ULong code = target.charCode;
        FontChar glyph;
        const FT_UInt index = FT_Get_Char_Index(face, code);
        if (index == 0) {
            report << GlyphName::Quoted(name) + QStringLiteral(": the font has no glyph for ") +
                          CodeText(int(code)) + QStringLiteral("; left blank");
        } else if (negativeBoxes.count(long(code)) > 0) {
            report << GlyphName::Quoted(name) +
                          QStringLiteral(": the bounding box (BBX) of its glyph has a "
                                         "negative width or height; left blank");
        } else {
            QString note;
            if (Status drawnGlyph =
                    DrawGlyph(library, face, index, baseline, int(code), glyph, note);
                !drawnGlyph)
                return drawnGlyph;
            if (!note.isEmpty())
                report << GlyphName::Quoted(name) + note;
        }
        drawn.emplace_back(name, glyph);
    }
    return Status();
}

// FontImport::Fill's work once FreeType is started.
Status DrawFont(FT_Library library, const QByteArray& bytes, const FontImport::Options& options,
                const std::vector<BdfGlyphNames::Glyph>* own, FontCharSet& set, MessageList& report)
{
    FT_Face rawFace = nullptr;
    const FT_Error openFailure =
        FT_New_Memory_Face(library, reinterpret_cast<const FT_Byte*>(bytes.constData()),
                           FT_Long(bytes.size()), 0, &rawFace);
    if (openFailure) {
        return Status::Failure(QStringLiteral("not a font that FreeType reads (") +
                               FreeTypeError(openFailure) + u')');
    }
    const Face face(rawFace);
    // FreeType hints a "tricky" font (one it knows by name to build its glyphs in its hinting
    // program) with the font's program whatever it is asked, and a name is easily taken.
    if (FT_IS_TRICKY(face.get())) {
        return Status::Failure(QStringLiteral("FreeType draws this font only through its "
                                              "own hinting program, whose work has no "
                                              "bound; refused"));
    }

    if (Status mapped = ChooseCharacterMap(face.get(), report); !mapped)
        return mapped;
    bool replaces = false;
    const std::vector<ImportTargets::Target> targets =
        ImportTargets::Find(face.get(), set, own, options.codes, report, replaces);
    int baseline = options.baseline;
    if (Status fitted =
            GridFit::Choose(library, face.get(), targets, options.size, baseline, report);
        !fitted)
        return fitted;

    // FreeType reads a negative width or height in a BDF glyph's box as 0, without a word.
    std::set<long> negativeBoxes;
    if (qstrcmp(FT_Get_Font_Format(face.get()), "BDF") == 0)
        negativeBoxes = BdfBoxCheck::NegativeBoxCodes(bytes);

    // Everything is drawn aside first, so that a failure leaves the set as it was.
    std::vector<std::pair<std::string, FontChar>> drawn;
    if (Status drew =
            DrawTargets(library, face.get(), targets, baseline, negativeBoxes, drawn, report);
        !drew)
        return drew;
    Store(drawn, replaces, set, report);
    return Status();
}

} // namespace

Status FontImport::Fill(FontCharSet& set, QByteArray bytes, const Options& options,
                        MessageList* notes)
{
    if (Status decompressed = FontDecompressor::Decompress(bytes, MaxFileSize); !decompressed)
        return decompressed;
    std::vector<BdfGlyphNames::Glyph> own;
    QByteArray encoded;
    const bool pixmintBdf = BdfGlyphNames::Scan(bytes, own, encoded);
    if (pixmintBdf && own.size() > BdfWriter::MaxCodedGlyphs) {
        return Status::Failure(Message::Text(u"the BDF font has %1 glyphs, and FreeType finds at "
                                             u"most %2 glyphs of a BDF font by their codes",
                                             {own.size(), BdfWriter::MaxCodedGlyphs}));
    }
    if (pixmintBdf)
        bytes = std::move(encoded);
    // Declared before the library, which must be done before its memory goes.
    FreeTypeMemory memory(MaxMemory);
    FT_Library rawLibrary = nullptr;
    if (FT_New_Library(memory.Memory(), &rawLibrary) != 0)
        return Status::Failure(QStringLiteral("FreeType cannot be started"));
    const Library library(rawLibrary);
    FT_Add_Default_Modules(library.get());
    FT_Set_Default_Properties(library.get());
    MessageList report;
    if (Status drawn =
            DrawFont(library.get(), bytes, options, pixmintBdf ? &own : nullptr, set, report);
        !drawn) {
        if (memory.Exhausted()) {
            return Status::Failure(Message::Text(u"reading the font takes FreeType more than %1 "
                                                 u"MiB of memory; refused",
                                                 {MaxMemory >> 20}));
        }
        return drawn;
    }
    if (notes)
        *notes = report;
    return Status();
}

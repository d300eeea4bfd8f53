#include "GridFit.h"

#include "FontChar.h"
#include "FontImport.h"
#include "GlyphDrawing.h"
#include "Message.h"
#include "MessageList.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

namespace {

struct Choice
{
    int size = 0;
    int baseline = 0;
    qint64 lostPixels = 0;
    qint64 lostGlyphs = 0;
};

// The losses at every baseline of one size, summed over the glyphs.
struct SizeLosses
{
    GlyphDrawing::Losses pixels{};
    GlyphDrawing::Losses glyphs{};
};

FT_Error MeasureSize(FT_Library library, FT_Face face,
                     const std::vector<ImportTargets::Target>& targets, SizeLosses& losses)
{
    for (const ImportTargets::Target& target : targets) {
        const FT_UInt index = FT_Get_Char_Index(face, target.charCode);
        if (index == 0)
            continue;
        GlyphDrawing::Losses lost{};
        const FT_Error failure = GlyphDrawing::Measure(library, face, index, lost);
        // Drawing the glyph names any other failure; this one ends the import.
        if (failure == FT_Err_Out_Of_Memory)
            return failure;
        if (failure)
            continue;
        for (size_t row = 0; row < lost.size(); ++row) {
            losses.pixels[row] += lost[row];
            losses.glyphs[row] += lost[row] > 0 ? 1 : 0;
        }
    }
    return 0;
}

int FontBaseline(FT_Face face)
{
    const qint64 ascent = (qint64(face->size->metrics.ascender) + 63) / 64;
    return int(std::clamp<qint64>(ascent - 1, 0, FontChar::RowCount - 1));
}

FT_Error Search(FT_Library library, FT_Face face, const std::vector<ImportTargets::Target>& targets,
                int size, int baseline, Choice& choice)
{
    // Smaller is better: pixels lost, the size reversed, the distance from the font's own
    // row, the row reversed.
    std::tuple<qint64, int, int, int> best;
    bool found = false;
    for (int candidate = size > 0 ? size : FontImport::MinFitSize;
         candidate <= (size > 0 ? size : FontImport::MaxFitSize); ++candidate) {
        if (const FT_Error failure = FT_Set_Pixel_Sizes(face, 0, FT_UInt(candidate)))
            return failure;
        SizeLosses losses;
        if (const FT_Error failure = MeasureSize(library, face, targets, losses))
            return failure;
        const int own = FontBaseline(face);
        for (int row = 0; row < int(FontChar::RowCount); ++row) {
            const qint64 lost = losses.pixels[size_t(row)];
            const auto key = std::make_tuple(lost, -candidate, std::abs(row - own), -row);
            if ((baseline < 0 || row == baseline) && (!found || key < best)) {
                found = true;
                best = key;
                choice = {candidate, row, lost, losses.glyphs[size_t(row)]};
            }
        }
    }
    return FT_Set_Pixel_Sizes(face, 0, FT_UInt(choice.size));
}

// "fitted to the grid at size 7, baseline 5: 1 pixel lost in 1 glyph".
QString Note(const Choice& choice)
{
    const QString fitted = Message::Text(u"fitted to the grid at size %1, baseline %2",
                                         {choice.size, choice.baseline});
    if (choice.lostPixels == 0)
        return fitted + QStringLiteral(": no pixel lost");
    const auto plural = [](qint64 count, const char* one) {
        return QLatin1String(one) + (count == 1 ? QString() : QStringLiteral("s"));
    };
    return fitted + Message::Text(u": %1 %2 lost in %3 %4",
                                  {choice.lostPixels, plural(choice.lostPixels, "pixel"),
                                   choice.lostGlyphs, plural(choice.lostGlyphs, "glyph")});
}

// Bitmap fonts: the strike whose height is nearest to size, of two as near the lower.
FT_Error ChooseStrike(FT_Face face, int size)
{
    if (face->num_fixed_sizes <= 0)
        return FT_Err_Invalid_Pixel_Size;
    int best = 0;
    for (int index = 1; index < face->num_fixed_sizes; ++index) {
        const int height = face->available_sizes[index].height;
        const int bestHeight = face->available_sizes[best].height;
        const int distance = std::abs(height - size);
        const int bestDistance = std::abs(bestHeight - size);
        if (distance < bestDistance || (distance == bestDistance && height < bestHeight))
            best = index;
    }
    return FT_Select_Size(face, best);
}

} // namespace

Status GridFit::Choose(FT_Library library, FT_Face face,
                       const std::vector<ImportTargets::Target>& targets, int size, int& baseline,
                       MessageList& report)
{
    if (!FT_IS_SCALABLE(face) && face->num_fixed_sizes <= 0)
        return Status::Failure(QStringLiteral("the font has neither outlines nor bitmaps"));
    const bool search = FT_IS_SCALABLE(face) && (size == 0 || baseline < 0);
    Choice choice;
    FT_Error failure = 0;
    if (search)
        failure = Search(library, face, targets, size, baseline, choice);
    else if (FT_IS_SCALABLE(face))
        failure = FT_Set_Pixel_Sizes(face, 0, FT_UInt(size));
    else
        failure = ChooseStrike(face, size > 0 ? size : FontImport::DefaultSize);
    if (failure) {
        return Status::Failure(QStringLiteral("FreeType cannot set the font's size (") +
                               Message::LibraryError(QLatin1String("FreeType"), failure) + u')');
    }
    if (search) {
        baseline = choice.baseline;
        report << Note(choice);
    } else if (baseline < 0) {
        baseline = FontBaseline(face);
    }
    return Status();
}

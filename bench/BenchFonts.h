#pragma once

// The font files that the benchmark generates once in its work folder, and the paths of them.

#include <QString>

namespace BenchFonts {

// Random names of 4 to 12 printable Latin-1 characters and random bytes.
QString GenerateFont(const QString& folder, int glyphs);
// The most glyphs a font file holds, each with one byte so that the file stays within the
// size a font file may have, and named for a random character: nearly every glyph repeats a
// code, the most warnings a BDF font gives.
QString GenerateLargeFont(const QString& folder);

} // namespace BenchFonts

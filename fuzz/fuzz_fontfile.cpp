// libFuzzer target for the reading path: whatever the bytes, reading and checking never
// crash, the DOM route and the streaming route of the editor agree, and a font that was read
// once is written and read again unchanged.
#include "FontCharSet.h"
#include "FontFileCheck.h"
#include "FontFileReader.h"
#include "FontFileWriter.h"

#include <QDomDocument>

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "fuzz_fontfile: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    QDomDocument document;
    // The editor opens a well-formed document whose root is CharSet, and nothing else.
    const bool opens = FontFileReader::ParseDocument(bytes, document) &&
                       document.documentElement().tagName() == QLatin1String("CharSet");
    const Result<std::unique_ptr<FontCharSet>> streamed = FontFileReader::Read(bytes);
    if (opens != streamed.Ok())
        Fail("the DOM and the stream reader disagree on what opens");
    // The checker listens to the same walk: it has a say on everything.
    if (FontFileCheck::Check(bytes).isEmpty() && !opens)
        Fail("the checker found nothing in a file the editor does not open");
    if (!opens)
        return 0;

    FontCharSet first;
    first.ReadXml(document.documentElement());
    if (first != **streamed)
        Fail("the DOM and the stream reader read different fonts");

    const QByteArray written = FontFileWriter::Bytes(first);
    QDomDocument again;
    if (!FontFileReader::ParseDocument(written, again))
        Fail("a written font file does not parse");
    FontCharSet second;
    second.ReadXml(again.documentElement());
    if (second != first)
        Fail("a font changed on its way through the font file");
    if (FontFileWriter::Bytes(second) != written)
        Fail("writing the same font twice gave different bytes");
    return 0;
}

// libFuzzer target for the reading path: whatever the bytes, reading never crashes, the DOM
// route and the streaming route of the editor agree, and a font that was read once is
// written and read again unchanged.
#include "FontCharSet.h"
#include "FontFile.h"

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
    const bool opens = FontFile::ParseDocument(bytes, document) &&
                       document.documentElement().tagName() == QLatin1String("CharSet");
    const std::unique_ptr<FontCharSet> streamed = FontFile::Parse(bytes);
    if (opens != bool(streamed))
        Fail("the DOM and the stream reader disagree on what opens");
    if (!opens)
        return 0;

    FontCharSet first;
    first.ReadXml(document.documentElement());
    if (first != *streamed)
        Fail("the DOM and the stream reader read different fonts");

    const QByteArray written = FontFile::XmlBytes(first);
    QDomDocument again;
    if (!FontFile::ParseDocument(written, again))
        Fail("a written font file does not parse");
    FontCharSet second;
    second.ReadXml(again.documentElement());
    if (second != first)
        Fail("a font changed on its way through the font file");
    if (FontFile::XmlBytes(second) != written)
        Fail("writing the same font twice gave different bytes");
    return 0;
}

// libFuzzer target for the C table reader: whatever the bytes, reading never crashes and
// every value is a byte; a table read in any layout, written as pixmint-export writes it and
// read again, gives the same font.
#include "CSourceWriter.h"
#include "CTableImport.h"
#include "CTableReader.h"
#include "FontCharSet.h"

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "fuzz_ctable: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    CTableReader reader;
    if (!reader.Read(bytes))
        return 0;
    if (reader.Name().isEmpty())
        Fail("a table was read without a name");

    for (const QString& name : CArray::LayoutNames()) {
        CTableImport::Options options;
        CArray::Layout layout;
        CArray::LayoutFromName(name, &layout);
        options.layout = layout;
        FontCharSet font;
        if (!CTableImport::Read(bytes, options, font))
            continue;
        const CSourceWriter writer(CArray(layout, QStringLiteral("font"), CArray::Storage::Const),
                                   false);
        if (!writer.Accepts(font))
            continue;
        FontCharSet again;
        if (!CTableImport::Read(writer.SourceBytes(font), CTableImport::Options(), again))
            Fail("pixmint-export's table is refused");
        if (again != font)
            Fail("a font changed on its way through a C table");
    }
    return 0;
}

// Runs one operation of the editor on one font file a few times and prints the median time
// in milliseconds. The benchmark driver runs it in a process of its own per operation and
// size, so that the peak memory it reads belongs to that operation alone.
#include "CSourceWriter.h"
#include "FileWriter.h"
#include "FontCharSet.h"
#include "FontCharSetView.h"
#include "FontFileOpen.h"
#include "FontFileReader.h"
#include "FontFileWriter.h"
#include "GfxWriter.h"
#include "TrueTypeWriter.h"

#include <QApplication>
#include <QDomDocument>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

std::unique_ptr<FontCharSet> Open(const QString& path)
{
    Result<std::unique_ptr<FontCharSet>> set = FontFileOpen::Read(path);
    if (!set)
        qFatal("cannot open %s", qPrintable(path));
    return std::move(*set);
}

// What an operation works on; a run prepares itself from it and returns the part to time.
struct State
{
    QString path;
    QByteArray bytes;
    std::unique_ptr<FontCharSet> font;
    std::unique_ptr<FontCharSetView> list;
};
using Prepare = std::function<std::function<void()>()>;

// Reading and writing the font file; empty for another operation.
Prepare FileOperation(const QByteArray& operation, State& state)
{
    if (operation == "read")
        return [&] { return [&] { state.font = Open(state.path); }; };
    if (operation == "read-dom") {
        // The route through the DOM, as opening worked before the stream reader.
        return [&] {
            return [&] {
                QDomDocument document;
                FontFileReader::ParseDocument(state.bytes, document);
                state.font = std::make_unique<FontCharSet>();
                state.font->ReadXml(document.documentElement());
            };
        };
    }
    if (operation == "write") {
        state.font = Open(state.path);
        return [&] { return [&] { FontFileWriter::Bytes(*state.font); }; };
    }
    if (operation == "read-write") {
        // What any edit of a font file does at least: open it, then write it whole beside
        // itself through the one writer.
        const QString copy = state.path + QStringLiteral(".rewritten");
        return [&, copy] {
            return [&, copy] {
                state.font = Open(state.path);
                if (!FileWriter::WriteFile(copy, FontFileWriter::Bytes(*state.font),
                                           FileWriter::Mode::Text))
                    qFatal("cannot write %s", qPrintable(copy));
            };
        };
    }
    return {};
}

// The outputs of the converter; empty for another operation.
Prepare ExportOperation(const QByteArray& operation, State& state)
{
    if (!operation.startsWith("export"))
        return {};
    state.font = Open(state.path);
    if (operation == "export")
        return [&] { return [&] { CSourceWriter().SourceBytes(*state.font); }; };
    if (operation == "export-firmware") {
        return [&] {
            return [&] {
                const CSourceWriter writer(
                    CArray(CArray::Layout::Rows, QStringLiteral("font"), CArray::Storage::Const),
                    true);
                if (!writer.Accepts(*state.font))
                    qFatal("the font cannot have a header");
                writer.SourceBytes(*state.font);
                writer.HeaderBytes(*state.font);
            };
        };
    }
    if (operation == "export-gfx") {
        const GfxWriter writer(QStringLiteral("font"), GfxWriter::DefaultRange(),
                               FontChar::DefaultBaseline, false);
        return [&, writer] { return [&, writer] { writer.Bytes(*state.font); }; };
    }
    if (operation == "export-ttf") {
        if (!TrueTypeWriter::Accepts(*state.font))
            qFatal("the font has more glyphs than TrueType holds");
        return [&] { return [&] { TrueTypeWriter().Bytes(*state.font); }; };
    }
    return {};
}

// The editor's list of names, filled or with the last name selected; empty for another
// operation.
Prepare ListOperation(const QByteArray& operation, State& state)
{
    if (operation != "fill-list" && operation != "select-last")
        return {};
    state.font = Open(state.path);
    const bool select = operation == "select-last";
    return [&, select] {
        state.list = std::make_unique<FontCharSetView>();
        state.list->resize(200, 400);
        state.list->show();
        if (!QTest::qWaitForWindowExposed(state.list.get()))
            qFatal("the list was not shown");
        if (select) {
            state.list->SetFontCharSet(state.font.get());
            QApplication::processEvents();
            return std::function<void()>([&] {
                state.list->setCurrentRow(state.list->count() - 1);
                QApplication::processEvents();
            });
        }
        return std::function<void()>([&] {
            state.list->SetFontCharSet(state.font.get());
            QApplication::processEvents();
        });
    };
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (argc < 4)
        qFatal("usage: bench_operations read|read-dom|write|read-write|export|export-firmware|"
               "export-gfx|export-ttf|fill-list|select-last FONT.xml REPEATS");
    const QByteArray operation = argv[1];
    State state;
    state.path = QString::fromLocal8Bit(argv[2]);
    const int repeats = std::max(1, atoi(argv[3]));
    QFile file(state.path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(state.path));
    state.bytes = file.readAll();

    Prepare prepare = FileOperation(operation, state);
    if (!prepare)
        prepare = ExportOperation(operation, state);
    if (!prepare)
        prepare = ListOperation(operation, state);
    if (!prepare)
        qFatal("unknown operation %s", operation.constData());

    std::vector<double> times;
    for (int run = 0; run < repeats; ++run) {
        const std::function<void()> timed = prepare();
        QElapsedTimer timer;
        timer.start();
        timed();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        state.list.reset();
    }
    std::sort(times.begin(), times.end());
    std::printf("%.3f\n", times[times.size() / 2]);
    return 0;
}

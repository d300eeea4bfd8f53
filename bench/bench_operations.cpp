// Runs one operation of the editor on one font file a few times and prints the median time
// in milliseconds. The benchmark driver runs it in a process of its own per operation and
// size, so that the peak memory it reads belongs to that operation alone.
#include "CSourceWriter.h"
#include "FileReader.h"
#include "FileWriter.h"
#include "FontCharSet.h"
#include "FontCharSetView.h"
#include "FontFileGuard.h"
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
    QByteArray bytes;
    std::unique_ptr<FontCharSet> set;
    if (FileReader::ReadBytes(path, FontFileGuard::MaxFileSize, bytes))
        set = FontFileReader::Read(bytes);
    if (!set)
        qFatal("cannot open %s", qPrintable(path));
    return set;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (argc < 4)
        qFatal("usage: bench_operations read|read-dom|write|read-write|export|export-firmware|"
               "export-gfx|export-ttf|fill-list|select-last FONT.xml REPEATS");
    const QByteArray operation = argv[1];
    const QString path = QString::fromLocal8Bit(argv[2]);
    const int repeats = std::max(1, atoi(argv[3]));

    // Prepares a run and returns the part to time.
    std::function<std::function<void()>()> prepare;
    std::unique_ptr<FontCharSet> font;
    std::unique_ptr<FontCharSetView> list;
    QByteArray bytes;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    bytes = file.readAll();

    if (operation == "read") {
        prepare = [&] { return [&] { font = Open(path); }; };
    } else if (operation == "read-dom") {
        // The route through the DOM, as opening worked before the stream reader.
        prepare = [&] {
            return [&] {
                QDomDocument document;
                FontFileReader::ParseDocument(bytes, document);
                font = std::make_unique<FontCharSet>();
                font->ReadXml(document.documentElement());
            };
        };
    } else if (operation == "write") {
        font = Open(path);
        prepare = [&] { return [&] { FontFileWriter::Bytes(*font); }; };
    } else if (operation == "read-write") {
        // What any edit of a font file does at least: open it, then write it whole beside
        // itself through the one writer.
        const QString copy = path + QStringLiteral(".rewritten");
        prepare = [&, copy] {
            return [&, copy] {
                font = Open(path);
                if (!FileWriter::WriteFile(copy, FontFileWriter::Bytes(*font),
                                           FileWriter::Mode::Text))
                    qFatal("cannot write %s", qPrintable(copy));
            };
        };
    } else if (operation == "export") {
        font = Open(path);
        prepare = [&] { return [&] { CSourceWriter().SourceBytes(*font); }; };
    } else if (operation == "export-firmware") {
        font = Open(path);
        prepare = [&] {
            return [&] {
                const CSourceWriter writer(
                    CArray(CArray::Layout::Rows, QStringLiteral("font"), CArray::Storage::Const),
                    true);
                if (!writer.Accepts(*font))
                    qFatal("the font cannot have a header");
                writer.SourceBytes(*font);
                writer.HeaderBytes(*font);
            };
        };
    } else if (operation == "export-gfx") {
        font = Open(path);
        const GfxWriter writer(QStringLiteral("font"), GfxWriter::DefaultRange(),
                               FontChar::DefaultBaseline, false);
        prepare = [&, writer] { return [&, writer] { writer.Bytes(*font); }; };
    } else if (operation == "export-ttf") {
        font = Open(path);
        if (!TrueTypeWriter::Accepts(*font))
            qFatal("the font has more glyphs than TrueType holds");
        prepare = [&] { return [&] { TrueTypeWriter().Bytes(*font); }; };
    } else if (operation == "fill-list" || operation == "select-last") {
        font = Open(path);
        const bool select = operation == "select-last";
        prepare = [&, select] {
            list = std::make_unique<FontCharSetView>();
            list->resize(200, 400);
            list->show();
            if (!QTest::qWaitForWindowExposed(list.get()))
                qFatal("the list was not shown");
            if (select) {
                list->SetFontCharSet(font.get());
                QApplication::processEvents();
                return std::function<void()>([&] {
                    list->setCurrentRow(list->count() - 1);
                    QApplication::processEvents();
                });
            }
            return std::function<void()>([&] {
                list->SetFontCharSet(font.get());
                QApplication::processEvents();
            });
        };
    } else {
        qFatal("unknown operation %s", operation.constData());
    }

    std::vector<double> times;
    for (int run = 0; run < repeats; ++run) {
        const std::function<void()> timed = prepare();
        QElapsedTimer timer;
        timer.start();
        timed();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        list.reset();
    }
    std::sort(times.begin(), times.end());
    std::printf("%.3f\n", times[times.size() / 2]);
    return 0;
}

#include "FontDecompressor.h"

#include "FreeTypeMemory.h"
#include "Message.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BZIP2_H
#include FT_LZW_H
#include FT_SYSTEM_H

#include <zlib.h>

#include <algorithm>

namespace {

// The formats FreeType recognises by these first bytes, and so would open itself.
enum class Format { Plain, Gzip, Lzw, Bzip2 };

Format FormatOf(const QByteArray& bytes)
{
    if (bytes.startsWith("\x1f\x8b"))
        return Format::Gzip;
    if (bytes.startsWith("\x1f\x9d"))
        return Format::Lzw;
    if (bytes.startsWith("BZh"))
        return Format::Bzip2;
    return Format::Plain;
}

QString FormatName(Format format)
{
    switch (format) {
    case Format::Gzip:
        return QStringLiteral("gzip");
    case Format::Lzw:
        return QStringLiteral("LZW (compress)");
    case Format::Bzip2:
        return QStringLiteral("bzip2");
    case Format::Plain:
        break;
    }
    return QString();
}

QString TooLarge(qint64 limit)
{
    return Message::Text(u"decompressed, the font is larger than %1 bytes", {limit});
}

// Room for more output, up to one byte beyond the limit so that reaching it shows.
bool Grow(QByteArray& plain, qint64 used, qint64 limit)
{
    if (used < plain.size())
        return true;
    if (used > limit)
        return false;
    plain.resize(qsizetype(std::min(limit + 1, std::max<qint64>(used * 2, 1 << 16))));
    return true;
}

// gzip through zlib, which checks each member's CRC and length; members one after the other
// are read as one, and zero bytes after the last are left aside (padding that some tools
// write), as gzip -d does. Anything else after a member, which gzip -d only warns of, is
// refused as damaged.
Status Inflate(const QByteArray& bytes, qint64 limit, QByteArray& plain)
{
    z_stream stream{};
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK)
        return Status::Failure(QStringLiteral("zlib cannot be started"));
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.constData()));
    stream.avail_in = uInt(bytes.size());
    qint64 used = 0;
    int status = Z_OK;
    while (status != Z_STREAM_END || stream.avail_in > 0) {
        if (status == Z_STREAM_END) {
            const Bytef* rest = stream.next_in;
            if (std::all_of(rest, rest + stream.avail_in, [](Bytef byte) { return byte == 0; }))
                break;
            inflateReset(&stream);
        }
        if (!Grow(plain, used, limit))
            break;
        const qint64 room = std::min<qint64>(plain.size() - used, 1 << 30);
        stream.next_out = reinterpret_cast<Bytef*>(plain.data() + used);
        stream.avail_out = uInt(room);
        status = inflate(&stream, Z_NO_FLUSH);
        used += room - stream.avail_out;
        if (status != Z_OK && status != Z_STREAM_END)
            break;
    }
    const QString reason = stream.msg ? QString::fromLatin1(stream.msg) : QString();
    inflateEnd(&stream);
    if (used > limit)
        return Status::Failure(TooLarge(limit));
    if (status == Z_BUF_ERROR)
        return Status::Failure(QStringLiteral("the gzip data ends too early"));
    if (status != Z_STREAM_END)
        return Status::Failure(QStringLiteral("the gzip data is damaged (") + reason + u')');
    plain.truncate(qsizetype(used));
    return Status();
}

// LZW and bzip2 through FreeType's own readers, read once from the start to the end.
Status ReadForward(Format format, const QByteArray& bytes, qint64 limit, QByteArray& plain)
{
    // The readers' own buffers are small: what they read goes into plain.
    FreeTypeMemory memory(size_t(1) << 24);
    FT_StreamRec source{};
    source.base = reinterpret_cast<unsigned char*>(const_cast<char*>(bytes.constData()));
    source.size = static_cast<unsigned long>(bytes.size());
    source.memory = memory.Memory();
    FT_StreamRec stream{};
    const FT_Error failure = format == Format::Lzw ? FT_Stream_OpenLZW(&stream, &source)
                                                   : FT_Stream_OpenBzip2(&stream, &source);
    if (failure) {
        return Status::Failure(Message::Text(
            u"compressed with %1, which FreeType cannot read here (%2)",
            {FormatName(format), Message::LibraryError(QLatin1String("FreeType"), failure)}));
    }
    qint64 used = 0;
    for (;;) {
        if (!Grow(plain, used, limit))
            break;
        const unsigned long room = static_cast<unsigned long>(plain.size() - used);
        const unsigned long read =
            stream.read(&stream, static_cast<unsigned long>(used),
                        reinterpret_cast<unsigned char*>(plain.data() + used), room);
        used += qint64(read);
        if (read < room)
            break;
    }
    if (stream.close)
        stream.close(&stream);
    if (used > limit)
        return Status::Failure(TooLarge(limit));
    plain.truncate(qsizetype(used));
    return Status();
}

} // namespace

Status FontDecompressor::Decompress(QByteArray& bytes, qint64 limit)
{
    const Format format = FormatOf(bytes);
    if (format == Format::Plain)
        return Status();
    QByteArray plain;
    if (Status read = format == Format::Gzip ? Inflate(bytes, limit, plain)
                                             : ReadForward(format, bytes, limit, plain);
        !read)
        return read;
    // FreeType would open a second layer itself, forward only again.
    if (const Format inner = FormatOf(plain); inner != Format::Plain) {
        return Status::Failure(
            Message::Text(u"compressed twice (%1 inside %2): decompress it first",
                          {FormatName(inner), FormatName(format)}));
    }
    bytes = std::move(plain);
    return Status();
}

#include "PngFile.h"

#include "Message.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <vector>

namespace {

// libpng's simple interface, for reading, keeps its longjmp inside itself and reports through
// the image's message: no C++ object of ours lives across it.
struct ImageGuard
{
    png_image image;
    ImageGuard()
    {
        std::memset(&image, 0, sizeof image);
        image.version = PNG_IMAGE_VERSION;
    }
    ~ImageGuard() { png_image_free(&image); }
};

void Append(png_structp png, png_bytep data, size_t size)
{
    static_cast<QByteArray*>(png_get_io_ptr(png))
        ->append(reinterpret_cast<const char*>(data), qsizetype(size));
}

// The rows written through libpng's own interface, which leaves out the colour space chunks
// that its simple one adds: the files stay as they were, a plain picture at 96 dots an inch.
// libpng leaves by longjmp on an error: nothing made here needs destroying past that point.
bool Write(const PixelImage& picture, std::vector<png_bytep>& rows, QByteArray& bytes)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &bytes, Append, nullptr);
    png_set_IHDR(png, info, png_uint_32(picture.Width()), png_uint_32(picture.Height()), 8,
                 picture.PixelKind() == PixelImage::Kind::Rgb ? PNG_COLOR_TYPE_RGB
                                                              : PNG_COLOR_TYPE_GRAY,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    constexpr png_uint_32 DotsPerMetre = 3780;
    png_set_pHYs(png, info, DotsPerMetre, DotsPerMetre, PNG_RESOLUTION_METER);
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

Result<QByteArray> PngFile::Encode(const PixelImage& picture)
{
    QByteArray bytes;
    std::vector<png_bytep> rows;
    for (int y = 0; y < picture.Height(); ++y)
        rows.push_back(const_cast<png_bytep>(picture.Row(y)));
    if (picture.IsNull() || !Write(picture, rows, bytes)) {
        return Status::Failure(QStringLiteral("the image could not be encoded as PNG"));
    }
    return bytes;
}

Result<PixelImage> PngFile::DecodeGray(const QByteArray& bytes)
{
    static const png_byte Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (bytes.size() < 8 || std::memcmp(bytes.constData(), Signature, 8) != 0) {
        return Status::Failure(QStringLiteral("not a PNG picture"));
    }
    ImageGuard guard;
    png_image& image = guard.image;
    if (!png_image_begin_read_from_memory(&image, bytes.constData(), size_t(bytes.size()))) {
        return Status::Failure(QStringLiteral("not a readable PNG picture: ") +
                               QString::fromLatin1(image.message));
    }
    const qint64 width = image.width;
    const qint64 height = image.height;
    if (width > MaxSide || height > MaxSide || width * height > MaxPixels) {
        return Status::Failure(Message::Text(u"the picture is %1 x %2 pixels, larger than the %3 "
                                             u"pixels a side and %4 pixels in all that are read",
                                             {width, height, MaxSide, MaxPixels}));
    }
    image.format = PNG_FORMAT_GRAY;
    PixelImage picture(int(width), int(height), PixelImage::Kind::Gray);
    if (picture.IsNull()) {
        return Status::Failure(QStringLiteral("there is not enough memory for the picture"));
    }
    // Laid on white, as a paint program shows a transparent sheet.
    png_color white = {255, 255, 255};
    if (!png_image_finish_read(&image, &white, picture.Row(0), png_int_32(width), nullptr)) {
        return Status::Failure(QStringLiteral("the PNG picture is damaged: ") +
                               QString::fromLatin1(image.message));
    }
    return picture;
}

#pragma once

#include <QtGlobal>

#include <vector>

// A picture in memory: rows of 8-bit RGB pixels (3 bytes each), or 8-bit gray (1 byte), top
// row first, as a PNG holds them.
class PixelImage
{
public:
    enum class Kind { Rgb, Gray };

    PixelImage() = default;
    // Every pixel white. A null image when the memory cannot be had.
    PixelImage(int width, int height, Kind kind = Kind::Rgb);

    bool IsNull() const { return _pixels.empty(); }
    int Width() const { return _width; }
    int Height() const { return _height; }
    Kind PixelKind() const { return _kind; }
    int Channels() const { return _kind == Kind::Rgb ? 3 : 1; }

    // Gray levels: 0 black, 255 white; an RGB pixel takes the same level in each channel.
    void FillRect(int x, int y, int width, int height, quint8 level);
    // Mixes level into the pixel by coverage (0 leaves it, 255 replaces it).
    void Blend(int x, int y, quint8 level, quint8 coverage);
    // The first channel of the pixel.
    quint8 Level(int x, int y) const { return _pixels[Offset(x, y)]; }

    quint8* Row(int y) { return _pixels.data() + Offset(0, y); }
    const quint8* Row(int y) const { return _pixels.data() + Offset(0, y); }

private:
    size_t Offset(int x, int y) const
    {
        return (size_t(y) * size_t(_width) + size_t(x)) * size_t(Channels());
    }

    int _width = 0;
    int _height = 0;
    Kind _kind = Kind::Rgb;
    std::vector<quint8> _pixels;
};

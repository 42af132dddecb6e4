#pragma once

#include <QImage>
#include <QRgb>

// The pixel patterns of the test icons. The fixture generator stores them in
// the image formats of ICO files (and, through windres, of PE resources);
// the tests compute what a correct reader must see from the same values.
namespace fixtures {

enum class Kind { Bmp32Alpha, Bmp24, Bmp8, Bmp4, Mono, Png };

inline bool maskBit(int x, int y)
{
    return (x + 2 * y) % 5 == 0;
}

inline QRgb palette8(int i)
{
    return i == 0 ? qRgb(0, 0, 0) : qRgb((i * 3) & 255, 255 - i, (i * 7) & 255);
}

inline QRgb palette4(int i)
{
    return i == 0 ? qRgb(0, 0, 0) : qRgb((i * 16) & 255, 255 - i * 16, (i * 40) & 255);
}

inline int index8(int seed, int x, int y)
{
    return maskBit(x, y) ? 0 : 1 + (x * 3 + y * 5 + seed) % 255;
}

inline int index4(int seed, int x, int y)
{
    return maskBit(x, y) ? 0 : 1 + (x + y + seed) % 15;
}

inline bool monoXor(int x, int y)
{
    return (x / 2 + y / 2) % 2 == 1;
}

inline bool monoAnd(int x, int)
{
    return x % 7 == 0;
}

// What a reader must produce for the pixel, as straight (not premultiplied) ARGB.
inline QRgb pixel(Kind kind, int seed, int x, int y)
{
    switch (kind) {
    case Kind::Bmp32Alpha:
        return qRgba((x * 13 + seed * 50) & 255, (y * 17 + seed * 30) & 255, (x * y + seed * 70) & 255,
                     maskBit(x, y) ? 0 : ((x + y) % 3 == 0 ? 100 : 255));
    case Kind::Bmp24:
        return maskBit(x, y) ? 0u : qRgb((x * 9 + seed * 20) | 1, (y * 7 + seed) & 255, (x + y * 3) & 255);
    case Kind::Bmp8:
        return maskBit(x, y) ? 0u : palette8(index8(seed, x, y));
    case Kind::Bmp4:
        return maskBit(x, y) ? 0u : palette4(index4(seed, x, y));
    case Kind::Mono:
        // Masked pixels that would invert the background are drawn white.
        if (monoAnd(x, y) && !monoXor(x, y))
            return 0u;
        return monoXor(x, y) ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
    case Kind::Png:
        return qRgba((x * 5 + seed * 60) & 255, (y * 3 + seed * 10) & 255, (x + y) & 255,
                     x % 5 == 0 ? 0 : 200 + y % 56);
    }
    return 0;
}

inline QImage expectedImage(Kind kind, int seed, int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, pixel(kind, seed, x, y));
    return image;
}

} // namespace fixtures

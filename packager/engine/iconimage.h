#pragma once

#include <QByteArray>
#include <QString>

// Icons chosen as ordinary images (PNG, SVG, JPEG and whatever else Qt's
// image readers take) rather than ICO files.
namespace iconimage {

// Whether `data` starts like an ICO file (reserved 0, type 1).
bool hasIcoHeader(const QByteArray &data);

// ICO data made from the image in `data`, with images of 256, 48, 32 and 16
// pixels (the image centred on a transparent square, its proportions kept):
// the 256 entry PNG-compressed, the others 32-bit bitmaps. Empty when `data`
// holds no image Qt can read.
QByteArray icoFromImage(const QByteArray &data);

// Whether the file at `path` is an image Qt can read (an ICO included).
bool isImageFile(const QString &path);

} // namespace iconimage

#include <QtGlobal>

#ifdef Q_OS_WIN

#include "iconsource.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

namespace iconsource {

namespace {

// Draws the icon into a 32-bit surface of its size; a null image when the
// drawing resources cannot be had. Everything taken here is given back here.
QImage drawIcon(HICON icon, int width, int height)
{
    QImage image;
    HDC screen = GetDC(nullptr);
    if (!screen)
        return image;
    HDC memory = CreateCompatibleDC(screen);
    if (memory) {
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = width;
        bmi.bmiHeader.biHeight = height;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        void *bits = nullptr;
        HBITMAP surface = CreateDIBSection(screen, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (surface) {
            HGDIOBJ previous = SelectObject(memory, surface);
            DrawIconEx(memory, 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
            image = QImage(width, height, QImage::Format_ARGB32);
            if (!image.isNull())
                GetBitmapBits(surface, LONG(width) * height * 4, image.bits());
            SelectObject(memory, previous);
            DeleteObject(surface);
        }
        DeleteDC(memory);
    }
    ReleaseDC(nullptr, screen);
    return image;
}

} // namespace

Result renderFirstIcon(const QString &exePath)
{
    Result result;
    const auto path = reinterpret_cast<LPCWSTR>(exePath.utf16());
    HICON icon = nullptr;
    if (ExtractIconExW(path, 0, nullptr, nullptr, 0) != 0)
        ExtractIconExW(path, 0, nullptr, &icon, 1);
    if (!icon)
        ExtractIconExW(path, 0, &icon, nullptr, 1);
    if (!icon)
        return result;

    ICONINFO info = {};
    if (!GetIconInfo(icon, &info)) {
        DestroyIcon(icon);
        result.status = Status::NoIconInfo;
        return result;
    }

    // A monochrome icon has no colour bitmap: its mask bitmap holds the AND
    // and XOR halves one above the other, so its size comes from the mask.
    BITMAP bitmap = {};
    int width = 0;
    int height = 0;
    if (info.hbmColor) {
        if (GetObjectW(info.hbmColor, int(sizeof bitmap), &bitmap)) {
            width = bitmap.bmWidth;
            height = bitmap.bmHeight;
        }
    } else if (info.hbmMask && GetObjectW(info.hbmMask, int(sizeof bitmap), &bitmap)) {
        width = bitmap.bmWidth;
        height = bitmap.bmHeight / 2;
    }

    result.status = Status::Rendered;
    if (width > 0 && height > 0)
        result.image = drawIcon(icon, width, height);

    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
    DestroyIcon(icon);
    return result;
}

void notifyIconsChanged()
{
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

} // namespace iconsource

#endif

#pragma once

#include <QImage>
#include <QString>

// The one platform step of icon extraction: the first icon of an executable
// rendered into a 32-bit ARGB image at its own size, top row first. On Windows
// the shell and GDI draw it (iconsource_win.cpp); elsewhere the file is read
// directly (iconsource_portable.cpp).
namespace iconsource {

enum class Status {
    Rendered,
    NoIcon,     // the executable has no icon that can be had
    NoIconInfo, // an icon was found but its bitmaps could not be read
};

struct Result
{
    Status status = Status::NoIcon;
    QImage image; // Format_ARGB32; set only when Rendered
};

Result renderFirstIcon(const QString &exePath);

// Tells the shell that icons changed, so it redraws them. Nothing to do where
// there is no such shell.
void notifyIconsChanged();

} // namespace iconsource

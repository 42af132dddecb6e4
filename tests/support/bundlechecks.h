#pragma once

// Helpers of the bundle tests of both programs: reading style sheets, their
// url() references and id selectors, and measuring rendered icons.

#include <QColor>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QSvgRenderer>

namespace bundlechecks {

inline QString readText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

inline QStringList sheetUrls(const QString &sheet)
{
    static const QRegularExpression url(QStringLiteral("url\\(\\s*\"?([^\")\\s]+)\"?\\s*\\)"));
    QStringList urls;
    for (auto it = url.globalMatch(sheet); it.hasNext();)
        urls << it.next().captured(1);
    return urls;
}

inline QStringList idSelectors(const QString &sheet)
{
    // Strip comments first so that words in them are not taken for selectors.
    QString text = sheet;
    text.remove(QRegularExpression(QStringLiteral("/\\*.*?\\*/"),
                                   QRegularExpression::DotMatchesEverythingOption));
    text.remove(QRegularExpression(QStringLiteral("\\{[^}]*\\}")));
    static const QRegularExpression id(QStringLiteral("#([A-Za-z_][A-Za-z0-9_]*)"));
    QStringList names;
    for (auto it = id.globalMatch(text); it.hasNext();) {
        const QString name = it.next().captured(1);
        if (!names.contains(name))
            names << name;
    }
    return names;
}

inline QImage renderSvg(const QString &path, int size, const QColor &background)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(background);
    QSvgRenderer renderer(path);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

inline bool nearColour(QRgb pixel, const QColor &colour, int tolerance)
{
    return qAbs(qRed(pixel) - colour.red()) <= tolerance
        && qAbs(qGreen(pixel) - colour.green()) <= tolerance
        && qAbs(qBlue(pixel) - colour.blue()) <= tolerance;
}

inline int countNear(const QImage &image, const QColor &colour, int tolerance = 24)
{
    int count = 0;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            count += nearColour(rgb.pixel(x, y), colour, tolerance) ? 1 : 0;
    return count;
}

// Contrast of the drawing's strongest pixels against the background, as the
// difference in grey level (0..255).
inline int strongestContrast(const QImage &image, const QColor &background)
{
    int best = 0;
    const int base = qGray(background.rgb());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            best = qMax(best, qAbs(qGray(image.pixel(x, y)) - base));
    return best;
}


} // namespace bundlechecks

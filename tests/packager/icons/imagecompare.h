#pragma once

#include <QImage>
#include <QString>

#include <cstdlib>

// Pixels compared as straight ARGB. Where a pixel is (nearly) transparent
// its colour carries no meaning and rounding through premultiplication
// spreads, so only the alpha is compared there.
inline QString imageDifference(const QImage &actualImage, const QImage &expectedImage, int tolerance = 0)
{
    if (actualImage.size() != expectedImage.size())
        return QStringLiteral("size %1x%2, expected %3x%4")
            .arg(actualImage.width())
            .arg(actualImage.height())
            .arg(expectedImage.width())
            .arg(expectedImage.height());
    const QImage actual = actualImage.convertToFormat(QImage::Format_ARGB32);
    const QImage expected = expectedImage.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            const QRgb a = actual.pixel(x, y);
            const QRgb e = expected.pixel(x, y);
            bool same = std::abs(qAlpha(a) - qAlpha(e)) <= tolerance;
            if (same && qAlpha(e) > (tolerance ? 48 : 0))
                same = std::abs(qRed(a) - qRed(e)) <= tolerance && std::abs(qGreen(a) - qGreen(e)) <= tolerance
                    && std::abs(qBlue(a) - qBlue(e)) <= tolerance;
            if (!same)
                return QStringLiteral("pixel (%1,%2) is %3, expected %4")
                    .arg(x)
                    .arg(y)
                    .arg(a, 8, 16, QLatin1Char('0'))
                    .arg(e, 8, 16, QLatin1Char('0'));
        }
    }
    return {};
}

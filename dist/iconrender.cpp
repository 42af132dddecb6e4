// Renders an SVG icon into the PNG sizes of the hicolor theme:
//   iconrender <icon.svg> <theme folder> <icon name> <size>...
// writes <theme folder>/<size>x<size>/apps/<icon name>.png for every size.
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: iconrender <icon.svg> <theme folder> <icon name> <size>...\n");
        return 2;
    }
    QSvgRenderer renderer(args.at(0));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "iconrender: cannot read %s\n", qPrintable(args.at(0)));
        return 1;
    }
    for (const QString &sizeText : args.mid(3)) {
        bool ok = false;
        const int size = sizeText.toInt(&ok);
        if (!ok || size <= 0) {
            std::fprintf(stderr, "iconrender: bad size %s\n", qPrintable(sizeText));
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(args.at(1)).arg(size);
        const QString path = folder + QLatin1Char('/') + args.at(2) + QStringLiteral(".png");
        if (!QDir().mkpath(folder) || !image.save(path, "PNG")) {
            std::fprintf(stderr, "iconrender: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}

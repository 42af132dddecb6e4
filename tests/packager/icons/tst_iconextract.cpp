#include "iconfixtures.h"
#include "iconsource.h"
#include "imagecompare.h"
#include "producttools.h"
#include "worker.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <QtTest>

using fixtures::Kind;

class tst_IconExtract : public QObject
{
    Q_OBJECT

private:
    static QString fixture(const QString &name) { return QStringLiteral(ICON_FIXTURE_DIR "/") + name; }

    struct Extraction
    {
        QByteArray bytes;
        QStringList log;
    };

    static Extraction extract(const QString &path)
    {
        Worker worker;
        Extraction result;
        connect(&worker, &Worker::logMessage, &worker, [&result](const QString &line) { result.log << line; });
        result.bytes = worker.extractIconFromExe(path);
        return result;
    }

    static void addPeRows()
    {
        QTest::addColumn<QString>("pe");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<int>("seed");
        QTest::addColumn<QSize>("size");
        struct Row
        {
            const char *name;
            Kind kind;
            int seed;
            QSize size;
        };
        // Each row names the image a correct reader must pick out of the
        // first group: the one closest to the small icon size.
        const Row rows[] = {
            {"multi", Kind::Bmp32Alpha, 1, {16, 16}},     // 48, 32, 16 in a group: 16 first
            {"named", Kind::Png, 1, {16, 16}},            // a named group precedes numbered ones
            {"bmp24", Kind::Bmp24, 4, {16, 16}},          // colour plus AND mask
            {"bmp8", Kind::Bmp8, 5, {32, 32}},            // 256-colour palette
            {"bmp4", Kind::Bmp4, 6, {48, 48}},            // 16-colour palette
            {"mono", Kind::Mono, 0, {32, 32}},            // monochrome, with inverting pixels
            {"png16", Kind::Png, 1, {16, 16}},
            {"png256", Kind::Png, 2, {256, 256}},
            {"png256x128", Kind::Png, 3, {256, 128}},
            {"nosmall", Kind::Bmp32Alpha, 7, {48, 48}},   // 256 and 48: 48 is closer to small
        };
        for (const char *arch : {"x86_64", "i686"}) {
            for (const Row &row : rows) {
                QTest::addRow("%s-%s", arch, row.name)
                    << fixture(QStringLiteral("%1/%2.exe").arg(QLatin1String(arch), QLatin1String(row.name)))
                    << row.kind << row.seed << row.size;
            }
        }
    }

private Q_SLOTS:
    void rendersFirstIconOfPe_data() { addPeRows(); }
    void rendersFirstIconOfPe()
    {
        if (!ICON_HAVE_PE)
            QSKIP("the mingw-w64 binutils (windres, as, ld) are not installed, so no PE files could be built");
        QFETCH(QString, pe);
        QFETCH(Kind, kind);
        QFETCH(int, seed);
        QFETCH(QSize, size);
        QVERIFY2(QFile::exists(pe), qPrintable(pe));

        const iconsource::Result result = iconsource::renderFirstIcon(pe);
        QCOMPARE(result.status, iconsource::Status::Rendered);
        QCOMPARE(result.image.format(), QImage::Format_ARGB32);
        const QString difference =
            imageDifference(result.image, fixtures::expectedImage(kind, seed, size.width(), size.height()));
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    // Icons smaller than 256 in either direction are scaled to fit 256 x 256
    // keeping their proportions; the result is the ICO the worker hands on.
    void extractsScaledIco_data() { addPeRows(); }
    void extractsScaledIco()
    {
        if (!ICON_HAVE_PE)
            QSKIP("the mingw-w64 binutils (windres, as, ld) are not installed, so no PE files could be built");
        QFETCH(QString, pe);
        QFETCH(Kind, kind);
        QFETCH(int, seed);
        QFETCH(QSize, size);

        const Extraction result = extract(pe);
        QCOMPARE(result.log, QStringList{QStringLiteral("成功提取图标，大小: %1 字节").arg(result.bytes.size())});
        QVERIFY(result.bytes.startsWith(QByteArray("\0\0\1\0", 4)));

        QImage expected = fixtures::expectedImage(kind, seed, size.width(), size.height());
        if (!(size.width() > 255 && size.height() > 255))
            expected = expected.scaled(QSize(256, 256), Qt::KeepAspectRatio, Qt::SmoothTransformation);
        const QImage decoded = QImage::fromData(result.bytes, "ICO");
        QVERIFY(!decoded.isNull());
        QCOMPARE(decoded.size(), size == QSize(256, 128) ? QSize(256, 128) : QSize(256, 256));
        const QString difference = imageDifference(decoded, expected, 3);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    void noIconGivesWarning_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("line");
        // An ELF program or a script never carries an icon: a notice, not a warning.
        const QString notice = QStringLiteral("主程序没有图标，制作出的程序将不带图标");
        const QString warning = QStringLiteral("警告：无法从EXE提取图标");
        QTest::newRow("ELF program without icon block") << QCoreApplication::applicationFilePath() << notice;
        QTest::newRow("self-extractor module alone") << QStringLiteral(ICON_SFX_MODULE) << notice;
        if (ICON_HAVE_PE) {
            QTest::newRow("PE without resources") << fixture(QStringLiteral("x86_64/noresources.exe")) << warning;
            QTest::newRow("PE with strings only") << fixture(QStringLiteral("x86_64/strings.exe")) << warning;
            QTest::newRow("32-bit PE with strings only") << fixture(QStringLiteral("i686/strings.exe")) << warning;
        }
        QTest::newRow("ICO file is no executable") << fixture(QStringLiteral("multi.ico")) << warning;
        QTest::newRow("missing file") << fixture(QStringLiteral("no-such.exe")) << warning;
        QTest::newRow("folder") << QStringLiteral(ICON_FIXTURE_DIR) << warning;
    }
    void noIconGivesWarning()
    {
        QFETCH(QString, path);
        QFETCH(QString, line);
        const Extraction result = extract(path);
        QVERIFY(result.bytes.isEmpty());
        QCOMPARE(result.log, QStringList{line});
    }

    // A product of our own carries its icon in the icon block; what was put
    // there is what comes out, small image first.
    void readsProductIconBlock_data()
    {
        QTest::addColumn<QString>("ico");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<int>("seed");
        QTest::addColumn<QSize>("size");
        QTest::newRow("three sizes") << QStringLiteral("multi.ico") << Kind::Bmp32Alpha << 1 << QSize(16, 16);
        QTest::newRow("256x128") << QStringLiteral("png256x128.ico") << Kind::Png << 3 << QSize(256, 128);
        QTest::newRow("monochrome") << QStringLiteral("mono.ico") << Kind::Mono << 0 << QSize(32, 32);
    }
    void readsProductIconBlock()
    {
        QFETCH(QString, ico);
        QFETCH(Kind, kind);
        QFETCH(int, seed);
        QFETCH(QSize, size);

        const QByteArray module = producttools::moduleBytes();
        QVERIFY(!module.isEmpty());
        QTemporaryDir dir;
        const QString product = dir.filePath(QStringLiteral("app.exe"));
        QVERIFY(producttools::writeFile(product, module + producttools::iconBlock(producttools::readFile(fixture(ico)))
                                                      + producttools::configBlock(QStringLiteral("app"),
                                                                                  QStringLiteral("app.exe"))));
        const iconsource::Result result = iconsource::renderFirstIcon(product);
        QCOMPARE(result.status, iconsource::Status::Rendered);
        const QString difference =
            imageDifference(result.image, fixtures::expectedImage(kind, seed, size.width(), size.height()));
        QVERIFY2(difference.isEmpty(), qPrintable(difference));

        const Extraction extracted = extract(product);
        QCOMPARE(extracted.log.size(), 1);
        QVERIFY(extracted.log.first().startsWith(QStringLiteral("成功提取图标，大小: ")));
        QCOMPARE(QImage::fromData(extracted.bytes, "ICO").size(),
                 size == QSize(256, 128) ? QSize(256, 128) : QSize(256, 256));
    }
};

QTEST_MAIN(tst_IconExtract)
#include "tst_iconextract.moc"

#include "logcapture.h"
#include "mainwindow.h"
#include "stylesheet.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QRegularExpression>
#include <QSet>
#include <QSvgRenderer>
#include <QTest>
#include <QProgressBar>
#include <QToolButton>

#include "bundlechecks.h"

using namespace bundlechecks;

namespace {

const QString kSheet = QStringLiteral(":/qss/default.css");
const QString kDarkSheet = QStringLiteral(":/qss/dark.css");
const QColor kAccent(0x00, 0xb6, 0x88);
const QColor kMenu(0xff, 0xff, 0xff);

} // namespace

class TestBundle : public QObject
{
    Q_OBJECT

private slots:
    void entryExists_data();
    void entryExists();
    void sheetImagesAreEighteenPngs_data();
    void sheetImagesAreEighteenPngs();
    void sheetUrlResolves_data();
    void sheetUrlResolves();
    void everySheetImageIsReferenced_data();
    void everySheetImageIsReferenced();
    void sheetParsesWithoutWarnings_data();
    void sheetParsesWithoutWarnings();
    void sheetKeysTheWindowsObjects_data();
    void sheetKeysTheWindowsObjects();
    void everySheetObjectExists();
    void svgIconRenders_data();
    void svgIconRenders();
    void pageButtonVariantsRead_data();
    void pageButtonVariantsRead();
    void logoIcoHasEverySize_data();
    void logoIcoHasEverySize();
    void sampleConfigurationBlock();
    void styledWindowKeepsItsFrameSizes();
    void styledWindowShowsTheCheckedButton();
};

void TestBundle::entryExists_data()
{
    QTest::addColumn<QString>("path");
    const QStringList paths = {
        kSheet, kDarkSheet,
        QStringLiteral(":/icons/logo.svg"), QStringLiteral(":/icons/logo.ico"),
        QStringLiteral(":/icons/foundation.svg"), QStringLiteral(":/icons/foundation-hover.svg"),
        QStringLiteral(":/icons/senior.svg"), QStringLiteral(":/icons/senior-hover.svg"),
        QStringLiteral(":/icons/nav.svg"), QStringLiteral(":/icons/min.svg"), QStringLiteral(":/icons/close.svg"),
        QStringLiteral(":/resources/7zS2.sfx"), QStringLiteral(":/resources/7zS2con.sfx"),
        QStringLiteral(":/resources/7zdec.exe"), QStringLiteral(":/resources/lzma.exe"),
        QStringLiteral(":/resources/config.txt"),
    };
    for (const QString &path : paths)
        QTest::newRow(qPrintable(path)) << path;
}

void TestBundle::entryExists()
{
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
    QVERIFY(file.size() > 0);
}

static void addSheetRows()
{
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QString>("images");
    QTest::newRow("default") << kSheet << QStringLiteral(":/qss/default/");
    QTest::newRow("dark") << kDarkSheet << QStringLiteral(":/qss/dark/");
}

void TestBundle::sheetImagesAreEighteenPngs_data()
{
    addSheetRows();
}

void TestBundle::sheetImagesAreEighteenPngs()
{
    QFETCH(QString, images);
    const QFileInfoList files = QDir(images).entryInfoList(QDir::Files, QDir::Name);
    QCOMPARE(files.size(), 18);
    for (const QFileInfo &info : files) {
        QCOMPARE(info.suffix(), QStringLiteral("png"));
        QImageReader reader(info.filePath());
        QCOMPARE(reader.format(), QByteArray("png"));
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(info.filePath()));
        QVERIFY2(image.hasAlphaChannel(), qPrintable(info.filePath()));
        QVERIFY(image.width() >= 8 && image.width() <= 32);
    }
    // Both sets carry the same names, so either sheet can point at its own.
    QStringList names;
    for (const QFileInfo &info : files)
        names << info.fileName();
    QCOMPARE(names, QDir(QStringLiteral(":/qss/default/")).entryList(QDir::Files, QDir::Name));
}

void TestBundle::sheetUrlResolves_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("images");
    for (const QString &sheet : {kSheet, kDarkSheet}) {
        const QString images = sheet == kSheet ? QStringLiteral(":/qss/default/") : QStringLiteral(":/qss/dark/");
        const QStringList urls = sheetUrls(readText(sheet));
        QVERIFY(!urls.isEmpty());
        int row = 0;
        for (const QString &url : urls)
            QTest::addRow("%s %d %s", qPrintable(sheet), row++, qPrintable(url)) << url << images;
    }
}

void TestBundle::sheetUrlResolves()
{
    QFETCH(QString, url);
    QFETCH(QString, images);
    QVERIFY2(url.startsWith(images), qPrintable(url));
    QVERIFY2(QFile::exists(url), qPrintable(url));
    QVERIFY(!QImage(url).isNull());
}

void TestBundle::everySheetImageIsReferenced_data()
{
    addSheetRows();
}

void TestBundle::everySheetImageIsReferenced()
{
    QFETCH(QString, sheet);
    QFETCH(QString, images);
    const QStringList urls = sheetUrls(readText(sheet));
    const QSet<QString> used(urls.begin(), urls.end());
    for (const QFileInfo &info : QDir(images).entryInfoList(QDir::Files))
        QVERIFY2(used.contains(info.filePath()), qPrintable(info.filePath()));
}

void TestBundle::sheetParsesWithoutWarnings_data()
{
    addSheetRows();
}

void TestBundle::sheetParsesWithoutWarnings()
{
    QFETCH(QString, sheet);
    const QString text = readText(sheet);
    QVERIFY(!text.isEmpty());
    LogCapture log;
    qApp->setStyleSheet(text);
    QWidget probe;
    probe.ensurePolished();
    qApp->setStyleSheet(QString());
    for (const QString &warning : log.messages(QtWarningMsg))
        QVERIFY2(!warning.contains(QStringLiteral("parse"), Qt::CaseInsensitive), qPrintable(warning));
}

void TestBundle::sheetKeysTheWindowsObjects_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"frameMain", "frameMenu", "headerFrame", "title_label", "logo", "basicTabButton",
                             "advancedTabButton", "menuButton", "minButton", "closeButton", "startButton",
                             "progressBar", "logTextEdit", "stackedWidget"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestBundle::sheetKeysTheWindowsObjects()
{
    QFETCH(QString, name);
    const QStringList defaultIds = idSelectors(readText(kSheet));
    const QStringList darkIds = idSelectors(readText(kDarkSheet));
    QVERIFY2(defaultIds.contains(name), qPrintable(name));
    QVERIFY2(darkIds.contains(name), qPrintable(name));
}

void TestBundle::everySheetObjectExists()
{
    MainWindow window;
    for (const QString &sheet : {kSheet, kDarkSheet}) {
        for (const QString &id : idSelectors(readText(sheet))) {
            if (id.startsWith(QStringLiteral("qt_")))
                continue;
            QVERIFY2(window.findChild<QWidget *>(id), qPrintable(sheet + QLatin1Char(' ') + id));
        }
    }
}

void TestBundle::svgIconRenders_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("size");
    for (const QFileInfo &info : QDir(QStringLiteral(":/icons")).entryInfoList({QStringLiteral("*.svg")}, QDir::Files))
        for (int size : {16, 24, 32, 48})
            QTest::addRow("%s@%d", qPrintable(info.fileName()), size) << info.filePath() << size;
}

void TestBundle::svgIconRenders()
{
    QFETCH(QString, path);
    QFETCH(int, size);
    QSvgRenderer renderer(path);
    QVERIFY(renderer.isValid());
    QCOMPARE(renderer.viewBox(), QRect(0, 0, 24, 24));
    const QPixmap pixmap = QIcon(path).pixmap(size, size);
    QVERIFY(!pixmap.isNull());
    QCOMPARE(pixmap.size(), QSize(size, size));
    const QImage image = pixmap.toImage();
    int opaque = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            opaque += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
    QVERIFY2(opaque >= size / 2, "the drawing is empty");
}

void TestBundle::pageButtonVariantsRead_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"foundation", "senior"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestBundle::pageButtonVariantsRead()
{
    QFETCH(QString, name);
    const QImage idle = renderSvg(QStringLiteral(":/icons/%1.svg").arg(name), 48, kMenu);
    const QImage checked = renderSvg(QStringLiteral(":/icons/%1-hover.svg").arg(name), 48, kMenu);
    QVERIFY(idle != checked);
    // Unchecked: a grey that reads on the white column; checked: the accent.
    QVERIFY(strongestContrast(idle, kMenu) >= 80);
    QCOMPARE(countNear(idle, kAccent, 40), 0);
    QVERIFY(countNear(checked, kAccent, 8) >= 40);
}

void TestBundle::logoIcoHasEverySize_data()
{
    QTest::addColumn<int>("size");
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        QTest::addRow("%d", size) << size;
}

void TestBundle::logoIcoHasEverySize()
{
    QFETCH(int, size);
    QImageReader reader(QStringLiteral(":/icons/logo.ico"));
    QVERIFY(reader.canRead());
    bool found = false;
    for (int i = 0; i < reader.imageCount() && !found; ++i) {
        QVERIFY(reader.jumpToImage(i));
        const QImage frame = reader.read();
        QVERIFY(!frame.isNull());
        if (frame.size() == QSize(size, size)) {
            found = true;
            QVERIFY(qAlpha(frame.pixel(0, 0)) < 64);
            QVERIFY(nearColour(frame.pixel(size / 2, size / 12), kAccent, 24));
        }
    }
    QVERIFY2(found, "the ICO lacks this size");
    QVERIFY(!QIcon(QStringLiteral(":/icons/logo.ico")).pixmap(size, size).isNull());
}

void TestBundle::sampleConfigurationBlock()
{
    QFile file(QStringLiteral(":/resources/config.txt"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(!bytes.contains('\r'));
    QVERIFY(bytes.endsWith('\n'));
    const QString text = QString::fromUtf8(bytes);
    QCOMPARE(text.toUtf8(), bytes);
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY(lines.size() >= 5);
    QCOMPARE(lines.first(), QStringLiteral(";!@Install@!UTF-8!"));
    QCOMPARE(lines.last(), QStringLiteral(";!@InstallEnd@!"));
    for (const char *key : {"Title=", "BeginPrompt=", "RunProgram="}) {
        bool present = false;
        for (const QString &line : lines)
            present = present || line.startsWith(QLatin1String(key));
        QVERIFY2(present, key);
    }
}

void TestBundle::styledWindowKeepsItsFrameSizes()
{
    QVERIFY(loadStyleSheet(*qApp));
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *header = window.findChild<QFrame *>(QStringLiteral("headerFrame"));
        auto *menu = window.findChild<QFrame *>(QStringLiteral("frameMenu"));
        auto *title = window.findChild<QLabel *>(QStringLiteral("title_label"));
        auto *start = window.findChild<QWidget *>(QStringLiteral("startButton"));
        auto *progress = window.findChild<QProgressBar *>(QStringLiteral("progressBar"));
        QVERIFY(header && menu && title && start && progress);
        QCOMPARE(header->height(), 40);
        QVERIFY(menu->width() <= 60);
        QCOMPARE(title->font().pixelSize(), 16);
        QVERIFY(title->font().bold());
        QVERIFY(start->height() >= 45);
        QVERIFY(progress->height() >= 45);

        // The column's right edge is the 1 px light border, on white.
        const QImage shot = menu->grab().toImage();
        const int mid = shot.height() / 2;
        QVERIFY(nearColour(shot.pixel(shot.width() - 1, mid), QColor(0xf5, 0xf5, 0xf5), 2));
        QVERIFY(nearColour(shot.pixel(shot.width() - 3, mid), kMenu, 2));
    }
    qApp->setStyleSheet(QString());
}

void TestBundle::styledWindowShowsTheCheckedButton()
{
    QVERIFY(loadStyleSheet(*qApp));
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *basic = window.findChild<QToolButton *>(QStringLiteral("basicTabButton"));
        auto *advanced = window.findChild<QToolButton *>(QStringLiteral("advancedTabButton"));
        auto *menu = window.findChild<QFrame *>(QStringLiteral("frameMenu"));
        QVERIFY(basic && advanced && menu);
        QVERIFY(basic->isChecked());
        QVERIFY(!advanced->isChecked());

        QImage shot = menu->grab().toImage();
        QVERIFY(countNear(shot.copy(basic->geometry()), kAccent, 16) >= 40);
        QCOMPARE(countNear(shot.copy(advanced->geometry()), kAccent, 40), 0);

        advanced->click();
        shot = menu->grab().toImage();
        QCOMPARE(countNear(shot.copy(basic->geometry()), kAccent, 40), 0);
        QVERIFY(countNear(shot.copy(advanced->geometry()), kAccent, 16) >= 40);
    }
    qApp->setStyleSheet(QString());
}

QTEST_MAIN(TestBundle)
#include "tst_bundle.moc"

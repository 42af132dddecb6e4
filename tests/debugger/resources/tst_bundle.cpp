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
#include <QToolButton>

#include "bundlechecks.h"

using namespace bundlechecks;

namespace {

const QString kSheet = QStringLiteral(":/qss/default.css");
const QString kSheetImages = QStringLiteral(":/qss/default/");
const QColor kAccent(0x00, 0xb6, 0x88);
const QColor kMenu(0x33, 0x33, 0x33);
const QColor kMenuChecked(0x28, 0x28, 0x28);

} // namespace

class TestBundle : public QObject
{
    Q_OBJECT

private slots:
    void entryExists_data();
    void entryExists();
    void sheetImagesAreEighteenPngs();
    void sheetUrlResolves_data();
    void sheetUrlResolves();
    void everySheetImageIsReferenced();
    void sheetParsesWithoutWarnings();
    void sheetKeysTheWindowsObjects_data();
    void sheetKeysTheWindowsObjects();
    void everySheetObjectExists();
    void svgIconRenders_data();
    void svgIconRenders();
    void sideMenuVariantsRead_data();
    void sideMenuVariantsRead();
    void logoIcoHasEverySize_data();
    void logoIcoHasEverySize();
    void styledWindowKeepsItsFrameSizes();
    void styledWindowShowsTheCheckedButton();
};

void TestBundle::entryExists_data()
{
    QTest::addColumn<QString>("path");
    const QStringList paths = {
        kSheet,
        QStringLiteral(":/image/logo.svg"), QStringLiteral(":/image/logo.ico"),
        QStringLiteral(":/image/tcpc.svg"), QStringLiteral(":/image/tcpc-hover.svg"),
        QStringLiteral(":/image/tcps.svg"), QStringLiteral(":/image/tcps-hover.svg"),
        QStringLiteral(":/image/udp.svg"), QStringLiteral(":/image/udp-hover.svg"),
        QStringLiteral(":/image/serial.svg"), QStringLiteral(":/image/serial-hover.svg"),
        QStringLiteral(":/image/nav.svg"), QStringLiteral(":/image/min.svg"),
        QStringLiteral(":/image/close.svg"),
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

void TestBundle::sheetImagesAreEighteenPngs()
{
    const QFileInfoList images = QDir(kSheetImages).entryInfoList(QDir::Files, QDir::Name);
    QCOMPARE(images.size(), 18);
    for (const QFileInfo &info : images) {
        QCOMPARE(info.suffix(), QStringLiteral("png"));
        QImageReader reader(info.filePath());
        QCOMPARE(reader.format(), QByteArray("png"));
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(info.filePath()));
        QVERIFY2(image.hasAlphaChannel(), qPrintable(info.filePath()));
        QVERIFY(image.width() >= 8 && image.width() <= 32);
    }
}

void TestBundle::sheetUrlResolves_data()
{
    QTest::addColumn<QString>("url");
    const QStringList urls = sheetUrls(readText(kSheet));
    QVERIFY(!urls.isEmpty());
    int row = 0;
    for (const QString &url : urls)
        QTest::addRow("%d %s", row++, qPrintable(url)) << url;
}

void TestBundle::sheetUrlResolves()
{
    QFETCH(QString, url);
    QVERIFY2(url.startsWith(kSheetImages), qPrintable(url));
    QVERIFY2(QFile::exists(url), qPrintable(url));
    QVERIFY(!QImage(url).isNull());
}

void TestBundle::everySheetImageIsReferenced()
{
    const QStringList urls = sheetUrls(readText(kSheet));
    const QSet<QString> used(urls.begin(), urls.end());
    for (const QFileInfo &info : QDir(kSheetImages).entryInfoList(QDir::Files))
        QVERIFY2(used.contains(info.filePath()), qPrintable(info.filePath()));
}

void TestBundle::sheetParsesWithoutWarnings()
{
    LogCapture log;
    QVERIFY(loadStyleSheet(*qApp));
    QWidget probe;
    probe.ensurePolished();
    qApp->setStyleSheet(QString());
    const QStringList warnings = log.messages(QtWarningMsg);
    for (const QString &warning : warnings)
        QVERIFY2(!warning.contains(QStringLiteral("parse"), Qt::CaseInsensitive), qPrintable(warning));
}

void TestBundle::sheetKeysTheWindowsObjects_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"frameMian", "frameMenu", "headerFrame", "titlelabel", "title_label", "logoButton",
                             "menuButton", "minButton", "closeButton", "stackedWidget"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestBundle::sheetKeysTheWindowsObjects()
{
    QFETCH(QString, name);
    QVERIFY2(idSelectors(readText(kSheet)).contains(name), qPrintable(name));
}

void TestBundle::everySheetObjectExists()
{
    // Every object the sheet names exists in the window (or is Qt's own, or
    // the title label's name in the sister program, kept for a shared look).
    MainWindow window;
    for (const QString &id : idSelectors(readText(kSheet))) {
        if (id.startsWith(QStringLiteral("qt_")) || id == QStringLiteral("title_label"))
            continue;
        QVERIFY2(window.findChild<QWidget *>(id), qPrintable(id));
    }
}

void TestBundle::svgIconRenders_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("size");
    for (const QFileInfo &info : QDir(QStringLiteral(":/image")).entryInfoList({QStringLiteral("*.svg")}, QDir::Files))
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

void TestBundle::sideMenuVariantsRead_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"tcpc", "tcps", "udp", "serial"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestBundle::sideMenuVariantsRead()
{
    QFETCH(QString, name);
    const QString idle = QStringLiteral(":/image/%1.svg").arg(name);
    const QString checked = QStringLiteral(":/image/%1-hover.svg").arg(name);

    const QImage idleImage = renderSvg(idle, 48, kMenu);
    const QImage checkedImage = renderSvg(checked, 48, kMenuChecked);
    QVERIFY(idleImage != renderSvg(checked, 48, kMenu));

    // The unchecked drawing is a grey that stands out from the dark menu; the
    // checked one is drawn in the accent and only in the accent.
    QVERIFY(strongestContrast(idleImage, kMenu) >= 80);
    QCOMPARE(countNear(idleImage, kAccent, 40), 0);
    QVERIFY(countNear(checkedImage, kAccent, 8) >= 40);
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
    QImageReader reader(QStringLiteral(":/image/logo.ico"));
    QVERIFY(reader.canRead());
    bool found = false;
    for (int i = 0; i < reader.imageCount() && !found; ++i) {
        QVERIFY(reader.jumpToImage(i));
        const QImage frame = reader.read();
        QVERIFY(!frame.isNull());
        if (frame.size() == QSize(size, size)) {
            found = true;
            // The tile's top edge is the accent, its corners transparent.
            QVERIFY(qAlpha(frame.pixel(0, 0)) < 64);
            QVERIFY(nearColour(frame.pixel(size / 2, size / 12), kAccent, 24));
        }
    }
    QVERIFY2(found, "the ICO lacks this size");
    QVERIFY(!QIcon(QStringLiteral(":/image/logo.ico")).pixmap(size, size).isNull());
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
        auto *title = window.findChild<QLabel *>(QStringLiteral("titlelabel"));
        QVERIFY(header && menu && title);
        QCOMPARE(header->height(), 50);
        QVERIFY(menu->width() <= 80);
        QCOMPARE(title->font().pixelSize(), 14);
        QVERIFY(title->font().bold());
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
        auto *client = window.findChild<QToolButton *>(QStringLiteral("TCPClient"));
        auto *server = window.findChild<QToolButton *>(QStringLiteral("TCPserver"));
        QVERIFY(client && server);
        QVERIFY(client->isChecked());
        QVERIFY(!server->isChecked());

        // Grab the whole menu, so that transparent buttons show its ground.
        auto *menu = window.findChild<QFrame *>(QStringLiteral("frameMenu"));
        QVERIFY(menu);
        const QImage shot = menu->grab().toImage();
        const QImage checked = shot.copy(client->geometry());
        const QImage idle = shot.copy(server->geometry());
        // Checked: the accent icon and left edge on the darker ground.
        QVERIFY(countNear(checked, kAccent, 16) >= 40);
        QVERIFY(nearColour(checked.pixel(0, checked.height() / 2), kAccent, 16));
        QVERIFY(nearColour(checked.pixel(checked.width() - 2, 2), kMenuChecked, 4));
        // Unchecked: no accent, the menu's own ground.
        QCOMPARE(countNear(idle, kAccent, 40), 0);
        QVERIFY(nearColour(idle.pixel(idle.width() - 2, 2), kMenu, 4));
    }
    qApp->setStyleSheet(QString());
}

QTEST_MAIN(TestBundle)
#include "tst_bundle.moc"

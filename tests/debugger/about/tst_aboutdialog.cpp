#include "aboutdialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QLayout>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <QUrl>

namespace {

class MarkingTranslator : public QTranslator
{
public:
    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        if (qstrcmp(context, "AboutDialog") != 0)
            return {};
        return QStringLiteral("[") + QString::fromUtf8(sourceText) + QStringLiteral("]");
    }
    bool isEmpty() const override { return false; }
};

QString labelText(QWidget &dialog, const char *name)
{
    auto *label = dialog.findChild<QLabel *>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<missing %1>").arg(QString::fromLatin1(name));
}

} // namespace

class tst_AboutDialog : public QObject
{
    Q_OBJECT

public Q_SLOTS:
    void handleUrl(const QUrl &url) { m_urls << url; }

private Q_SLOTS:
    void cleanup();
    void textsAndLayout();
    void textsGoThroughContext();
    void modalRunClosesWithEscape();
    void linkReachesDesktopServices();

private:
    QList<QUrl> m_urls;
};

void tst_AboutDialog::cleanup()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    m_urls.clear();
}

void tst_AboutDialog::textsAndLayout()
{
    QWidget parent;
    AboutDialog dialog(&parent);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    QCOMPARE(dialog.windowTitle(), QStringLiteral("关于雁桥"));
    QCOMPARE(labelText(dialog, "titleLabel"), QStringLiteral("<h2>雁桥</h2>"));
    QCOMPARE(labelText(dialog, "versionLabel"), QStringLiteral("版本: 1.0.4.02"));
    QCOMPARE(labelText(dialog, "descriptionLabel"),
             QStringLiteral("支持TCP/UDP和串口协议的网络调试助手，具有消息收发、DNS解析等功能，"
                            "适用于网络通信测试和开发调试。"));
    QVERIFY(labelText(dialog, "websiteLabel").contains(QStringLiteral(">访问官方网站</a>")));
    QVERIFY(labelText(dialog, "copyrightLabel").contains(QStringLiteral("2025")));

    QCOMPARE(dialog.size(), QSize(288, 315));
    auto *central = dialog.findChild<QWidget *>("centralWidget");
    QVERIFY(central);
    QCOMPARE(central->geometry(), QRect(0, 0, 291, 315));
    QCOMPARE(central->layout()->contentsMargins(), QMargins(15, 15, 15, 15));

    auto *logo = dialog.findChild<QLabel *>("logoLabel");
    QVERIFY(!logo->pixmap().isNull());
    QVERIFY(logo->width() <= 64 && logo->height() <= 64);
    const QImage icon = QIcon(QStringLiteral(":/image/logo.ico")).pixmap(32, 32).toImage();
    QVERIFY2(!icon.isNull(), "logo.ico missing from the bundle");
    QCOMPARE(dialog.windowIcon().pixmap(32, 32).toImage(), icon);
    QVERIFY(dialog.findChildren<QAbstractButton *>().isEmpty());
}

void tst_AboutDialog::textsGoThroughContext()
{
    MarkingTranslator translator;
    QVERIFY(QCoreApplication::installTranslator(&translator));
    AboutDialog dialog(nullptr);
    QCoreApplication::removeTranslator(&translator);

    QCOMPARE(dialog.windowTitle(), QStringLiteral("[关于雁桥]"));
    QCOMPARE(labelText(dialog, "titleLabel"), QStringLiteral("[<h2>雁桥</h2>]"));
    QCOMPARE(labelText(dialog, "versionLabel"), QStringLiteral("[版本: 1.0.4.02]"));
    QVERIFY(labelText(dialog, "descriptionLabel").startsWith(QStringLiteral("[支持")));
    QVERIFY(labelText(dialog, "websiteLabel").contains(QStringLiteral(">[访问官方网站]</a>")));
    QVERIFY(labelText(dialog, "copyrightLabel").startsWith(QLatin1Char('[')));
}

void tst_AboutDialog::modalRunClosesWithEscape()
{
    QWidget parent;
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    for (int opening = 0; opening < 2; ++opening) {
        QPointer<QWidget> seen;
        QTimer::singleShot(50, &parent, [&] {
            seen = QApplication::activeModalWidget();
            if (seen)
                QTest::keyClick(seen, Qt::Key_Escape);
        });
        QTimer::singleShot(10000, &parent, [] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                dialog->done(QDialog::Accepted);
        });
        {
            AboutDialog dialog(&parent);
            QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        }
        QVERIFY(seen.isNull());
        QVERIFY(parent.findChildren<AboutDialog *>().isEmpty());
    }
}

void tst_AboutDialog::linkReachesDesktopServices()
{
    QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "handleUrl");
    AboutDialog dialog(nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *website = dialog.findChild<QLabel *>("websiteLabel");
    const QString text = website->text();
    const int start = text.indexOf(QStringLiteral("href=\"")) + 6;
    const QString href = text.mid(start, text.indexOf(QLatin1Char('"'), start) - start);

    QTest::mouseClick(website, Qt::LeftButton, {}, QPoint(website->contentsRect().left() + 8, website->height() / 2));
    QTRY_COMPARE(m_urls.size(), 1);
    QCOMPARE(m_urls.first(), QUrl(href));
    QVERIFY(m_urls.first().host().endsWith(QStringLiteral(".example")));
}

QTEST_MAIN(tst_AboutDialog)
#include "tst_aboutdialog.moc"

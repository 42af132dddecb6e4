#include "aboutdialog.h"
#include "mainwindow.h"

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

#include <functional>

class MainWindowTestAccess
{
public:
    static void about(MainWindow &w) { w.on_aboutButton_clicked(); }
};

namespace {

// Marks every text of one context, so a test sees which texts went through it.
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

QImage render(const QIcon &icon)
{
    return icon.pixmap(QSize(32, 32)).toImage().convertToFormat(QImage::Format_ARGB32);
}

// Runs check on the About dialog that the window opens, then closes it with
// Escape, as a user would; the dialog has no buttons.
void withOpenedDialog(MainWindow &w, const std::function<void(AboutDialog *)> &check)
{
    bool handled = false;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto *dialog = qobject_cast<AboutDialog *>(QApplication::activeModalWidget());
        if (!dialog || handled)
            return;
        handled = true;
        timer.stop();
        check(dialog);
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    timer.start();
    QTimer::singleShot(10000, &w, [] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            dialog->done(QDialog::Accepted);
    });
    MainWindowTestAccess::about(w);
    QVERIFY(handled);
}

} // namespace

class tst_AboutDialog : public QObject
{
    Q_OBJECT

public Q_SLOTS:
    void handleUrl(const QUrl &url) { m_urls << url; }

private Q_SLOTS:
    void cleanup();
    void texts();
    void layout();
    void freshDialogPerOpening();
    void textsGoThroughContext();
    void linkReachesDesktopServices();

private:
    QList<QUrl> m_urls;
};

void tst_AboutDialog::cleanup()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    m_urls.clear();
}

void tst_AboutDialog::texts()
{
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    withOpenedDialog(w, [&](AboutDialog *dialog) {
        QCOMPARE(dialog->parentWidget(), &w);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("关于匣坊"));
        QCOMPARE(dialog->findChild<QLabel *>("titleLabel")->text(), QStringLiteral("<h2>匣坊</h2>"));
        QCOMPARE(dialog->findChild<QLabel *>("versionLabel")->text(), QStringLiteral("版本: 1.0.6.02"));
        QCOMPARE(dialog->findChild<QLabel *>("descriptionLabel")->text(),
                 QStringLiteral("一款简单易用的单文件程序制作工具，提供向导式操作界面，支持多种压缩方式，"
                                "可自定义输出目录，轻松制作高效单文件程序。"));
        QVERIFY(dialog->findChild<QLabel *>("descriptionLabel")->wordWrap());
        const QString link = dialog->findChild<QLabel *>("websiteLabel")->text();
        QVERIFY2(link.contains(QStringLiteral(">访问官方网站</a>")), qPrintable(link));
        QVERIFY2(link.contains(QStringLiteral("href=\"https://")), qPrintable(link));
        QVERIFY(link.contains(QStringLiteral(".example")));
        QVERIFY(dialog->findChild<QLabel *>("copyrightLabel")->text().contains(QStringLiteral("2025")));
    });
}

void tst_AboutDialog::layout()
{
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    withOpenedDialog(w, [&](AboutDialog *dialog) {
        QCOMPARE(dialog->size(), QSize(243, 315));
        auto *central = dialog->findChild<QWidget *>("centralWidget");
        QVERIFY(central);
        QCOMPARE(central->geometry(), QRect(0, 0, 242, 315));
        QCOMPARE(central->layout()->contentsMargins(), QMargins(15, 15, 15, 15));

        const QStringList order{"logoLabel", "titleLabel", "versionLabel", "descriptionLabel", "websiteLabel",
                                "copyrightLabel"};
        QCOMPARE(central->layout()->count(), order.size());
        for (int i = 0; i < order.size(); ++i)
            QCOMPARE(central->layout()->itemAt(i)->widget()->objectName(), order[i]);

        auto *logo = dialog->findChild<QLabel *>("logoLabel");
        QVERIFY(logo->text().isEmpty());
        QVERIFY(!logo->pixmap().isNull());
        QVERIFY(logo->hasScaledContents());
        QVERIFY(logo->width() <= 64 && logo->height() <= 64);
        QCOMPARE(central->layout()->itemAt(0)->alignment(), Qt::AlignHCenter | Qt::AlignTop);

        auto *website = dialog->findChild<QLabel *>("websiteLabel");
        QVERIFY(!website->openExternalLinks());
        QCOMPARE(website->textInteractionFlags(), Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse);

        QVERIFY(dialog->findChildren<QAbstractButton *>().isEmpty());
        const QImage icon = render(QIcon(QStringLiteral(":/icons/logo.ico")));
        QVERIFY2(!icon.isNull(), "logo.ico missing from the bundle");
        QCOMPARE(render(dialog->windowIcon()), icon);
    });
}

void tst_AboutDialog::freshDialogPerOpening()
{
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QPointer<AboutDialog> first;
    withOpenedDialog(w, [&](AboutDialog *dialog) {
        first = dialog;
        dialog->setProperty("visited", true);
        dialog->findChild<QLabel *>("titleLabel")->setText(QStringLiteral("changed"));
    });
    QVERIFY(first.isNull());
    QVERIFY(w.findChildren<AboutDialog *>().isEmpty());

    withOpenedDialog(w, [&](AboutDialog *dialog) {
        QVERIFY(!dialog->property("visited").isValid());
        QCOMPARE(dialog->findChild<QLabel *>("titleLabel")->text(), QStringLiteral("<h2>匣坊</h2>"));
    });
    QVERIFY(w.findChildren<AboutDialog *>().isEmpty());
}

void tst_AboutDialog::textsGoThroughContext()
{
    MarkingTranslator translator;
    QVERIFY(QCoreApplication::installTranslator(&translator));
    AboutDialog dialog(nullptr);
    QCoreApplication::removeTranslator(&translator);

    QCOMPARE(dialog.windowTitle(), QStringLiteral("[关于匣坊]"));
    QCOMPARE(dialog.findChild<QLabel *>("titleLabel")->text(), QStringLiteral("[<h2>匣坊</h2>]"));
    QCOMPARE(dialog.findChild<QLabel *>("versionLabel")->text(), QStringLiteral("[版本: 1.0.6.02]"));
    QVERIFY(dialog.findChild<QLabel *>("descriptionLabel")->text().startsWith(QStringLiteral("[一款")));
    QVERIFY(dialog.findChild<QLabel *>("websiteLabel")->text().contains(QStringLiteral(">[访问官方网站]</a>")));
    QVERIFY(dialog.findChild<QLabel *>("copyrightLabel")->text().startsWith(QLatin1Char('[')));
}

void tst_AboutDialog::linkReachesDesktopServices()
{
    QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "handleUrl");
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QString href;
    withOpenedDialog(w, [&](AboutDialog *dialog) {
        auto *website = dialog->findChild<QLabel *>("websiteLabel");
        const QString text = website->text();
        const int start = text.indexOf(QStringLiteral("href=\"")) + 6;
        href = text.mid(start, text.indexOf(QLatin1Char('"'), start) - start);
        // The link is the label's only text, laid out from its leading edge.
        const QPoint onLink(website->contentsRect().left() + 8, website->height() / 2);
        QTest::mouseClick(website, Qt::LeftButton, {}, onLink);
        QTRY_COMPARE(m_urls.size(), 1);
    });
    QCOMPARE(m_urls.first(), QUrl(href));
    QVERIFY(m_urls.first().host().endsWith(QStringLiteral(".example")));
}

QTEST_MAIN(tst_AboutDialog)
#include "tst_aboutdialog.moc"

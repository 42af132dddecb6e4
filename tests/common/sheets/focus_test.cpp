// Each of the program's style sheets shows the focus of every kind of control:
// its outer ring changes clearly as it takes the focus. Built once per program
// (ACCENT_BUTTON names its accented button).
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

#include <algorithm>

class TestFocus : public QObject
{
    Q_OBJECT

private slots:
    void focusShows_data()
    {
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QString>("kind");
        for (const QString &sheet : QDir(QStringLiteral(":/qss")).entryList({QStringLiteral("*.css")}, QDir::Files))
            for (const char *kind : {"QCheckBox", "QRadioButton", "QPushButton", ACCENT_BUTTON, "QToolButton",
                                     "QTextBrowser", "QListWidget"})
                QTest::newRow(qPrintable(sheet + QLatin1Char(' ') + QLatin1String(kind))) << sheet << kind;
    }

    void focusShows()
    {
        QFETCH(QString, sheet);
        QFETCH(QString, kind);
        QFile file(QStringLiteral(":/qss/") + sheet);
        QVERIFY(file.open(QIODevice::ReadOnly));
        qApp->setStyleSheet(QString::fromUtf8(file.readAll()));
        QWidget window;
        auto *layout = new QHBoxLayout(&window);
        QWidget *control = nullptr;
        if (kind == QLatin1String("QCheckBox"))
            control = new QCheckBox(QStringLiteral("HEX"));
        else if (kind == QLatin1String("QRadioButton"))
            control = new QRadioButton(QStringLiteral("LZMA2"));
        else if (kind == QLatin1String("QToolButton"))
            control = new QToolButton;
        else if (kind == QLatin1String("QTextBrowser"))
            control = new QTextBrowser;
        else if (kind == QLatin1String("QListWidget"))
            control = new QListWidget;
        else
            control = new QPushButton(QStringLiteral("OK"));
        control->setObjectName(kind);
        if (auto *list = qobject_cast<QListWidget *>(control)) {
            list->addItems({QStringLiteral("first"), QStringLiteral("second")});
            list->setCurrentRow(0);
        }
        auto *elsewhere = new QLineEdit;
        layout->addWidget(control);
        layout->addWidget(elsewhere);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        elsewhere->setFocus();
        const QImage before = control->grab().toImage();
        control->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(control->hasFocus());
        const QImage after = control->grab().toImage();
        // The largest change of a colour channel in the two pixels along the edges.
        int most = 0;
        for (int y = 0; y < after.height(); ++y)
            for (int x = 0; x < after.width(); ++x)
                if (x < 2 || y < 2 || x >= after.width() - 2 || y >= after.height() - 2) {
                    const QColor p = before.pixelColor(x, y), q = after.pixelColor(x, y);
                    most = std::max({most, qAbs(p.red() - q.red()), qAbs(p.green() - q.green()), qAbs(p.blue() - q.blue())});
                }
        QVERIFY2(most >= 48, "no clear focus ring");
        qApp->setStyleSheet(QString());
    }
};

QTEST_MAIN(TestFocus)
#include "focus_test.moc"

// Each of the program's style sheets shows the focus of every kind of control:
// its outer ring changes clearly as it takes the focus. Built once per program
// (ACCENT_BUTTON names its accented button, which has rules of its own).
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
        for (const QString &sheet : QDir(QStringLiteral(":/qss")).entryList({QStringLiteral("*.css")}, QDir::Files))
            QTest::newRow(qPrintable(sheet)) << sheet;
    }

    void focusShows()
    {
        QFETCH(QString, sheet);
        QFile file(QStringLiteral(":/qss/") + sheet);
        QVERIFY(file.open(QIODevice::ReadOnly));
        qApp->setStyleSheet(QString::fromUtf8(file.readAll()));
        QWidget window;
        auto *layout = new QHBoxLayout(&window);
        auto *accent = new QPushButton(QStringLiteral("Go"));
        accent->setObjectName(QStringLiteral(ACCENT_BUTTON));
        auto *list = new QListWidget;
        list->addItems({QStringLiteral("first"), QStringLiteral("second")});
        list->setCurrentRow(0);
        const QList<QWidget *> controls{new QCheckBox(QStringLiteral("HEX")), new QRadioButton(QStringLiteral("LZMA2")),
                                        new QPushButton(QStringLiteral("OK")), accent, new QToolButton, new QTextBrowser, list};
        auto *elsewhere = new QLineEdit;
        for (QWidget *control : controls + QList<QWidget *>{elsewhere}) {
            control->setFocusPolicy(Qt::StrongFocus);
            layout->addWidget(control);
        }
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        for (QWidget *control : controls) {
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
                        most = std::max({most, qAbs(p.red() - q.red()), qAbs(p.green() - q.green()),
                                         qAbs(p.blue() - q.blue())});
                    }
            QVERIFY2(most >= 48, control->metaObject()->className());
        }
        qApp->setStyleSheet(QString());
    }
};

QTEST_MAIN(TestFocus)
#include "focus_test.moc"

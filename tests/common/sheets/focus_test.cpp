// Every kind of focusable control shows its focus in each of the program's
// style sheets: the control's outer ring changes, clearly, when it takes the
// focus. Built once per program (ACCENT_BUTTON names its accented button).
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextBrowser>
#include <QTextEdit>
#include <QToolButton>

#include <functional>

namespace {

// The largest difference of one colour channel between the two images'
// outer rings (two pixels wide), where a focus ring is drawn.
int ringDifference(const QImage &a, const QImage &b)
{
    int most = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (x > 1 && y > 1 && x < a.width() - 2 && y < a.height() - 2)
                continue;
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            most = qMax(most, qMax(qAbs(p.red() - q.red()), qMax(qAbs(p.green() - q.green()), qAbs(p.blue() - q.blue()))));
        }
    return most;
}

const QStringList kKinds{"check box", "radio button", "push button", "accent button", "tool button",
                        "combo box", "line edit", "text edit", "text browser", "list"};

} // namespace

class TestFocus : public QObject
{
    Q_OBJECT

private slots:
    void focusShows_data()
    {
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QString>("kind");
        const QStringList sheets = QDir(QStringLiteral(":/qss")).entryList({QStringLiteral("*.css")}, QDir::Files);
        QVERIFY(!sheets.isEmpty());
        for (const QString &sheet : sheets)
            for (const QString &kind : kKinds)
                QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(sheet, kind))) << sheet << kind;
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
        auto *elsewhere = new QLineEdit(&window);
        const std::function<QWidget *()> makers[] = {
            [] { return new QCheckBox(QStringLiteral("HEX")); },
            [] { return new QRadioButton(QStringLiteral("LZMA2")); },
            [] { return new QPushButton(QStringLiteral("OK")); },
            [] {
                auto *button = new QPushButton(QStringLiteral("Go"));
                button->setObjectName(QStringLiteral(ACCENT_BUTTON));
                return button;
            },
            [] {
                auto *button = new QToolButton;
                button->setText(QStringLiteral("T"));
                return button;
            },
            [] {
                auto *box = new QComboBox;
                box->addItems({QStringLiteral("8"), QStringLiteral("7")});
                return box;
            },
            [] { return new QLineEdit(QStringLiteral("text")); },
            [] { return new QTextEdit(QStringLiteral("text")); },
            [] { return new QTextBrowser; },
            [] {
                auto *list = new QListWidget;
                list->addItems({QStringLiteral("first"), QStringLiteral("second")});
                list->setCurrentRow(0);
                return list;
            },
        };
        QWidget *control = makers[kKinds.indexOf(kind)]();
        control->setFocusPolicy(Qt::StrongFocus);
        layout->addWidget(control);
        layout->addWidget(elsewhere);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        elsewhere->setFocus();
        QTRY_VERIFY(elsewhere->hasFocus());
        const QImage before = control->grab().toImage();
        control->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(control->hasFocus());
        const QImage after = control->grab().toImage();
        QCOMPARE(after.size(), before.size());
        QVERIFY2(ringDifference(before, after) >= 48, "no clear focus ring");
        qApp->setStyleSheet(QString());
    }
};

QTEST_MAIN(TestFocus)
#include "focus_test.moc"

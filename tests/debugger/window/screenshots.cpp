// Pictures of both pages of a real window and of its reset question in each language, for a person to
// look at: wrenpost_screenshots <folder>. Run with QT_QPA_PLATFORM=offscreen.
#include "mainwindow.h"
#include "stylesheet.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QPixmap>
#include <QTest>
#include <QTimer>
#include <QToolButton>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    loadStyleSheet(app);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    QDir().mkpath(folder);

    MainWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    const char *languages[][2] = {{"cnAction", "zh_CN"}, {"twAction", "zh_TW"}, {"enAction", "en_US"}};
    const char *pages[][2] = {{"TCPserver", "network"}, {"serialButton", "serial"}};
    for (const auto &language : languages) {
        for (QMenu *menu : window.findChildren<QMenu *>())
            if (auto *action = menu->findChild<QAction *>(QLatin1String(language[0])))
                action->trigger();
        QTest::qWait(100);
        for (const auto &page : pages) {
            QTest::mouseClick(window.findChild<QToolButton *>(QLatin1String(page[0])), Qt::LeftButton);
            QTest::qWait(100);
            const QString path = QStringLiteral("%1/wrenpost_%2_%3.png").arg(folder, QLatin1String(page[1]),
                                                                               QLatin1String(language[1]));
            if (!window.grab().save(path))
                return 1;
        }
        // The reset question, to see that a box shows its whole text.
        bool boxSaved = false;
        QTimer::singleShot(300, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                boxSaved = box->grab().save(QStringLiteral("%1/wrenpost_box_%2.png").arg(folder, QLatin1String(language[1])));
                box->button(QMessageBox::No)->click();
            }
        });
        QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("resetButton")), Qt::LeftButton);
        if (!boxSaved)
            return 1;
    }
    return 0;
}

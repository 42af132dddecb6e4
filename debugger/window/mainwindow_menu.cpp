#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "aboutdialog.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QPushButton>

void MainWindow::createMenu()
{
    // The actions and their group belong to the menu, so that a rebuild after a
    // language change discards them with the menu they were made for.
    auto *newMenu = new QMenu(this);
    auto *languageGroup = new QActionGroup(newMenu);
    languageGroup->setExclusive(true);

    struct Language
    {
        const char *objectName;
        const char *text;
        const char *code;
    };
    static const Language languages[] = {
        {"cnAction", QT_TR_NOOP("简体中文"), "zh_CN"},
        {"twAction", QT_TR_NOOP("繁體中文"), "zh_TW"},
        {"enAction", QT_TR_NOOP("English"), "en_US"},
    };
    for (const Language &language : languages) {
        const QString code = QString::fromLatin1(language.code);
        auto *action = new QAction(tr(language.text), newMenu);
        action->setObjectName(QString::fromLatin1(language.objectName));
        action->setCheckable(true);
        action->setChecked(code == m_currentLanguage);
        languageGroup->addAction(action);
        connect(action, &QAction::triggered, this, [this, code] { loadLanguage(code); });
        newMenu->addAction(action);
    }

    newMenu->addSeparator();

    auto *helpMenu = new QAction(tr("特别提示"), newMenu);
    helpMenu->setObjectName(QStringLiteral("helpMenu"));
    connect(helpMenu, &QAction::triggered, this, &MainWindow::on_ActDnsAnalysis_triggered);
    newMenu->addAction(helpMenu);

    auto *aboutAction = new QAction(tr("关于雁桥\u200B"), newMenu);
    aboutAction->setObjectName(QStringLiteral("aboutAction"));
    connect(aboutAction, &QAction::triggered, this, &MainWindow::on_ActAbout_triggered);
    newMenu->addAction(aboutAction);

    menu = newMenu;
    connect(ui->menuButton, &QPushButton::clicked, this, &MainWindow::showMenu, Qt::UniqueConnection);
}

void MainWindow::updateMenuLanguage()
{
    // A language entry of the old menu may be the caller, still inside the
    // menu's own event handling, so the old menu goes later.
    QMenu *previous = menu;
    createMenu();
    if (previous)
        previous->deleteLater();
}

void MainWindow::showMenu()
{
    menu->exec(ui->menuButton->mapToGlobal(QPoint(0, ui->menuButton->height())));
}

void MainWindow::on_ActAbout_triggered()
{
    AboutDialog dialog(this);
    dialog.exec();
}

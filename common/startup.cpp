#include "startup.h"

#include <QMessageBox>

void showStyleSheetWarning()
{
    // Fixed texts: no catalogue is installed this early.
    QMessageBox::warning(nullptr, QStringLiteral("警告"),
                         QStringLiteral("无法加载样式表，将使用默认外观。\n这可能会影响应用程序的外观，但功能不受影响。"),
                         QMessageBox::Ok);
}

void applyProgramIdentity(QGuiApplication &app, const ProgramIdentity &identity)
{
    app.setApplicationVersion(QString::fromLatin1(identity.version));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(identity.desktopFileName));
    QGuiApplication::setWindowIcon(QIcon(QString::fromLatin1(identity.iconPath)));
}

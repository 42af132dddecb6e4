#include "stylesheet.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QFile>

bool loadStyleSheet(QApplication &app)
{
    if (!QFile::exists(QStringLiteral(":/"))) {
        qCritical() << "资源系统未初始化！";
        return false;
    }

    const QString path = QStringLiteral(":/qss/default.css");
    qDebug() << "样式文件路径:" << path;

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCritical() << "无法打开样式表:" << file.errorString();
        qCritical() << "当前工作目录:" << QDir::currentPath();
        return false;
    }
    const QString sheet = QString::fromUtf8(file.readAll());
    file.close();

    if (sheet.isEmpty()) {
        qWarning() << "样式表为空！";
        return false;
    }

    app.setStyleSheet(sheet);
    qDebug() << "样式表加载成功";
    return true;
}

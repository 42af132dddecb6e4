#include "aboutdialog.h"

#include <QCoreApplication>

const AboutProduct &aboutProduct()
{
    static const AboutProduct product{
        QSize(243, 315),
        QRect(0, 0, 242, 315),
        ":/icons/logo.ico",
        ":/icons/logo.svg",
        QT_TRANSLATE_NOOP("AboutDialog", "关于匣坊"),
        QT_TRANSLATE_NOOP("AboutDialog", "<h2>匣坊</h2>"),
        QT_TRANSLATE_NOOP("AboutDialog", "版本: %1"),
        CRATEFORGE_VERSION,
        QT_TRANSLATE_NOOP("AboutDialog", "一款简单易用的单文件程序制作工具，提供向导式操作界面，支持多种压缩方式，可自定义输出目录，轻松制作高效单文件程序。"),
        "https://quillonlabs.example/",
        QT_TRANSLATE_NOOP("AboutDialog", "Copyright © 2025 QuillonLabs"),
    };
    return product;
}

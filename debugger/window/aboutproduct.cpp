#include "aboutdialog.h"

#include <QCoreApplication>

const AboutProduct &aboutProduct()
{
    static const AboutProduct product{
        QSize(288, 315),
        QRect(0, 0, 291, 315),
        ":/image/logo.ico",
        ":/image/logo.svg",
        QT_TRANSLATE_NOOP("AboutDialog", "关于雁桥"),
        QT_TRANSLATE_NOOP("AboutDialog", "<h2>雁桥</h2>"),
        QT_TRANSLATE_NOOP("AboutDialog", "版本: %1"),
        WRENPOST_VERSION,
        QT_TRANSLATE_NOOP("AboutDialog", "支持TCP/UDP和串口协议的网络调试助手，具有消息收发、DNS解析等功能，适用于网络通信测试和开发调试。"),
        "https://quillonlabs.example/",
        QT_TRANSLATE_NOOP("AboutDialog", "Copyright © 2025 QuillonLabs"),
    };
    return product;
}

#include "commandline.h"

#include <QCoreApplication>

const ProgramIdentity &programIdentity()
{
    static const ProgramIdentity identity{
        "wrenpost",
        WRENPOST_VERSION,
        "example.quillonlabs.wrenpost",
        ":/image/logo.svg",
        QT_TRANSLATE_NOOP("CommandLine", "用法：%1 [选项]"),
        QT_TRANSLATE_NOOP("CommandLine", "雁桥，TCP/UDP 与串口调试助手。不带参数时打开窗口。"),
        QT_TRANSLATE_NOOP("CommandLine", "选项"),
        QT_TRANSLATE_NOOP("CommandLine", "显示本帮助并退出"),
        QT_TRANSLATE_NOOP("CommandLine", "显示版本并退出"),
        QT_TRANSLATE_NOOP("CommandLine", "%1：无法识别的参数“%2”"),
        nullptr,
    };
    return identity;
}

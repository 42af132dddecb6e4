#include "commandline.h"

#include <QCoreApplication>

const ProgramIdentity &programIdentity()
{
    static const ProgramIdentity identity{
        "crateforge",
        CRATEFORGE_VERSION,
        "example.quillonlabs.crateforge",
        ":/icons/logo.svg",
        QT_TRANSLATE_NOOP("CommandLine", "用法：%1 [选项]"),
        QT_TRANSLATE_NOOP("CommandLine", "匣坊，单文件程序制作工具。不带参数时打开窗口。"),
        QT_TRANSLATE_NOOP("CommandLine", "选项"),
        QT_TRANSLATE_NOOP("CommandLine", "显示本帮助并退出"),
        QT_TRANSLATE_NOOP("CommandLine", "显示版本并退出"),
        QT_TRANSLATE_NOOP("CommandLine", "%1：无法识别的参数“%2”"),
        QT_TRANSLATE_NOOP("CommandLine",
                          "不打开窗口制作产品（选项见 crateforge pack --help）：\n"
                          "  crateforge pack 源文件夹 [选项]   用窗口的引擎制作产品，产品路径输出到标准输出\n"
                          "\n"
                          "查看产品而不运行它：\n"
                          "  crateforge list 产品              列出每个文件及其大小和权限\n"
                          "  crateforge check 产品             校验配置块、压缩包头和每个文件的校验和\n"
                          "  crateforge extract 产品 文件夹    按产品自身的规则解压到文件夹\n"
                          "  crateforge info 产品              标题、主程序、标识、压缩包大小和图标\n"),
    };
    return identity;
}

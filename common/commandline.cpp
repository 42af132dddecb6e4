#include "commandline.h"

#include "catalogues.h"

#include <QCoreApplication>
#include <QLocale>
#include <QStringList>
#include <QTranslator>

#include <cstdio>
#include <cstring>

namespace {

QString tr(const char *source)
{
    return QCoreApplication::translate("CommandLine", source);
}

QString usageLine(const ProgramIdentity &identity)
{
    return tr(identity.usage).arg(QString::fromLatin1(identity.command)) + QLatin1Char('\n');
}

} // namespace

void installLocaleCatalogues(QTranslator &program, QTranslator &qt)
{
    // Messages follow LANGUAGE, LC_ALL, LC_MESSAGES and LANG, as terminal programs do.
    const QStringList wanted = QLocale::system().uiLanguages();
    const QString language = commandLineLanguage(QLocale(wanted.value(0, QStringLiteral("C"))));
    // The source texts are Simplified Chinese: that language needs no catalogue.
    if (language != QLatin1String("zh_CN"))
        installCatalogues(&program, &qt, language);
}

void printText(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

StartRequest startRequest(int argc, const char *const *argv)
{
    for (int i = 1; i < argc; ++i) {
        const char *argument = argv[i];
        if (!std::strcmp(argument, "-h") || !std::strcmp(argument, "--help"))
            return StartRequest::Help;
        if (!std::strcmp(argument, "-v") || !std::strcmp(argument, "--version"))
            return StartRequest::Version;
    }
    return StartRequest::Window;
}

QString commandLineLanguage(const QLocale &locale)
{
    if (locale.language() != QLocale::Chinese)
        return QStringLiteral("en_US");
    const bool traditional = locale.script() == QLocale::TraditionalChineseScript
        || locale.territory() == QLocale::Taiwan || locale.territory() == QLocale::HongKong
        || locale.territory() == QLocale::Macao;
    return traditional ? QStringLiteral("zh_TW") : QStringLiteral("zh_CN");
}

int answerStartRequest(StartRequest request, int argc, char *argv[], const ProgramIdentity &identity)
{
    QCoreApplication app(argc, argv);
    QTranslator program;
    QTranslator qt;
    installLocaleCatalogues(program, qt);

    if (request == StartRequest::Version) {
        printText(stdout, QStringLiteral("%1 %2\n").arg(QString::fromLatin1(identity.command),
                                                     QString::fromLatin1(identity.version)));
        return 0;
    }
    const QString help = usageLine(identity) + tr(identity.description) + QStringLiteral("\n\n")
        + tr(identity.optionsHeading) + QLatin1Char('\n')
        + QStringLiteral("  -h, --help     ") + tr(identity.helpOption) + QLatin1Char('\n')
        + QStringLiteral("  -v, --version  ") + tr(identity.versionOption) + QLatin1Char('\n')
        + (identity.commands ? QLatin1Char('\n') + tr(identity.commands) : QString());
    printText(stdout, help);
    return 0;
}

int refuseArguments(const QStringList &leftOver, const ProgramIdentity &identity)
{
    QTranslator program;
    QTranslator qt;
    installLocaleCatalogues(program, qt);
    const QString command = QString::fromLatin1(identity.command);
    printText(stderr, tr(identity.unknownArgument).arg(command, leftOver.value(0)) + QLatin1Char('\n')
              + usageLine(identity));
    return 2;
}

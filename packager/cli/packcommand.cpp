#include "packcommand.h"

#include "commandline.h"
#include "mainprogram.h"
#include "packagingsteps.h"
#include "runrules.h"
#include "worker.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QThread>
#include <QTranslator>

#include <csignal>
#include <cstdio>
#include <cstring>

#include <sys/socket.h>
#include <unistd.h>

namespace {

QString tr(const char *source)
{
    return QCoreApplication::translate("PackCommand", source);
}

QString usageLine()
{
    using runrules::Setting;
    const auto list = [](Setting setting) { return runrules::choices(setting).join(QLatin1Char('|')); };
    return tr("用法：crateforge pack 源文件夹 [--main 主程序] [--output 文件夹] [--icon 文件] [--level %1] "
              "[--method %2] [--dictionary %3] [--quiet]")
               .arg(list(Setting::Level), list(Setting::Method), list(Setting::Dictionary))
        + QLatin1Char('\n');
}

int refuse(const QString &reason, bool withUsage = true)
{
    printText(stderr, QStringLiteral("crateforge: ") + reason + QLatin1Char('\n') + (withUsage ? usageLine() : QString()));
    return 2;
}

QString absolute(const QString &path)
{
    return path.isEmpty() ? path : QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// The worker's lines and percentages on standard error. On a terminal the
// percentage is one line redrawn in place under the log; elsewhere it is left
// out, so that a CI log holds only lines.
class Reporter
{
public:
    explicit Reporter(bool quiet) : m_quiet(quiet), m_terminal(::isatty(STDERR_FILENO) == 1) {}

    void line(const QString &text)
    {
        m_lastLine = text;
        m_lastLinePrinted = !m_quiet || isError(text);
        if (!m_lastLinePrinted)
            return;
        clearProgress();
        printText(stderr, text + QLatin1Char('\n'));
        drawProgress();
    }

    void progress(int percent)
    {
        if (m_quiet || !m_terminal)
            return;
        m_percent = qBound(0, percent, 100);
        drawProgress();
    }

    // A failed run's cause is its last line, which --quiet has not shown yet.
    void finish(bool success)
    {
        clearProgress();
        m_percent = -1;
        if (!success && !m_lastLinePrinted && !m_lastLine.isEmpty())
            printText(stderr, m_lastLine + QLatin1Char('\n'));
    }

private:
    void drawProgress()
    {
        if (m_percent < 0)
            return;
        constexpr int kWidth = 30;
        const int filled = m_percent * kWidth / 100;
        printText(stderr, QStringLiteral("\r[%1%2] %3%").arg(QString(filled, QLatin1Char('#')),
                                                           QString(kWidth - filled, QLatin1Char('-')))
                          .arg(m_percent, 3));
    }

    void clearProgress()
    {
        if (m_percent >= 0)
            printText(stderr, QStringLiteral("\r\033[K"));
    }

    // The worker's error lines, and the details after one, in the catalogue's words.
    static bool isError(const QString &text)
    {
        return text.startsWith(QCoreApplication::translate("Worker", "错误："))
            || text.startsWith(QCoreApplication::translate("Worker", "错误详情: %1").arg(QString()));
    }

    bool m_quiet;
    bool m_terminal;
    int m_percent = -1;
    QString m_lastLine;
    bool m_lastLinePrinted = true;
};

// SIGINT and SIGTERM reach the event loop through a socket pair: the handler
// only writes the signal's number, the notifier asks the worker to stop.
int s_signalSocket[2] = {-1, -1};

void onStopSignal(int signal)
{
    const int savedErrno = errno;
    const char number = char(signal);
    if (::write(s_signalSocket[0], &number, 1) < 0) {
        // Nothing can be done about it inside a handler.
    }
    errno = savedErrno;
}

bool catchStopSignals()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, s_signalSocket) != 0)
        return false;
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    return ::sigaction(SIGINT, &action, nullptr) == 0 && ::sigaction(SIGTERM, &action, nullptr) == 0;
}

} // namespace

bool isPackCommand(const char *word)
{
    return std::strcmp(word, "pack") == 0;
}

int runPackCommand(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTranslator program;
    QTranslator qt;
    installLocaleCatalogues(program, qt);

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption mainOption(QStringLiteral("main"), QString(), QStringLiteral("PROGRAM"));
    const QCommandLineOption outputOption(QStringLiteral("output"), QString(), QStringLiteral("FOLDER"));
    const QCommandLineOption iconOption(QStringLiteral("icon"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption levelOption(QStringLiteral("level"), QString(), QStringLiteral("LEVEL"));
    const QCommandLineOption methodOption(QStringLiteral("method"), QString(), QStringLiteral("METHOD"));
    const QCommandLineOption dictionaryOption(QStringLiteral("dictionary"), QString(), QStringLiteral("SIZE"));
    const QCommandLineOption quietOption(QStringLiteral("quiet"));
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOptions({mainOption, outputOption, iconOption, levelOption, methodOption, dictionaryOption,
                       quietOption, helpOption});

    QStringList arguments = app.arguments();
    arguments.removeAt(1); // "pack"
    if (!parser.parse(arguments))
        return refuse(parser.errorText());
    if (parser.isSet(helpOption)) {
        printText(stdout, usageLine());
        return 0;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return refuse(tr("缺少源文件夹"));
    if (positional.size() > 1)
        return refuse(tr("多余的参数“%1”").arg(positional.at(1)));

    runrules::RunChoices run;
    const struct
    {
        const QCommandLineOption &option;
        runrules::Setting setting;
        QString *value;
    } compression[] = {{levelOption, runrules::Setting::Level, &run.level},
                       {methodOption, runrules::Setting::Method, &run.method},
                       {dictionaryOption, runrules::Setting::Dictionary, &run.dictionary}};
    for (const auto &choice : compression) {
        if (!parser.isSet(choice.option))
            continue;
        const QString given = parser.value(choice.option);
        const int index = runrules::choiceIndex(choice.setting, given);
        if (index < 0)
            return refuse(tr("“--%1”的值“%2”无效").arg(choice.option.names().constFirst(), given));
        *choice.value = runrules::choices(choice.setting).at(index);
    }

    run.folderPath = absolute(positional.constFirst());
    run.outputDir = absolute(parser.isSet(outputOption) ? parser.value(outputOption) : QDir::currentPath());
    run.iconPath = absolute(parser.value(iconOption));
    run.mainExeName = parser.value(mainOption);
    if (!parser.isSet(mainOption) && QFileInfo(run.folderPath).isDir()) {
        const QStringList programs = mainprogram::mainPrograms(run.folderPath);
        const QStringList likeliest = mainprogram::likeliestMainPrograms(run.folderPath, programs);
        if (programs.isEmpty())
            return refuse(tr("源文件夹中没有主程序：%1").arg(run.folderPath), false);
        if (likeliest.size() > 1) {
            return refuse(tr("源文件夹中有多个同样可能的主程序，请用 --main 选择其一：") + QLatin1Char('\n')
                              + QStringLiteral("  ") + likeliest.join(QStringLiteral("\n  ")),
                          false);
        }
        run.mainExeName = likeliest.constFirst();
    }

    QString detail;
    const runrules::InputProblem problem = runrules::checkRun(run, &detail);
    if (problem != runrules::InputProblem::None)
        return refuse(runrules::inputProblemText(problem, run, detail), false);

    if (!catchStopSignals()) {
        printText(stderr, QStringLiteral("crateforge: ") + QString::fromLocal8Bit(std::strerror(errno)) + QLatin1Char('\n'));
        return 1;
    }
    const QString workFolder = runrules::createWorkFolder(QDir::tempPath(), QDateTime::currentDateTime());
    if (workFolder.isEmpty()) {
        printText(stderr, QStringLiteral("crateforge: ") + tr("无法在临时目录中创建工作文件夹：%1").arg(QDir::tempPath())
                          + QLatin1Char('\n'));
        return 1;
    }

    Reporter reporter(parser.isSet(quietOption));
    QThread thread;
    auto *worker = new Worker;
    worker->moveToThread(&thread);
    int stopSignal = 0;
    bool success = false;
    QSocketNotifier notifier(s_signalSocket[1], QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, &app, [&] {
        char number = 0;
        if (::read(s_signalSocket[1], &number, 1) == 1 && stopSignal == 0) {
            stopSignal = number;
            worker->requestStop();
        }
    });
    QObject::connect(worker, &Worker::logMessage, &app, [&](const QString &line) { reporter.line(line); });
    QObject::connect(worker, &Worker::progressChanged, &app, [&](int value) { reporter.progress(value); });
    QObject::connect(worker, &Worker::finished, &app, [&](bool ok) {
        success = ok;
        app.quit();
    });
    thread.start();
    runrules::startRun(worker, run, workFolder + QStringLiteral("/temp.7z"));
    app.exec();
    thread.quit();
    thread.wait();
    delete worker;
    QDir(workFolder).removeRecursively();

    reporter.finish(success || stopSignal != 0);
    if (!success)
        return stopSignal != 0 ? 128 + stopSignal : 1;
    printText(stdout, packaging::outputFilePath(run.outputDir, run.mainExeName) + QLatin1Char('\n'));
    return 0;
}

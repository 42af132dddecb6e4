#include "installcheck.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

QStringList expectedInstalledFiles()
{
    QStringList files;
    for (const QString &program : {QStringLiteral("wrenpost"), QStringLiteral("crateforge")}) {
        const QString id = QStringLiteral("example.quillonlabs.") + program;
        files << QStringLiteral("bin/") + program
              << QStringLiteral("share/applications/%1.desktop").arg(id)
              << QStringLiteral("share/metainfo/%1.metainfo.xml").arg(id)
              << QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(id)
              << QStringLiteral("share/man/man1/%1.1.gz").arg(program);
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
            files << QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(id);
    }
    files << QStringLiteral("share/doc/wrenpost-crateforge/copyright")
          << QStringLiteral("share/doc/wrenpost-crateforge/changelog.Debian.gz")
          << QStringLiteral("share/lintian/overrides/wrenpost-crateforge");
    files.sort();
    return files;
}

QStringList filesUnder(const QString &root)
{
    QStringList files;
    const QDir base(root);
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << base.relativeFilePath(it.next());
    files.sort();
    return files;
}

ToolResult runTool(const QString &program, const QStringList &arguments, int timeoutMs)
{
    ToolResult result;
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    result.started = process.waitForStarted(10000);
    if (!result.started) {
        result.output = process.errorString();
        return result;
    }
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(5000);
        result.output = QStringLiteral("timed out: ");
    }
    result.output += QString::fromUtf8(process.readAll());
    if (process.exitStatus() == QProcess::NormalExit)
        result.exitCode = process.exitCode();
    return result;
}

QStringList desktopExec(const QString &desktopFile)
{
    QFile file(desktopFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        if (line.startsWith(QLatin1String("Exec=")))
            return line.mid(5).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    }
    return {};
}

QString startFromMenu(const QString &desktopFile, const QString &binDir, const QString &workDir)
{
    const QStringList exec = desktopExec(desktopFile);
    if (exec.isEmpty())
        return QStringLiteral("no Exec line in ") + desktopFile;

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PATH"), binDir + QStringLiteral(":/usr/bin:/bin"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // Without a terminal Qt may log to the journal instead.
    env.insert(QStringLiteral("QT_FORCE_STDERR_LOGGING"), QStringLiteral("1"));

    // Only binDir holds the program, so a hit proves the menu finds the installed one.
    const QString program = QStandardPaths::findExecutable(exec.first(), {binDir});
    if (program.isEmpty())
        return exec.first() + QStringLiteral(" is not in ") + binDir;

    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(workDir);
    process.start(program, exec.mid(1));
    if (!process.waitForStarted(10000))
        return process.errorString();

    QString output;
    const QDeadlineTimer deadline(20000);
    while (!output.contains(QStringLiteral("样式表加载成功")) && process.state() == QProcess::Running
           && !deadline.hasExpired()) {
        process.waitForReadyRead(200);
        output += QString::fromUtf8(process.readAll());
    }
    // A crash right after the style sheet would still count as a failed start.
    const bool running = output.contains(QStringLiteral("样式表加载成功")) && !process.waitForFinished(1000);
    process.terminate();
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished(5000);
    }
    if (!running)
        return QStringLiteral("%1 did not start with its bundle:\n%2").arg(program, output);
    return {};
}

#pragma once

// Running one of the programs as a script would: no display of any kind, and
// its messages in a chosen locale.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace headless {

// This process's environment without a display, a platform or a message
// language, with LC_ALL set to `locale`.
inline QProcessEnvironment environment(const QString &locale)
{
    QProcessEnvironment result = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LANGUAGE", "LC_MESSAGES", "LANG"})
        result.remove(QString::fromLatin1(name));
    result.insert(QStringLiteral("LC_ALL"), locale);
    return result;
}

struct Run
{
    int status = -1; // -1: it did not end by itself within the time
    QString out;
    QString err;
};

// Runs `program` to its end, 30 s at most.
inline Run run(const QString &program, const QStringList &arguments,
               const QProcessEnvironment &environment = headless::environment(QStringLiteral("C.UTF-8")))
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    Run result;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return result;
    result.status = process.exitCode();
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

} // namespace headless

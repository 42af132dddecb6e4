// Runs one packaging run from the command line, printing the worker's log:
//   packager_drive FOLDER ARCHIVE OUTPUTDIR MAINEXE ICON LEVEL METHOD DICTIONARY
// Exits 0 when the run finished successfully.
#include "worker.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 9) {
        QTextStream(stderr) << "usage: packager_drive FOLDER ARCHIVE OUTPUTDIR MAINEXE ICON LEVEL METHOD DICTIONARY\n";
        return 2;
    }
    Worker worker;
    bool success = false;
    QTextStream out(stdout);
    QObject::connect(&worker, &Worker::logMessage, [&out](const QString &line) { out << line << Qt::endl; });
    QObject::connect(&worker, &Worker::finished, [&success](bool ok) { success = ok; });
    worker.createPortableApp(args[1], args[2], args[3], args[4], args[5], args[6], args[7], args[8]);
    return success ? 0 : 1;
}

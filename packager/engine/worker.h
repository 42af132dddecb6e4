#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

// Crateforge's packaging engine: one call of createPortableApp packs a folder
// into a 7z archive with the bundled archiver, joins the self-extractor module,
// the configuration block and the archive into one executable, gives it an icon
// and reports through its three signals. Lives on a worker thread; no widgets.
class Worker : public QObject
{
    Q_OBJECT

public:
    explicit Worker(QObject *parent = nullptr);

Q_SIGNALS:
    void progressChanged(int value);
    void logMessage(QString message);
    void finished(bool success);

public Q_SLOTS:
    void createPortableApp(QString folderPath, QString archivePath, QString outputDir, QString mainExeName,
                           QString iconPath, QString compressionLevel, QString compressionMethod,
                           QString dictionarySize);

public:
    bool validateIconData(const QByteArray &iconData);
    QByteArray extractIconFromExe(const QString &exePath);
    bool replaceExeIcon(const QString &exePath, const QByteArray &iconData);
};

#pragma once

#include "outsidelinks.h"
#include "worker.h"

#include <QList>
#include <QString>

// One request of Worker::createPortableApp and what its stages find out on the
// way; shared by the worker's source files only.
struct Worker::Job
{
    QString folderPath;
    QString archivePath;
    QString outputDir;
    QString mainExeName;
    QString iconPath;
    QString compressionLevel;
    QString compressionMethod;
    QString dictionarySize;

    QString mainExePath;
    QString toolFolder; // found when the archiver is provided, used for the module too
    QString outputPath;
    bool productStarted = false; // the output file has been opened (and so truncated) by this run
    QList<outsidelinks::Link> links{}; // links packed as copies or left out
    QString failure{}; // the cause a failed stage names; else its last log line is the cause
};

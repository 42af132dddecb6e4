#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <atomic>

class QProcess;

// Crateforge's packaging engine: one call of createPortableApp packs a folder
// into a 7z archive with the bundled archiver, joins the self-extractor module,
// the configuration block and the archive into one executable, gives it an icon
// and reports through its three signals. Lives on a worker thread; no widgets.
class Worker : public QObject
{
    Q_OBJECT

public:
    // The pauses and time limits of a run, in milliseconds. The defaults are
    // the designed ones; tests shorten them so they never sleep through them.
    struct Timing
    {
        int archiverStartMs = 5000;
        int archiverSilenceMs = 30000;
        int archiverFinishMs = 30000;
        int archiverStopMs = 5000;
        int editorDeleteMs = 5000;
        int editorAddMs = 10000;
        int editorStopMs = 5000;
        int iconCachePauseMs = 500; // each of the two pauses of the icon-cache refresh
        int afterIconPauseMs = 1000;
        int stopPollMs = 100;   // how often a wait looks for a stop request
        int stopGraceMs = 500;  // how long a stopped tool may take to end before it is killed
    };

    explicit Worker(QObject *parent = nullptr);

    // Set while the worker is idle (before a request is queued); a run reads
    // it on the worker's thread.
    void setTiming(const Timing &timing) { m_timing = timing; }
    Timing timing() const { return m_timing; }

    // Ends the run under way as soon as it can: the archiver or the resource
    // editor is stopped, a product begun by the run and the partial archive are
    // removed, and the run finishes as failed. Safe from any thread; for
    // shutting down, so the worker runs nothing after it.
    void requestStop() { m_stopRequested.store(true); }

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

private:
    struct Job;

    // The stages of createPortableApp, in order. Each logs its own lines; a
    // stage returning false has ended the run as failed.
    bool checkSource(const Job &job);
    bool buildArchive(Job &job);
    bool assembleProduct(Job &job);
    QByteArray chooseIcon(const Job &job);
    void applyIcon(const Job &job, const QByteArray &iconData);
    bool checkProduct(const Job &job);
    bool checkPlaces(const QString &folderPath, const QString &outputDir, const QString &outputPath);
    void discardStoppedRun(const QString &archivePath, const QString &outputPath, bool productStarted);

    // Waits that end early when a stop is requested (they then return false);
    // the slices are Timing::stopPollMs long.
    bool stopRequested() const { return m_stopRequested.load(); }
    bool waitForOutput(QProcess &process, int timeoutMs);
    bool waitForExit(QProcess &process, int timeoutMs);
    void pause(int ms);
    void stopProcess(QProcess &process);

    Timing m_timing;
    std::atomic<bool> m_stopRequested{false};
};

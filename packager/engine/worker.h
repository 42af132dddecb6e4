#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

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

    // Where the tools are copied from. The defaults are the bundle's; tests
    // hand in stand-ins, which the tool folder then has to match byte for byte.
    struct ToolSources
    {
        QString archiver = QStringLiteral(":/resources/7zr.exe");
        QString module = QStringLiteral(":/resources/7zSD.sfx");
        QString editor = QStringLiteral(":/resources/ResourceHacker.exe");
    };

    explicit Worker(QObject *parent = nullptr);

    // Set while the worker is idle (before a request is queued); a run reads
    // it on the worker's thread.
    void setTiming(const Timing &timing) { m_timing = timing; }
    Timing timing() const { return m_timing; }
    void setToolSources(const ToolSources &sources) { m_tools = sources; }

    // Ends the run under way as soon as it can: the archiver or the resource
    // editor is stopped, a product begun by the run and the partial archive are
    // removed, and the run finishes as failed. Safe from any thread; for
    // shutting down, so the worker runs nothing after it.
    void requestStop() { m_stopRequested.store(true); }

    // Ends run number `run` (the worker counts its runs from 1) as requestStop
    // does, or makes it end at once if it has not begun yet; later runs go on
    // as usual. Safe from any thread.
    void stopRun(quint64 run) { m_stopRun.store(run); }

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
    bool checkPlaces(Job &job);
    bool runArchiver(const QString &archiverPath, const QStringList &arguments, QString *errorLines);
    bool addLinkedCopies(Job &job, const QString &archiverPath, const QString &archiveFile);
    QByteArray userIcon(const Job &job);
    // As extractIconFromExe; *noIconPlace tells that the program is one that
    // never carries an icon (its one log line is then a notice).
    QByteArray extractIcon(const QString &exePath, bool *noIconPlace);
    void discardStoppedRun(const QString &archivePath, const QString &outputPath, bool productStarted);

    // Waits that end early when a stop is requested (they then return false);
    // the slices are Timing::stopPollMs long.
    bool stopRequested() const { return m_stopRequested.load() || (m_runNumber != 0 && m_stopRun.load() == m_runNumber); }
    bool waitForOutput(QProcess &process, int timeoutMs);
    bool waitForExit(QProcess &process, int timeoutMs);
    void pause(int ms);
    void stopProcess(QProcess &process);

    Timing m_timing;
    ToolSources m_tools;
    std::atomic<bool> m_stopRequested{false};
    std::atomic<quint64> m_stopRun{0};
    quint64 m_runNumber = 0; // the run under way, or the last one; only the worker's thread writes it
};

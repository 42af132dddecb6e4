#pragma once

#include <QMainWindow>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QStringList>

#include "runrules.h"

class FramelessFrame;
class QButtonGroup;
class QMenu;
class QThread;
class QTranslator;
class Worker;

QT_BEGIN_NAMESPACE
namespace Ui { class MainWindow; }
QT_END_NAMESPACE

// Crateforge's main window. The implementation is split by concern:
//   mainwindow.cpp           construction, frame, pages, choosers, input check
//   mainwindow_run.cpp       worker thread, run control, progress and log, destruction
//   mainwindow_settings.cpp  settings, pop-up menu, languages, reset
// The rules that need no widget (compression choices, input check, work
// folder, the start of a run), shared with crateforge pack, are plain
// functions in runrules.h.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

protected:
    void changeEvent(QEvent *event) override;

private Q_SLOTS:
    void on_selectFolderButton_clicked();
    void on_outputButton_clicked();
    void on_iconButton_clicked();
    void on_startButton_clicked();
    void on_aboutButton_clicked();
    void on_mainExeButton_clicked();
    void on_resetButton_clicked();
    void onTabButtonClicked(int index);
    void onWorkerProgress(int value);
    void onWorkerLog(const QString &message);
    void onWorkerFinished(bool success);
    void initLanguage();
    void loadLanguage(const QString &language);
    void updateMenuLanguage();

private:
    void updateExeList(const QString &folderPath);
    bool validateInputs();
    runrules::RunChoices runChoices() const;
    QString compressionLevelArg() const;
    QString compressionMethodArg() const;
    QString dictionarySizeArg() const;

    void startWorker();
    void stopWorker();
    void createWorkFolder();
    void removeWorkFolder();
    void setProcessingState(bool processing);
    void updateStartButtonText();
    QStringList unkeptOptionNotices() const;

    void loadSettings();
    void saveSettings();
    void createMenu();
    void popUpMenu();

    Ui::MainWindow *ui = nullptr;
    QButtonGroup *m_tabGroup = nullptr;
    FramelessFrame *m_frame = nullptr;

    QThread *m_workerThread = nullptr;
    Worker *m_worker = nullptr;
    QString m_tempDir;
    bool m_ownsTempDir = false;   // only a folder this window created is removed
    bool m_processing = false;    // a run is under way
    bool m_stopping = false;      // the run under way was asked to stop
    quint64 m_runsQueued = 0;     // runs handed to the worker, which numbers them alike
    QString m_lastWorkerLine;     // of the run under way: a failed run's cause
    QStringList m_optionNotices;  // shown after a successful run

    QTranslator *m_translator = nullptr;
    QTranslator *m_translatorQt = nullptr;
    QString m_currentLanguage;
    QPointer<QMenu> m_menu;

    friend class MainWindowTestAccess;
};

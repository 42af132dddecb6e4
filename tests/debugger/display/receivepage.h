#pragma once

// Both pages' receive areas as the display tests drive them through a real
// window: the widgets' names, and the window with the page's area.

#include "mainwindow.h"
#include "receivedisplay.h"
#include "widgetlookup.h"

#include <QCheckBox>
#include <QTextBrowser>

#include <memory>

struct ReceivePage
{
    const char *name, *area, *hex, *stamps, *lines, *stampLabel, *receiver, *clearButton, *record;
};

inline const ReceivePage kReceivePages[] = {
    {"network", "Recive_msg", "HexDisplay", "DisplayTime", "AutoSwitchLine", "   Recive", "UpdateMsg", "ClearMessage",
     "RecordFile"},
    {"serial", "DataRecive", "DisplayHEX", "TimeDisplay", "AutoSwitchLine_2", "  Recive：", "GetSerialData",
     "ClearRecive", "RecordFile_2"},
};

struct ReceiveWindow
{
    explicit ReceiveWindow(int index)
        : page(kReceivePages[index]), window(std::make_unique<MainWindow>()),
          area(child<QTextBrowser>(*window, page.area)), record(child<QCheckBox>(*window, page.record)),
          display(area->findChild<ReceiveDisplay *>())
    {
    }
    void check(const char *name, bool on) { child<QCheckBox>(*window, name)->setChecked(on); }
    // Queued as the transports deliver a batch, or at once so that boxes
    // checked in between apply.
    void deliver(const QByteArray &bytes, Qt::ConnectionType type = Qt::QueuedConnection)
    {
        QMetaObject::invokeMethod(window.get(), page.receiver, type, Q_ARG(QByteArray, bytes));
    }

    const ReceivePage &page;
    std::unique_ptr<MainWindow> window;
    QTextBrowser *area;
    QCheckBox *record;
    ReceiveDisplay *display;
};

#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "checksum.h"
#include "hexcodec.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

void MainWindow::initChecksums()
{
    // Below each page's send options: a label and the list of checksums.
    QGridLayout *grids[2] = {ui->gridLayout_send, ui->gridLayout_serialOptions};
    QWidget *owners[2] = {ui->groupBox_send, ui->serialSettings};
    const QString suffixes[2] = {QString(), QStringLiteral("_2")};
    for (int page : {kNetworkPage, kSerialPage}) {
        m_checksumLabel[page] = new QLabel(owners[page]);
        m_checksumList[page] = new QComboBox(owners[page]);
        m_checksumList[page]->setObjectName(QStringLiteral("ChecksumList") + suffixes[page]);
        for (const Checksum::Kind kind : Checksum::kAll)
            m_checksumList[page]->addItem(Checksum::name(kind), Checksum::name(kind));
        // The list takes all the row beside its label: the longest names
        // need more than one column.
        auto *row = new QHBoxLayout;
        row->addWidget(m_checksumLabel[page]);
        row->addWidget(m_checksumList[page], 1);
        grids[page]->addLayout(row, grids[page]->rowCount(), 0, 1, 2);
    }
}

Checksum::Kind MainWindow::pageChecksum(const QTimer *timed) const
{
    const QComboBox *list = m_checksumList[timed == timer ? kSerialPage : kNetworkPage];
    return list ? Checksum::fromName(list->currentData().toString()) : Checksum::Kind::None;
}

QString MainWindow::sentEcho(const QString &text, bool hex, const QByteArray &bytes, const QTimer *timed) const
{
    if (hex)
        return BytesToHexText(bytes);
    const int size = Checksum::size(pageChecksum(timed));
    if (size == 0 || bytes.size() < size)
        return text;
    return text + QStringLiteral(" [") + BytesToHexText(bytes.right(size)) + QLatin1Char(']');
}

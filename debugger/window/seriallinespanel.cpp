#include "seriallinespanel.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QSerialPort>
#include <QStyle>

namespace {

struct Input
{
    const char *name;
    QSerialPort::PinoutSignal line;
};

constexpr Input kInputs[] = {
    {"CTS", QSerialPort::ClearToSendSignal},
    {"DSR", QSerialPort::DataSetReadySignal},
    {"DCD", QSerialPort::DataCarrierDetectSignal},
    {"RI", QSerialPort::RingIndicatorSignal},
};

} // namespace

SerialLinesPanel::SerialLinesPanel(QWidget *parent)
    : QWidget(parent), m_dtr(new QCheckBox(QStringLiteral("DTR"), this)), m_rts(new QCheckBox(QStringLiteral("RTS"), this)),
      m_note(new QLabel(this))
{
    setObjectName(QStringLiteral("SerialLines"));
    m_dtr->setObjectName(QStringLiteral("DTR"));
    m_rts->setObjectName(QStringLiteral("RTS"));
    m_note->setObjectName(QStringLiteral("SerialLinesNote"));
    m_note->setWordWrap(true);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(m_dtr, 0, 0, 1, 2);
    grid->addWidget(m_rts, 0, 2, 1, 2);
    for (int i = 0; i < 4; ++i) {
        m_inputs[i] = new QLabel(QString::fromLatin1(kInputs[i].name), this);
        m_inputs[i]->setObjectName(QString::fromLatin1(kInputs[i].name));
        m_inputs[i]->setAlignment(Qt::AlignCenter);
        m_inputs[i]->setProperty("active", false);
        grid->addWidget(m_inputs[i], 1, i);
    }
    grid->addWidget(m_note, 2, 0, 1, 4);

    for (QCheckBox *box : {m_dtr, m_rts})
        connect(box, &QCheckBox::clicked, this, [this] { emit linesChosen(dtr(), rts()); });
    clearInputs();
}

bool SerialLinesPanel::dtr() const
{
    return m_dtr->isChecked();
}

bool SerialLinesPanel::rts() const
{
    return m_rts->isChecked();
}

void SerialLinesPanel::setLines(bool dtr, bool rts)
{
    m_dtr->setChecked(dtr);
    m_rts->setChecked(rts);
}

void SerialLinesPanel::showInputs(int pinout, bool known)
{
    m_known = known ? Known::Lines : Known::None;
    for (int i = 0; i < 4; ++i) {
        QLabel *label = m_inputs[i];
        const bool active = known && (pinout & kInputs[i].line);
        label->setEnabled(known);
        if (label->property("active").toBool() != active) {
            label->setProperty("active", active);
            // The style sheet shows a raised line by the property.
            label->style()->unpolish(label);
            label->style()->polish(label);
        }
    }
    retranslate();
}

void SerialLinesPanel::clearInputs()
{
    showInputs(0, false);
    m_known = Known::Closed;
    retranslate();
}

void SerialLinesPanel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void SerialLinesPanel::retranslate()
{
    m_note->setVisible(m_known == Known::None);
    m_note->setText(tr("此设备没有控制线（如伪终端），DTR、RTS 不起作用"));
    const QString tip = tr("亮：线路有效");
    for (QLabel *label : m_inputs)
        label->setToolTip(tip);
}

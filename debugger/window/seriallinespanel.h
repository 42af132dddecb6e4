#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;

// The serial page's control lines: DTR and RTS, set by the user, and the
// states of CTS, DSR, DCD and RI as the port reports them. A device without
// these lines (a pseudo-terminal) is said so in the panel.
class SerialLinesPanel : public QWidget
{
    Q_OBJECT

public:
    explicit SerialLinesPanel(QWidget *parent = nullptr);

    bool dtr() const;
    bool rts() const;
    void setLines(bool dtr, bool rts);

public Q_SLOTS:
    // What the port reports: a QSerialPort::PinoutSignals value, or that it
    // has no such lines.
    void showInputs(int pinout, bool known);
    // The port closed: nothing is known of the lines.
    void clearInputs();

Q_SIGNALS:
    void linesChosen(bool dtr, bool rts);

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    QCheckBox *m_dtr;
    QCheckBox *m_rts;
    QLabel *m_inputs[4];
    QLabel *m_note;
    enum class Known { Closed, Lines, None } m_known = Known::Closed;
};

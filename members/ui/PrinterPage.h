#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;
class TPrinter;

// The settings window's "POS打印机" page: receipts on or off, the port (serial
// with its speed, or parallel), the device of this machine the port stands
// for, and the cash drawer. "保存" writes printer row 1 through the
// program-wide printer object; the trial button saves and prints a trial
// receipt to the chosen port.
class TPrinterPage : public QWidget {
    Q_OBJECT
public:
    explicit TPrinterPage(QWidget* parent = nullptr);

    // False after the message when nothing could be written.
    bool Save();
    void SaveAndPrintTrial();

    QRadioButton* rbOn;
    QRadioButton* rbOff;
    QRadioButton* rbLpt;
    QRadioButton* rbCom;
    QComboBox* cbCom;
    QComboBox* cbSpeed;
    QComboBox* cbLPT;
    QComboBox* cbDevice; // the device file behind the chosen port name
    QCheckBox* cbCashBox;
    QPushButton* btnPrintSave;
    QPushButton* btnPrintTest;

private:
    void ShowPrinter(const TPrinter& printer);
    // The port name the choices stand for ("LPT1", "COM2").
    QString ChosenPort() const;
    void ShowDevice();
};

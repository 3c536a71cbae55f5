#include "members/ui/PrinterPage.h"

#include "app/Session.h"
#include "members/PrinterTrial.h"
#include "storage/Prompter.h"
#include "storage/dao/Errors.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSerialPortInfo>
#include <QVBoxLayout>

namespace {

// The serial ports Qt finds, the parallel ports and the USB printers.
QStringList DevicesOfThisMachine() {
    QStringList devices;
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts()) {
        devices.append(port.systemLocation());
    }
    for (const QString& folder : {QStringLiteral("/dev"), QStringLiteral("/dev/usb")}) {
        const QDir dir(folder);
        for (const QString& name : dir.entryList({QStringLiteral("lp*")}, QDir::System)) {
            devices.append(dir.filePath(name));
        }
    }
    devices.sort();
    devices.removeDuplicates();
    return devices;
}

QComboBox* List(const QString& name, const QStringList& items, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->addItems(items);
    return list;
}

// Selects the entry; a stored value the list lacks is added, so saving never
// loses it.
void Select(QComboBox* list, const QString& text) {
    if (list->findText(text) < 0) {
        list->addItem(text);
    }
    list->setCurrentIndex(list->findText(text));
}

QGroupBox* Group(const QString& caption, std::initializer_list<QWidget*> widgets, QWidget* parent) {
    auto* group = new QGroupBox(caption, parent);
    auto* layout = new QHBoxLayout(group);
    for (QWidget* widget : widgets) {
        layout->addWidget(widget);
    }
    layout->addStretch();
    return group;
}

} // namespace

TPrinterPage::TPrinterPage(QWidget* parent)
    : QWidget(parent), rbOn(new QRadioButton(QStringLiteral("使用小票打印"), this)),
      rbOff(new QRadioButton(QStringLiteral("关闭小票打印"), this)),
      rbLpt(new QRadioButton(QStringLiteral("并口，如：LPT1"), this)),
      rbCom(new QRadioButton(QStringLiteral("串口，如：COM1或者COM2"), this)),
      cbCom(List(QStringLiteral("cbCom"),
                 {QStringLiteral("COM1"), QStringLiteral("COM2"), QStringLiteral("COM3"),
                  QStringLiteral("COM4")},
                 this)),
      cbSpeed(List(QStringLiteral("cbSpeed"),
                   {QStringLiteral("9600"), QStringLiteral("4800"), QStringLiteral("2400"),
                    QStringLiteral("1200"), QStringLiteral("600"), QStringLiteral("300")},
                   this)),
      cbLPT(List(QStringLiteral("cbLPT"), {QStringLiteral("LPT1"), QStringLiteral("LPT2")}, this)),
      cbDevice(List(QStringLiteral("cbDevice"), DevicesOfThisMachine(), this)),
      cbCashBox(new QCheckBox(QStringLiteral("自动打开钱箱"), this)),
      btnPrintSave(new QPushButton(QStringLiteral("保存"), this)),
      btnPrintTest(new QPushButton(QStringLiteral("保存并打印测试小票"), this)) {
    rbOn->setObjectName(QStringLiteral("rbOn"));
    rbOff->setObjectName(QStringLiteral("rbOff"));
    rbLpt->setObjectName(QStringLiteral("rbLpt"));
    rbCom->setObjectName(QStringLiteral("rbCom"));
    cbCashBox->setObjectName(QStringLiteral("cbCashBox"));
    btnPrintSave->setObjectName(QStringLiteral("btnPrintSave"));
    btnPrintTest->setObjectName(QStringLiteral("btnPrintTest"));
    cbDevice->setEditable(true);
    cbDevice->setMinimumWidth(200);
    // Each pair of radio buttons is a choice of its own.
    for (auto [first, second] : {std::pair{rbOn, rbOff}, std::pair{rbLpt, rbCom}}) {
        auto* group = new QButtonGroup(this);
        group->addButton(first);
        group->addButton(second);
    }

    auto* serial = new QFormLayout;
    serial->addRow(QStringLiteral("端口"), cbCom);
    serial->addRow(QStringLiteral("速率"), cbSpeed);
    auto* serialGroup = new QGroupBox(QStringLiteral("串口设置"), this);
    serialGroup->setLayout(serial);
    auto* parallel = new QFormLayout;
    parallel->addRow(QStringLiteral("端口"), cbLPT);
    auto* parallelGroup = new QGroupBox(QStringLiteral("并口设置"), this);
    parallelGroup->setLayout(parallel);
    auto* settingsRow = new QHBoxLayout;
    settingsRow->addWidget(serialGroup);
    settingsRow->addWidget(parallelGroup);
    settingsRow->addStretch();
    auto* device = new QFormLayout;
    device->addRow(QStringLiteral("端口对应的设备"), cbDevice);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnPrintTest);
    buttons->addWidget(btnPrintSave);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Group(QStringLiteral("是否开启打印小票功能"), {rbOn, rbOff}, this));
    layout->addWidget(Group(QStringLiteral("与POS打印机连接的端口"), {rbLpt, rbCom}, this));
    layout->addLayout(settingsRow);
    layout->addLayout(device);
    layout->addWidget(Group(QStringLiteral("钱箱设置"), {cbCashBox}, this));
    layout->addLayout(buttons);
    layout->addStretch();

    ShowPrinter(TSession::Current().Printer);
    connect(rbLpt, &QRadioButton::toggled, this, &TPrinterPage::ShowDevice);
    connect(cbCom, &QComboBox::currentTextChanged, this, &TPrinterPage::ShowDevice);
    connect(cbLPT, &QComboBox::currentTextChanged, this, &TPrinterPage::ShowDevice);
    connect(btnPrintSave, &QPushButton::clicked, this, &TPrinterPage::Save);
    connect(btnPrintTest, &QPushButton::clicked, this, &TPrinterPage::SaveAndPrintTrial);
}

void TPrinterPage::ShowPrinter(const TPrinter& printer) {
    (printer.OnOff != 0 ? rbOn : rbOff)->setChecked(true);
    (printer.Port != 0 ? rbLpt : rbCom)->setChecked(true);
    Select(cbCom, printer.Com);
    Select(cbSpeed, printer.Speed);
    Select(cbLPT, printer.Lpt);
    cbCashBox->setChecked(printer.CashBox == 1);
    ShowDevice();
}

QString TPrinterPage::ChosenPort() const {
    return rbLpt->isChecked() ? cbLPT->currentText() : cbCom->currentText();
}

void TPrinterPage::ShowDevice() {
    cbDevice->setEditText(TSettings().PortDevice(ChosenPort()));
}

bool TPrinterPage::Save() {
    TSession& session = TSession::Current();
    // Row 1 as the ledger holds it now; the values the page does not show
    // keep what it holds.
    TPrinter printer;
    printer.LoadById(1);
    printer.OnOff = rbOn->isChecked() ? 1 : 0;
    printer.Port = rbLpt->isChecked() ? 1 : 0;
    if (printer.Port != 0) {
        printer.Lpt = cbLPT->currentText();
    } else {
        printer.Com = cbCom->currentText();
        printer.Speed = cbSpeed->currentText();
    }
    printer.CashBox = cbCashBox->isChecked() ? 1 : 0;
    const QString device = cbDevice->currentText().trimmed();
    try {
        if (!device.isEmpty() && device != session.Settings.PortDevice(ChosenPort())) {
            session.Settings.SetPortDevice(ChosenPort(), device);
        }
        printer.Save();
    } catch (const EVintorError& error) {
        ShowError(error.Message());
        return false;
    }
    session.Printer = printer;
    return true;
}

void TPrinterPage::SaveAndPrintTrial() {
    if (Save()) {
        const TSession& session = TSession::Current();
        PrinterTrial::Print(session.Printer, session.ShopInfo, session.Operator);
    }
}

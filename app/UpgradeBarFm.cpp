#include "app/UpgradeBarFm.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace {

constexpr int StepIntervalMs = 500;
constexpr int StepCount = 20;

} // namespace

TUpgradeBarFm::TUpgradeBarFm(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      lbText(new QLabel(QStringLiteral("正在进行账本升级，请不要终止此过程..."), this)),
      pbStep(new QProgressBar(this)) {
    setWindowTitle(QStringLiteral("账本升级"));
    pbStep->setRange(0, StepCount);
    pbStep->setTextVisible(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbText);
    layout->addWidget(pbStep);
    resize(360, 90);
    timer_.setInterval(StepIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &TUpgradeBarFm::Step);
}

void TUpgradeBarFm::Show() {
    if (!isVisible()) {
        show();
        timer_.start();
    }
    ProcessMessages();
}

void TUpgradeBarFm::ProcessMessages() {
    QCoreApplication::processEvents();
}

void TUpgradeBarFm::Close() {
    timer_.stop();
    hide();
}

void TUpgradeBarFm::Step() {
    pbStep->setValue(pbStep->value() >= pbStep->maximum() ? 0 : pbStep->value() + 1);
}

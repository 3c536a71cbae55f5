#include "reports/ui/PBarFm.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

QPointer<TPBarFm> TPBarFm::current_;

TPBarFm::TPBarFm(QWidget* over, int maximum)
    : QWidget(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint),
      mainWindow_(over ? over->window() : nullptr) {
    setObjectName(QStringLiteral("PBarFm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("正在处理数据,请等待..."));
    lbText = new QLabel(QStringLiteral("正在处理数据,请稍候..."), this);
    pbBar = new QProgressBar(this);
    pbBar->setRange(0, maximum);
    pbBar->setValue(0);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbText);
    layout->addWidget(pbBar);
    resize(320, sizeHint().height());
    if (over) {
        const QPoint centre = over->mapToGlobal(over->rect().center());
        move(centre - rect().center());
    }
    if (mainWindow_) {
        mainWindow_->setEnabled(false);
    }
}

TPBarFm::~TPBarFm() {
    if (mainWindow_) {
        mainWindow_->setEnabled(true);
    }
}

void TPBarFm::Open(QWidget* over, int maximum) {
    Close();
    if (maximum <= 0) {
        return;
    }
    current_ = new TPBarFm(over, maximum);
    current_->show();
}

void TPBarFm::Step() {
    if (!current_) {
        return;
    }
    QProgressBar* bar = current_->pbBar;
    bar->setValue(bar->value() + 1);
    if (bar->value() >= bar->maximum()) {
        Close();
    } else if (current_->isVisible()) {
        bar->repaint();
    }
}

void TPBarFm::Close() {
    delete current_.data();
}

TPBarFm* TPBarFm::Current() {
    return current_.data();
}

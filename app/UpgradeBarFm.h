#pragma once

#include "storage/ledger/UpgradeProgress.h"

#include <QTimer>
#include <QWidget>

class QLabel;
class QProgressBar;

// "账本升级": a modeless window with a bar that keeps moving while the ledger
// is upgraded. It shows that work goes on, not how much is left.
class TUpgradeBarFm : public QWidget, public TUpgradeProgress {
    Q_OBJECT
public:
    explicit TUpgradeBarFm(QWidget* parent = nullptr);

    void Show() override;
    void ProcessMessages() override;
    void Close() override;

    QLabel* lbText;
    QProgressBar* pbStep;

private:
    void Step();

    QTimer timer_;
};

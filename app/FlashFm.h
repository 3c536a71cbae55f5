#pragma once

#include <QDialog>

// The splash picture shown while the program starts: borderless, centred on
// the screen, it closes itself after three seconds.
class TFlashFm : public QDialog {
    Q_OBJECT
public:
    explicit TFlashFm(QWidget* parent = nullptr);

    static constexpr int ShowMs = 3000;

protected:
    void paintEvent(QPaintEvent* event) override;
};

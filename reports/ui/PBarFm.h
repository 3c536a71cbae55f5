#pragma once

#include <QPointer>
#include <QWidget>

class QLabel;
class QProgressBar;

// "正在处理数据,请等待...": the progress of a report being laid out, one step
// per detail row. At most one exists; while it is shown the main window is
// disabled, and it goes away by itself when the last step is taken.
class TPBarFm : public QWidget {
    Q_OBJECT
public:
    ~TPBarFm() override;

    // Frees the window shown before, if any, and shows a new one centred over
    // `over` with `maximum` steps; nothing is shown for a maximum of 0 or less.
    static void Open(QWidget* over, int maximum);
    // Advances the window shown by one step, freeing it at its maximum.
    static void Step();
    // Frees the window shown, if any (a run that stopped before its end).
    static void Close();
    // The window shown, or nullptr.
    static TPBarFm* Current();

    QLabel* lbText;
    QProgressBar* pbBar;

private:
    explicit TPBarFm(QWidget* over, int maximum);

    QPointer<QWidget> mainWindow_;
    static QPointer<TPBarFm> current_;
};

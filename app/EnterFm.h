#pragma once

#include <QPointer>
#include <QWidget>

class QEventLoop;

// Base of every window: Enter pressed anywhere inside it moves the focus to
// the next control, as Tab does. A focused push button is clicked instead, and a
// multi-line text box or a box that reads Enter itself (KeepEnter) keeps it.
class TEnterFm : public QWidget {
    Q_OBJECT
public:
    explicit TEnterFm(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~TEnterFm() override;

    // The box handles Enter itself (the pick edit, the desks' code boxes).
    static void KeepEnter(QWidget* box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    // Shows the window modally, centred on the window it belongs to (or the
    // active window), and returns the result EndModal gave it; closing the
    // window gives QDialog::Rejected.
    int RunModal();
    void EndModal(int result);
    // Runs once the modal window is on screen, before the operator acts.
    virtual void ModalShown() {}

private:
    bool HandleEnter(QWidget* target);

    QPointer<QEventLoop> loop_;
    int result_ = 0;
};

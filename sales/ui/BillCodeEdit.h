#pragma once

#include <QLineEdit>

// "单据编号": the box a bill number is typed or scanned into. Enter on a
// typed number hands it to the window (BillEntered); a second Enter moves the
// focus on, and a key typed after that Enter starts a new number.
class TBillCodeEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TBillCodeEdit(QWidget* parent = nullptr);

    // Empties the box and forgets the Enter that confirmed it.
    void ClearEntry();
    // Shows a number found elsewhere (the bill search) as if it had been typed
    // and confirmed with Enter.
    void SetEntry(const QString& text);

signals:
    void BillEntered(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool marked_ = false;
};

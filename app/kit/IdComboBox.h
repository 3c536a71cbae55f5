#pragma once

#include <QComboBox>

// A pick list of master-data rows: the names of a "SELECT Id,Name AS TXT …"
// with the Id of each attached; the first row is chosen after a fill.
class TIdComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TIdComboBox(QWidget* parent = nullptr);

    // Lists the rows of `sql` (a failure is shown and leaves the list empty).
    void Fill(const QString& sql);
    // Chooses the row of `id`; false (the choice kept) when none has it.
    bool ChooseId(int id);
    // Chooses the row of `id`, or none when no row has it: a stored row whose
    // entry was deleted since shows nothing chosen, not silently the first.
    void ChooseIdOrNone(int id);
    // The Id of the chosen row; 0 when nothing is chosen.
    int ChosenId() const;
};

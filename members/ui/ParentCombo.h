#pragma once

#include "members/CategoryParents.h"

#include <QComboBox>

// The "所属分类" list of a category dialog: "无从属分类" and the categories the
// edited one may hang under, each with its Id.
class TParentCombo : public QComboBox {
    Q_OBJECT
public:
    explicit TParentCombo(CategoryParents::TTree tree, QWidget* parent = nullptr);

    // Lists the parents category `id` (-1 for a new one) may take; the first
    // entry is chosen.
    void Fill(int id);
    // Chooses the entry of `id`; the first entry when none has it.
    void ChooseId(int id);
    int ChosenId() const { return currentData().toInt(); }

private:
    CategoryParents::TTree tree_;
};

#pragma once

#include <QString>

#include <initializer_list>

class QFormLayout;
class QLabel;
class QPushButton;
class QWidget;

// The labels and buttons of the desks' panels.
namespace DeskLabels {

// A figure in green while all is well, red when the operator should look
// twice (a disc out, a quota or balance used up, no stock left).
void ShowFigure(QLabel* label, const QString& text, bool alarm);

struct TLabelRow {
    const char* name;
    const char* caption;
    QLabel* label;
};
// Adds a panel's captioned labels to its form, each named and wrapping.
void AddRows(QFormLayout* layout, std::initializer_list<TLabelRow> rows);

// A desk button: named, with its hint; it never takes the focus, because the
// function keys work it and the focus stays where the codes are typed.
QPushButton* NewButton(QWidget* parent, const char* name, const QString& caption,
                       const QString& hint = {});

} // namespace DeskLabels

#pragma once

class QLineEdit;
class QWidget;

// A text box of a dialog, named as the tests find it and taking at most
// `maxLength` characters, the width of its column.
QLineEdit* NewLineEdit(QWidget* parent, const char* name, int maxLength);

#pragma once

#include <QString>

// The outcome of one store operation of a dialog: the Id of the row saved, or
// the refusal with the field to focus and the message that was shown.
struct TStoreResult {
    static TStoreResult Saved(int id) { return {true, id, {}, {}}; }
    static TStoreResult Refused(const QString& field, const QString& message) {
        return {false, -1, field, message};
    }

    bool ok = false;
    int id = -1;
    QString field;   // the control name, such as "edCode"; empty when no field is at fault
    QString message; // the text the prompter showed
};

#pragma once

#include <QString>
#include <QStringList>

// The actor picker's rules, apart from its window: the initial letters it
// offers, the actors of one letter, which of them show ticked for a field's
// text, and the text a tick or an untick makes. Names in the field are kept
// as "name," with the comma left off after the last name of the list.
class TActorPick {
public:
    // A–H, J–T, W–Z: no pinyin initial is I, U or V.
    static const QStringList& Letters();
    // The actors whose initials start with the letter.
    static QString LetterSql(const QString& letter);

    // Reads the names of the actors of a letter from the open ledger.
    void Load(const QString& letter);
    const QStringList& Names() const { return names_; }

    // A name shows ticked when it occurs inside the field's text.
    static bool Ticked(const QString& name, const QString& text);
    // The field's text after the operator ticked (`ticked`) or unticked name
    // `index` of `names`. A tick puts the name in front unless the text holds
    // it already; an untick takes out its first occurrence with the comma
    // after it (a name typed last, with no comma after it, goes alone).
    static QString Toggle(const QStringList& names, int index, bool ticked, const QString& text);

private:
    QStringList names_;
};

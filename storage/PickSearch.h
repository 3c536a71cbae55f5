#pragma once

#include "storage/dao/DAOQuery.h"

#include <QList>
#include <QString>
#include <QStringList>

class TDAODatabase;

// The look-up behind a pick edit: the typed text is classified as a code, as
// pinyin initials or as the start of a name, the rows whose column starts
// with it are read and laid out as list lines, and the matching line gives
// the selected key. The pick-edit widget only shows what this holds.
class TPickSearch {
public:
    // The column the typed text is looked for in.
    enum class TKind { Code, Initials, Name };

    // Character widths (GBK display columns) of the four parts of a line.
    struct TWidths {
        int name;
        int code;
        int spell;
        int status;
    };

    static constexpr int NoKey = -1;

    TPickSearch() = default;
    TPickSearch(const TPickSearch&) = delete;
    TPickSearch& operator=(const TPickSearch&) = delete;

    // Binds the search as every lookup box of the program is bound: key
    // column "Id", list column "Name", "Code" when `withCode`, "Spell", and
    // "Status" when `withStatus`.
    void Setup(TDAODatabase* database, const QString& sql, bool withStatus, bool withCode);

    TDAODatabase* Database = nullptr;
    QString BaseSql;
    QString FieldKey = QStringLiteral("Id");
    QString FieldList = QStringLiteral("Name");
    QString FieldCode;
    QString FieldSpell = QStringLiteral("Spell");
    QString FieldStatus;

    // The class of normalised, non-empty typed text.
    static TKind Classify(const QString& normalized);
    // The clause appended to BaseSql for the typed text; empty for empty text
    // and for a code in a box without a code column.
    QString FilterFor(const QString& typed) const;
    TWidths Widths() const;

    // Enter in the box: reads the rows for the typed text into the lines and
    // selects the matching line when the list is not to be opened.
    void Search(const QString& typed);
    // The operator closed the open list on line `index`: it is selected.
    void Choose(int index);
    // True when the window is to be told of the selected key: the box is
    // confirmed (`marked`) and the key differs from the one last told. The key
    // counts as told from then on; each search forgets the last told key.
    bool TakeChange(bool marked);

    const QString& Filter() const { return filter_; }
    const QStringList& Lines() const { return lines_; }
    const QList<int>& Keys() const { return keys_; }
    // The list is to be opened for the operator to pick one of several rows.
    bool ListOpen() const { return listOpen_; }
    // The line selected, or highlighted in the open list; -1 for none.
    int CurrentLine() const { return current_; }
    // The key of the selected line; NoKey while none is selected.
    int SelectedKey() const { return selectedKey_; }
    // What the box shows: the name of the selected line, else the typed text.
    const QString& BoxText() const { return boxText_; }

private:
    struct TRow {
        QString name; // the name part of the line, as cut to its width
        QString fullName;
        QString code;
        QString spell;
    };

    void ReadRows();
    QString LayOut(const TRow& row, int status, const TWidths& widths) const;
    int MatchingLine(const QString& normalized) const;
    void Select(int index);

    TDAOQuery query_;
    QString filter_;
    QStringList lines_;
    QList<int> keys_;
    QList<TRow> rows_;
    bool listOpen_ = false;
    int current_ = -1;
    int selectedKey_ = NoKey;
    int lastToldKey_ = NoKey;
    QString boxText_;
};

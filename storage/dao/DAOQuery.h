#pragma once

#include "storage/dao/DAODataset.h"
#include "storage/dao/Params.h"

#include <QChar>
#include <QStringList>

enum class TDAOQueryOpenType {
    db_OpenDynaset,
    db_OpenSnapshot,
    db_OpenForwardOnly,
    db_OpenDynamic
};

// One SQL text on a connection: opened as a result set or run as an action
// statement. Parameters (":Name") and macros ("%Name") are found in the text
// whenever it changes; the final SQL puts the macro values in and declares the
// parameters in a PARAMETERS clause, as the old engine took them.
class TDAOQuery : public TDAODataset {
public:
    explicit TDAOQuery(TDAODatabase* database = nullptr);

    const QStringList& SQL() const { return sql_; }
    void SetSQL(const QStringList& lines);
    void SetSQL(const QString& text) { SetSQL(QStringList{text}); }
    // The lines joined, line ends turned into blanks.
    const QString& Text() const { return text_; }

    TParams& Params() { return params_; }
    TParams& Macros() { return macros_; }
    QChar MacroChar() const { return macroChar_; }
    void SetMacroChar(QChar marker);
    TDAOQueryOpenType OpenType() const { return openType_; }
    void SetOpenType(TDAOQueryOpenType type) { openType_ = type; }
    TDAODataset* DataSource() const { return dataSource_; }
    void SetDataSource(TDAODataset* master) { dataSource_ = master; }
    // Rows touched by the last action statement; -1 before any.
    int RowsAffected() const { return rowsAffected_; }

    // The statement as it is sent: macros replaced, parameters declared.
    QString FinalSql() const;

    void Open();
    void ExecSQL();

private:
    void Prepare();
    void CopyMasterValues();
    void BindParameters(struct sqlite3_stmt* statement, const TTranslation& translation) const;

    QStringList sql_;
    QString text_;
    TParams params_;
    TParams macros_;
    QList<qsizetype> paramPositions_;
    QList<qsizetype> paramLengths_;
    QList<qsizetype> macroPositions_;
    QList<qsizetype> macroLengths_;
    QChar macroChar_ = u'%';
    TDAOQueryOpenType openType_ = TDAOQueryOpenType::db_OpenDynaset;
    TDAODataset* dataSource_ = nullptr;
    int rowsAffected_ = -1;
};

#pragma once

#include "storage/dao/Format.h"

#include <QString>

class TDAODataset;
class TFieldBinder;

// Results of a guarded Delete: nothing is deleted unless the result is Deleted.
enum TDeleteResult {
    DeleteDone = 0,
    DeleteHasSubCategories = 1,
    DeleteInUse = 2,
    DeleteSystemRow = 3
};

// Base of the record classes: one object mirrors one row of its table and owns
// the records its reference columns point to (its linked records). Each load,
// save or delete runs on a query of its own.
class TCBObject {
public:
    explicit TCBObject(QString tableName) : tableName_(std::move(tableName)) {}
    virtual ~TCBObject() = default;
    TCBObject(const TCBObject&) = default;
    TCBObject& operator=(const TCBObject&) = default;

    const QString& TableName() const { return tableName_; }

    // The row's key: -1 until a load or save.
    int Id = -1;

    // Copy every column of the current row into the members, and back.
    virtual void ReadFields(TDAODataset& dataset);
    virtual void WriteFields(TDAODataset& dataset);
    // Load or save the linked records by the reference columns.
    virtual void DoLoadLinked() {}
    virtual void DoSaveLinked() {}
    void LoadLinked() { DoLoadLinked(); }
    void SaveLinked() { DoSaveLinked(); }

    virtual bool Load() { return LoadById(Id); }
    virtual bool Save() { return SaveById(Id); }
    // Deletes the row; classes put their guards and cascades in front.
    virtual int Delete();

    // Max(Id) + 1 of the table, 1 when it is empty: how bill, batch and
    // receipt numbers are made.
    int NextSerial() const;
    // True when the row was found; otherwise the members keep their values
    // and Id becomes the one asked for.
    bool LoadById(int id);
    bool LoadFromQuery(TDAODataset& query);
    // Edits the row of that key, or appends a new row when there is none (or
    // the key is -1 or 0); `id` takes the row's key.
    bool SaveById(int& id);
    void DeleteById(int id);

protected:
    // True when the SELECT (SQL text with printf-style placeholders) has rows;
    // the delete guards ask this.
    static bool Exists(const char* pattern, std::initializer_list<TFormatArg> args);
    // Runs an action statement of a cascade; errors pass on.
    static void Execute(const char* pattern, std::initializer_list<TFormatArg> args);

    // Lists the columns of the table with the members that hold them.
    virtual void Bind(TFieldBinder& binder) = 0;

private:
    QString tableName_;
};

// A record of a table with a unique Code column (titles and members).
class TCodedObject : public TCBObject {
public:
    using TCBObject::TCBObject;

    // Loads the first row with this code (and its linked records) and returns
    // its Id; -1 when there is none, the object then stays as it was.
    int LoadByCode(const QString& code);

    QString Code;
};

#pragma once

#include "storage/Currency.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QVariant>

#include <utility>

// Data types of query parameters, as the PARAMETERS clause names them.
enum class TFieldType {
    Unknown,
    String,
    Smallint,
    Integer,
    Word,
    Boolean,
    Float,
    Currency,
    Date,
    Time,
    DateTime,
    Guid
};

// The Jet type name of a parameter type ("TEXT", "LONG", ...); empty for others.
QString JetTypeName(TFieldType type);

// One parameter or macro of a query: name, data type, value, null flag.
class TParam {
public:
    TParam() = default;
    explicit TParam(QString name) : name_(std::move(name)) {}

    const QString& Name() const { return name_; }
    TFieldType DataType() const { return dataType_; }
    void SetDataType(TFieldType type) { dataType_ = type; }
    bool IsNull() const { return !value_.isValid(); }
    const QVariant& Value() const { return value_; }

    void Clear() { value_ = QVariant(); }
    void SetAsString(const QString& v);
    void SetAsInteger(qint64 v);
    void SetAsBoolean(bool v);
    void SetAsFloat(double v);
    void SetAsCurrency(Currency v);
    void SetAsDateTime(const QDate& v);
    // Takes the value and type of another parameter (same-named entries, a master row).
    void AssignValue(const TParam& other);
    void SetValue(const QVariant& value, TFieldType type);

    // The value as text for a macro: empty when null, "True"/"False", dates as yyyy-MM-dd.
    QString MacroText() const;

private:
    QString name_;
    TFieldType dataType_ = TFieldType::Unknown;
    QVariant value_;
};

// The parameters (or macros) found in a query's text, in the order they occur;
// a name used twice is listed twice.
class TParams {
public:
    int Count() const { return int(items_.size()); }
    TParam& operator[](int i) { return items_[i]; }
    const TParam& operator[](int i) const { return items_[i]; }
    // The first entry of that name (letter case ignored), or nullptr.
    TParam* FindParam(const QString& name);
    // The same, raising EDAODatabaseError when there is none.
    TParam& ParamByName(const QString& name);
    void Clear() { items_.clear(); }
    void Add(TParam param) { items_.append(std::move(param)); }

    QList<TParam>::iterator begin() { return items_.begin(); }
    QList<TParam>::iterator end() { return items_.end(); }
    QList<TParam>::const_iterator begin() const { return items_.begin(); }
    QList<TParam>::const_iterator end() const { return items_.end(); }

private:
    QList<TParam> items_;
};

// The names that follow `marker` in SQL text, skipping quoted stretches (between
// apostrophes, double quotes or number signs) and doubled markers.
struct TScannedName {
    QString name;
    qsizetype position; // of the marker
    qsizetype length;   // of the marker and the name as written
};
QList<TScannedName> ScanNames(const QString& text, QChar marker);

#include "storage/dao/DAOQuery.h"

#include "storage/JetDate.h"
#include "storage/dao/DAODatabase.h"
#include "storage/dao/Errors.h"
#include "storage/dao/SqliteError.h"

#include <sqlite3.h>

#include <algorithm>

TDAOQuery::TDAOQuery(TDAODatabase* database) : TDAODataset(database) {}

void TDAOQuery::SetSQL(const QStringList& lines) {
    Close();
    sql_ = lines;
    Prepare();
}

void TDAOQuery::SetMacroChar(QChar marker) {
    macroChar_ = marker;
    Prepare();
}

void TDAOQuery::Prepare() {
    text_ = sql_.join(u' ');
    text_.replace(u'\r', u' ').replace(u'\n', u' ');
    auto rescan = [this](TParams& list, QChar marker, QList<qsizetype>& positions,
                         QList<qsizetype>& lengths) {
        TParams old = list;
        list.Clear();
        positions.clear();
        lengths.clear();
        for (const TScannedName& found : ScanNames(text_, marker)) {
            TParam param(found.name);
            for (const TParam& previous : old) {
                if (previous.Name() == found.name) { // letter case counts here
                    param.AssignValue(previous);
                    break;
                }
            }
            list.Add(param);
            positions.append(found.position);
            lengths.append(found.length);
        }
    };
    rescan(params_, u':', paramPositions_, paramLengths_);
    rescan(macros_, macroChar_, macroPositions_, macroLengths_);
}

QString TDAOQuery::FinalSql() const {
    struct Replacement {
        qsizetype position;
        qsizetype length;
        QString text;
    };
    QList<Replacement> replacements;
    for (int i = 0; i < macros_.Count(); ++i) {
        replacements.append({macroPositions_[i], macroLengths_[i], macros_[i].MacroText()});
    }
    QString clause;
    for (int i = 0; i < params_.Count(); ++i) {
        const QString bracketed = u'[' + params_[i].Name() + u']';
        replacements.append({paramPositions_[i], paramLengths_[i], bracketed});
        clause += bracketed + u' ' + JetTypeName(params_[i].DataType()) + u',';
    }
    std::sort(replacements.begin(), replacements.end(),
              [](const Replacement& a, const Replacement& b) { return a.position < b.position; });
    QString text;
    qsizetype at = 0;
    for (const Replacement& r : replacements) {
        if (r.position < at) {
            continue; // overlapping names cannot both be replaced
        }
        text += QStringView(text_).mid(at, r.position - at);
        text += r.text;
        at = r.position + r.length;
    }
    text += QStringView(text_).mid(at);
    if (params_.Count() == 0) {
        return text;
    }
    clause.chop(1);
    return QLatin1String("PARAMETERS ") + clause + QLatin1String("; ") + text;
}

void TDAOQuery::CopyMasterValues() {
    if (!dataSource_) {
        return;
    }
    for (TParam& param : params_) {
        const int index = dataSource_->FieldIndex(param.Name());
        if (index < 0) {
            continue;
        }
        const TField field = dataSource_->Fields(index);
        switch (field.Kind()) {
        case TColumnKind::Integer:
            param.SetAsInteger(field.AsInteger());
            break;
        case TColumnKind::Currency:
            param.SetAsCurrency(field.AsCurrency());
            break;
        case TColumnKind::Date:
            param.SetAsDateTime(field.AsDateTime());
            break;
        case TColumnKind::Float:
            param.SetAsFloat(field.AsFloat());
            break;
        default:
            param.SetAsString(field.AsString());
        }
        if (field.IsNull()) {
            param.Clear();
        }
    }
}

void TDAOQuery::BindParameters(sqlite3_stmt* statement, const TTranslation& translation) const {
    sqlite3* db = Database()->Handle();
    const int count = sqlite3_bind_parameter_count(statement);
    for (int position = 1; position <= count; ++position) {
        // The n-th "?" is the n-th parameter of the list. A name used twice is
        // one parameter: an entry left without a value takes a same-named one's.
        const int n = position - 1;
        const TParam* param = n < params_.Count() ? &params_[n] : nullptr;
        if (!param || param->IsNull()) {
            const QString name = param ? param->Name() : translation.parameters.value(n);
            for (const TParam& other : params_) {
                if (!other.IsNull() && other.Name().compare(name, Qt::CaseInsensitive) == 0) {
                    param = &other;
                    break;
                }
            }
        }
        int rc = SQLITE_OK;
        if (!param || param->IsNull()) {
            rc = sqlite3_bind_null(statement, position);
        } else {
            const QVariant& v = param->Value();
            switch (param->DataType()) {
            case TFieldType::Currency:
                rc = sqlite3_bind_double(statement, position,
                                         static_cast<double>(v.toLongLong()) / Currency::Scale);
                break;
            case TFieldType::Date:
            case TFieldType::Time:
            case TFieldType::DateTime:
                rc = sqlite3_bind_int64(statement, position, JetDate::DayNumber(v.toDate()));
                break;
            case TFieldType::Float:
                rc = sqlite3_bind_double(statement, position, v.toDouble());
                break;
            case TFieldType::Boolean:
                rc = sqlite3_bind_int64(statement, position, v.toBool() ? -1 : 0);
                break;
            case TFieldType::Smallint:
            case TFieldType::Integer:
            case TFieldType::Word:
                rc = sqlite3_bind_int64(statement, position, v.toLongLong());
                break;
            default: {
                const QByteArray text = v.toString().toUtf8();
                rc = sqlite3_bind_text(statement, position, text.constData(), int(text.size()),
                                       SQLITE_TRANSIENT);
            }
            }
        }
        if (rc != SQLITE_OK) {
            RaiseEngineError(db, rc);
        }
    }
}

void TDAOQuery::Open() {
    Close();
    TDAODatabase* db = Database();
    if (!db) {
        throw EDAODatabaseError(QStringLiteral("查询没有连接到数据库。"));
    }
    db->Open();
    const TTranslation& translation = db->Translate(FinalSql());
    if (!translation.isQuery) {
        throw EOleException(QStringLiteral("不能把操作语句作为查询打开：%1").arg(text_));
    }
    CopyMasterValues();
    sqlite3_stmt* statement = db->Prepare(translation.statements.front());
    try {
        BindParameters(statement, translation);
    } catch (...) {
        db->Release(statement);
        throw;
    }
    OpenCursor(statement, translation);
}

void TDAOQuery::ExecSQL() {
    Close();
    TDAODatabase* db = Database();
    if (!db) {
        throw EDAODatabaseError(QStringLiteral("查询没有连接到数据库。"));
    }
    db->Open();
    const TTranslation translation = db->Translate(FinalSql());
    if (translation.isQuery) {
        throw EOleException(QStringLiteral("不能执行查询语句：%1").arg(text_));
    }
    CopyMasterValues();
    db->CompletePendingReads();
    sqlite3* handle = db->Handle();
    // Several statements (a column dropped with its indexes) land together.
    const bool grouped = translation.statements.size() > 1;
    if (grouped) {
        sqlite3_exec(handle, "SAVEPOINT jet_statement", nullptr, nullptr, nullptr);
    }
    int changes = 0;
    try {
        for (const QString& sql : translation.statements) {
            sqlite3_stmt* statement = db->Prepare(sql);
            int rc = SQLITE_OK;
            try {
                BindParameters(statement, translation);
                rc = sqlite3_step(statement);
            } catch (...) {
                db->Release(statement);
                throw;
            }
            db->Release(statement);
            if (rc != SQLITE_DONE && rc != SQLITE_ROW) {
                RaiseEngineError(handle, rc);
            }
            changes = sqlite3_changes(handle);
        }
    } catch (...) {
        if (grouped) {
            sqlite3_exec(handle, "ROLLBACK TO jet_statement; RELEASE jet_statement", nullptr,
                         nullptr, nullptr);
        }
        if (translation.changesSchema) {
            db->SchemaChanged();
        }
        throw;
    }
    if (grouped) {
        sqlite3_exec(handle, "RELEASE jet_statement", nullptr, nullptr, nullptr);
    }
    rowsAffected_ = changes;
    if (translation.changesSchema) {
        db->SchemaChanged();
    }
}

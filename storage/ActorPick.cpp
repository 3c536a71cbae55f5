#include "storage/ActorPick.h"

#include "storage/dao/DM.h"
#include "storage/dao/Format.h"

namespace {

// A name as it stands in the field: followed by a comma unless it is the
// last name of the list.
QString Entry(const QStringList& names, int index) {
    return index == names.size() - 1 ? names[index] : names[index] + u',';
}

} // namespace

const QStringList& TActorPick::Letters() {
    static const QStringList letters = [] {
        QStringList out;
        for (char c = 'A'; c <= 'Z'; ++c) {
            if (c != 'I' && c != 'U' && c != 'V') {
                out.append(QString(QLatin1Char(c)));
            }
        }
        return out;
    }();
    return letters;
}

QString TActorPick::LetterSql(const QString& letter) {
    return SqlFormat(QStringLiteral("SELECT Id,Name AS TXT FROM TbPlayer WHERE Spell LIKE \"%s*\""),
                     {LikeLiteral(letter)});
}

void TActorPick::Load(const QString& letter) {
    names_.clear();
    TDM& dm = TDM::Instance();
    TDAOQuery query(&dm.DbBase);
    dm.OpenSqlOn(query, LetterSql(letter));
    const TField name = query.FieldByName(QStringLiteral("TXT"));
    for (; !query.Eof(); query.Next()) {
        names_.append(name.AsString());
    }
    query.Close();
}

bool TActorPick::Ticked(const QString& name, const QString& text) {
    return !name.isEmpty() && text.contains(name);
}

QString TActorPick::Toggle(const QStringList& names, int index, bool ticked, const QString& text) {
    if (index < 0 || index >= names.size() || names[index].isEmpty()) {
        return text;
    }
    const QString entry = Entry(names, index);
    if (ticked) {
        return Ticked(names[index], text) ? text : entry + text;
    }
    QString rest = text;
    const qsizetype at = rest.indexOf(entry);
    if (at >= 0) {
        return rest.remove(at, entry.size());
    }
    const qsizetype bare = rest.indexOf(names[index]);
    return bare >= 0 ? rest.remove(bare, names[index].size()) : rest;
}

#include "rental/SearchCdObject.h"

#include "storage/JetDate.h"
#include "storage/Prompter.h"
#include "storage/dao/DM.h"
#include "storage/dao/Format.h"
#include "storage/records/RentCd.h"
#include "storage/records/SaleCd.h"

#include <QHash>

const TRentCd* TFoundCd::Rent() const {
    return dynamic_cast<const TRentCd*>(Record.get());
}

bool TFoundCd::RentedOut() const {
    const TRentCd* rent = Rent();
    return rent && rent->Status == TRentCd::RentedOut;
}

int TFoundCd::Units() const {
    if (const TRentCd* rent = Rent()) {
        return rent->Number;
    }
    return static_cast<const TSaleCd&>(*Record).Number1;
}

QString TFoundCd::StatusText() const {
    const TRentCd* rent = Rent();
    return rent ? rent->StatusText() : QString();
}

void TSearchCdObject::SetMode(int mode) {
    mode_ = mode == SaleMode ? SaleMode : RentMode;
    tableName_ = mode_ == SaleMode ? QStringLiteral("TbSaleCd") : QStringLiteral("TbRentCd");
}

QString TSearchCdObject::BuildSql() const {
    QStringList conditions;
    // Typed text is looked for anywhere in its column, its own wildcards and
    // quotes taken literally.
    const auto like = [&conditions](const char* column, const QString& typed) {
        if (!typed.trimmed().isEmpty()) {
            conditions.append(SqlFormat(QStringLiteral(" %s LIKE \"*%s*\" "),
                                        {QString::fromLatin1(column), LikeLiteral(typed)}));
        }
    };
    like("Code", CodeText);
    like("Name", NameText);
    like("Alias1", AliasText);
    like("Director", DirectorText);
    like("Player", PlayerText);
    like("Memo", MemoText);
    if (CategoryId != 0) {
        conditions.append(
            WithSubCategories
                ? Format(QStringLiteral(" CId IN (SELECT Id FROM TbCdCategory WHERE Id=%d OR "
                                        "SubId=%d) "),
                         {CategoryId, CategoryId})
                : Format(QStringLiteral(" CId=%d "), {CategoryId}));
    }
    if (DayFrom.isValid()) {
        conditions.append(Format(QStringLiteral(" Day>=#%s# "), {JetDate::ShortText(DayFrom)}));
    }
    if (DayTo.isValid()) {
        conditions.append(Format(QStringLiteral(" Day<=#%s# "), {JetDate::ShortText(DayTo)}));
    }
    if (conditions.isEmpty()) {
        return Format(QStringLiteral("SELECT * FROM %s"), {tableName_});
    }
    return Format(QStringLiteral("SELECT * FROM %s WHERE %s"),
                  {tableName_, conditions.join(QStringLiteral(" AND "))});
}

std::unique_ptr<TCdTitle> TSearchCdObject::NewRecord() const {
    if (mode_ == SaleMode) {
        return std::make_unique<TSaleCd>();
    }
    return std::make_unique<TRentCd>();
}

void TSearchCdObject::Search() {
    Results.clear();
    TDM& dm = TDM::Instance();
    TDAOQuery query(&dm.DbBase);
    // The categories are few: read once, they stand in for every title's
    // linked category instead of one load per title. The fee standard of a
    // rental title is not read; the search shows no fees.
    QHash<int, TCdCategory> categories;
    dm.OpenSqlOn(query, QStringLiteral("SELECT * FROM TbCdCategory"));
    for (; !query.Eof(); query.Next()) {
        TCdCategory category;
        category.ReadFields(query);
        category.Id = int(query.FieldByName(QStringLiteral("Id")).AsInteger());
        categories.insert(category.Id, category);
    }
    dm.OpenSqlOn(query, BuildSql());
    const TField id = query.FieldByName(QStringLiteral("Id"));
    for (; !query.Eof(); query.Next()) {
        TFoundCd found{NewRecord()};
        found.Record->ReadFields(query);
        found.Record->Id = int(id.AsInteger());
        found.Record->Category = categories.value(found.Record->CId);
        found.Selected = !found.RentedOut();
        Results.push_back(std::move(found));
    }
    query.Close();
}

void TSearchCdObject::SelectAll() {
    for (TFoundCd& found : Results) {
        found.Selected = !found.RentedOut();
    }
}

void TSearchCdObject::ClearAll() {
    for (TFoundCd& found : Results) {
        found.Selected = false;
    }
}

void TSearchCdObject::SelectRows(const QList<int>& rows) {
    for (const int row : rows) {
        if (row >= 0 && row < int(Results.size())) {
            Results[row].Selected = !Results[row].RentedOut();
        }
    }
}

void TSearchCdObject::ClearRows(const QList<int>& rows) {
    for (const int row : rows) {
        if (row >= 0 && row < int(Results.size())) {
            Results[row].Selected = false;
        }
    }
}

bool TSearchCdObject::SetSelected(TFoundCds& list, int row, bool selected) {
    if (row < 0 || row >= int(list.size())) {
        return false;
    }
    TFoundCd& found = list[row];
    if (selected && found.RentedOut()) {
        found.Selected = false;
        ShowWarning(QStringLiteral("该影片目前已经被出租。"));
        return false;
    }
    found.Selected = selected;
    return true;
}

int TSearchCdObject::SelectedCount(const TFoundCds& list) {
    return int(std::count_if(list.begin(), list.end(),
                             [](const TFoundCd& found) { return found.Selected; }));
}

int TSearchCdObject::SelectedUnits(const TFoundCds& list) {
    int units = 0;
    for (const TFoundCd& found : list) {
        units += found.Selected ? found.Units() : 0;
    }
    return units;
}

void TSearchCdObject::MoveToCart() {
    for (auto it = Results.rbegin(); it != Results.rend(); ++it) {
        if (it->Selected) {
            Cart.push_back(std::move(*it));
        }
    }
    std::erase_if(Results, [](const TFoundCd& found) { return !found.Record; });
}

QStringList TSearchCdObject::CartCodes() const {
    QStringList codes;
    for (const TFoundCd& found : Cart) {
        if (found.Selected) {
            codes.append(found.Record->Code);
        }
    }
    return codes;
}

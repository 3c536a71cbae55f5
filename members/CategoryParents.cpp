#include "members/CategoryParents.h"

#include "storage/Prompter.h"
#include "storage/dao/DAOQuery.h"
#include "storage/dao/DM.h"
#include "storage/dao/Format.h"
#include "storage/records/Category.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace CategoryParents {

namespace {

QString Table(TTree tree) {
    return tree == TTree::Disc ? QStringLiteral("TbCdCategory") : QStringLiteral("TbCategory");
}

// The rows a category of the tree may hang under.
QString Eligible(TTree tree) {
    return tree == TTree::Disc ? QStringLiteral("SubId=0") : QStringLiteral("Flag IN (3,4,5,6)");
}

// Every row's parent, to walk up from a candidate parent.
QHash<int, int> ParentsOf(TTree tree) {
    TDM& dm = TDM::Instance();
    // A query of its own, so that Q1 and Q2 of a window stay where they are.
    TDAOQuery query(&dm.DbBase);
    QHash<int, int> parents;
    for (dm.OpenSqlOn(query, Format(QStringLiteral("SELECT Id,SubId FROM %s"), {Table(tree)}));
         !query.Eof(); query.Next()) {
        parents.insert(int(query.FieldByName(QStringLiteral("Id")).AsInteger()),
                       int(query.FieldByName(QStringLiteral("SubId")).AsInteger()));
    }
    query.Close();
    return parents;
}

// True when `candidate` is `id` or lies below it. A loop already in the
// ledger ends the walk instead of running forever.
bool IsSelfOrBelow(const QHash<int, int>& parents, int candidate, int id) {
    QSet<int> seen;
    for (int node = candidate; node > 0 && !seen.contains(node); node = parents.value(node)) {
        if (node == id) {
            return true;
        }
        seen.insert(node);
    }
    return false;
}

// True for a disc category with categories below it: the disc tree has one
// level, so it stays at the top (a search by its parent would miss the
// categories below it).
bool KeptAtTop(TTree tree, const QHash<int, int>& parents, int id) {
    if (tree != TTree::Disc || id <= 0) {
        return false;
    }
    return std::any_of(parents.cbegin(), parents.cend(), [id](int parent) { return parent == id; });
}

bool Refuse(const QString& message) {
    ShowError(message);
    return false;
}

} // namespace

QList<TChoice> Choices(TTree tree, int id) {
    const QHash<int, int> parents = ParentsOf(tree);
    QList<TChoice> choices{{0, QStringLiteral("无从属分类")}};
    if (KeptAtTop(tree, parents, id)) {
        return choices;
    }
    TDM& dm = TDM::Instance();
    TDAOQuery query(&dm.DbBase);
    for (dm.OpenSqlOn(query, Format(QStringLiteral("SELECT Id,Name FROM %s WHERE %s ORDER BY Id"),
                                    {Table(tree), Eligible(tree)}));
         !query.Eof(); query.Next()) {
        const int candidate = int(query.FieldByName(QStringLiteral("Id")).AsInteger());
        if (!IsSelfOrBelow(parents, candidate, id)) {
            choices.append({candidate, query.FieldByName(QStringLiteral("Name")).AsString()});
        }
    }
    query.Close();
    return choices;
}

bool CheckParent(TTree tree, int id, int parentId) {
    if (parentId == 0) {
        return true;
    }
    if (parentId == id) {
        return Refuse(QStringLiteral("不能把分类自己选为它的“所属分类”，请重新选择。"));
    }
    if (KeptAtTop(tree, ParentsOf(tree), id)) {
        return Refuse(QStringLiteral("此分类下面还有从属分类，不能再把它放到其他分类下面。"));
    }
    if (IsSelfOrBelow(ParentsOf(tree), parentId, id)) {
        return Refuse(QStringLiteral("不能把此分类下的从属分类选为它的“所属分类”，请重新选择。"));
    }
    for (const TChoice& choice : Choices(tree, id)) {
        if (choice.id == parentId) {
            return true;
        }
    }
    return Refuse(QStringLiteral("所选的“所属分类”已经被删除或修改，请重新选择。"));
}

bool CheckEditable(int id) {
    TCategory category;
    if (id > 0 && category.LoadById(id) && (category.Flag == 1 || category.Flag == 2)) {
        ShowWarning(QStringLiteral("系统业务分类不能修改。"));
        return false;
    }
    return true;
}

} // namespace CategoryParents

#pragma once

#include <QList>
#include <QString>

// Which category another one may hang under, for the disc categories (one
// level: a parent is a top-level category) and the income and expense
// categories (any category of Flag 3 to 6). A category never hangs under
// itself or under a category below it, so every category keeps a place in
// its tree.
namespace CategoryParents {

enum class TTree { Disc, Money };

struct TChoice {
    int id = 0;
    QString name;
};

// The parent list of category `id` (-1 for a new one): "无从属分类" (0) first,
// then, by Id, every category it may hang under (none for a disc category
// with categories below it).
QList<TChoice> Choices(TTree tree, int id);

// Refuses, with an error naming the reason, a parent that is the category
// itself, one below it, any parent for a disc category with categories below
// it, or one that is no longer in the parent list (deleted or moved
// meanwhile); 0 is always accepted.
bool CheckParent(TTree tree, int id, int parentId);

// A system category (Flag 1 or 2) is not changed here: a warning, and false.
bool CheckEditable(int id);

} // namespace CategoryParents

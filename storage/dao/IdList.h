#pragma once

#include <QList>
#include <QString>

// Items of a pick list: the text shown and the row Id attached to it.
struct TIdItem {
    QString Text;
    int Id = 0;
};
using TIdList = QList<TIdItem>;

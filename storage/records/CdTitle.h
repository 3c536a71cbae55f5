#pragma once

#include "storage/Currency.h"
#include "storage/records/CBObject.h"
#include "storage/records/CdCategory.h"

#include <QDate>
#include <QString>

// What a rental and a sale title share: the columns of TbRentCd and TbSaleCd
// that mean the same, and the category as linked record.
class TCdTitle : public TCodedObject {
public:
    using TCodedObject::TCodedObject;
    void DoLoadLinked() override;
    void DoSaveLinked() override;

    QString Name;
    QString Spell; // written from Name on every save
    QDate Day;
    QString Alias1;
    QString Alias2;
    int CId = 0;
    QString Director;
    QString Player;
    Currency Price;
    QString Memo;

    TCdCategory Category;

    // The aliases the title has, joined by "、" (no separator left alone).
    QString AliasText() const;

protected:
    void Bind(TFieldBinder& binder) override;
    // Copies the key and every column of `source` but Spell into `target`;
    // the linked category stays.
    template <typename TTitle> static void AssignTitle(TTitle& target, const TTitle& source) {
        const QString spell = target.Spell;
        const TCdCategory category = target.Category;
        target = source;
        target.Spell = spell;
        target.Category = category;
    }
};

#pragma once

#include "storage/records/CBObject.h"

#include <QString>

// One row of TbPlayer: an actor or director offered when a title's cast is
// typed. Spell is written from Name on every save, at most 20 letters.
class TPlayer : public TCBObject {
public:
    static constexpr int SpellWidth = 20;

    TPlayer() : TCBObject(QStringLiteral("TbPlayer")) {}

    QString Name;
    QString Spell;
    QString Memo;

protected:
    void Bind(TFieldBinder& binder) override;
};

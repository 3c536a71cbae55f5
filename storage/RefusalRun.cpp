#include "storage/RefusalRun.h"

#include "storage/MessageTap.h"

TRefusalRun& TRefusalRun::Check(const QString& field, const std::function<bool()>& check) {
    if (!Passed()) {
        return *this;
    }
    TMessageTap tap;
    if (!check()) {
        refusal_ = TRefusal{field, tap.LastMessage};
    }
    return *this;
}

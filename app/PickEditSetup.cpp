#include "app/PickEditSetup.h"

#include "app/ExPickEdit.h"
#include "storage/dao/DM.h"

namespace PickEditSetup {

void SetupPickEdit(const QString& sql, TExPickEdit& edit, bool withStatus, bool withCode) {
    edit.Lookup().Setup(&TDM::Instance().DbBase, sql, withStatus, withCode);
    edit.SetDropDownRows(8);
}

} // namespace PickEditSetup

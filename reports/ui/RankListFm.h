#pragma once

#include "reports/ui/QChildFm.h"

class QCheckBox;

// A rank list: the dates (the current month by default) and "影片分类排行榜",
// which ranks per category and runs the report again when ticked or
// unticked. A concrete list prepares its report from the two.
class TRankListFm : public TQChildFm {
    Q_OBJECT
public:
    QCheckBox* cbGroup;

protected:
    explicit TRankListFm(const QString& caption);
};

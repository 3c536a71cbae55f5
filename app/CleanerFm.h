#pragma once

#include "app/GuideDialogFm.h"

// "废旧记录清理": the frame of a three-step clean-up of old records. It offers
// no options yet; its pages say so, and it changes nothing.
class TCleanerFm : public TGuideDialogFm {
    Q_OBJECT

public:
    explicit TCleanerFm(QWidget* parent = nullptr);
};

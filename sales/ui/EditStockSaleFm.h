#pragma once

#include "sales/ui/TitleEditFm.h"
#include "storage/records/SaleCd.h"

// "修改销售影片信息": the data of one sale title, its stock ("进货数量")
// included; only its own row is written.
class TEditStockSaleFm : public TTitleEditFm {
    Q_OBJECT
public:
    explicit TEditStockSaleFm(QWidget* parent = nullptr);

protected:
    void PrepareNew() override;
    void ShowRecord() override;
    bool SaveRecord() override;

private:
    TSaleCd title_;
};

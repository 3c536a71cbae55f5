#pragma once

#include "sales/ui/TitleEditFm.h"
#include "storage/records/RentCd.h"

// "修改出租影片信息": the data of one rental title; only its own row is
// written, its stock-in line and payment stay as they are.
class TEditStockRentFm : public TTitleEditFm {
    Q_OBJECT
public:
    explicit TEditStockRentFm(QWidget* parent = nullptr);

protected:
    void PrepareNew() override;
    void ShowRecord() override;
    bool SaveRecord() override;

private:
    TRentCd title_;
};

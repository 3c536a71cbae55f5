#include "storage/records/RentCd.h"

#include "storage/Prompter.h"
#include "storage/dao/CBQuery.h"
#include "storage/dao/DM.h"
#include "storage/records/FieldBinder.h"

void TRentCd::Bind(TFieldBinder& binder) {
    TCdTitle::Bind(binder);
    binder("FId", FId);
    binder("Status", Status);
    binder("Number", Number);
    binder("Power", Power);
}

void TRentCd::DoLoadLinked() {
    TCdTitle::DoLoadLinked();
    Fee = TFee();
    if (FId > 0) {
        Fee.LoadById(FId);
    }
}

void TRentCd::DoSaveLinked() {
    TCdTitle::DoSaveLinked();
    Fee.Save();
}

void TRentCd::Assign(const TRentCd& source) {
    const TFee fee = Fee;
    AssignTitle(*this, source);
    Fee = fee;
}

QString TRentCd::StatusText(const QString& otherwise) const {
    switch (Status) {
    case InStock:
        return QStringLiteral("未租");
    case RentedOut:
        return QStringLiteral("已租");
    case WrittenOff:
        return QStringLiteral("注销");
    default:
        return otherwise;
    }
}

int TRentCd::Delete() {
    if (Exists("SELECT Id FROM TbRTransaction WHERE CId1=%d", {Id})) {
        return DeleteInUse;
    }
    // The batch the title came in with, and what the operator wants done with
    // its payment; asked before anything is written.
    enum { KeepPayment, DeletePayment, ReducePayment } payment = KeepPayment;
    int paymentId = 0;
    {
        TCBQuery batch;
        int lines = 0;
        if (batch.HasRows(Format(QStringLiteral("SELECT Id,FId FROM TbITransaction WHERE "
                                                "Sn=(SELECT Top 1 Sn FROM TbITransaction WHERE "
                                                "CId1=%d AND Flag=0) AND Flag=0"),
                                 {Id}))) {
            for (; !batch.Eof(); batch.Next()) {
                paymentId = int(batch.FieldByName(QStringLiteral("FId")).AsInteger());
                ++lines;
            }
        }
        if (lines > 0 && lines < 2) {
            if (AskYesNo(QStringLiteral("是否在删除此影片时，同时删除此影片进货时的资金记录？"))) {
                payment = DeletePayment;
            }
        } else if (lines >= 2) {
            if (AskYesNo(
                    QStringLiteral("是否在删除此影片时，重新修改影片进货时的资金记录金额？"))) {
                payment = ReducePayment;
            }
        }
    }
    TDM::TTransaction transaction(TDM::Instance());
    if (payment == DeletePayment) {
        Execute("DELETE * FROM TbFTransaction WHERE Id=%d", {paymentId});
    } else if (payment == ReducePayment) {
        Execute("UPDATE TbFTransaction SET Sum1=Sum1+%f WHERE Id=%d", {Price, paymentId});
    }
    Execute("DELETE * FROM TbITransaction WHERE CId1=%d AND Flag=0", {Id});
    Execute("DELETE * FROM %s WHERE Id=%d", {TableName(), Id});
    transaction.Commit();
    return DeleteDone;
}

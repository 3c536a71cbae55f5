#pragma once

#include "storage/Refusal.h"
#include "storage/import/JetImport.h"

#include <QWidget>

class QLabel;
class QProgressBar;

// "导入旧版账本": the window shown while a ledger of the Windows program is
// imported. The bar follows the rows copied, then keeps moving while the
// ledger is upgraded.
class TImportJetFm : public QWidget, public JetImport::TImportProgress {
    Q_OBJECT
public:
    explicit TImportJetFm(QWidget* parent, const QString& source);

    // Imports `source` as the ledger `target` with the window up; the ledger
    // made, or the refusal (already shown). Engine failures are raised.
    static TStored<JetImport::TImported> Run(QWidget* parent, const QString& source,
                                             const QString& target);

    void Copied(const QString& table, qint64 done, qint64 total) override;
    void Show() override;
    void ProcessMessages() override;

    QLabel* lbText;
    QProgressBar* pbRows;

private:
    QString source_;
};

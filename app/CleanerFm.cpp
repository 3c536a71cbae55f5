#include "app/CleanerFm.h"

#include <QLabel>

TCleanerFm::TCleanerFm(QWidget* parent) : TGuideDialogFm(parent) {
    setWindowTitle(QStringLiteral("废旧记录清理"));
    resize(480, 320);
    for (const QString& title :
         {QStringLiteral("步骤一"), QStringLiteral("步骤二"), QStringLiteral("步骤三")}) {
        auto* note = new QLabel(
            QStringLiteral("本版软件尚未提供废旧记录清理功能，账本中的记录不会有任何改动。"));
        note->setWordWrap(true);
        note->setAlignment(Qt::AlignCenter);
        AddPage(title, note);
    }
    SetCurrentPage(0);
}

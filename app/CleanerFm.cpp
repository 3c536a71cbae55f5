#include "app/CleanerFm.h"

TCleanerFm::TCleanerFm(QWidget* parent) : TGuideDialogFm(parent) {
    setWindowTitle(QStringLiteral("废旧记录清理"));
    resize(480, 320);
    for (const QString& title :
         {QStringLiteral("步骤一"), QStringLiteral("步骤二"), QStringLiteral("步骤三")}) {
        AddPage(title, new QWidget);
    }
    SetCurrentPage(0);
}

#include "app/ImportJetFm.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace {

constexpr int BarSteps = 1000;

} // namespace

TImportJetFm::TImportJetFm(QWidget* parent, const QString& source)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      lbText(new QLabel(this)), pbRows(new QProgressBar(this)), source_(source) {
    setWindowTitle(QStringLiteral("导入旧版账本"));
    setWindowModality(Qt::ApplicationModal);
    lbText->setText(QStringLiteral("正在读取旧版账本“%1”...").arg(QFileInfo(source).fileName()));
    pbRows->setRange(0, BarSteps);
    pbRows->setValue(0);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbText);
    layout->addWidget(pbRows);
    resize(420, 90);
}

TStored<JetImport::TImported> TImportJetFm::Run(QWidget* parent, const QString& source,
                                                const QString& target) {
    TImportJetFm window(parent, source);
    window.show();
    window.ProcessMessages();
    return JetImport::Import(source, target, window);
}

void TImportJetFm::Copied(const QString& table, qint64 done, qint64 total) {
    lbText->setText(
        QStringLiteral("正在导入旧版账本“%1”：%2").arg(QFileInfo(source_).fileName(), table));
    pbRows->setValue(total > 0 ? int(done * BarSteps / total) : BarSteps);
    ProcessMessages();
}

void TImportJetFm::Show() {
    // The upgrade that follows the copy: work goes on, its length unknown.
    lbText->setText(QStringLiteral("正在进行账本升级，请不要终止此过程..."));
    pbRows->setRange(0, 0);
    ProcessMessages();
}

void TImportJetFm::ProcessMessages() {
    // Paints the window; the operator's keys and clicks wait until the end.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

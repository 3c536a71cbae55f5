#include "reports/ui/QChildFm.h"

#include "app/kit/DigitEdit.h"
#include "reports/pages/ReportPages.h"
#include "reports/ui/DateRange.h"
#include "reports/ui/PBarFm.h"
#include "reports/ui/ReportOutput.h"
#include "storage/InputChecks.h"
#include "storage/Prompter.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton* Button(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

} // namespace

TQChildFm::TQChildFm(const QString& caption, bool dated)
    : previewPrinter_(std::make_unique<QPrinter>(QPrinter::HighResolution)),
      pageLayout_(TReportPages::PaperLayout()) {
    setWindowTitle(caption);
    previewPrinter_->setPageLayout(pageLayout_);

    pnDates = new TDateRange(this);
    if (!dated) {
        pnDates->hide();
    }
    edFrom = pnDates->edFrom;
    edTo = pnDates->edTo;
    btnRefresh = Button(QStringLiteral("btnRefresh"), QStringLiteral("刷新"), this);
    btnPrint = Button(QStringLiteral("btnPrint"), QStringLiteral("打印"), this);
    btnPdf = Button(QStringLiteral("btnPdf"), QStringLiteral("保存为PDF"), this);
    btnPrev = Button(QStringLiteral("btnPrev"), QStringLiteral("上一页"), this);
    btnNext = Button(QStringLiteral("btnNext"), QStringLiteral("下一页"), this);
    edPage = new TDigitEdit(this);
    edPage->setObjectName(QStringLiteral("edPage"));
    edPage->setToolTip(QStringLiteral("输入页号，直接到此页"));
    edPage->setMaximumWidth(60);
    edPage->setAlignment(Qt::AlignCenter);
    edPage->setText(QStringLiteral("1"));
    edPage->installEventFilter(this);
    TEnterFm::KeepEnter(edPage);
    QRPreview = new QPrintPreviewWidget(previewPrinter_.get(), this);
    QRPreview->setObjectName(QStringLiteral("QRPreview"));
    QRPreview->setViewMode(QPrintPreviewWidget::SinglePageView);
    QRPreview->fitToWidth();

    auto* criteria = new QHBoxLayout;
    criteria->addWidget(pnDates);
    options_ = new QHBoxLayout;
    criteria->addLayout(options_);
    criteria->addWidget(btnRefresh);
    criteria->addStretch();
    auto* pager = new QHBoxLayout;
    pager->addWidget(btnPrint);
    pager->addWidget(btnPdf);
    pager->addStretch();
    pager->addWidget(btnPrev);
    pager->addWidget(edPage);
    pager->addWidget(btnNext);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(criteria);
    layout->addLayout(pager);
    layout->addWidget(QRPreview, 1);

    for (QPushButton* button : {btnPrint, btnPdf, btnPrev, btnNext}) {
        button->setEnabled(false);
    }
    connect(btnRefresh, &QPushButton::clicked, this, &TQChildFm::Refresh);
    connect(btnPrint, &QPushButton::clicked, this, &TQChildFm::Print);
    connect(btnPdf, &QPushButton::clicked, this, &TQChildFm::SavePdf);
    connect(btnPrev, &QPushButton::clicked, this, [this] { GoToPage(currentPage_ - 1); });
    connect(btnNext, &QPushButton::clicked, this, [this] { GoToPage(currentPage_ + 1); });
    connect(QRPreview, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
        if (pages_) {
            pages_->PrintOn(*printer);
        }
    });
}

TQChildFm::~TQChildFm() = default;

void TQChildFm::Refresh() {
    edPage->setText(QStringLiteral("1"));
    const TStored<TPreparedReport> prepared = PrepareReport();
    if (!prepared.Ok()) {
        if (auto* field = findChild<QWidget*>(prepared.Refusal().field)) {
            field->setFocus();
        }
        return;
    }
    ShowReport(prepared.Value());
}

void TQChildFm::ShowReport(const TPreparedReport& report) {
    report_ = report;
    pageLayout_ = TReportPages::PaperLayout(report_.landscape);
    previewPrinter_->setPageLayout(pageLayout_);
    TPBarFm::Open(this, report_.records > 0 ? static_cast<int>(report_.DetailCount()) : 0);
    pages_ = std::make_unique<TReportPages>(report_, pageLayout_.paintRectPoints().size(),
                                            [] { TPBarFm::Step(); });
    TPBarFm::Close();
    pageCount_ = pages_->PageCount();
    QRPreview->updatePreview();
    btnPrint->setEnabled(true);
    btnPdf->setEnabled(true);
    currentPage_ = 0;
    GoToPage(1);
}

void TQChildFm::GoToPage(int page) {
    if (page < 1 || page > pageCount_) {
        return;
    }
    currentPage_ = page;
    edPage->setText(QString::number(page));
    QRPreview->setCurrentPage(page);
    btnPrev->setEnabled(page > 1);
    btnNext->setEnabled(page < pageCount_);
}

void TQChildFm::EnterPage() {
    const QString text = edPage->text().trimmed();
    if (!InputChecks::CheckInteger(QStringLiteral("页数"), text, true)) {
        return;
    }
    const int page = text.toInt();
    if (page > pageCount_) {
        ShowWarning(QStringLiteral("输入页数大于最大页数，请重新输入。"));
    } else if (page <= 0) {
        ShowWarning(QStringLiteral("输入页数小于最小页数，请重新输入。"));
    } else {
        GoToPage(page);
    }
}

bool TQChildFm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edPage && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            EnterPage();
            return true;
        case Qt::Key_PageUp:
        case Qt::Key_Up:
            GoToPage(currentPage_ - 1);
            return true;
        case Qt::Key_PageDown:
        case Qt::Key_Down:
            GoToPage(currentPage_ + 1);
            return true;
        default:
            break;
        }
    }
    return TChildFm::eventFilter(watched, event);
}

void TQChildFm::Print() {
    ReportOutput::PrintThroughDialog(this, report_.title, pageLayout_, [this](QPrinter& printer) {
        return TReportPages::Print(report_, printer);
    });
}

void TQChildFm::SavePdf() {
    const QString path = ReportOutput::ChooseSavePath(this, QStringLiteral("保存为PDF"),
                                                      QStringLiteral("PDF 文件 (*.pdf)|*.PDF"),
                                                      report_.title + ".pdf");
    if (path.isEmpty()) {
        return;
    }
    if (!TReportPages::WritePdf(report_, path, pageLayout_)) {
        ReportOutput::ShowWriteFailure(path);
    }
}

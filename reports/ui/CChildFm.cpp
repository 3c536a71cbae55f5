#include "reports/ui/CChildFm.h"

#include "reports/pages/ReportPages.h"
#include "reports/ui/DateRange.h"
#include "reports/ui/ReportOutput.h"

#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPdfWriter>
#include <QPieSeries>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

TCChildFm::TCChildFm(const QString& caption) : series_(new QPieSeries) {
    setWindowTitle(caption);
    pnDates = new TDateRange(this);
    btnRefresh = new QPushButton(QStringLiteral("刷新"), this);
    btnRefresh->setObjectName(QStringLiteral("btnRefresh"));
    btnPrint = new QPushButton(QStringLiteral("打印"), this);
    btnPrint->setObjectName(QStringLiteral("btnPrint"));
    btnSave = new QPushButton(QStringLiteral("保存图片"), this);
    btnSave->setObjectName(QStringLiteral("btnSave"));

    auto* chart = new QChart;
    chart->setTitle(caption);
    QFont titleFont = chart->titleFont();
    titleFont.setPointSize(titleFont.pointSize() + 4);
    titleFont.setBold(true);
    chart->setTitleFont(titleFont);
    chart->addSeries(series_);
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->setAnimationOptions(QChart::NoAnimation);
    pnChart = new QWidget(this);
    pnChart->setObjectName(QStringLiteral("pnChart"));
    pnChart->setAutoFillBackground(true);
    pnChart->setBackgroundRole(QPalette::Base);
    Chart = new QChartView(chart, pnChart);
    Chart->setObjectName(QStringLiteral("Chart"));
    Chart->setRenderHint(QPainter::Antialiasing);
    lbTotal = new QLabel(pnChart);
    lbTotal->setAlignment(Qt::AlignCenter);
    QFont totalFont = lbTotal->font();
    totalFont.setBold(true);
    lbTotal->setFont(totalFont);
    auto* chartLayout = new QVBoxLayout(pnChart);
    chartLayout->addWidget(Chart, 1);
    chartLayout->addWidget(lbTotal);

    auto* criteria = new QHBoxLayout;
    criteria->addWidget(pnDates);
    criteria->addWidget(btnRefresh);
    criteria->addStretch();
    criteria->addWidget(btnPrint);
    criteria->addWidget(btnSave);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(criteria);
    layout->addWidget(pnChart, 1);

    connect(btnRefresh, &QPushButton::clicked, this, &TCChildFm::Refresh);
    connect(btnPrint, &QPushButton::clicked, this, &TCChildFm::Print);
    connect(btnSave, &QPushButton::clicked, this, &TCChildFm::Save);
}

TCChildFm::~TCChildFm() = default;

void TCChildFm::Refresh() {
    const TStored<TPreparedReport> prepared = PrepareReport();
    if (!prepared.Ok()) {
        if (auto* field = findChild<QWidget*>(prepared.Refusal().field)) {
            field->setFocus();
        }
        return;
    }
    FillChart(prepared.Value());
}

void TCChildFm::FillChart(const TPreparedReport& report) {
    series_->clear();
    for (const TPieSlice& slice : report.slices) {
        QPieSlice* added = series_->append(slice.label, static_cast<qreal>(slice.value));
        added->setLabelVisible(true);
    }
    lbTotal->setText(report.totalText);
}

bool TCChildFm::DrawChart(QPagedPaintDevice& device) const {
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    const QSizeF area = device.pageLayout().paintRectPixels(device.logicalDpiX()).size();
    const QSizeF size = QSizeF(pnChart->size()).scaled(area, Qt::KeepAspectRatio);
    painter.scale(size.width() / pnChart->width(), size.height() / pnChart->height());
    pnChart->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    return painter.end();
}

void TCChildFm::Print() {
    ReportOutput::PrintThroughDialog(this, windowTitle(), TReportPages::PaperLayout(),
                                     [this](QPrinter& printer) { return DrawChart(printer); });
}

bool TCChildFm::SaveChart(const QString& path) const {
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        return pnChart->grab().save(path, "PNG");
    }
    QPdfWriter writer(path);
    writer.setPageLayout(TReportPages::PaperLayout());
    writer.setTitle(windowTitle());
    return DrawChart(writer);
}

void TCChildFm::Save() {
    const QString path = ReportOutput::ChooseSavePath(
        this, QStringLiteral("保存图片"),
        QStringLiteral("PNG 图片 (*.png)|*.PNG|PDF 文件 (*.pdf)|*.PDF"),
        windowTitle() + QStringLiteral(".png"));
    if (!path.isEmpty() && !SaveChart(path)) {
        ReportOutput::ShowWriteFailure(path);
    }
}

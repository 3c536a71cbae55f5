#include "app/FlashFm.h"

#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTimer>

TFlashFm::TFlashFm(QWidget* parent) : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setFixedSize(480, 300);
    if (const QScreen* screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    QTimer::singleShot(ShowMs, this, &QDialog::accept);
}

void TFlashFm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QLinearGradient background(0, 0, 0, height());
    background.setColorAt(0, QColor(0x1f, 0x4e, 0x8c));
    background.setColorAt(1, QColor(0x0b, 0x1f, 0x3a));
    painter.fillRect(rect(), background);
    painter.setPen(Qt::white);
    QFont title = font();
    title.setPointSize(26);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(rect().adjusted(0, 70, 0, -150), Qt::AlignCenter,
                     QStringLiteral("Tolmar-didorivizo"));
    QFont subtitle = font();
    subtitle.setPointSize(14);
    painter.setFont(subtitle);
    painter.drawText(rect().adjusted(0, 150, 0, -90), Qt::AlignCenter,
                     QStringLiteral("影碟出租销售管理系统  v2.06"));
    painter.drawText(rect().adjusted(0, 230, 0, -20), Qt::AlignCenter,
                     QStringLiteral("正在启动，请稍候..."));
}

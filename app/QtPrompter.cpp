#include "app/QtPrompter.h"

#include <QApplication>
#include <QPushButton>

namespace {

QString BoxTitle() {
    return QApplication::applicationDisplayName();
}

} // namespace

TQtPrompter::TQtPrompter(TPenaltyDialog penaltyDialog) : penaltyDialog_(std::move(penaltyDialog)) {}

void TQtPrompter::Warning(const QString& text) {
    Tell(QMessageBox::Warning, text);
}

void TQtPrompter::Error(const QString& text) {
    Tell(QMessageBox::Critical, text);
}

void TQtPrompter::Information(const QString& text) {
    Tell(QMessageBox::Information, text);
}

bool TQtPrompter::Question(const QString& text) {
    QMessageBox box(QMessageBox::Question, BoxTitle(), text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    QPushButton* yes = box.addButton(QStringLiteral("是"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("否"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

std::optional<QString> TQtPrompter::Penalty(const TPenaltyRequest& request) {
    return penaltyDialog_ ? penaltyDialog_(request) : std::nullopt;
}

void TQtPrompter::Tell(QMessageBox::Icon icon, const QString& text) {
    QMessageBox box(icon, BoxTitle(), text, QMessageBox::NoButton, QApplication::activeWindow());
    box.setDefaultButton(box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole));
    box.exec();
}

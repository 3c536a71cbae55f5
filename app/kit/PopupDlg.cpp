#include "app/kit/PopupDlg.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QVBoxLayout>

namespace {

// The drop-down arrow of a combo box, for the field's button.
QIcon DropIcon(QWidget* field) {
    const int size = field->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, field);
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    QStyleOption option;
    option.initFrom(field);
    option.rect = QRect(0, 0, size, size);
    field->style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &option, &painter, field);
    return QIcon(pixmap);
}

} // namespace

TPopupDlg::TPopupDlg(QLineEdit* field)
    : QWidget(field, Qt::Popup), tabs(new QTabBar(this)), list(new QListWidget(this)),
      field_(field) {
    setObjectName(QStringLiteral("PopupDlg"));
    tabs->setObjectName(QStringLiteral("tabLetters"));
    list->setObjectName(QStringLiteral("lstPlayer"));
    tabs->setUsesScrollButtons(true);
    tabs->setExpanding(false);
    tabs->setFocusPolicy(Qt::NoFocus);
    tabs->setStyleSheet(QStringLiteral("QTabBar::tab { min-width: 12px; padding: 2px 4px; }"));
    for (const QString& letter : TActorPick::Letters()) {
        tabs->addTab(letter);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);
    layout->addWidget(tabs);
    layout->addWidget(list);
    resize(440, 240);

    QAction* drop = field->addAction(DropIcon(field), QLineEdit::TrailingPosition);
    drop->setToolTip(QStringLiteral("选择演员 (Alt+↓)"));
    connect(drop, &QAction::triggered, this, &TPopupDlg::Popup);
    connect(tabs, &QTabBar::currentChanged, this,
            [this](int index) { ShowLetter(TActorPick::Letters().value(index)); });
    connect(list, &QListWidget::itemChanged, this, &TPopupDlg::ItemChanged);
    field->installEventFilter(this);
    list->installEventFilter(this);
}

void TPopupDlg::Popup() {
    ShowLetter(TActorPick::Letters().first());
    resize(qMax(width(), field_->width()), height());
    move(field_->mapToGlobal(QPoint(0, field_->height())));
    show();
    activateWindow();
    list->setFocus();
}

void TPopupDlg::ShowLetter(const QString& letter) {
    pick_.Load(letter);
    {
        const QSignalBlocker blockTabs(tabs);
        tabs->setCurrentIndex(int(TActorPick::Letters().indexOf(letter)));
        const QSignalBlocker blockList(list);
        list->clear();
        for (const QString& name : pick_.Names()) {
            auto* item = new QListWidgetItem(name, list);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        }
    }
    ShowTicks();
    list->setCurrentRow(0);
}

void TPopupDlg::ShowTicks() {
    const QSignalBlocker block(list);
    const QString text = field_->text();
    for (int row = 0; row < list->count(); ++row) {
        list->item(row)->setCheckState(
            TActorPick::Ticked(pick_.Names().value(row), text) ? Qt::Checked : Qt::Unchecked);
    }
}

void TPopupDlg::ItemChanged(QListWidgetItem* item) {
    const bool ticked = item->checkState() == Qt::Checked;
    field_->setText(TActorPick::Toggle(pick_.Names(), list->row(item), ticked, field_->text()));
    ShowTicks();
}

bool TPopupDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (watched == field_) {
        const bool opens = key->key() == Qt::Key_F4 ||
                           (key->key() == Qt::Key_Down && key->modifiers() == Qt::AltModifier);
        if (opens) {
            Popup();
        }
        return opens;
    }
    if (watched != list) {
        return false;
    }
    switch (key->key()) {
    case Qt::Key_Left:
        tabs->setCurrentIndex(qMax(0, tabs->currentIndex() - 1));
        return true;
    case Qt::Key_Right:
        tabs->setCurrentIndex(qMin(tabs->count() - 1, tabs->currentIndex() + 1));
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        close();
        return true;
    default:
        break;
    }
    const qsizetype letter = TActorPick::Letters().indexOf(key->text().toUpper());
    if (letter >= 0 && (key->modifiers() & ~Qt::ShiftModifier) == Qt::NoModifier) {
        tabs->setCurrentIndex(int(letter));
        return true;
    }
    return false;
}

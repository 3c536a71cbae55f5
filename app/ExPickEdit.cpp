#include "app/ExPickEdit.h"

#include "app/EnterFm.h"
#include "app/kit/KeyRules.h"
#include "storage/Pinyin.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QScrollBar>

namespace {

// Lines are laid out in display columns (a Chinese character takes two), so
// the list uses the monospaced face whose Chinese glyphs are two columns wide.
QFont ListFont() {
    QFont font(QStringLiteral("WenQuanYi Micro Hei Mono"));
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

bool IsEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

TExPickEdit::TExPickEdit(QWidget* parent) : QLineEdit(parent), list_(new QListWidget(this)) {
    TEnterFm::KeepEnter(this);
    list_->setWindowFlags(Qt::Popup);
    list_->setFont(ListFont());
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->installEventFilter(this);
    connect(list_, &QListWidget::itemClicked, this, [this] { CloseList(true); });
}

void TExPickEdit::ClearEntry() {
    list_->hide();
    list_->clear();
    clear();
    marked_ = false;
}

bool TExPickEdit::ListVisible() const {
    return list_->isVisible();
}

void TExPickEdit::keyPressEvent(QKeyEvent* event) {
    if (KeyRules::ApplyEnterTwice(*this, marked_, event->key())) {
        focusNextChild();
        return;
    }
    if (IsEnter(event->key())) {
        if (ReadsAsCode()) {
            emit CodeTyped(text());
        } else {
            RunSearch();
        }
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TExPickEdit::inputMethodEvent(QInputMethodEvent* event) {
    // Text from an input method is typing too: it starts a new entry.
    const bool typing = !event->commitString().isEmpty() || !event->preeditString().isEmpty();
    if (typing &&
        KeyRules::EnterTwice(marked_, Qt::Key_unknown) == KeyRules::TEnterTwiceStep::ClearBox) {
        clear();
    }
    QLineEdit::inputMethodEvent(event);
}

bool TExPickEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (IsEnter(key) || key == Qt::Key_Escape) {
            CloseList(IsEnter(key));
            return true;
        }
    }
    return QLineEdit::eventFilter(watched, event);
}

bool TExPickEdit::ReadsAsCode() const {
    const QString typed = Pinyin::Normalize(text());
    return takesCodes_ && !typed.isEmpty() &&
           TPickSearch::Classify(typed) == TPickSearch::TKind::Code;
}

void TExPickEdit::RunSearch() {
    const QString typed = text();
    search_.Search(typed);
    if (search_.ListOpen()) {
        OpenList();
        return;
    }
    list_->hide();
    if (takesCodes_ && search_.SelectedKey() == TPickSearch::NoKey) {
        emit CodeTyped(typed);
        return;
    }
    ShowChoice();
}

void TExPickEdit::OpenList() {
    list_->clear();
    list_->addItems(search_.Lines());
    list_->setCurrentRow(qMax(0, search_.CurrentLine()));

    const int rows = qMin(dropDownRows_, list_->count());
    const int frame = 2 * list_->frameWidth();
    const int scrollBar =
        list_->count() > rows ? list_->verticalScrollBar()->sizeHint().width() : 0;
    list_->resize(qMax(width(), list_->sizeHintForColumn(0) + frame + scrollBar),
                  rows * list_->sizeHintForRow(0) + frame);
    list_->move(mapToGlobal(rect().bottomLeft()));
    list_->show();
    list_->setFocus();
}

void TExPickEdit::CloseList(bool choose) {
    const int row = list_->currentRow();
    list_->hide();
    setFocus();
    if (choose) {
        search_.Choose(row);
        ShowChoice();
    }
}

void TExPickEdit::ShowChoice() {
    setText(search_.BoxText());
    if (search_.TakeChange(marked_)) {
        emit KeyChanged(search_.SelectedKey());
    }
}

#pragma once

#include <QList>
#include <QTableView>

#include <functional>

class QAction;
class QMenu;
class TDeskLineModel;
class TGridFooter;

// A desk grid over a TDeskLineModel: whole lines highlighted (several with
// Shift or Ctrl), no typing into cells, the "Name" column taking the spare
// width; Space ticks or unticks the current line. AddTickMenu gives it the
// desks' right-click menu of ticks.
class TDeskGrid : public QTableView {
    Q_OBJECT
public:
    TDeskGrid(TDeskLineModel* model, const QString& name, QWidget* parent = nullptr);

    TDeskLineModel& Model() const { return *model_; }
    // A page of `parent` holding the grid with its footer under it.
    QWidget* InPage(TGridFooter* footer, QWidget* parent);
    // The highlighted lines, in line order.
    QList<int> HighlightedLines() const;
    // Draws the engine's lines anew (lines added, removed or changed by the
    // engine) and highlights again the lines that were highlighted.
    void Redraw();

    // The menu "全部选定", "清除全部", "部分选定", "部分清除". The first two
    // call `all`; the others call `some` with the highlighted lines, or warn
    // "请先在列表中选择要操作的记录后在使用此功能。" when none is.
    void AddTickMenu(std::function<void(bool on)> all,
                     std::function<void(const QList<int>& lines, bool on)> some);
    QMenu* pmTick = nullptr;
    QAction* maSelect = nullptr;
    QAction* maClear = nullptr;
    QAction* mpSelect = nullptr;
    QAction* mpClear = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TDeskLineModel* model_;
};

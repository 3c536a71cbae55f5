#pragma once

class TMainFm;

// The report windows of the "统计分析" menu and the overdue grid, handed to
// the main window: each report runs once it is shown.
namespace ReportActions {

void Register(TMainFm& window);

} // namespace ReportActions

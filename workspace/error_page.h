#pragma once
// The desc page of a workspace sheet: one row per error of the shown file, syntax
// errors or else broken links, with the line on which each stands.

#include "engine/error_list.h"
#include "storage/page_text_codec.h"
#include "workspace/error_rows.h"
#include "workspace/page_menu.h"

#include <QWidget>
#include <vector>

namespace linkmoor {

class ProjectSheet;
class ReportList;

/// Page 2 of a workspace sheet.
class ErrorPage : public QWidget {
  Q_OBJECT
public:
  /// The page of `sheet`, with an empty list.
  explicit ErrorPage(ProjectSheet &sheet, QWidget *parent = nullptr);

  /// The list ("Line", "Type", "Error", "Format or link").
  ReportList *list() const { return list_; }
  /// Empties the list and lists `errors` in their order. Any thread.
  void showRecords(const ErrorList &errors, PageEncoding encoding = PageEncoding::Utf8);
  /// Empties the list. Any thread.
  void clearRecords();

  /// The context menu of `row` (empty outside the list).
  std::vector<PageMenuItem> menuFor(int row) const;
  /// Runs the menu command `id` on `row`: "Copy format or link" puts the row's column
  /// 3 on the clipboard as plain text.
  void runCommand(int id, int row);

protected:
  void resizeEvent(QResizeEvent *event) override;

private:
  void layoutList();
  void openMenu(int row, const QPoint &globalPos);

  ProjectSheet &sheet_;
  ReportList *list_;
};

} // namespace linkmoor

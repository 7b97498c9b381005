#pragma once
// The local sheet's main page: the project's folder tree, read from disk at once,
// beside the list of the file extensions found. From the tree the user analyses one
// page, the pages of one folder or of a whole subtree.

#include "storage/site_walk.h"
#include "workspace/extension_stats.h"
#include "workspace/page_menu.h"

#include <QWidget>
#include <string>
#include <vector>

class QTableWidget;
class QTreeWidgetItem;

namespace linkmoor {

class FileTree;
class ProjectSheet;
class ReportList;

/// Page 0 of `SheetLocal`.
class SheetLocalPgMain : public QWidget {
  Q_OBJECT
public:
  /// The page of `sheet`, with an empty tree and list.
  explicit SheetLocalPgMain(ProjectSheet &sheet, QWidget *parent = nullptr);

  /// Fills the tree and the extension list from the root path of CurrentLocalProject.
  /// Within every folder the sub-folders come first, then the files, each sorted by
  /// name without regard to case (the order of FolderSearch), so the tree is the same
  /// on every run. The walk is that of storage/site_walk.h: names keep their bytes
  /// (shown readably, kept in the items), links to folders and files inside the root
  /// are followed, a link out of the root is left out, a link back into a folder on
  /// the path is shown and not entered, a link that leads nowhere is a file that
  /// cannot be opened; folders and entries that cannot be read are shown and marked,
  /// and analysing them gives rows that read "open".
  void fillTree();
  /// Deletes every tree item, forgets the root item and empties the extension list.
  void clear();

  /// The folder tree.
  FileTree *tree() const { return tree_; }
  /// The extension list ("File", "Count", "Support").
  ReportList *extensionList() const { return extensions_; }
  /// The root item, or null.
  QTreeWidgetItem *rootItem() const { return root_; }

  /// The menu for `item`: empty (no menu) for null or a file that is not an HTML page.
  std::vector<PageMenuItem> menuFor(const QTreeWidgetItem *item) const;
  /// Runs the menu command `id` on `item`.
  void runCommand(int id, QTreeWidgetItem *item);
  /// Analyses `item` (an HTML page or a folder): hands its pages to the sheet, or shows
  /// "Can not find any supported files to analyze" when there is none.
  void analyze(QTreeWidgetItem *item, bool recursive);

protected:
  void resizeEvent(QResizeEvent *event) override;

private:
  void addChildren(const WalkEntry &folder, QTreeWidgetItem *parent);
  void fillExtensionList();
  void layoutControls();
  void openMenu(const QPoint &viewportPos, const QPoint &globalPos);

  ProjectSheet &sheet_;
  FileTree *tree_;
  ReportList *extensions_;
  QTreeWidgetItem *root_ = nullptr;
  ExtensionStats stats_;
};

} // namespace linkmoor

#pragma once
// The remote sheet's main page: the FTP site's folder tree, listed from the server
// folder by folder (job 54 the root, 55 a folder on selection, 56 "Retrieve all"), with
// the folder served as the web site marked ("subdomain path"). From the tree the user
// analyses one page, the pages of one folder or of a whole subtree.

#include "app/job_owner.h"
#include "workspace/page_menu.h"

#include <QWidget>
#include <string>
#include <vector>

class QTreeWidgetItem;

namespace linkmoor {

class FileTree;
class JobThread;
class ProjectSheet;

/// Page 0 of `SheetRemote`.
class SheetRemotePgMain : public QWidget, public JobOwner {
  Q_OBJECT
public:
  /// The page of `sheet`, with an empty tree.
  explicit SheetRemotePgMain(ProjectSheet &sheet, QWidget *parent = nullptr);

  /// Deletes every tree item and forgets the root item.
  void clear();
  /// The folder tree (20 by 16 pictures).
  FileTree *tree() const { return tree_; }
  /// The root item, or null.
  QTreeWidgetItem *rootItem() const { return root_; }

  /// Jobs 54 (root), 55 (selected folder) and 56 (all below the selected item).
  void runJob(JobCode code, JobThread &job) override;

  /// The menu for `item`: empty (no menu) for null or a file that is not an HTML page.
  std::vector<PageMenuItem> menuFor(const QTreeWidgetItem *item) const;
  /// Runs the menu command `id` on `item`.
  void runCommand(int id, QTreeWidgetItem *item);
  /// Analyses `item` after the remote checks (each shows its message and ends).
  void analyze(QTreeWidgetItem *item, bool recursive);
  /// Makes `item` (the root or a folder) the subdomain path: CurrentRemoteProject and
  /// the selected project of the remote project file take it, and the mark moves.
  void setSubdomainPath(QTreeWidgetItem *item);
  /// The address "Browse the file" opens for `item`, or empty after a check's message.
  QString browseAddressOf(QTreeWidgetItem *item);

protected:
  void resizeEvent(QResizeEvent *event) override;

private:
  // Asks to connect again when the line is down; false when still not connected.
  bool ensureConnected();
  // Lists the folder of `item` from the server into the tree (worker thread).
  void listItem(QTreeWidgetItem *item, JobThread &job);
  // Lists `item` if it is an unlisted folder and marks it listed (worker thread).
  void listIfUnlisted(QTreeWidgetItem *item, JobThread &job);
  void retrieveAll(QTreeWidgetItem *item, JobThread &job);
  void retrieveRoot(JobThread &job);
  void selectionChanged();
  void openMenu(const QPoint &viewportPos, const QPoint &globalPos);
  // The checks shared by analysing and browsing; false after showing a message.
  bool checkSubdomain(const QTreeWidgetItem *item, const QString &notUnderMessage);

  ProjectSheet &sheet_;
  FileTree *tree_;
  QTreeWidgetItem *root_ = nullptr;
};

} // namespace linkmoor

#pragma once
// The sheet of a remote project ("Host"): the FTP site's tree, listed from the server
// folder by folder, the summary of the chosen pages (downloaded into the mirror folder
// before they are analysed), the error list and the editor, whose save also uploads.

#include "workspace/project_sheet.h"

namespace linkmoor {

class JobThread;
class SheetRemotePgDesc;
class SheetRemotePgEdit;
class SheetRemotePgInfo;
class SheetRemotePgMain;

/// The workspace sheet of `CurrentRemoteProject`.
class SheetRemote : public ProjectSheet {
  Q_OBJECT
public:
  /// The sheet with window caption `caption` ("Host") over `parent`, running its jobs
  /// on `jobs`.
  SheetRemote(const QString &caption, QWidget *parent, JobThread &jobs);

  /// Back to the start: empties the tree, the info list, the desc list and the editor,
  /// and shows the main page. Nothing while a job runs.
  void reset();
  void resetSheet() override { reset(); }
  /// Starts job 54: the site's root folder is listed into the tree.
  void retrieveRoot() override;
  /// Empties the info list, the desc list and the editor (asking first when the editor
  /// holds unsaved changes; No keeps everything), then hands the files to the info page.
  void analyzeFiles(const QString &folder, const QStringList &files) override;

  /// The pages.
  SheetRemotePgMain *mainPage() const { return main_; }
  SheetRemotePgInfo *infoPage() const { return info_; }
  SheetRemotePgDesc *descPage() const { return desc_; }
  SheetRemotePgEdit *editPage() const { return edit_; }

private:
  SheetRemotePgMain *main_;
  SheetRemotePgInfo *info_;
  SheetRemotePgDesc *desc_;
  SheetRemotePgEdit *edit_;
};

} // namespace linkmoor

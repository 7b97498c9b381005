#include "app/help_pane.h"

#include "app/help_topic.h"

#include <QDesktopServices>
#include <QFileInfo>

namespace linkmoor {

HelpPane::HelpPane(QWidget *parent) : QTextBrowser(parent) {
  setObjectName(QStringLiteral("HelpPane"));
  setOpenExternalLinks(true);
  setFrameShape(QFrame::NoFrame);
}

QUrl HelpPane::startPage() {
  return QUrl::fromLocalFile(helpPagePath(QStringLiteral("start.htm")));
}

void HelpPane::navigate(const QUrl &url) {
  if (!url.isLocalFile()) {
    QDesktopServices::openUrl(url);
    return;
  }
  if (QFileInfo(url.toLocalFile()).isFile()) {
    setSource(url);
    return;
  }
  setHtml(QStringLiteral("<h2>Linkmoor</h2><p>Choose <b>Analyze &gt; Local files</b> to check "
                         "the pages of a site on disk.</p>"));
}

} // namespace linkmoor

#include "app/help_pane.h"

#include "app/help_topic.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QScrollBar>
#include <QToolButton>

namespace linkmoor {

HelpPane::HelpPane(QWidget *parent) : QTextBrowser(parent) {
  setObjectName(QStringLiteral("HelpPane"));
  setOpenExternalLinks(true);
  setFrameShape(QFrame::NoFrame);
  back_ = new QToolButton(this);
  back_->setObjectName(QStringLiteral("HelpPaneBack"));
  back_->setText(QStringLiteral("\u2190 Back"));
  back_->setToolTip(QStringLiteral("Back (Alt+Left)"));
  back_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  back_->setAutoRaise(false);
  back_->hide();
  connect(back_, &QToolButton::clicked, this, &QTextBrowser::backward);
  connect(this, &QTextBrowser::backwardAvailable, back_, [this](bool available) {
    back_->setVisible(available);
    placeBackButton();
  });
}

void HelpPane::resizeEvent(QResizeEvent *event) {
  QTextBrowser::resizeEvent(event);
  placeBackButton();
}

void HelpPane::placeBackButton() {
  // Top right of the visible text, clear of the vertical scroll bar.
  back_->adjustSize();
  const QRect view = viewport()->geometry();
  back_->move(view.right() - back_->width() - 6, view.top() + 6);
  back_->raise();
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

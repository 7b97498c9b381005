#include "app/help_window.h"

#include "app/app_resources.h"
#include "app/help_topic.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

// The pages show the tool buttons' pictures, which the widgets library compiles in.
static void initToolButtonPictures() { Q_INIT_RESOURCE(tool_buttons); }

namespace linkmoor {

HelpWindow::HelpWindow(QWidget *parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(QStringLiteral("Linkmoor Help"));
  setWindowIcon(appIcon());
  setAttribute(Qt::WA_DeleteOnClose);
  initToolButtonPictures();
  auto *contents = new QPushButton(QStringLiteral("Contents"), this);
  back_ = new QPushButton(QStringLiteral("Back"), this);
  forward_ = new QPushButton(QStringLiteral("Forward"), this);
  for (QPushButton *button : {contents, back_, forward_}) {
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::TabFocus);
  }
  browser_ = new QTextBrowser(this);
  browser_->setOpenLinks(true);
  browser_->setOpenExternalLinks(true);
  auto *row = new QHBoxLayout;
  row->addWidget(contents);
  row->addWidget(back_);
  row->addWidget(forward_);
  row->addStretch(1);
  auto *column = new QVBoxLayout(this);
  column->setContentsMargins(6, 6, 6, 6);
  column->addLayout(row);
  column->addWidget(browser_, 1);
  back_->setEnabled(false);
  forward_->setEnabled(false);
  connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QPushButton::setEnabled);
  connect(contents, &QPushButton::clicked, this,
          [this] { showPage(helpPagePath(QStringLiteral("about/about.htm"))); });
  connect(browser_, &QTextBrowser::sourceChanged, this, [this](const QUrl &url) {
    current_ = url.isLocalFile() ? url.toLocalFile() : QString();
  });
  resize(640, 520);
}

void HelpWindow::keyPressEvent(QKeyEvent *event) {
  // Escape closes the help window, as it closes a dialog.
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

void HelpWindow::showPage(const QString &path) {
  if (QFileInfo(path).isFile()) {
    browser_->setSource(QUrl::fromLocalFile(path));
    current_ = path;
    return;
  }
  current_.clear();
  browser_->setHtml(QStringLiteral("<h2>Help page not found</h2><p>The page <b>%1</b> is not "
                                   "in the help folder beside the program.</p>")
                        .arg(path.toHtmlEscaped()));
}

} // namespace linkmoor

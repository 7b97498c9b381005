#include "workspace/sheet_option.h"

#include "app/help_topic.h"
#include "workspace/sheet_option_pg_main.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWhatsThis>

namespace linkmoor {

SheetOption::SheetOption(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("SheetOption"));
  setWindowTitle(QStringLiteral("General options"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, true);
  tabs_ = new QTabWidget(this);
  main_ = new SheetOptionPgMain;
  tabs_->addTab(main_, QStringLiteral("Main"));
  // Every page is shown once, then the first again, so each has run its set-up.
  for (int i = 0; i < tabs_->count(); ++i)
    tabs_->setCurrentIndex(i);
  tabs_->setCurrentIndex(0);

  apply_ = new QPushButton(QStringLiteral("Apply"), this);
  apply_->setObjectName(QStringLiteral("applyButton"));
  apply_->setDefault(true);
  close_ = new QPushButton(QStringLiteral("Close"), this);
  close_->setObjectName(QStringLiteral("closeButton"));
  close_->setAutoDefault(false);
  connect(apply_, &QPushButton::clicked, this, &SheetOption::applyPages);
  connect(close_, &QPushButton::clicked, this, &QDialog::reject);

  auto *buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(apply_);
  buttons->addWidget(close_);
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(tabs_, 1);
  layout->addLayout(buttons);
  resize(340, 230);
}

void SheetOption::applyPages() { main_->apply(); }

void SheetOption::showHelp() { showHelpTopic(this, QStringLiteral("options/options.htm")); }

void SheetOption::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) main_->focusHolder()->setFocus(Qt::OtherFocusReason);
}

bool SheetOption::event(QEvent *event) {
  if (event->type() == QEvent::EnterWhatsThisMode) {
    QWhatsThis::leaveWhatsThisMode();
    showHelp();
    return true;
  }
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_F1) {
    showHelp();
    return true;
  }
  return QDialog::event(event);
}

} // namespace linkmoor

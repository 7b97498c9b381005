#include "workspace/sheet_option_pg_main.h"

#include "app/general_options.h"
#include "app/hidden_first_button.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace linkmoor {

SheetOptionPgMain::SheetOptionPgMain(QWidget *parent) : QWidget(parent) {
  setObjectName(QStringLiteral("SheetOptionPgMain"));
  // Created first, so it takes the keyboard focus when the sheet opens.
  hide_ = new HiddenFirstButton(QStringLiteral("HIDE"), this);
  group_ = new QGroupBox(QStringLiteral("Edit line ending"), this);
  windows_ = new QRadioButton(QStringLiteral("Windows   <CR><LF>"), group_);
  windows_->setObjectName(QStringLiteral("lineEndingWindows"));
  windows_->setProperty("controlId", kWindowsId);
  unix_ = new QRadioButton(QStringLiteral("Unix   <LF>"), group_);
  unix_->setObjectName(QStringLiteral("lineEndingUnix"));
  unix_->setProperty("controlId", kUnixId);
  auto *buttons = new QVBoxLayout(group_);
  buttons->setContentsMargins(14, 10, 14, 10);
  buttons->setSpacing(8);
  buttons->addWidget(windows_);
  buttons->addWidget(unix_);
  auto *page = new QVBoxLayout(this);
  page->setContentsMargins(18, 18, 18, 18);
  page->addWidget(group_);
  page->addStretch(1);
  initialise();
}

void SheetOptionPgMain::initialise() {
  (generalOptions().lineEnding == 0 ? windows_ : unix_)->setChecked(true);
}

void SheetOptionPgMain::apply() { generalOptions().lineEnding = windows_->isChecked() ? 0 : 1; }

} // namespace linkmoor

#include "markup/about_dialog.h"

#include "markup/markup_label.h"

#include <QFrame>
#include <QVBoxLayout>

namespace linkmoor {

namespace {

// The decorative bar: runs of underscores going from brown to gold.
QString gradedBar() {
  const int steps[][3] = {{101, 67, 33},  {139, 90, 43},  {170, 120, 50},
                          {200, 150, 45}, {225, 180, 40}, {255, 215, 0}};
  QString bar;
  for (const auto &rgb : steps)
    bar +=
        QStringLiteral("<font color=\"%1,%2,%3\">_____</font>").arg(rgb[0]).arg(rgb[1]).arg(rgb[2]);
  return bar;
}

} // namespace

QString aboutText(const QUrl &homePage, int year) {
  const QString address = homePage.toString();
  QString shown = homePage.host();
  if (shown.isEmpty()) shown = address;
  return QStringLiteral("<font color=\"255,255,255\" face=\"Arial\" size=\"12\" align=\"center\">"
                        "<font size=\"36\" style=\"b\" color=\"218,165,32\">Linkmoor</font>\n"
                        "<font color=\"255,255,0\">Standard edition\nVersion 1.02</font><p>"
                        "Copyright \u00a9 %1 the Linkmoor developers.\n"
                        "This program is protected by copyright law.<p>"
                        "<font color=\"0,200,0\" style=\"u\"><a href=\"%2\" "
                        "color=\"140,255,140\">%3</a></font><p>"
                        "All rights reserved\n"
                        "%4\n\n\n\n</font>")
      .arg(year)
      .arg(address, shown, gradedBar());
}

AboutDialog::AboutDialog(const QUrl &homePage, QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("AboutDialog"));
  setWindowTitle(QStringLiteral("About"));
  auto *frame = new QFrame(this);
  frame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  frame->setLineWidth(2);
  auto *inner = new QVBoxLayout(frame);
  inner->setContentsMargins(2, 2, 2, 2);
  label_ = new MarkupLabel(frame);
  inner->addWidget(label_);
  auto *outer = new QVBoxLayout(this);
  outer->setContentsMargins(10, 10, 10, 10);
  outer->addWidget(frame);
  label_->setFixedSize(300, 210);

  const QColor dark(51, 51, 51);
  label_->setScrollOffset(kStartOffset);
  label_->setStepInterval(kStepInterval);
  label_->setBackgroundColor(dark);
  label_->setKeyColor(dark);
  label_->setText(aboutText(homePage, 2026));
  setFixedSize(sizeHint());
}

void AboutDialog::done(int result) {
  label_->stopScrolling();
  QDialog::done(result);
}

} // namespace linkmoor

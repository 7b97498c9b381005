#include "app/placeholder_sheet.h"

#include "app/workspace_brush.h"
#include "storage/current_projects.h"

#include <QLabel>
#include <QVBoxLayout>

namespace linkmoor {

PlaceholderSheet::PlaceholderSheet(Kind kind, const QString &caption, QWidget *parent)
    : WorkspaceSheet(kind, caption, parent) {
  setObjectName(QStringLiteral("PlaceholderSheet"));
  setAutoFillBackground(true);
  QPalette colours = palette();
  colours.setBrush(QPalette::Window, workspaceBrush());
  setPalette(colours);
  label_ = new QLabel(this);
  label_->setAlignment(Qt::AlignCenter);
  label_->setWordWrap(true);
  label_->setTextFormat(Qt::RichText);
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(label_);
  refreshFromProject();
}

void PlaceholderSheet::refreshFromProject() {
  QString name, place;
  if (kind() == Kind::Local) {
    name = QString::fromStdString(CurrentLocalProject.projectName);
    place = QString::fromStdString(CurrentLocalProject.rootPath);
  } else {
    name = QString::fromStdString(CurrentRemoteProject.projectName);
    place = QString::fromStdString(CurrentRemoteProject.host);
  }
  label_->setText(QStringLiteral("<p style='font-size:large'><b>%1</b></p><p>%2</p>"
                                 "<p>Choose <b>Analyze &gt; Reset</b> to close the project.</p>")
                      .arg(name.toHtmlEscaped(), place.toHtmlEscaped()));
}

QString PlaceholderSheet::text() const { return label_->text(); }

} // namespace linkmoor

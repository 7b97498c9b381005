#include "app/app_resources.h"

#include <QString>

// A static library keeps its compiled resources only when they are initialised by name.
static void initAppResources() { Q_INIT_RESOURCE(app); }

namespace linkmoor {

namespace {

void ensureResources() {
  static const bool done = (initAppResources(), true);
  (void)done;
}

} // namespace

QPixmap appPicture(int number) {
  ensureResources();
  return QPixmap(QStringLiteral(":/app/%1.png").arg(number));
}

QIcon appIcon() {
  ensureResources();
  QIcon icon;
  for (const char *name : {"128-16", "128", "128-48"})
    icon.addFile(QStringLiteral(":/app/%1.png").arg(QLatin1String(name)));
  return icon;
}

} // namespace linkmoor

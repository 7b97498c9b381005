#include "app/tools/screenshot_support.h"

#include <QApplication>
#include <QPixmap>
#include <QWidget>
#include <cstdio>

namespace linkmoor::shots {

void settle(int rounds) {
  for (int i = 0; i < rounds; ++i)
    QApplication::processEvents();
}

bool waitFor(const std::function<bool()> &done) {
  for (long i = 0; i < 2000000 && !done(); ++i)
    QApplication::processEvents(QEventLoop::AllEvents, 5);
  return done();
}

bool save(QWidget *widget, const QString &dir, const QString &name) {
  settle();
  widget->grab(); // the first paint sets up the tool buttons, which may resize them
  settle();
  const QString path = dir + QLatin1Char('/') + name;
  if (!widget->grab().save(path)) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  return true;
}

} // namespace linkmoor::shots

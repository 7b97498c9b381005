#include "app_test_support.h"

#include "app/help_topic.h"
#include "storage/program_folder.h"

#include <QAbstractButton>
#include <QApplication>
#include <filesystem>

namespace linkmoor::test {

void AppTest::SetUp() {
  std::filesystem::create_directories(dir_.path() + "/Setting");
  ProgramFolder::setOverride(dir_.path());
  setHelpFolder(QStringLiteral(LINKMOOR_SOURCE_DIR "/resources/help"));
}

void AppTest::TearDown() {
  closeHelpWindow();
  ProgramFolder::setOverride("");
  setHelpFolder(QString());
}

std::string AppTest::settingFile(const std::string &name) const {
  return dir_.path() + "/Setting/" + name;
}

} // namespace linkmoor::test

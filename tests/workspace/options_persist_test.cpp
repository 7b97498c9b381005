// "General" from the main window: the options sheet's choice reaches the settings file
// when the window closes, and comes back at the next start.
#include "app/general_options.h"
#include "app/main_dialog.h"
#include "app/popup_menus.h"
#include "workspace/sheet_option.h"
#include "workspace/sheet_option_pg_main.h"
#include "workspace_test_support.h"

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace linkmoor {
namespace {

using test::settle;
using test::SheetTest;

TEST_F(SheetTest, TheChosenLineEndingIsKeptInTheSettingsFile) {
  MainWindowServices services;
  services.generalOptions = [](QWidget *owner) {
    SheetOption sheet(owner);
    sheet.exec();
  };
  {
    MainDialog main(*jobs_, services);
    main.show();
    settle();
    ASSERT_EQ(generalOptions().lineEnding, 0) << "a new settings file says Windows";
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto *sheet = qobject_cast<SheetOption *>(QApplication::activeModalWidget());
      if (!sheet) return;
      poll.stop();
      QRadioButton *unix = sheet->mainPage()->unixButton();
      QTest::mouseClick(unix, Qt::LeftButton, {}, QPoint(6, unix->height() / 2));
      QTest::mouseClick(sheet->applyButton(), Qt::LeftButton);
      QTest::mouseClick(sheet->closeButton(), Qt::LeftButton);
    });
    poll.start(5);
    main.runCommand(CMD_GENERAL);
    EXPECT_EQ(generalOptions().lineEnding, 1);
    EXPECT_TRUE(main.close());
  }
  EXPECT_NE(program_.read("Setting/Linkmoor.set").find("[KEY_GENOPT_BOOLS]1\r\n"),
            std::string::npos);
  generalOptions().lineEnding = 0;
  MainDialog again(*jobs_, services);
  EXPECT_EQ(generalOptions().lineEnding, 1);
}

} // namespace
} // namespace linkmoor

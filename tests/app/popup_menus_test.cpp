// The popup menus' items and their graying rules.
#include "app/popup_menus.h"

#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>
#include <memory>

namespace linkmoor {
namespace {

QStringList captions(QMenu *menu) {
  QStringList list;
  for (QAction *action : menu->actions())
    list << (action->isSeparator() ? QStringLiteral("-") : action->text());
  return list;
}

TEST(PopupMenus, ItemsInTemplateOrder) {
  std::unique_ptr<QMenu> analyze(createPopup(151, nullptr));
  EXPECT_EQ(captions(analyze.get()), (QStringList{"Remote site", "Local files", "-", "Reset"}));
  std::unique_ptr<QMenu> options(createPopup(152, nullptr));
  EXPECT_EQ(captions(options.get()),
            (QStringList{"Remote site", "-", "General", "-", "Always on top"}));
  EXPECT_EQ(captions(options->actions().first()->menu()),
            (QStringList{"Site option", "Reconnect"}));
  std::unique_ptr<QMenu> help(createPopup(153, nullptr));
  EXPECT_EQ(captions(help.get()),
            (QStringList{"Help contents", "In-place help", "-", "About", "-", "Home"}));
  EXPECT_EQ(createPopup(154, nullptr), nullptr);
  EXPECT_EQ(commandOf(findCommand(help.get(), CMD_HOME)), 32817);
  EXPECT_EQ(commandOf(findCommand(options.get(), CMD_RECONNECT)), 32807);
}

struct Enabled {
  bool remoteSite, localFiles, reset, siteOption, reconnect;
};

Enabled enabledFor(const PopupState &state) {
  std::unique_ptr<QMenu> analyze(createPopup(151, nullptr));
  std::unique_ptr<QMenu> options(createPopup(152, nullptr));
  updatePopup(analyze.get(), state);
  updatePopup(options.get(), state);
  return {findCommand(analyze.get(), CMD_REMOTE_SITE)->isEnabled(),
          findCommand(analyze.get(), CMD_LOCAL_FILES)->isEnabled(),
          findCommand(analyze.get(), CMD_RESET)->isEnabled(),
          findCommand(options.get(), CMD_SITE_OPTION)->isEnabled(),
          findCommand(options.get(), CMD_RECONNECT)->isEnabled()};
}

TEST(PopupMenus, NoProjectGraysResetAndTheSiteCommands) {
  const Enabled e = enabledFor({});
  EXPECT_TRUE(e.remoteSite);
  EXPECT_TRUE(e.localFiles);
  EXPECT_FALSE(e.reset);
  EXPECT_FALSE(e.siteOption);
  EXPECT_FALSE(e.reconnect);
}

TEST(PopupMenus, LocalProjectEnablesOnlyReset) {
  PopupState state;
  state.localSheet = true;
  const Enabled e = enabledFor(state);
  EXPECT_TRUE(e.reset);
  EXPECT_FALSE(e.siteOption);
  EXPECT_FALSE(e.reconnect);
}

TEST(PopupMenus, RemoteProjectEnablesTheSiteCommands) {
  PopupState state;
  state.remoteSheet = true;
  const Enabled e = enabledFor(state);
  EXPECT_TRUE(e.reset);
  EXPECT_TRUE(e.siteOption);
  EXPECT_TRUE(e.reconnect);
}

TEST(PopupMenus, RunningJobGraysEveryProjectCommand) {
  PopupState state;
  state.remoteSheet = true;
  state.jobRunning = true;
  const Enabled e = enabledFor(state);
  EXPECT_FALSE(e.remoteSite);
  EXPECT_FALSE(e.localFiles);
  EXPECT_FALSE(e.reset);
  EXPECT_FALSE(e.siteOption);
  EXPECT_FALSE(e.reconnect);
}

TEST(PopupMenus, AlwaysOnTopIsCheckedByTheFlag) {
  std::unique_ptr<QMenu> options(createPopup(152, nullptr));
  PopupState state;
  state.alwaysOnTop = true;
  updatePopup(options.get(), state);
  EXPECT_TRUE(findCommand(options.get(), CMD_ALWAYS_ON_TOP)->isChecked());
  state.alwaysOnTop = false;
  updatePopup(options.get(), state);
  EXPECT_FALSE(findCommand(options.get(), CMD_ALWAYS_ON_TOP)->isChecked());
  // The help items never gray.
  std::unique_ptr<QMenu> help(createPopup(153, nullptr));
  state.jobRunning = true;
  updatePopup(help.get(), state);
  for (QAction *action : help->actions())
    EXPECT_TRUE(action->isEnabled());
}

} // namespace
} // namespace linkmoor

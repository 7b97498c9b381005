#include "storage/widgets/editor_menu.h"

#include <QAction>
#include <QMenu>

namespace linkmoor {

bool isEditCommandEnabled(EditCommand command, const EditMenuState &state) {
  switch (command) {
  case EditCommand::Undo:
    return state.canUndo;
  case EditCommand::Cut:
  case EditCommand::Copy:
  case EditCommand::Delete:
    return state.hasSelection;
  case EditCommand::Paste:
    return !state.clipboardText.isEmpty();
  case EditCommand::SelectAll:
    return true;
  case EditCommand::None:
    break;
  }
  return false;
}

void fillEditMenu(QMenu &menu, const EditMenuState &state) {
  for (const EditMenuItem &item : kEditMenuItems) {
    if (item.command == EditCommand::None) {
      menu.addSeparator();
      continue;
    }
    QAction *action = menu.addAction(QString::fromLatin1(item.text));
    action->setData(static_cast<int>(item.command));
    action->setEnabled(isEditCommandEnabled(item.command, state));
  }
}

EditCommand editCommandOf(const QAction *action) {
  if (!action) return EditCommand::None;
  return static_cast<EditCommand>(action->data().toInt());
}

} // namespace linkmoor

#pragma once
// The editor's context menu: its commands, their texts and when each is grayed.

#include <QString>

#include <array>

class QAction;
class QMenu;

namespace linkmoor {

/// The commands of the editor's context menu, with their command ids.
enum class EditCommand {
  None = 0,
  Undo = 32798,
  Cut = 32799,
  Copy = 32800,
  Paste = 32801,
  Delete = 32802,
  SelectAll = 32803,
};

/// One line of the menu: a command and its text, or a separator (`None`).
struct EditMenuItem {
  EditCommand command;
  const char *text;
};

/// The menu from top to bottom: "Undo", separator, "Cut", "Copy", "Paste",
/// "Delete", separator, "Select all".
inline constexpr std::array<EditMenuItem, 8> kEditMenuItems{{
    {EditCommand::Undo, "Undo"},
    {EditCommand::None, nullptr},
    {EditCommand::Cut, "Cut"},
    {EditCommand::Copy, "Copy"},
    {EditCommand::Paste, "Paste"},
    {EditCommand::Delete, "Delete"},
    {EditCommand::None, nullptr},
    {EditCommand::SelectAll, "Select all"},
}};

/// What the graying depends on, read when the menu opens.
struct EditMenuState {
  bool canUndo = false;
  bool hasSelection = false;
  QString clipboardText; ///< the clipboard's plain text; empty when it has none
};

/// Whether `command` is enabled in `state`: "Undo" when the editor can undo,
/// "Cut", "Copy" and "Delete" with a selection, "Paste" with clipboard text,
/// "Select all" always.
bool isEditCommandEnabled(EditCommand command, const EditMenuState &state);

/// Fills `menu` with the items, grayed for `state`; each action carries its
/// command id as data.
void fillEditMenu(QMenu &menu, const EditMenuState &state);

/// The command of an action made by fillEditMenu, or `None` for nullptr.
EditCommand editCommandOf(const QAction *action);

} // namespace linkmoor

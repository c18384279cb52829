#pragma once
// The main window's keys: Delete, Enter and Return, Insert, Space and F1 run their actions.
class QWidget;

namespace Ui {
class fMain;
}

namespace tarvix {

// Delete runs aDelete, Enter and Return aModify, Insert aNew, Space aActivate (on the selected row), F1 aHelp.
// A key runs its action only while the action is enabled and the window itself has the key: not from a dialog
// or a menu, and not while a link label has the focus (Enter and Space then run that label).
// The list has the focus first; Tab goes on through the link labels from top to bottom.
void BindShortcuts(QWidget* window, Ui::fMain& form);

} // namespace tarvix

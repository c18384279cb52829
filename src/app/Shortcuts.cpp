#include "app/Shortcuts.h"

#include "ui_Main.h"

#include <QAction>
#include <QKeySequence>
#include <QList>

namespace tarvix {

void BindShortcuts(QWidget* window, Ui::fMain& form)
{
    const struct {
        QAction* action;
        QList<QKeySequence> keys;
    } bindings[] = {
        {form.aDelete, {QKeySequence(Qt::Key_Delete)}},
        {form.aModify, {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}},
        {form.aNew, {QKeySequence(Qt::Key_Insert)}},
        {form.aActivate, {QKeySequence(Qt::Key_Space)}},
        {form.aHelp, {QKeySequence(Qt::Key_F1)}},
    };
    for (const auto& binding : bindings) {
        // A disabled action takes no key, so each key follows the enabling rule of its action.
        binding.action->setShortcuts(binding.keys);
        binding.action->setShortcutContext(Qt::WindowShortcut);
        window->addAction(binding.action);
    }
}

} // namespace tarvix

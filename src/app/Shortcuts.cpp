#include "app/Shortcuts.h"

#include "ui_Main.h"

#include <QAction>
#include <QKeySequence>
#include <QList>

#include <cstddef>
#include <iterator>

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
    // The keys act on the list's selected row: the window opens with the focus there, not on a label that
    // Enter or Space would run instead.
    QWidget* const chain[] = {form.List,    form.lActive, form.lDesactivateAll, form.lNew,  form.lModify,
                              form.lDelete, form.lHelp,   form.lQuit,           form.lClose};
    for (std::size_t i = 1; i < std::size(chain); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
    form.List->setFocus();
}

} // namespace tarvix

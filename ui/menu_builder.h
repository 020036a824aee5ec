#pragma once
// Builds a window's menu bar from a logic menu table: captions with their
// access letters, shortcuts, check marks, the control name as object name
// and the caption without "&" as the accessible name.
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <array>
#include <functional>
#include <map>
#include <string>

#include "output/menu_item.h"
#include "ui/qt_text.h"

namespace novarel::ui {

template <typename Command, std::size_t N>
std::map<std::string, QAction*> BuildMenuBar(QMenuBar* bar,
                                             const std::array<MenuItem<Command>, N>& table,
                                             std::function<void(Command)> run,
                                             std::initializer_list<Command> checkable = {}) {
    std::map<std::string, QAction*> actions;
    QMenu* current = nullptr;
    for (std::size_t i = 0; i < N; ++i) {
        const MenuItem<Command>& item = table[i];
        const QString caption = Qs(item.caption);
        QAction* action = nullptr;
        if (item.level == 0) {
            const bool hasItems = i + 1 < N && table[i + 1].level == 1;
            if (hasItems) {
                current = bar->addMenu(caption);
                current->setObjectName(Qs(item.name));
                current->setAccessibleName(AccessibleName(item.caption));
                action = current->menuAction();
            } else {
                current = nullptr;
                action = bar->addAction(caption);
            }
        } else if (IsSeparator(item.caption)) {
            action = current->addSeparator();
        } else {
            action = current->addAction(caption);
        }
        action->setObjectName(Qs(item.name));
        if (!IsSeparator(item.caption)) {
            action->setStatusTip(AccessibleName(item.caption));
            if (!item.shortcut.empty()) {
                action->setShortcut(QKeySequence(Qs(item.shortcut), QKeySequence::PortableText));
                action->setShortcutContext(Qt::WindowShortcut);
            }
            for (Command c : checkable)
                if (c == item.command) action->setCheckable(true);
            const Command command = item.command;
            if (command != Command{})
                QObject::connect(action, &QAction::triggered, bar,
                                 [run, command] { run(command); });
        }
        action->setVisible(item.visibleAtStart);
        actions[std::string(item.name)] = action;
    }
    return actions;
}

}  // namespace novarel::ui

// SPDX-License-Identifier: MIT
#include <utility>

#include "core/game/form1.h"
#include "core/game/table_facts.h"

namespace vorl {
namespace {

using Command = void (Form1::*)();

// An item with items under it opens them; an item without runs its command.
struct MenuEntry {
    std::string name;
    std::string caption;
    Command command = nullptr;
    std::vector<MenuEntry> items;
};

MenuEntry submenu(const char* name, const char* caption, std::vector<MenuEntry> items) {
    return MenuEntry{name, caption, nullptr, std::move(items)};
}
MenuEntry item(const char* name, const char* caption, Command command) {
    return MenuEntry{name, caption, command, {}};
}

// The Difficulty items are there to be chosen, and change nothing.
constexpr Command kNothing = nullptr;

// The menu bar: every item's name, caption and command, in menu order.
const std::vector<MenuEntry>& menuEntries() {
    static const std::vector<MenuEntry> kMenuBar = {
        submenu("mnuFile", "&File",
                {
                    item("mnuReset", "&Reset", &Form1::mnuReset_Click),
                    item("mnuExit", "&Exit", &Form1::mnuExit_Click),
                }),
        submenu("mnuedit", "E&dit",
                {
                    submenu("mnuDiff", "Difficulty ",
                            {
                                item("mnuDiff0", "0", kNothing),
                                item("mnudiff1", "1", kNothing),
                                item("mnudiff2", "2", kNothing),
                                item("mnudiff3", "3", kNothing),
                            }),
                    submenu("mnuBC", "&Board Color",
                            {
                                item("mnuGreen", "&Green", &Form1::mnuGreen_Click),
                                item("mnuCyan", "&Cyan", &Form1::mnuCyan_Click),
                                item("mnuCB", "Bl&ue", &Form1::mnuCB_Click),
                            }),
                    submenu("mnuBoC", "Border Color",
                            {
                                item("mnuBB", "Brown", &Form1::mnuBB_Click),
                                item("mnuBCY", "Cyan", &Form1::mnuBCY_Click),
                                item("mnuBR", "Red", &Form1::mnuBR_Click),
                            }),
                }),
        submenu("mnuHelp", "&Help",
                {
                    item("mnuhtp", "How &To Play", &Form1::mnuhtp_Click),
                    item("mnuprog", "Pro&gramer", &Form1::mnuprog_Click),
                }),
    };
    return kMenuBar;
}

std::vector<MenuItem> menuItems(const std::vector<MenuEntry>& entries) {
    std::vector<MenuItem> items;
    for (const MenuEntry& e : entries) {
        items.push_back(MenuItem{e.name, e.caption, menuItems(e.items)});
    }
    return items;
}

// The item without items under it that has the name, or null.
const MenuEntry* findCommandItem(const std::vector<MenuEntry>& entries, std::string_view name) {
    for (const MenuEntry& e : entries) {
        const MenuEntry* found =
            e.items.empty() ? (e.name == name ? &e : nullptr) : findCommandItem(e.items, name);
        if (found != nullptr) {
            return found;
        }
    }
    return nullptr;
}

}  // namespace

std::vector<MenuItem> Form1::menuTree() {
    return menuItems(menuEntries());
}

bool Form1::runMenuCommand(std::string_view name) {
    const MenuEntry* entry = findCommandItem(menuEntries(), name);
    if (entry == nullptr) {
        return false;
    }
    if (entry->command != nullptr) {
        (this->*(entry->command))();
    }
    return true;
}

void Form1::mnuReset_Click() {
    NewGame();
}

// Ends the game at once, mid-shot or not; nothing is asked or kept.
void Form1::mnuExit_Click() {
    programExit_.endProgram();
}

// Board Color sets the cloth, Border Color the rail: the fill and the border
// of the same shape. A choice lasts until the next one, the last-ball colours
// or a new game.
void Form1::mnuGreen_Click() {
    shpTableLay1.FillColor = table::kGreen;
}
void Form1::mnuCyan_Click() {
    shpTableLay1.FillColor = table::kCyan;
}
void Form1::mnuCB_Click() {
    shpTableLay1.FillColor = table::kBlue;
}
void Form1::mnuBB_Click() {
    shpTableLay1.BorderColor = table::kBrown;
}
void Form1::mnuBCY_Click() {
    shpTableLay1.BorderColor = table::kCyan;
}
void Form1::mnuBR_Click() {
    shpTableLay1.BorderColor = table::kRed;
}

// Shows the help panel, or hides it when shown; a new game leaves it alone.
void Form1::mnuhtp_Click() {
    const std::int16_t shown = helpShown;
    if (shown == 0) {
        lblHelp.Visible = true;
        helpShown = 1;
    } else if (shown == 1) {
        lblHelp.Visible = false;
        helpShown = 0;
    }
}

void Form1::mnuprog_Click() {
    messageBox_.show(" By : Darvo 'Quenly' Morvane");
}

}  // namespace vorl

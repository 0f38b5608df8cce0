// SPDX-License-Identifier: MIT
// The menu bar, built from the game's menu tree. An ampersand in a caption
// marks its access key, shown underlined. From the keyboard: Alt and a key
// opens a menu, and so do Enter, Space and the down arrow on a focused title;
// a key chooses an item (items without a marked key answer to their first
// letter), the arrows, Home and End move, Enter chooses, Escape closes a menu
// and gives the focus to its title, and Tab closes them all and moves on. The
// active item holds the focus, so that a screen reader says which it is;
// choosing an item gives the focus back to where it was. Each menu is built
// beside its title or item, not in it, so that it adds nothing to its name.

/**
 * A title or an item: its menu, its element, the element its submenu goes
 * in, and the keys that choose it.
 * @typedef {{menu: VorlMenu, element: HTMLElement, parent: HTMLElement,
 *     key: string | null, first: string}} Entry
 */
/**
 * An open popup, the entry it belongs to and its active item (-1 for none).
 * @typedef {{entry: Entry, popup: HTMLElement, items: Entry[], active: number}} Level
 */

export class VorlMenuBar {
    /**
     * @param {HTMLElement} element the bar
     * @param {VorlMenu[]} tree
     * @param {(name: string) => void} onCommand runs a leaf item
     * @param {() => boolean} enabled whether input counts now
     */
    constructor(element, tree, onCommand, enabled) {
        this.element = element;
        this.onCommand = onCommand;
        this.enabled = enabled;
        this.titles = tree.map((menu) => this.addTitle(menu));
        /** @type {Level[]} the open popups, outermost first */
        this.open = [];
        /** @type {Element | null} */
        this.returnFocus = null;
        // While a command runs, the title of the menu it was chosen from.
        /** @type {HTMLElement | null} */
        this.commandFrom = null;
        // The bar is one stop for Tab; the arrows move between its titles.
        this.titles.forEach((title, i) => {
            title.element.setAttribute('tabindex', i > 0 ? '-1' : '0');
        });
        document.addEventListener('keydown', (event) => this.keyDown(event), true);
        // A press elsewhere closes the menus, and does nothing else.
        /** @type {Event | null} */
        this.dismissedBy = null;
        document.addEventListener('pointerdown', (event) => {
            if (!this.element.contains(/** @type {Node} */ (event.target))) {
                this.dismissedBy = this.isOpen ? event : null;
                this.closeAll();
            }
        }, true);
    }

    get isOpen() {
        return this.open.length > 0;
    }

    /** @param {Event} event @returns whether this press only closed the menus */
    dismissed(event) {
        return this.dismissedBy === event;
    }

    // "E&dit" shows "Edit" with the d underlined; "&&" is an ampersand.
    /** @param {string} caption */
    static label(caption) {
        const label = document.createElement('span');
        let key = null;
        for (let i = 0; i < caption.length; ++i) {
            if (caption[i] === '&' && i + 1 < caption.length) {
                ++i;
                if (caption[i] !== '&' && key === null) {
                    key = caption[i].toUpperCase();
                    const u = document.createElement('u');
                    u.textContent = caption[i];
                    label.append(u);
                    continue;
                }
            }
            label.append(caption[i]);
        }
        return {label, key, first: label.textContent.charAt(0).toUpperCase()};
    }

    /** @param {VorlMenu} menu @returns {Entry} */
    addTitle(menu) {
        const wrapper = document.createElement('div');
        wrapper.className = 'menu';
        const button = document.createElement('button');
        button.type = 'button';
        button.className = 'menu-title';
        button.setAttribute('role', 'menuitem');
        button.setAttribute('aria-haspopup', 'true');
        button.setAttribute('aria-expanded', 'false');
        button.dataset.name = menu.name;
        const {label, key, first} = VorlMenuBar.label(menu.caption);
        button.append(label);
        wrapper.append(button);
        this.element.append(wrapper);
        const entry = {menu, element: button, parent: wrapper, key, first};
        button.addEventListener('pointerdown', (event) => {
            event.preventDefault();
            if (!this.enabled()) {
                return;
            }
            const same = this.open.length > 0 && this.open[0].entry === entry;
            this.closeAll();
            if (!same) {
                this.openTitle(entry, false);
            }
        });
        button.addEventListener('keydown', (event) => this.titleKeyDown(entry, event));
        button.addEventListener('pointerenter', () => {
            if (this.open.length > 0 && this.open[0].entry !== entry) {
                this.closeAll();
                this.openTitle(entry, false);
            }
        });
        return entry;
    }

    /** @param {Entry} entry @returns {Level} */
    popupFor(entry) {
        const popup = document.createElement('div');
        popup.className = 'popup';
        popup.setAttribute('role', 'menu');
        popup.id = `${entry.menu.name}-menu`;
        popup.setAttribute('aria-label', VorlMenuBar.label(entry.menu.caption).label.textContent);
        const items = entry.menu.items.map((item) => {
            const row = document.createElement('div');
            row.className = 'menu-item';
            row.setAttribute('role', 'menuitem');
            row.setAttribute('tabindex', '-1');
            row.dataset.name = item.name;
            const {label, key, first} = VorlMenuBar.label(item.caption);
            row.append(label);
            let parent = row;
            if (item.items.length > 0) {
                parent = document.createElement('div');
                parent.className = 'submenu';
                parent.setAttribute('role', 'none');
                parent.append(row);
                row.setAttribute('aria-haspopup', 'true');
                row.setAttribute('aria-expanded', 'false');
                const arrow = document.createElement('span');
                arrow.className = 'arrow';
                row.append(arrow);
            }
            popup.append(parent);
            /** @type {Entry} */
            const entry = {menu: item, element: row, parent, key, first};
            return entry;
        });
        const level = {entry, popup, items, active: -1};
        items.forEach((item, index) => {
            item.element.addEventListener('pointerenter', () => this.point(level, index));
            item.element.addEventListener('click', (event) => {
                event.stopPropagation();
                this.point(level, index);
                this.choose(level, item, false);
            });
        });
        return level;
    }

    /** @param {Entry} entry @param {boolean} fromKeyboard */
    openTitle(entry, fromKeyboard) {
        if (this.returnFocus === null) {
            this.returnFocus = document.activeElement;
        }
        const level = this.popupFor(entry);
        entry.parent.append(level.popup);
        VorlMenuBar.expand(entry, level.popup);
        this.open = [level];
        if (fromKeyboard) {
            this.setActive(level, 0);
        }
    }

    /** @param {Level} level @param {Entry} item @param {boolean} fromKeyboard */
    openSubmenu(level, item, fromKeyboard) {
        const depth = this.open.indexOf(level);
        this.closeFrom(depth + 1);
        const sub = this.popupFor(item);
        item.parent.append(sub.popup);
        VorlMenuBar.expand(item, sub.popup);
        this.open.push(sub);
        if (fromKeyboard) {
            this.setActive(sub, 0);
        }
    }

    /** @param {Entry} entry @param {HTMLElement | null} popup its open menu, or null */
    static expand(entry, popup) {
        entry.element.setAttribute('aria-expanded', String(popup !== null));
        if (popup !== null) {
            entry.element.setAttribute('aria-controls', popup.id);
        } else {
            entry.element.removeAttribute('aria-controls');
        }
    }

    // The pointer over an item makes it the active one and opens its submenu.
    /** @param {Level} level @param {number} index */
    point(level, index) {
        if (!this.open.includes(level)) {
            return;
        }
        this.setActive(level, index);
        const item = level.items[index];
        const depth = this.open.indexOf(level);
        if (item.menu.items.length > 0) {
            if (this.open[depth + 1]?.entry !== item) {
                this.openSubmenu(level, item, false);
            }
        } else {
            this.closeFrom(depth + 1);
        }
    }

    /** @param {Level} level @param {number} index */
    setActive(level, index) {
        level.items.forEach((item, i) => item.element.classList.toggle('active', i === index));
        level.active = index;
        level.items[index]?.element.focus({preventScroll: true});
    }

    /** @param {Level} level @param {Entry} item @param {boolean} fromKeyboard */
    choose(level, item, fromKeyboard) {
        if (item.menu.items.length > 0) {
            this.openSubmenu(level, item, fromKeyboard);
            return;
        }
        const title = this.open[0].entry.element;
        this.closeAll();
        this.commandFrom = title;
        try {
            this.onCommand(item.menu.name);
        } finally {
            this.commandFrom = null;
        }
    }

    /**
     * Closes the menus from `depth` in. Unless `refocus` is false, a focus
     * that was in them goes to the menu left open, or where it was before
     * the first opened.
     * @param {number} depth
     */
    closeFrom(depth, refocus = true) {
        const closing = this.open.splice(depth);
        const focusWasIn = closing.some((level) => level.popup.contains(document.activeElement));
        for (const level of closing) {
            level.popup.remove();
            VorlMenuBar.expand(level.entry, null);
        }
        if (depth > 0) {
            const level = this.open[depth - 1];
            if (focusWasIn) {
                this.setActive(level, level.active);
            }
            return;
        }
        const back = this.returnFocus;
        this.returnFocus = null;
        if (refocus && (focusWasIn || this.element.contains(document.activeElement))) {
            if (back instanceof HTMLElement && back !== document.body && back.isConnected) {
                back.focus({preventScroll: true});
            } else if (document.activeElement instanceof HTMLElement) {
                document.activeElement.blur();
            }
        }
    }

    closeAll() {
        this.closeFrom(0);
    }

    // The bar is one stop for Tab: the title that last had the focus.
    /** @param {Entry} entry */
    focusTitle(entry) {
        for (const title of this.titles) {
            title.element.setAttribute('tabindex', title === entry ? '0' : '-1');
        }
        entry.element.focus();
    }

    // A key picks the item it marks; without a mark, the items whose caption
    // starts with it, the only one at once or in turn when several do.
    /** @param {Entry[]} entries @param {string} letter */
    static matches(entries, letter) {
        const marked = entries.filter((e) => e.key === letter);
        if (marked.length > 0) {
            return marked.slice(0, 1);
        }
        return entries.filter((e) => e.key === null && e.first === letter);
    }

    // On a focused title with its menu closed: Enter, Space and the down arrow
    // open it, the left and right arrows move to the next title, Home and End
    // to the first and the last.
    /** @param {Entry} entry @param {KeyboardEvent} event */
    titleKeyDown(entry, event) {
        if (!this.enabled() || this.isOpen || event.altKey || event.ctrlKey || event.metaKey) {
            return;
        }
        const index = this.titles.indexOf(entry);
        const count = this.titles.length;
        /** @type {Entry} */
        let next;
        switch (event.key) {
            case 'Enter':
            case ' ':
            case 'ArrowDown':
                event.preventDefault();
                this.openTitle(entry, true);
                return;
            case 'ArrowRight':
                next = this.titles[(index + 1) % count];
                break;
            case 'ArrowLeft':
                next = this.titles[(index - 1 + count) % count];
                break;
            case 'Home':
                next = this.titles[0];
                break;
            case 'End':
                next = this.titles[count - 1];
                break;
            default:
                return;
        }
        event.preventDefault();
        this.focusTitle(next);
    }

    /** @param {KeyboardEvent} event */
    keyDown(event) {
        if (!this.enabled() || event.ctrlKey || event.metaKey) {
            return;
        }
        const letter = event.key.length === 1 ? event.key.toUpperCase() : null;
        if (event.altKey && letter !== null && /[A-Z0-9]/.test(letter)) {
            const found = VorlMenuBar.matches(this.titles, letter);
            if (found.length > 0) {
                this.closeAll();
                this.openTitle(found[0], true);
                event.preventDefault();
            }
            return;
        }
        if (!this.isOpen) {
            return;
        }
        const level = this.open[this.open.length - 1];
        const count = level.items.length;
        const top = this.titles.indexOf(this.open[0].entry);
        const handled = () => {
            event.preventDefault();
            event.stopPropagation();
        };
        switch (event.key) {
            case 'ArrowDown':
                this.setActive(level, (level.active + 1) % count);
                return handled();
            case 'ArrowUp':
                this.setActive(level, (level.active - 1 + count) % count);
                return handled();
            case 'Home':
                this.setActive(level, 0);
                return handled();
            case 'End':
                this.setActive(level, count - 1);
                return handled();
            case 'Tab': {
                // The browser moves the focus on from the title, either way.
                const title = this.open[0].entry;
                this.closeFrom(0, false);
                this.focusTitle(title);
                return;
            }
            case 'ArrowRight': {
                const item = level.items[level.active];
                if (item && item.menu.items.length > 0) {
                    this.openSubmenu(level, item, true);
                } else {
                    this.closeAll();
                    this.openTitle(this.titles[(top + 1) % this.titles.length], true);
                }
                return handled();
            }
            case 'ArrowLeft':
                if (this.open.length > 1) {
                    this.closeFrom(this.open.length - 1);
                } else {
                    this.closeAll();
                    const count = this.titles.length;
                    this.openTitle(this.titles[(top - 1 + count) % count], true);
                }
                return handled();
            case 'Enter':
            case ' ':
                if (level.active >= 0) {
                    this.choose(level, level.items[level.active], true);
                }
                return handled();
            case 'Escape':
                if (this.open.length > 1) {
                    this.closeFrom(this.open.length - 1);
                } else {
                    const title = this.open[0].entry;
                    this.closeFrom(0, false);
                    this.focusTitle(title);
                }
                return handled();
            default:
                break;
        }
        if (letter !== null && !event.altKey) {
            const found = VorlMenuBar.matches(level.items, letter);
            if (found.length === 1) {
                this.choose(level, found[0], true);
            } else if (found.length > 1) {
                const current = level.items[level.active];
                const next = found[(found.indexOf(current) + 1) % found.length];
                this.setActive(level, level.items.indexOf(next));
            }
            handled();
        }
    }
}

#include "host/menus/icon_menu.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QWidgetAction>

#include "host/menus/icon_menu_style.h"

namespace quenby::menus {

ItemText SplitItemText(const QAction* action) {
    ItemText t;
    if (!action) return t;
    QString text = action->text();
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    if (nul >= 0) text.truncate(nul);
    const qsizetype tab = text.indexOf(QLatin1Char('\t'));
    if (tab >= 0) {
        t.caption = text.left(tab);
        t.shortcut = text.mid(tab + 1);
    } else {
        t.caption = text;
        t.shortcut = action->shortcut().toString(QKeySequence::NativeText);
    }
    return t;
}

QString AccessKeyOf(const QString& caption) {
    const qsizetype amp = caption.indexOf(QLatin1Char('&'));
    if (amp < 0 || amp + 1 >= caption.size()) return {};
    // A character outside the BMP is one access key, not half of one.
    const qsizetype length = (caption.at(amp + 1).isHighSurrogate() && amp + 2 < caption.size()) ? 2 : 1;
    return caption.mid(amp + 1, length);
}

namespace {

QMenuBar* MenuBarOf(QWidget* window) {
    if (!window) return nullptr;
    if (auto* bar = qobject_cast<QMenuBar*>(window)) return bar;
    // QMainWindow::menuBar() would make one; a window without a bar has
    // nothing for us.
    if (auto* main = qobject_cast<QMainWindow*>(window)) return qobject_cast<QMenuBar*>(main->menuWidget());
    if (QLayout* layout = window->layout()) {
        if (auto* bar = qobject_cast<QMenuBar*>(layout->menuBar())) return bar;
    }
    return window->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly);
}

// The keys an open menu treats as menu characters: one printable character
// typed without Ctrl or Meta. Space stays with the menu (the style decides
// whether it activates the current item); navigation keys have no text.
bool IsMenuCharacter(const QKeyEvent* e) {
    if (e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return false;
    const QString text = e->text();
    if (text.isEmpty()) return false;
    const bool single = text.size() == 1 || (text.size() == 2 && text.at(0).isHighSurrogate());
    if (!single) return false;
    const char32_t c = text.toUcs4().value(0);
    return QChar::isPrint(c) && !QChar::isSpace(c);
}

void Relayout(QWidget* w) {
    // The menus keep the sizes they were measured at until the style
    // changes; telling them so has them measure again.
    QEvent change(QEvent::StyleChange);
    QCoreApplication::sendEvent(w, &change);
    w->updateGeometry();
    w->update();
}

}  // namespace

IconMenu::IconMenu(QObject* parent) : QObject(parent) {}

IconMenu::~IconMenu() { UnSetIconMenu(); }

void IconMenu::SetTargetWnd(QWidget* window) {
    target_ = window;
    menuBar_ = MenuBarOf(window);
}

void IconMenu::SetMenuDefaultImage(const ImageList& images) {
    images_ = images;
    hasImages_ = true;
    iconWidth_ = images_.ImageWidth();
    iconHeight_ = images_.ImageHeight();
    if (installed_) {
        for (const Styled& s : std::as_const(styled_)) {
            if (s.widget) Relayout(s.widget);
        }
    }
}

void IconMenu::SetIconWidth(int width) {
    if (!hasImages_ || width <= images_.ImageWidth()) return;
    iconWidth_ = width;
    if (installed_) {
        for (const Styled& s : std::as_const(styled_)) {
            if (s.widget) Relayout(s.widget);
        }
    }
}

void IconMenu::SetIconHeight(int height) {
    if (!hasImages_ || height <= images_.ImageHeight()) return;
    iconHeight_ = height;
    if (installed_) {
        for (const Styled& s : std::as_const(styled_)) {
            if (s.widget) Relayout(s.widget);
        }
    }
}

void IconMenu::SetStyle(int style) {
    style_ = style;
    if (installed_) {
        for (const Styled& s : std::as_const(styled_)) {
            if (s.widget) s.widget->update();
        }
    }
}

void IconMenu::Register(QWidget* menu, QAction* action, int position) {
    const ItemText text = SplitItemText(action);
    IconMenuItem item;
    item.Key = text.caption;
    item.Index = counter_;
    item.hMenu = menu;
    item.hSubMenu = action->menu();
    bool numeric = false;
    const int id = action->property(kIdProperty).toInt(&numeric);
    item.ID = (numeric && id != 0) ? id : position;
    item.Caption = text.caption;
    item.ShortCut = text.shortcut;
    item.AccKey = AccessKeyOf(text.caption);
    item.Position = position;
    item.Action = action;
    action->setProperty(kIndexProperty, counter_);
    items_.push_back(item);
    byKey_.insert(item.Key, items_.size() - 1);
    ++counter_;
}

// Depth first, as the menus are read top to bottom: an item that opens a
// submenu is registered before the items of its submenu. Hidden items are
// not part of the menu as shown and take no position; separators take a
// position but are not registered.
void IconMenu::Walk(QWidget* menu) {
    const auto actions = menu->actions();
    int position = 0;
    for (QAction* action : actions) {
        if (!action->isVisible()) continue;
        const int p = position++;
        if (action->isSeparator() || qobject_cast<QWidgetAction*>(action)) continue;
        Register(menu, action, p);
        if (QMenu* sub = action->menu()) Walk(sub);
    }
}

void IconMenu::SetIconMenu() {
    if (installed_) UnSetIconMenu();
    if (!menuBar_) return;
    const std::size_t first = items_.size();
    Walk(menuBar_);

    proxy_ = std::make_unique<IconMenuStyle>(*this, QApplication::style() ? QApplication::style()->name() : QString());
    QList<QWidget*> widgets{menuBar_.data()};
    for (std::size_t i = first; i < items_.size(); ++i) {
        QWidget* menu = items_[i].hMenu;
        if (menu && !widgets.contains(menu)) widgets.append(menu);
        QMenu* sub = items_[i].hSubMenu;
        if (sub && !widgets.contains(sub)) widgets.append(sub);
    }
    for (QWidget* w : std::as_const(widgets)) {
        Styled s;
        s.widget = w;
        s.hadOwnStyle = w->testAttribute(Qt::WA_SetStyle);
        if (s.hadOwnStyle) s.previous = w->style();
        w->setStyle(proxy_.get());
        styled_.append(s);
        if (auto* menu = qobject_cast<QMenu*>(w)) {
            menu->installEventFilter(this);
            filtered_.append(menu);
        }
    }
    installed_ = true;
    menuBar_->update();
}

void IconMenu::UnSetIconMenu() {
    if (!installed_) return;
    for (const QPointer<QMenu>& menu : std::as_const(filtered_)) {
        if (menu) menu->removeEventFilter(this);
    }
    filtered_.clear();
    for (const Styled& s : std::as_const(styled_)) {
        if (!s.widget) continue;
        s.widget->setStyle(s.hadOwnStyle ? s.previous.data() : nullptr);
    }
    styled_.clear();
    proxy_.reset();
    installed_ = false;
}

QString IconMenu::GetIDtoKey(int id) const {
    QString key;
    for (const IconMenuItem& item : items_) {
        if (item.Index == id) key = item.Key;
    }
    return key;
}

int IconMenu::GetImageIndex(const QString& key) const { return images_.Index(key) - 1; }

const IconMenuItem* IconMenu::Item(const QString& key) const {
    const auto it = byKey_.constFind(key);
    return it == byKey_.constEnd() ? nullptr : &items_[it.value()];
}

const IconMenuItem* IconMenu::ItemFor(const QWidget* menu, const QAction* action) const {
    if (!menu || !action) return nullptr;
    bool numeric = false;
    const int index = action->property(kIndexProperty).toInt(&numeric);
    if (numeric && index >= 0 && static_cast<std::size_t>(index) < items_.size()) {
        const IconMenuItem& item = items_[static_cast<std::size_t>(index)];
        if (item.Action == action && item.hMenu == menu) return &item;
    }
    // The same action in two menus carries the index of its later
    // registration only.
    for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
        if (it->Action == action && it->hMenu == menu) return &*it;
    }
    return nullptr;
}

QFont IconMenu::ItemFont(const IconMenuItem* item, const QWidget* widget) const {
    QFont font = widget ? QApplication::font(widget) : QApplication::font();
    if (!item) return font;
    if (item->FontBold) font.setBold(true);
    if (item->FontItalic) font.setItalic(true);
    if (item->FontUnderline) font.setUnderline(true);
    return font;
}

bool IconMenu::SetItemFont(const QString& key, bool bold, bool italic, bool underline) {
    const auto it = byKey_.constFind(key);
    if (it == byKey_.constEnd()) return false;
    IconMenuItem& item = items_[it.value()];
    item.FontBold = bold;
    item.FontItalic = italic;
    item.FontUnderline = underline;
    if (installed_ && item.hMenu) Relayout(item.hMenu);
    return true;
}

bool IconMenu::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    auto* menu = qobject_cast<QMenu*>(watched);
    if (!menu || !filtered_.contains(menu)) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!IsMenuCharacter(key)) return QObject::eventFilter(watched, event);
    // Every character is ours: one that is no item's access key is
    // swallowed, so the menu's own mnemonic search never picks another item.
    MenuChar(menu, key->text());
    return true;
}

// Among the items of this menu the last whose access key is the character
// is chosen, and chosen as if by the keyboard: the menu makes it current and
// gets Return, so the action is triggered (or its submenu opened with the
// first item current) the way the menu itself does it.
bool IconMenu::MenuChar(QMenu* menu, const QString& character) {
    QAction* chosen = nullptr;
    const auto actions = menu->actions();
    for (const IconMenuItem& item : items_) {
        if (item.hMenu != menu || !item.Action || item.AccKey.isEmpty()) continue;
        if (QString::compare(item.AccKey, character, Qt::CaseInsensitive) != 0) continue;
        if (!item.Action->isVisible() || !actions.contains(item.Action.data())) continue;
        chosen = item.Action;
    }
    if (!chosen) return false;
    if (!chosen->isEnabled()) return true;
    menu->setActiveAction(chosen);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(menu, &enter);
    return true;
}

}  // namespace quenby::menus

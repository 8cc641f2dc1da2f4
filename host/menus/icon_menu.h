// Menus with icons: every item of a window's menu bar, and of the menus
// below it, is measured and drawn by us (through IconMenuStyle) with an
// icon cell at its left, the icon being the picture of the image list whose
// key is the item's caption. Menu characters pick the last item whose access
// key matches.
//
// Use, in this order: construct, SetTargetWnd(window) once the window's
// menus are built, SetMenuDefaultImage(list), SetIconMenu(), then the cell
// size (SetIconWidth/SetIconHeight); UnSetIconMenu() when the window closes.
#pragma once

#include <QAction>
#include <QHash>
#include <QList>
#include <QMenu>
#include <QMenuBar>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStyle>
#include <memory>
#include <vector>

#include "host/common/image_list.h"

class QFont;

namespace quenby::menus {

class IconMenuStyle;

// One registered menu item. The field names are the ones the rest of the
// program knows the menu items by.
struct IconMenuItem {
    QString Key;                // the caption: the collection's key
    int Index = 0;              // running number at registration
    QPointer<QWidget> hMenu;    // the QMenu or QMenuBar that holds the item
    QPointer<QMenu> hSubMenu;   // the menu the item opens, or null
    int ID = 0;                 // command identifier (IconMenu::kIdProperty), else Position
    QString Caption;            // text before the first tab
    QString ShortCut;           // text after the first tab, or the action's shortcut
    QString AccKey;             // the character after the first "&" of the caption, or empty
    int Position = 0;           // zero-based place in its menu (separators count)
    bool FontBold = false;
    bool FontItalic = false;
    bool FontUnderline = false;
    QPointer<QAction> Action;   // the item itself
};

// An item's caption and shortcut as its menu presents them: the text before
// and after the first tab (cut at a NUL, should one be there), or the whole
// text and the action's own shortcut.
struct ItemText {
    QString caption;
    QString shortcut;
};
ItemText SplitItemText(const QAction* action);

// The character right after the first "&" of a caption (so "&&" gives "&"),
// or empty when there is none.
QString AccessKeyOf(const QString& caption);

class IconMenu final : public QObject {
    Q_OBJECT

public:
    // An integer property of a QAction: its command identifier. Without it
    // (or with 0) an item's ID is its position, as for items that open a
    // submenu.
    static constexpr const char* kIdProperty = "quenbyId";
    // The property each registered action carries: its Index.
    static constexpr const char* kIndexProperty = "quenbyIconMenuIndex";

    explicit IconMenu(QObject* parent = nullptr);
    ~IconMenu() override;
    IconMenu(const IconMenu&) = delete;
    IconMenu& operator=(const IconMenu&) = delete;

    // The window whose menu bar is handled; setting it also takes that
    // window's menu bar (a QMainWindow's menu widget, else the menu bar of
    // the window's layout or a direct child). Null when it has none.
    void SetTargetWnd(QWidget* window);
    QWidget* TargetWnd() const { return target_; }
    QMenuBar* hMenu() const { return menuBar_; }

    // The icons. Setting the list also sets the cell to its image size.
    void SetMenuDefaultImage(const ImageList& images);
    const ImageList& MenuDefaultImage() const { return images_; }
    bool HasMenuDefaultImage() const { return hasImages_; }

    // The icon cell is IconWidth + 2 by IconHeight + 2 pixels. A new value
    // is taken only once an image list is set, and only when it is larger
    // than the list's image width (height); anything else is ignored.
    int IconWidth() const { return iconWidth_; }
    int IconHeight() const { return iconHeight_; }
    void SetIconWidth(int width);
    void SetIconHeight(int height);

    // 0 plain highlight, 1 highlight with a raised frame round the icon,
    // 2 raised-button look without the highlight colour. Other values draw
    // as 0.
    int Style() const { return style_; }
    void SetStyle(int style);

    // Registers every item of the menu tree (not separators, hidden items
    // or widget items) and puts our measuring, drawing and menu characters
    // on the menu bar and its menus. Items added afterwards are drawn by the
    // plain style. Nothing happens without a menu bar. Called again, it
    // takes the previous installation off and registers the tree anew.
    void SetIconMenu();
    // Takes the style and the key handling off again: the menus are plain
    // Qt menus afterwards. The registered items stay.
    void UnSetIconMenu();
    bool IsSet() const { return installed_; }

    // The key of the last item whose Index is id, or an empty string.
    QString GetIDtoKey(int id) const;
    // The zero-based index of the picture with this key, or -1.
    int GetImageIndex(const QString& key) const;

    // Every registered item, in registration order (Index order).
    const std::vector<IconMenuItem>& IconMenuItems() const { return items_; }
    // The item under a key. When several items share a caption the latest
    // registered one holds the key (the earlier ones stay in the list and
    // are still found by Index).
    const IconMenuItem* Item(const QString& key) const;
    // The item registered for this action in this menu (or menu bar), or
    // null.
    const IconMenuItem* ItemFor(const QWidget* menu, const QAction* action) const;

    // The font an item is drawn in: the application's default font for the
    // widget with the item's bold, italic and underline flags. An item that
    // is not registered gets the plain default.
    QFont ItemFont(const IconMenuItem* item, const QWidget* widget) const;
    // Sets an item's font flags (the item is found by key, as the
    // collection has it). False when no item has that key.
    bool SetItemFont(const QString& key, bool bold, bool italic, bool underline);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Register(QWidget* menu, QAction* action, int position);
    void Walk(QWidget* menu);
    bool MenuChar(QMenu* menu, const QString& character);

    QPointer<QWidget> target_;
    QPointer<QMenuBar> menuBar_;
    ImageList images_;
    bool hasImages_ = false;
    int iconWidth_ = 16;
    int iconHeight_ = 16;
    int style_ = 0;
    int counter_ = 0;
    std::vector<IconMenuItem> items_;
    QHash<QString, std::size_t> byKey_;

    // What SetIconMenu changed, to put it back.
    struct Styled {
        QPointer<QWidget> widget;
        QPointer<QStyle> previous;  // the widget's own style before, or null
        bool hadOwnStyle = false;
    };
    bool installed_ = false;
    std::unique_ptr<IconMenuStyle> proxy_;
    QList<Styled> styled_;
    QList<QPointer<QMenu>> filtered_;
};

}  // namespace quenby::menus

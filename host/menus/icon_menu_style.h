// The style an IconMenu puts on its menu bar and menus: it measures and
// draws the registered items (icon cell, text, shortcut, check mark and the
// selection look of IconMenu::Style) and leaves everything else (frames,
// separators, the submenu arrow itself, items it does not know) to the
// style underneath. Fonts come from the application, colours from the
// palette of the option Qt passes in.
#pragma once

#include <QProxyStyle>

class QPainter;
class QStyleOptionMenuItem;

namespace quenby::menus {

class IconMenu;
struct IconMenuItem;

class IconMenuStyle final : public QProxyStyle {
    Q_OBJECT

public:
    // Room beside the icon cell: the text starts this far right of the
    // cell, and the shortcut ends this far left of the item's right edge.
    static constexpr int kTextGap = 4;
    static constexpr int kShortcutMargin = 12;
    // The inset of a menu-bar item's text on each side.
    static constexpr int kBarTextInset = 4;

    // baseKey names the style to draw the rest with (a QStyleFactory key;
    // empty for the platform's default).
    IconMenuStyle(const IconMenu& owner, const QString& baseKey);

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;

private:
    const IconMenuItem* FindItem(const QStyleOptionMenuItem* option, const QWidget* widget, bool byPlace) const;
    QSize MenuItemSize(const IconMenuItem* item, const QWidget* widget) const;
    QSize BarItemSize(const QStyleOptionMenuItem* option, const QSize& size, const IconMenuItem* item,
                      const QWidget* widget) const;
    void DrawItem(const QStyleOptionMenuItem* option, QPainter* painter, const IconMenuItem* item,
                  const QWidget* widget, bool bar) const;

    const IconMenu& owner_;
};

}  // namespace quenby::menus

#include "host/menus/icon_menu_style.h"

#include <QAction>
#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPaintDevice>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QStyleOptionMenuItem>
#include <qdrawutil.h>

#include <string_view>

#include "host/common/byte_helpers.h"
#include "host/menus/icon_menu.h"

namespace quenby::menus {
namespace {

constexpr char16_t kIdeographicSpace = u'\u3000';

// What an item is measured by: the caption, and with a shortcut an
// ideographic space and the shortcut.
QString MeasuredText(const ItemText& t) {
    if (t.shortcut.isEmpty()) return t.caption;
    return t.caption + QChar(kIdeographicSpace) + t.shortcut;
}

std::int32_t ByteLength(const QString& s) {
    return LenBin(std::u16string_view(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size())));
}

int TextWidth(const QFont& font, const QString& text) {
    return QFontMetrics(font).size(Qt::TextSingleLine | Qt::TextShowMnemonic, text).width();
}

QString CaptionOf(const QString& presented) { return presented.section(QLatin1Char('\t'), 0, 0); }

QString ShortcutOf(const QString& presented) {
    const qsizetype tab = presented.indexOf(QLatin1Char('\t'));
    return tab < 0 ? QString() : presented.mid(tab + 1);
}

bool IsItemOption(const QStyleOptionMenuItem* mi) {
    return mi && (mi->menuItemType == QStyleOptionMenuItem::Normal ||
                  mi->menuItemType == QStyleOptionMenuItem::DefaultItem ||
                  mi->menuItemType == QStyleOptionMenuItem::SubMenu);
}

}  // namespace

IconMenuStyle::IconMenuStyle(const IconMenu& owner, const QString& baseKey)
    : QProxyStyle(baseKey.isEmpty() ? nullptr : QStyleFactory::create(baseKey)), owner_(owner) {}

const IconMenuItem* IconMenuStyle::FindItem(const QStyleOptionMenuItem* option, const QWidget* widget,
                                            bool byPlace) const {
    if (!widget) return nullptr;
    // While painting, the item under the option's rectangle is the one
    // drawn. While measuring, the menu is still laying itself out and must
    // not be asked for places, so the caption identifies the item (the
    // first of equal captions).
    if (byPlace) {
        QAction* at = nullptr;
        if (const auto* menu = qobject_cast<const QMenu*>(widget)) at = menu->actionAt(option->rect.center());
        else if (const auto* bar = qobject_cast<const QMenuBar*>(widget)) at = bar->actionAt(option->rect.center());
        if (at) return owner_.ItemFor(widget, at);
    }
    const QString caption = CaptionOf(option->text);
    const auto actions = widget->actions();
    for (const QAction* a : actions) {
        if (a->isSeparator() || !a->isVisible()) continue;
        if (SplitItemText(a).caption != caption) continue;
        if (const IconMenuItem* item = owner_.ItemFor(widget, a)) return item;
    }
    return nullptr;
}

QSize IconMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                      const QWidget* widget) const {
    const auto* mi = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (type == CT_MenuItem && mi && mi->menuItemType == QStyleOptionMenuItem::Separator && mi->text.isEmpty() &&
        qobject_cast<const QMenu*>(widget)) {
        // A separator keeps the style's height but claims no width: the
        // menu is as wide as its items say.
        return {1, QProxyStyle::sizeFromContents(type, option, size, widget).height()};
    }
    if ((type == CT_MenuItem || type == CT_MenuBarItem) && IsItemOption(mi)) {
        if (const IconMenuItem* item = FindItem(mi, widget, false)) {
            if (type == CT_MenuItem && qobject_cast<const QMenu*>(widget)) return MenuItemSize(item, widget);
            if (type == CT_MenuBarItem && qobject_cast<const QMenuBar*>(widget))
                return BarItemSize(mi, size, item, widget);
        }
    }
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}

// Every item of a drop-down is as wide as the longest text of the menu
// needs, the longest being counted in Shift_JIS bytes (what the menus have
// always been measured by), so all items of one menu line up.
QSize IconMenuStyle::MenuItemSize(const IconMenuItem* item, const QWidget* widget) const {
    const auto* menu = static_cast<const QMenu*>(widget);
    QString longest;
    std::int32_t longestBytes = -1;
    int shortcutColumn = 0;
    const QFontMetrics menuMetrics = menu->fontMetrics();
    const auto actions = menu->actions();
    for (const QAction* a : actions) {
        if (a->isSeparator() || !a->isVisible()) continue;
        const ItemText t = SplitItemText(a);
        // QMenu adds a column as wide as its widest shortcut to what we
        // answer; our measure already holds the shortcuts, so that column
        // is taken off again. A drop-down of a menu bar shows every
        // shortcut, so every one counts. (A menu popped up on its own, as a
        // context menu, may leave out the shortcuts kept only in the
        // actions; it then comes out narrower by up to their width.)
        if (!t.shortcut.isEmpty()) shortcutColumn = qMax(shortcutColumn, menuMetrics.horizontalAdvance(t.shortcut));
        if (!owner_.ItemFor(widget, a)) continue;
        const QString text = MeasuredText(t);
        const std::int32_t bytes = ByteLength(text);
        if (bytes > longestBytes) {
            longestBytes = bytes;
            longest = text;
        }
    }
    const int textWidth = TextWidth(owner_.ItemFont(item, widget), longest);
    const int width = textWidth + owner_.IconWidth() + 2 + kTextGap + kShortcutMargin;
    return {qMax(0, width - shortcutColumn), owner_.IconHeight() + 2};
}

QSize IconMenuStyle::BarItemSize(const QStyleOptionMenuItem* option, const QSize& size, const IconMenuItem* item,
                                 const QWidget* widget) const {
    const QFont font = owner_.ItemFont(item, widget);
    const ItemText t{CaptionOf(option->text), ShortcutOf(option->text)};
    const int textWidth = TextWidth(font, MeasuredText(t));
    const bool hasIcon = owner_.MenuDefaultImage().Index(t.caption) > 0;
    const int extra = hasIcon ? owner_.IconWidth() + 2 : 0;
    // The bar's height is the style's; only the width is ours.
    const int height = QProxyStyle::sizeFromContents(CT_MenuBarItem, option, size, widget).height();
    return {textWidth + extra + 2 * kBarTextInset, height};
}

void IconMenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                const QWidget* widget) const {
    const auto* mi = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    const bool menuItem = element == CE_MenuItem && qobject_cast<const QMenu*>(widget);
    const bool barItem = element == CE_MenuBarItem && qobject_cast<const QMenuBar*>(widget);
    if ((menuItem || barItem) && IsItemOption(mi)) {
        if (const IconMenuItem* item = FindItem(mi, widget, true)) {
            DrawItem(mi, painter, item, widget, barItem);
            return;
        }
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void IconMenuStyle::DrawItem(const QStyleOptionMenuItem* option, QPainter* painter, const IconMenuItem* item,
                             const QWidget* widget, bool bar) const {
    const QRect r = option->rect;
    const QPalette& pal = option->palette;
    const int cellWidth = owner_.IconWidth() + 2;
    const int cellHeight = owner_.IconHeight() + 2;
    const QRect cell(r.left(), r.top(), cellWidth, cellHeight);
    const QString caption = CaptionOf(option->text);
    const QString shortcut = bar ? QString() : ShortcutOf(option->text);
    const ImageList& images = owner_.MenuDefaultImage();
    const int image = images.Index(caption);
    const bool hasIcon = image > 0;
    const bool enabled = option->state & State_Enabled;
    const bool selected = enabled && (option->state & State_Selected);
    const int look = owner_.Style();
    const bool checked = option->checkType != QStyleOptionMenuItem::NotCheckable && option->checked;

    painter->save();
    painter->setFont(owner_.ItemFont(item, widget));

    // A menu-bar item paints its own background: the bar's, from the style.
    if (bar) {
        QStyleOptionMenuItem area = *option;
        area.state &= ~(State_Selected | State_Sunken);
        area.menuItemType = QStyleOptionMenuItem::EmptyArea;
        QProxyStyle::drawControl(CE_MenuBarEmptyArea, &area, painter, widget);
    }

    const QRect textRect = r.adjusted((bar && !hasIcon) ? kBarTextInset : cellWidth + kTextGap, 0, 0, 0);
    const QRect shortcutRect = textRect.adjusted(0, 0, -kShortcutMargin, 0);
    int flags = Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
    if (!proxy()->styleHint(SH_UnderlineShortcut, option, widget)) flags |= Qt::TextHideMnemonic;
    const auto drawText = [&](const QColor& color, QPoint offset) {
        painter->setPen(color);
        painter->drawText(textRect.translated(offset), flags | Qt::AlignLeft, caption);
        if (!shortcut.isEmpty()) painter->drawText(shortcutRect.translated(offset), flags | Qt::AlignRight, shortcut);
    };

    QColor textColor = pal.color(bar ? QPalette::WindowText : QPalette::Text);
    if (!enabled) {
        // Embossed: the light colour one pixel down and right, the shadow
        // colour over it.
        drawText(pal.color(QPalette::Light), QPoint(1, 1));
        drawText(pal.color(QPalette::Dark), QPoint(0, 0));
    } else {
        if (selected && !bar && look != 2) {
            const QRect fill = (look == 1 && hasIcon) ? r.adjusted(cellWidth, 0, 0, 0) : r;
            painter->fillRect(fill, pal.brush(QPalette::Highlight));
            textColor = pal.color(QPalette::HighlightedText);
        }
        if (selected && !bar && look == 2) qDrawShadePanel(painter, r, pal, false, 1);
        drawText(textColor, QPoint(0, 0));
    }

    if (hasIcon) {
        const QSize size = images.ImageSize();
        const qreal dpr = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
        QPixmap pixmap = images.Pixmap(image, dpr, QIcon::Normal);
        if (!enabled) pixmap = proxy()->generatedIconPixmap(QIcon::Disabled, pixmap, option);
        const int dx = size.width() < cellWidth ? (cellWidth - size.width()) / 2 : 0;
        const int dy = size.height() < cellHeight ? (cellHeight - size.height()) / 2 : 0;
        proxy()->drawItemPixmap(painter, QRect(cell.topLeft() + QPoint(dx, dy), size), Qt::AlignCenter, pixmap);
    }
    if (selected && !bar && look == 1 && hasIcon) qDrawShadePanel(painter, cell, pal, false, 1);
    if (selected && bar) qDrawShadePanel(painter, r, pal, false, 1);

    if (checked && !bar) {
        if (!hasIcon) {
            // The mark is the one the style puts on checked menu items: its
            // check box (or radio button for a group), centred in the cell.
            const int side = qMin(proxy()->pixelMetric(PM_IndicatorWidth, option, widget),
                                  qMin(cellWidth, cellHeight) - 4);
            QStyleOptionButton mark;
            mark.QStyleOption::operator=(*option);
            mark.rect = QRect(0, 0, side, side);
            mark.rect.moveCenter(cell.center());
            mark.state = (option->state & State_Enabled) | State_On;
            const bool exclusive = option->checkType == QStyleOptionMenuItem::Exclusive;
            proxy()->drawPrimitive(exclusive ? PE_IndicatorRadioButton : PE_IndicatorCheckBox, &mark, painter, widget);
        }
        qDrawShadePanel(painter, cell, pal, !(selected && look == 2), 1);
    }

    if (!bar && option->menuItemType == QStyleOptionMenuItem::SubMenu) {
        // The arrow is the style's own; it only gets the colour of the text
        // it stands beside.
        const int dim = qMax(4, qMin(r.height() - 4, 8));
        QStyleOptionMenuItem arrow = *option;
        arrow.rect = QRect(r.right() - dim - 3, r.top() + (r.height() - dim) / 2, dim, dim);
        arrow.state = option->state & State_Enabled;
        const QColor arrowColor = enabled ? textColor : pal.color(QPalette::Dark);
        arrow.palette.setColor(QPalette::ButtonText, arrowColor);
        arrow.palette.setColor(QPalette::WindowText, arrowColor);
        arrow.palette.setColor(QPalette::Text, arrowColor);
        const bool rtl = option->direction == Qt::RightToLeft;
        proxy()->drawPrimitive(rtl ? PE_IndicatorArrowLeft : PE_IndicatorArrowRight, &arrow, painter, widget);
    }
    painter->restore();
}

}  // namespace quenby::menus

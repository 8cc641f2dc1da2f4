// The markup the tag insertion dialogs build, as pure functions of what the
// dialogs hold: no window, no control. An empty result means "insert
// nothing"; the dialogs paste anything else over the selection as it is.
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace quenby::authoring {

// ---- Link -----------------------------------------------------------------

// The kind of link target the dialog's three option buttons stand for.
enum class UrlOption { Web = 0, Mail = 1, Other = 2 };

// "<A href=... accesskey=...>selection</A>", or "" when neither attribute
// is given. "設定しない" counts as no access key.
QString LinkMarkup(const QString& selection, const QString& target, const QString& accessKey);

// The option a typed target stands for, judged by its first seven characters.
UrlOption UrlOptionFor(const QString& target);

// The target after its option has been clicked: the option's prefix put in
// front of whatever the target keeps once the known prefixes are stripped.
QString TargetForOption(const QString& target, UrlOption option);

// What the target box tells the user once an option is chosen ("" for none).
QString TargetToolTip(UrlOption option);

// The thirteen access-key captions: "設定しない", then the handset keys in
// keypad order.
QStringList AccessKeyCaptions();

// ---- Image ----------------------------------------------------------------

// "<IMG src=... alt=...>" followed by the selection, or "" when neither
// attribute is given.
QString ImageMarkup(const QString& selection, const QString& source, const QString& alternative);

// ---- Font -----------------------------------------------------------------

// The size list, in the order it is offered.
QStringList FontSizes();

// "<FONT color=... size=...>selection</FONT>", or "" when neither is given.
QString FontMarkup(const QString& selection, const QString& size, const QString& colour);

struct ColourEntry {
    QString key;   // what goes into the colour box: "", "other" or "#RRGGBB"
    QString name;  // what the list shows
    QColor swatch; // how its swatch is filled at first
};

// The colour list in its order: "自動", "その他", then the named colours.
const std::vector<ColourEntry>& ColourTable();

// The key of the entry that asks for any colour.
inline constexpr char kOtherColourKey[] = "other";

// A colour as the system's colour question gives it (0x00BBGGRR) as
// "#RRGGBB".
QString ColourCodeFromSystem(std::uint32_t bgr);

// ---- Marquee --------------------------------------------------------------

QStringList MarqueeBehaviours();
QStringList MarqueeDirections();

// "<MARQUEE behavior=... direction=...>text</MARQUEE>"; index 0 (or any
// index outside the lists) adds no attribute. Never empty.
QString MarqueeMarkup(const QString& text, int behaviour, int direction);

}  // namespace quenby::authoring

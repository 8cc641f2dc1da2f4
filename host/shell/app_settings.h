// The application settings kept for the whole run, and how each kind of
// value is written in and read from the settings file. One object is made
// at start-up and handed to the windows that use it.
#pragma once

#include "host/common/number_text.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace quenby::shell {

struct AppSettings {
    bool ShowSplash = true;
    bool MouseAutoRefresh = true;
    bool TimeAutoRefresh = true;
    bool ToolbarCaption = true;
    std::uint32_t HTMLTagColor = 0;  // 0x00BBGGRR
    std::uint32_t HTMLTagColor2 = 0;
    std::uint32_t CommentTagColor = 0;
    QStringList FontNames;
    QStringList HTMLTagList;
    QStringList CommentTagList;
};

// The sections of the settings file.
inline const QString kSectionQuenby = QStringLiteral("Quenby");
inline const QString kSectionPreview = QStringLiteral("vUzezozi");

using quenby::LeadingNumber;
using quenby::WholeNumber;

// Option flags: written "True"/"False"; read as True when empty (the key is
// missing), when the text is "TRUE" in any case or starts with the number 1.
QString WriteOptionFlag(bool on);
bool ReadOptionFlag(const QString& value);

// Display flags of the editor: written "1"/"0"; any non-zero number is on,
// zero is off, anything else leaves the setting as it is.
QString WriteDisplayFlag(bool on);
std::optional<bool> ReadDisplayFlag(const QString& value);

// Colours: "&H" and upper-case hexadecimal without leading zeros; read as a
// number, "&H" hexadecimal accepted. Nothing when the text is no number.
QString WriteColour(std::uint32_t colour);
std::optional<std::uint32_t> ReadColour(const QString& value);
// The three tag colours: a stored 0, or text that is no number, means the
// default, so black cannot be chosen for them.
std::uint32_t ReadTagColour(const QString& value, std::uint32_t fallback);

// Font size in points: written with at most four decimals; read as the
// integer part of value + 0.25.
QString WriteFontSize(double points);
std::optional<int> ReadFontSize(const QString& value);

// Window geometry is stored in twips, 15 to the pixel.
inline constexpr int kTwipsPerPixel = 15;
std::optional<int> ReadInteger(const QString& value);

}  // namespace quenby::shell

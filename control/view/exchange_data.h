// Text crossing between the control and other programs, by the clipboard or
// by a drag. Other programs get Unicode text with every pictograph that has
// an emoji written as that emoji, so they show it; beside it goes the
// control's own format holding the bytes as they are, which a control
// taking the data prefers, so that a copy and paste, or a drag, between
// controls (or within one) keeps every byte.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <string>
#include <string_view>

class QMimeData;

namespace tarn::view {

// The control's own format: the bytes of the code page, unconverted.
QString BytesMimeType();

// Fills data with the text form and the control's own form of bytes.
void PutExchangeText(QMimeData& data, std::string_view bytes);

struct TExchangeText {
    std::string bytes;
    // Characters the code page cannot hold, each written as its default
    // character ('?'): emoji without a pictograph, most other scripts.
    std::size_t lost = 0;
};

// The bytes for data: the control's own form when it is there, else its
// text converted (emoji become their pictographs). The fallbacks stand in
// for data whose source no longer answers (see the drop).
TExchangeText TakeExchangeText(const QMimeData& data, const QByteArray& fallbackBytes = {},
                               const QString& fallbackText = {});

}  // namespace tarn::view

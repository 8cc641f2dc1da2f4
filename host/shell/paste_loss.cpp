#include "host/shell/paste_loss.h"

#include <QMimeData>

#include "platform/codepage/pictographs.h"

namespace quenby::shell {

std::size_t UnconvertibleCharacters(const QMimeData* data) {
    if (!data || data->hasFormat(kControlBytesMime) || !data->hasText()) return 0;
    // The same conversion the control applies: emoji with a pictograph
    // code arrive as that code and are not lost.
    return platform::codepage::EncodeForExchange(data->text().toStdU16String()).defaulted;
}

QString LostCharactersNote(std::size_t n) {
    if (n == 0) return {};
    return QStringLiteral("Shift_JIS にない %1 文字を「?」にして貼り付けました").arg(n);
}

}  // namespace quenby::shell

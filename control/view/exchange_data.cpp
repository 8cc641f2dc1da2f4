#include "control/view/exchange_data.h"

#include <QMimeData>

#include "platform/codepage/pictographs.h"

namespace tarn::view {

QString BytesMimeType() { return QStringLiteral("application/x-tarnedit-cp932"); }

void PutExchangeText(QMimeData& data, std::string_view bytes) {
    const std::u16string text = platform::codepage::DecodeForExchange(bytes).text;
    data.setText(QString::fromStdU16String(text));
    data.setData(BytesMimeType(), QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

TExchangeText TakeExchangeText(const QMimeData& data, const QByteArray& fallbackBytes, const QString& fallbackText) {
    TExchangeText out;
    QByteArray own = data.hasFormat(BytesMimeType()) ? data.data(BytesMimeType()) : QByteArray();
    if (own.isEmpty()) own = fallbackBytes;
    if (!own.isEmpty()) {
        out.bytes.assign(own.constData(), static_cast<std::size_t>(own.size()));
        return out;
    }
    QString text = data.hasText() ? data.text() : QString();
    if (text.isEmpty()) text = fallbackText;
    const platform::codepage::Encoded e = platform::codepage::EncodeForExchange(text.toStdU16String());
    out.bytes = e.bytes;
    out.lost = e.defaulted;
    return out;
}

}  // namespace tarn::view

// What a paste or a drop would lose: characters with no place in the code
// page, which the control writes as "?". The editor counts them so it can
// say so; the control itself only writes them.
#pragma once

#include <QString>
#include <cstddef>

class QMimeData;

namespace quenby::shell {

// The format in which controls hand each other their bytes unchanged; data
// that carries it loses nothing.
inline const QString kControlBytesMime = QStringLiteral("application/x-tarnedit-cp932");

std::size_t UnconvertibleCharacters(const QMimeData* data);

// The status bar's note for n lost characters, "" for none.
QString LostCharactersNote(std::size_t n);

}  // namespace quenby::shell

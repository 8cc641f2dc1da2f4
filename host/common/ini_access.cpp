#include "host/common/ini_access.h"

#include <cstring>

#include "platform/codepage/codepage.h"
#include "platform/profile/profile.h"

namespace quenby {
namespace {

std::string Bytes(const QString& s) {
    return platform::codepage::ToBytes(std::u16string_view(reinterpret_cast<const char16_t*>(s.utf16()), s.size()));
}

}  // namespace

QString GetINIValue(const QString& section, const QString& key, const std::filesystem::path& file) {
    char buffer[255] = {};
    platform::profile::GetPrivateProfileStringA(Bytes(section), Bytes(key), "", buffer, sizeof buffer, file);
    // Up to the first NUL, as the value is taken from the buffer.
    const std::u16string text = platform::codepage::ToUtf16(std::string_view(buffer, std::strlen(buffer)));
    return QString::fromStdU16String(text);
}

bool SetINIValue(const QString& section, const QString& key, const QString& value, const std::filesystem::path& file) {
    return platform::profile::WritePrivateProfileStringA(Bytes(section), Bytes(key), Bytes(value), file);
}

}  // namespace quenby

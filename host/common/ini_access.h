// Reading and writing one settings value. The settings file and skin files
// are profile files in CP932; the host's text crosses here.
#pragma once

#include <QString>
#include <filesystem>

namespace quenby {

// The value of key in section, "" when the file, the section or the key is
// missing. Read through a 255-character buffer, so at most 254 characters
// (bytes of the code page) come back.
QString GetINIValue(const QString& section, const QString& key, const std::filesystem::path& file);

// Writes the value; false when the file could not be written.
bool SetINIValue(const QString& section, const QString& key, const QString& value, const std::filesystem::path& file);

}  // namespace quenby

// Profile (INI) files as the design reads and writes them: the settings file
// beside the program and the skin files. Names and values are CP932 bytes.
//
// Each read takes the file afresh; nothing is cached, because two running
// copies of the program share one settings file and a stale value would be
// worse than reading a few kilobytes again.
//
// A write reads the file, changes the one line concerned, writes the result
// to a new file in the same folder and renames it over the old one, all
// under an exclusive lock on "<file>.lock". So a reader sees the old file or
// the new one, never half of one, and two copies writing at once lose
// nothing. A symbolic link is written through: its target is replaced, the
// link stays. Only regular files are read; anything else (a folder, a pipe,
// a device) reads as a missing file and is never written over.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform::profile {

// Copies the value of `key` in the first section named `section` of `file`,
// or `defaultValue` without its trailing blanks when the file, the section
// or the key is missing. The value (or default) is taken up to its first NUL
// byte and cut to size - 1 bytes; the buffer is always NUL-terminated when
// size > 0. Returns the number of bytes copied, the terminating NUL not
// counted. With no buffer or a size of 0 nothing is copied and 0 returned.
std::uint32_t GetPrivateProfileStringA(std::string_view section, std::string_view key,
                                       std::string_view defaultValue, char* buffer, std::uint32_t size,
                                       const std::filesystem::path& file);

// The same result as a string: what GetPrivateProfileStringA would copy into
// a buffer of bufferSize bytes, or the whole value when bufferSize is 0.
std::string GetPrivateProfileString(std::string_view section, std::string_view key, std::string_view defaultValue,
                                    const std::filesystem::path& file, std::size_t bufferSize = 0);

// Sets `key` in `section` to `value`, or deletes the key when there is no
// value. The file is created by the first write (its folder is not). Returns
// false, leaving the file as it was, when a name holds "]", "=", CR, LF or
// NUL, a key is empty or begins with ";" or "[", a section ends in a lone
// lead byte, the value holds CR, LF or NUL, the existing file cannot be read or is read-only, or the new file
// cannot be written whole. Deleting a key that is not there succeeds and
// changes nothing; a write that would not change a byte does not touch the
// file.
bool WritePrivateProfileStringA(std::string_view section, std::string_view key,
                                std::optional<std::string_view> value, const std::filesystem::path& file);

}  // namespace platform::profile

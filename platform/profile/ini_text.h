// The INI text itself, apart from any file: finding a value in the bytes of
// a profile file and computing the bytes after a write. Kept free of I/O so
// that the rules can be tested and fuzzed on strings alone.
//
// The text is CP932. Every byte the format cares about (blanks, CR, LF, "=",
// ";", '"') is below 0x40 and so can never be the trail byte of a double-byte
// character, except "]" and the ASCII letters: those are looked at with the
// double-byte characters stepped over whole.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform::profile {

// Space and tab; nothing else counts as a blank around names and values.
constexpr bool IsBlank(char c) noexcept { return c == ' ' || c == '\t'; }
std::string_view TrimBlanks(std::string_view s) noexcept;
std::string_view TrimTrailingBlanks(std::string_view s) noexcept;

// Section and key names compare with ASCII letters folded; the two bytes of a
// double-byte character compare exactly, so a trail byte that happens to be
// a letter is never folded.
bool NamesEqual(std::string_view a, std::string_view b) noexcept;

// The value of `key` in the first section named `section` (names trimmed
// before comparing): trimmed, one pair of enclosing double quotes removed,
// otherwise as stored (a NUL byte included). Nothing when the section or the
// key is missing, or the key name is empty.
std::optional<std::string_view> FindValue(std::string_view text, std::string_view section, std::string_view key);

// Whether a name or a value could be written and then found again. Names are
// judged after trimming; "]", "=", CR, LF and NUL are never allowed, and a key
// may not be empty nor begin with ";" (a comment) or "[" (a section header),
// and a section may not end in a lone lead byte (it would swallow the "]").
// A value may hold anything but CR, LF and NUL.
bool IsWritableSectionName(std::string_view section) noexcept;
bool IsWritableKeyName(std::string_view key) noexcept;
bool IsWritableValue(std::string_view value) noexcept;

// The file's bytes after writing `value` to `key` in `section` (deleting the
// key when there is no value). Every byte outside the one line replaced,
// inserted or removed is kept. Returns the text unchanged when there is
// nothing to do, and nothing when a name or the value cannot be written.
std::optional<std::string> ApplyWrite(std::string_view text, std::string_view section, std::string_view key,
                                      std::optional<std::string_view> value);

}  // namespace platform::profile

// Reading a document file into text: a UTF-8 page is recognised and decoded,
// everything else is taken as the code page (Shift_JIS).
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace quenby {

enum class ReadStatus {
    Ok,
    Empty,       // the file exists and holds no bytes
    Missing,     // no such file (or a path component is not a folder)
    Unreadable,  // exists but cannot be opened or read: permission, a folder, a device, an I/O error
};

struct TextFile {
    std::u16string text;
    ReadStatus status = ReadStatus::Missing;
    bool utf8 = false;  // recognised and decoded as UTF-8
    // Characters that will not survive as Shift_JIS: the replacements the
    // UTF-8 decoding made, plus decoded characters the code page cannot hold
    // (they turn into '?' when the text goes into the editor). A character
    // outside the BMP counts once, and so does every surrogate code point a
    // UTF-8 page spelt out directly. Always 0 for a Shift_JIS file: its
    // invalid bytes are carried through unchanged.
    std::size_t lost = 0;
    std::string error;  // the system's reason when Unreadable
};

// The whole file as text with what happened on the way.
TextFile ReadTextFileChecked(const std::filesystem::path& path);

// The plain reader: "" when the path is empty, the file cannot be opened or
// read, or it is empty.
std::u16string ReadTextFile(const std::filesystem::path& path);

// The code page decoding the reader uses: the same text as
// platform::codepage::Decode (invalid bytes become U+DC80..U+DCFF), from a
// table of the converter's answers taken once.
std::u16string DecodeCodePage(std::string_view bytes);

}  // namespace quenby

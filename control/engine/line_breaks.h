// Line breaks in text that comes in to be inserted. The store knows only
// CR LF as a line end and NUL as the end of the document, so a lone CR, a
// lone LF or a NUL inside inserted text would leave a stored line whose
// ending lies about where the text line ends.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarn {

// CR LF stays; a lone CR or a lone LF becomes CR LF; NUL bytes are dropped
// (as the file loaders drop them). None of these bytes can be the trail
// byte of a double-byte character, so the scan is by bytes.
std::string NormalizeLineBreaks(std::string_view text);
inline bool HasCrLf(std::string_view s) noexcept { return s.find("\r\n") != std::string_view::npos; }

// The lines of a box text: CR LF, CR or LF end a line, and a final break
// adds no empty line. An empty text has no lines.
std::vector<std::string> SplitBoxLines(std::string_view text);

}  // namespace tarn

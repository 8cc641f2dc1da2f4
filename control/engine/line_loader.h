// Splitting text into stored lines, and reading and writing the files the
// editor opens and saves.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tarn {

class TTarnStrings;

// Splits a text fed in pieces the way the store splits a whole text: a CR
// ends a line together with the byte after it, a NUL ends a line and stays
// in it. The last line either receives the terminating NUL of the text
// (kTerminateLast) or is inserted open, without an ending (kOpenLast).
class TextSplitter {
public:
    enum Mode { kTerminateLast, kOpenLast };
    TextSplitter(TTarnStrings& store, Mode mode);
    TextSplitter(TTarnStrings& store, Mode mode, int insertAt);
    void Feed(std::string_view bytes);
    void Finish();
    int NextIndex() const noexcept { return next_; }

private:
    void Emit(std::string line);
    TTarnStrings& store_;
    Mode mode_;
    int next_;
    std::string cur_;
    bool afterCR_ = false;
    const char* nextNul_ = nullptr;  // within the piece being fed
};

// How a file's line breaks are read: by the first break in the file.
enum class LineBreakKind { CRLF = 0, CR = 1, LF = 2, Empty = 3 };

// Throws EFileError when the file cannot be opened or read.
LineBreakKind DetectLineBreak(const std::filesystem::path& name);

// Fills an empty store from a file; throws EFileError on failure.
void LoadLinesFromFile(const std::filesystem::path& name, TTarnStrings& store);

// Writes every stored line as stored, the last one without its final NUL.
// The new content is written beside the file and replaces it only once it
// was written completely, so a failed save leaves the old file as it was.
void SaveLinesToFile(const std::filesystem::path& name, const TTarnStrings& store);

}  // namespace tarn

// Splitting text into stored lines, and reading and writing the files the
// editor opens and saves.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace tarn {

class TTarnStrings;

// Splits a text fed in pieces the way the store splits a whole text: a CR
// ends a line together with the byte after it, a NUL ends a line and stays
// in it. The last line either receives the terminating NUL of the text
// (kTerminateLast) or is inserted open, without an ending (kOpenLast).
// The lines go into a store from insertAt on, or to a sink in order.
class TextSplitter {
public:
    enum Mode { kTerminateLast, kOpenLast };
    using Sink = std::function<void(std::string&&)>;
    TextSplitter(TTarnStrings& store, Mode mode);
    TextSplitter(TTarnStrings& store, Mode mode, int insertAt);
    TextSplitter(Mode mode, Sink sink);
    void Feed(std::string_view bytes);
    void Finish();
    int NextIndex() const noexcept { return next_; }

private:
    void Emit(std::string line);
    TTarnStrings* store_ = nullptr;
    Sink sink_;
    Mode mode_;
    int next_ = 0;
    std::string cur_;
    bool afterCR_ = false;
    const char* nextNul_ = nullptr;  // within the piece being fed
};

// How a file's line breaks are read: by the first break in the file.
enum class LineBreakKind { CRLF = 0, CR = 1, LF = 2, Empty = 3 };

// Finds the break kind of bytes fed in pieces from the start of a file.
class BreakDetector {
public:
    // True once the kind is decided; later pieces change nothing.
    bool Feed(std::string_view bytes);
    LineBreakKind Kind() const noexcept;

private:
    std::size_t offset_ = 0;
    bool any_ = false;
    bool pendingCR_ = false;
    bool decided_ = false;
    LineBreakKind kind_ = LineBreakKind::Empty;
};

// An open file descriptor, closed on every path out.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd();
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    Fd(Fd&& o) noexcept : fd_(o.release()) {}
    Fd& operator=(Fd&&) = delete;
    int get() const noexcept { return fd_; }
    int release() noexcept {
        const int f = fd_;
        fd_ = -1;
        return f;
    }
    void reset() noexcept;  // closes it now

private:
    int fd_;
};

// Throws EFileError when the file cannot be opened or read.
LineBreakKind DetectLineBreak(const std::filesystem::path& name);

// Splits a file whose breaks are one byte (CR alone or LF alone): the break
// closes a line, which is stored with CR LF; NUL bytes are dropped; the
// last line receives the terminating NUL.
class BreakByteSplitter {
public:
    BreakByteSplitter(char breakByte, TextSplitter::Sink sink) : break_(breakByte), sink_(std::move(sink)) {}
    void Feed(std::string_view bytes);
    void Finish();

private:
    char break_;
    TextSplitter::Sink sink_;
    std::string cur_;
};

// A piece of a file as read, in memory of its own asked for in large pages
// where the system has them: copying a long file into small fresh pages
// costs more in page faults than the copy itself.
class FileBlock {
public:
    FileBlock() = default;
    // Throws std::bad_alloc when the memory cannot be had.
    explicit FileBlock(std::size_t capacity);
    ~FileBlock();
    FileBlock(FileBlock&& o) noexcept;
    FileBlock& operator=(FileBlock&& o) noexcept;
    FileBlock(const FileBlock&) = delete;
    FileBlock& operator=(const FileBlock&) = delete;

    char* Data() noexcept { return data_; }
    std::size_t size = 0;  // bytes read into it
    std::string_view View() const noexcept { return {data_, size}; }

private:
    char* data_ = nullptr;
    std::size_t capacity_ = 0;
};

// Reads a file a block at a time. Another program rewriting the file in
// place between two blocks is a read error, not a document made of two
// versions; one that replaces it by a new file does not disturb the read.
class BlockReader {
public:
    // Throws EFileError when the file cannot be opened.
    explicit BlockReader(const std::filesystem::path& name);

    // The next block, empty at the end; throws EFileError.
    FileBlock Next(std::size_t blockSize);
    bool AtEnd() const noexcept { return end_; }
    // The size the file had when it was opened.
    std::int64_t Size() const noexcept { return size_; }

private:
    std::filesystem::path name_;
    Fd fd_;
    std::int64_t size_ = 0;
    std::int64_t read_ = 0;
    std::int64_t mtimeSec_ = 0;
    long mtimeNsec_ = 0;
    bool end_ = false;
};

// Writes every stored line as stored, the last one without its final NUL.
// The new content is written beside the file and replaces it only once it
// was written completely, so a failed save leaves the old file as it was.
void SaveLinesToFile(const std::filesystem::path& name, const TTarnStrings& store);

}  // namespace tarn

#include "control/engine/line_loader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <utility>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "control/engine/tarn_strings.h"

namespace tarn {
namespace {

constexpr std::size_t kBlock = 1 << 16;

std::string Describe(const char* what, const std::filesystem::path& name, int err) {
    return std::string(what) + " \"" + name.string() + "\": " + std::strerror(err);
}

Fd OpenForReading(const std::filesystem::path& name) {
    Fd fd(::open(name.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) throw EFileError(Describe("cannot open", name, errno));
    struct stat st {};
    if (::fstat(fd.get(), &st) == 0 && S_ISDIR(st.st_mode)) throw EFileError(Describe("cannot open", name, EISDIR));
    return fd;
}

// Reads up to n bytes; 0 at end of file; throws on error.
std::size_t ReadSome(int fd, char* buf, std::size_t n, const std::filesystem::path& name) {
    for (;;) {
        ssize_t r = ::read(fd, buf, n);
        if (r >= 0) return static_cast<std::size_t>(r);
        if (errno != EINTR) throw EFileError(Describe("cannot read", name, errno));
    }
}

}  // namespace

Fd::~Fd() { reset(); }

void Fd::reset() noexcept {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

TextSplitter::TextSplitter(TTarnStrings& store, Mode mode) : TextSplitter(store, mode, store.Count()) {}
TextSplitter::TextSplitter(TTarnStrings& store, Mode mode, int insertAt)
    : store_(&store), mode_(mode), next_(insertAt) {}
TextSplitter::TextSplitter(Mode mode, Sink sink) : sink_(std::move(sink)), mode_(mode) {}

void TextSplitter::Emit(std::string line) {
    if (store_) store_->Insert(next_, std::move(line));
    else sink_(std::move(line));
    ++next_;
}

void TextSplitter::Feed(std::string_view bytes) {
    const char* p = bytes.data();
    const char* end = p + bytes.size();
    nextNul_ = nullptr;
    while (p < end) {
        if (afterCR_) {
            cur_.push_back(*p++);
            afterCR_ = false;
            Emit(std::move(cur_));
            cur_ = std::string();
            continue;
        }
        // The next CR or NUL: a NUL is rare in text, so its position is
        // looked up once and kept until the scan passes it.
        if (nextNul_ < p || nextNul_ > end) {
            nextNul_ = static_cast<const char*>(std::memchr(p, '\0', static_cast<std::size_t>(end - p)));
            if (!nextNul_) nextNul_ = end;
        }
        const char* q = static_cast<const char*>(std::memchr(p, '\r', static_cast<std::size_t>(nextNul_ - p)));
        if (!q) q = nextNul_;
        if (q == end) {
            cur_.append(p, end);
            return;
        }
        if (*q == '\0') {
            if (cur_.empty()) {
                Emit(std::string(p, q + 1));
            } else {
                cur_.append(p, q + 1);
                Emit(std::move(cur_));
                cur_ = std::string();
            }
            p = q + 1;
        } else if (q + 1 < end) {
            // CR and the byte after it, both in this piece.
            if (cur_.empty()) {
                Emit(std::string(p, q + 2));
            } else {
                cur_.append(p, q + 2);
                Emit(std::move(cur_));
                cur_ = std::string();
            }
            p = q + 2;
        } else {
            cur_.append(p, q + 1);
            afterCR_ = true;
            p = q + 1;
        }
    }
}

void TextSplitter::Finish() {
    if (afterCR_) {
        // The byte after a final CR is the text's own terminator.
        if (mode_ == kTerminateLast) cur_.push_back('\0');
        afterCR_ = false;
        Emit(std::move(cur_));
    } else if (!cur_.empty()) {
        if (mode_ == kTerminateLast) cur_.push_back('\0');
        Emit(std::move(cur_));
    }
    cur_ = std::string();
}

bool BreakDetector::Feed(std::string_view bytes) {
    // Within the first 1024 bytes a NUL decides as well (it ends the window);
    // past them only a real break does, so that a first line longer than the
    // window still keeps its line breaks.
    constexpr std::size_t kWindow = 1024;
    if (decided_) return true;
    if (!bytes.empty()) any_ = true;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (pendingCR_) {
            kind_ = c == '\n' ? LineBreakKind::CRLF : LineBreakKind::CR;
            return decided_ = true;
        }
        if (c == '\r') {
            pendingCR_ = true;
        } else if (c == '\n') {
            kind_ = LineBreakKind::LF;
            return decided_ = true;
        } else if (c == '\0' && offset_ + i < kWindow) {
            kind_ = LineBreakKind::CR;
            return decided_ = true;
        }
    }
    offset_ += bytes.size();
    return false;
}

LineBreakKind BreakDetector::Kind() const noexcept {
    if (decided_) return kind_;
    // A lone CR at the very end, or no break at all: one line.
    return any_ ? LineBreakKind::CR : LineBreakKind::Empty;
}

LineBreakKind DetectLineBreak(const std::filesystem::path& name) {
    Fd fd = OpenForReading(name);
    std::vector<char> buf(kBlock);
    BreakDetector detector;
    for (;;) {
        const std::size_t n = ReadSome(fd.get(), buf.data(), buf.size(), name);
        if (n == 0 || detector.Feed(std::string_view(buf.data(), n))) break;
    }
    return detector.Kind();
}

void BreakByteSplitter::Feed(std::string_view bytes) {
    const char* p = bytes.data();
    const char* end = p + bytes.size();
    const char* nextNul = static_cast<const char*>(std::memchr(p, '\0', bytes.size()));
    if (!nextNul) nextNul = end;
    while (p < end) {
        const char* brk = static_cast<const char*>(std::memchr(p, break_, static_cast<std::size_t>(end - p)));
        if (!brk) brk = end;
        if (nextNul < p) {
            nextNul = static_cast<const char*>(std::memchr(p, '\0', static_cast<std::size_t>(end - p)));
            if (!nextNul) nextNul = end;
        }
        if (nextNul < brk) {
            cur_.append(p, nextNul);
            p = nextNul + 1;
            continue;
        }
        if (brk == end) {
            cur_.append(p, end);
            break;
        }
        if (cur_.empty()) {
            std::string line;
            line.reserve(static_cast<std::size_t>(brk - p) + 2);
            line.append(p, brk);
            line.append("\r\n", 2);
            sink_(std::move(line));
        } else {
            cur_.append(p, brk);
            cur_.append("\r\n", 2);
            sink_(std::move(cur_));
            cur_ = std::string();
        }
        p = brk + 1;
    }
}

void BreakByteSplitter::Finish() {
    // What follows the last break (perhaps nothing) ends the document.
    cur_.push_back('\0');
    sink_(std::move(cur_));
    cur_ = std::string();
}

FileBlock::FileBlock(std::size_t capacity) {
    void* p = ::mmap(nullptr, capacity, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    // A hint only: without large pages the block works the same.
    ::madvise(p, capacity, MADV_HUGEPAGE);
    data_ = static_cast<char*>(p);
    capacity_ = capacity;
}

FileBlock::~FileBlock() {
    if (data_) ::munmap(data_, capacity_);
}

FileBlock::FileBlock(FileBlock&& o) noexcept
    : size(std::exchange(o.size, 0)), data_(std::exchange(o.data_, nullptr)), capacity_(std::exchange(o.capacity_, 0)) {}

FileBlock& FileBlock::operator=(FileBlock&& o) noexcept {
    if (this != &o) {
        if (data_) ::munmap(data_, capacity_);
        size = std::exchange(o.size, 0);
        data_ = std::exchange(o.data_, nullptr);
        capacity_ = std::exchange(o.capacity_, 0);
    }
    return *this;
}

BlockReader::BlockReader(const std::filesystem::path& name) : name_(name), fd_(OpenForReading(name)) {
    struct stat st {};
    if (::fstat(fd_.get(), &st) == 0 && S_ISREG(st.st_mode)) {
        size_ = st.st_size;
        mtimeSec_ = st.st_mtim.tv_sec;
        mtimeNsec_ = st.st_mtim.tv_nsec;
    }
}

FileBlock BlockReader::Next(std::size_t blockSize) {
    if (end_) return FileBlock();
    if (read_ > 0) {
        struct stat st {};
        if (::fstat(fd_.get(), &st) == 0 && S_ISREG(st.st_mode) &&
            (st.st_size != size_ || st.st_mtim.tv_sec != mtimeSec_ || st.st_mtim.tv_nsec != mtimeNsec_))
            throw EFileError("\"" + name_.string() + "\" changed while it was being read");
    }
    // The last block is no larger than what is left of the file; a file
    // that is no regular file (or still grows) is read to its end.
    const std::int64_t left = size_ - read_;
    const std::size_t cap =
        left > 0 && left < static_cast<std::int64_t>(blockSize) ? static_cast<std::size_t>(left) + 1 : blockSize;
    FileBlock block(cap);
    while (block.size < cap) {
        const std::size_t n = ReadSome(fd_.get(), block.Data() + block.size, cap - block.size, name_);
        if (n == 0) break;
        block.size += n;
    }
    read_ += static_cast<std::int64_t>(block.size);
    if (block.size < cap) {
        end_ = true;
        fd_.reset();
    }
    return block;
}

namespace {

// Buffered writes to a descriptor, throwing on the first failure.
class Writer {
public:
    Writer(int fd, const std::filesystem::path& name) : fd_(fd), name_(name) { buf_.reserve(kBlock); }
    void Write(const char* p, std::size_t n) {
        if (buf_.size() + n > kBlock) Flush();
        if (n >= kBlock) {
            WriteAll(p, n);
        } else {
            buf_.append(p, n);
        }
    }
    void Flush() {
        WriteAll(buf_.data(), buf_.size());
        buf_.clear();
    }

private:
    void WriteAll(const char* p, std::size_t n) {
        while (n > 0) {
            ssize_t w = ::write(fd_, p, n);
            if (w < 0) {
                if (errno == EINTR) continue;
                throw EFileError(Describe("cannot write", name_, errno));
            }
            p += w;
            n -= static_cast<std::size_t>(w);
        }
    }
    int fd_;
    const std::filesystem::path& name_;
    std::string buf_;
};

void WriteLines(int fd, const std::filesystem::path& name, const TTarnStrings& store) {
    Writer w(fd, name);
    const int count = store.Count();
    for (int i = 0; i < count; ++i) {
        const std::string& s = store.Line(i);
        std::size_t n = s.size();
        if (i == count - 1 && n > 0 && s.back() == '\0') --n;
        w.Write(s.data(), n);
    }
    w.Flush();
}

}  // namespace

void SaveLinesToFile(const std::filesystem::path& name, const TTarnStrings& store) {
    std::error_code ec;
    std::filesystem::path target = name;
    // Replace what a link points at, not the link.
    if (std::filesystem::is_symlink(target, ec)) {
        auto resolved = std::filesystem::weakly_canonical(target, ec);
        if (!ec) target = resolved;
    }
    struct stat st {};
    bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode)) {
        // A device or pipe cannot be replaced; write to it directly.
        Fd fd(::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
        if (fd.get() < 0) throw EFileError(Describe("cannot open", name, errno));
        WriteLines(fd.get(), name, store);
        return;
    }
    std::filesystem::path dir = target.parent_path();
    std::string hidden(".");
    hidden += target.filename().string();
    hidden += ".XXXXXX";
    std::string tmpl = (dir.empty() ? std::filesystem::path(".") : dir) / hidden;
    std::vector<char> tmpName(tmpl.begin(), tmpl.end());
    tmpName.push_back('\0');
    Fd fd(::mkostemp(tmpName.data(), O_CLOEXEC));
    if (fd.get() < 0) throw EFileError(Describe("cannot create", name, errno));
    std::filesystem::path tmp(tmpName.data());
    try {
        mode_t mode;
        if (exists) {
            mode = st.st_mode & 07777;
        } else {
            mode_t mask = ::umask(0);
            ::umask(mask);
            mode = 0666 & ~mask;
        }
        ::fchmod(fd.get(), mode);
        WriteLines(fd.get(), name, store);
        if (::fsync(fd.get()) != 0) throw EFileError(Describe("cannot write", name, errno));
        if (::close(fd.release()) != 0) throw EFileError(Describe("cannot write", name, errno));
        if (::rename(tmp.c_str(), target.c_str()) != 0) throw EFileError(Describe("cannot replace", name, errno));
    } catch (...) {
        ::unlink(tmp.c_str());
        throw;
    }
}

}  // namespace tarn

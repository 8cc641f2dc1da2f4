#include "control/engine/line_loader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
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

// An open file descriptor, closed on every path out.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() { if (fd_ >= 0) ::close(fd_); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    Fd(Fd&& o) noexcept : fd_(o.release()) {}
    Fd& operator=(Fd&&) = delete;
    int get() const noexcept { return fd_; }
    int release() noexcept { int f = fd_; fd_ = -1; return f; }
private:
    int fd_;
};

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

std::int64_t FileSize(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return 0;
    return st.st_size;
}

// Walks a file with a single break byte: the break closes a line, which is
// stored with CR LF; NUL bytes are dropped.
void LoadWithBreakByte(int fd, const std::filesystem::path& name, char breakByte, TTarnStrings& store) {
    std::vector<char> buf(kBlock);
    std::string cur;
    auto closeLine = [&](std::string line) {
        line.append("\r\n", 2);
        store.Add(std::move(line));
    };
    for (;;) {
        std::size_t n = ReadSome(fd, buf.data(), buf.size(), name);
        if (n == 0) break;
        const char* p = buf.data();
        const char* end = p + n;
        const char* nextNul = static_cast<const char*>(std::memchr(p, '\0', n));
        if (!nextNul) nextNul = end;
        while (p < end) {
            const char* brk = static_cast<const char*>(std::memchr(p, breakByte, static_cast<std::size_t>(end - p)));
            if (!brk) brk = end;
            if (nextNul < p) {
                nextNul = static_cast<const char*>(std::memchr(p, '\0', static_cast<std::size_t>(end - p)));
                if (!nextNul) nextNul = end;
            }
            if (nextNul < brk) {
                cur.append(p, nextNul);
                p = nextNul + 1;
                continue;
            }
            if (brk == end) {
                cur.append(p, end);
                break;
            }
            if (cur.empty()) {
                std::string line;
                line.reserve(static_cast<std::size_t>(brk - p) + 2);
                line.append(p, brk);
                closeLine(std::move(line));
            } else {
                cur.append(p, brk);
                closeLine(std::move(cur));
                cur = std::string();
            }
            p = brk + 1;
        }
    }
    if (!cur.empty()) store.Add(std::move(cur));
    if (store.Count() == 0) {
        store.Add(std::string(1, '\0'));
        return;
    }
    const std::string& last = store.Line(store.Count() - 1);
    if (last.size() >= 2 && last.compare(last.size() - 2, 2, "\r\n") == 0) {
        store.Add(std::string(1, '\0'));
    } else {
        std::string s = last;
        s.push_back('\0');
        store.Put(store.Count() - 1, std::move(s));
    }
}

void LoadWholeCRLF(int fd, const std::filesystem::path& name, TTarnStrings& store) {
    std::vector<char> buf(kBlock);
    TextSplitter splitter(store, TextSplitter::kTerminateLast);
    for (;;) {
        std::size_t n = ReadSome(fd, buf.data(), buf.size(), name);
        if (n == 0) break;
        splitter.Feed(std::string_view(buf.data(), n));
    }
    // The NUL appended behind the file ends the document.
    splitter.Feed(std::string_view("\0", 1));
    splitter.Finish();
}

}  // namespace

TextSplitter::TextSplitter(TTarnStrings& store, Mode mode) : TextSplitter(store, mode, store.Count()) {}
TextSplitter::TextSplitter(TTarnStrings& store, Mode mode, int insertAt)
    : store_(store), mode_(mode), next_(insertAt) {}

void TextSplitter::Emit(std::string line) {
    store_.Insert(next_, std::move(line));
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

LineBreakKind DetectLineBreak(const std::filesystem::path& name) {
    Fd fd = OpenForReading(name);
    // Within the first 1024 bytes a NUL decides as well (it ends the window);
    // past them only a real break does, so that a first line longer than the
    // window still keeps its line breaks.
    constexpr std::size_t kWindow = 1024;
    std::vector<char> buf(kBlock);
    std::size_t offset = 0;
    bool any = false;
    bool pendingCR = false;
    for (;;) {
        std::size_t n = ReadSome(fd.get(), buf.data(), buf.size(), name);
        if (n == 0) break;
        any = true;
        for (std::size_t i = 0; i < n; ++i) {
            char c = buf[i];
            if (pendingCR) return c == '\n' ? LineBreakKind::CRLF : LineBreakKind::CR;
            if (c == '\r') {
                pendingCR = true;
            } else if (c == '\n') {
                return LineBreakKind::LF;
            } else if (c == '\0' && offset + i < kWindow) {
                return LineBreakKind::CR;
            }
        }
        offset += n;
    }
    if (!any) return LineBreakKind::Empty;
    // A lone CR at the very end, or no break at all: one line.
    return LineBreakKind::CR;
}

void LoadLinesFromFile(const std::filesystem::path& name, TTarnStrings& store) {
    LineBreakKind kind = DetectLineBreak(name);
    Fd fd = OpenForReading(name);
    store.Clear();
    if (kind == LineBreakKind::Empty) {
        store.Add(std::string(1, '\0'));
        return;
    }
    std::int64_t size = FileSize(fd.get());
    store.SetCapacity(static_cast<int>(std::min<std::int64_t>(TTarnStrings::kMaxCount, size / 28)));
    switch (kind) {
        case LineBreakKind::CRLF: LoadWholeCRLF(fd.get(), name, store); break;
        case LineBreakKind::CR: LoadWithBreakByte(fd.get(), name, '\r', store); break;
        case LineBreakKind::LF: LoadWithBreakByte(fd.get(), name, '\n', store); break;
        case LineBreakKind::Empty: break;
    }
    store.SetCapacity(store.Count());
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

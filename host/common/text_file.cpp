#include "host/common/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "host/common/byte_helpers.h"
#include "host/common/utf8.h"
#include "platform/codepage/codepage.h"

namespace quenby {
namespace {

namespace cp = platform::codepage;

constexpr std::size_t kUtf8Window = 1024;

// The converter decodes about 100 MB/s, too slow for large files. Its answer
// for every single byte and every lead/trail pair is taken once instead; the
// code page has no state, so decoding with these answers gives the same text
// byte for byte. Should the converter ever behave in a way the table cannot
// express (a pair that neither decodes to one character nor splits into its
// two bytes), the table is not used and the converter decodes directly.
struct CodePageTable {
    bool usable = true;
    bool asciiIdentity = true;                 // bytes below 0x80 are their own characters
    std::array<char16_t, 256> single{};        // a byte on its own: its character or its escape
    std::array<std::int8_t, 256> leadRow{};    // row in `pairs` of a lead byte, -1 otherwise
    std::array<std::array<char16_t, 256>, 60> pairs{};  // 0: the pair does not decode
};

const CodePageTable& Table() {
    static const auto table = [] {
        auto t = std::make_unique<CodePageTable>();
        for (int b = 0; b < 256; ++b) {
            const char byte = static_cast<char>(b);
            const auto d = cp::Decode(std::string_view(&byte, 1));
            if (d.text.size() != 1) t->usable = false;
            else t->single[b] = d.text[0];
            if (b < 0x80 && (d.text.size() != 1 || d.text[0] != b)) t->asciiIdentity = false;
        }
        t->leadRow.fill(-1);
        int row = 0;
        for (int lead = 0; lead < 256 && t->usable; ++lead) {
            if (!cp::IsLeadByte(static_cast<unsigned char>(lead))) continue;
            t->leadRow[lead] = static_cast<std::int8_t>(row);
            for (int trail = 0; trail < 256; ++trail) {
                const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                const auto d = cp::Decode(std::string_view(pair, 2));
                if (d.undecodable == 0 && d.text.size() == 1) {
                    t->pairs[row][trail] = d.text[0];
                } else if (!(d.text.size() == 2 && d.text[0] == t->single[lead] && d.text[1] == t->single[trail])) {
                    t->usable = false;
                    break;
                }
            }
            ++row;
        }
        return t;
    }();
    return *table;
}

// Whether eight bytes are all ASCII.
inline bool Ascii8(const unsigned char* p) {
    std::uint64_t w;
    std::memcpy(&w, p, sizeof w);
    return (w & 0x8080808080808080ull) == 0;
}

// Characters of a decoded UTF-8 page that the code page will not keep.
// Surrogates are rare in a page, so the common pass only notes whether any
// occurs and counts without branching; only then is the text walked again
// to pair them up.
std::size_t CountUnkept(std::u16string_view text) {
    const auto& widths = CodePageWidths();
    std::size_t lost = 0;
    bool surrogates = false;
    for (const char16_t c : text) {
        lost += widths[c] == 0;
        surrogates |= (c & 0xF800) == 0xD800;
    }
    if (!surrogates) return lost;
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t c = text[i];
        if ((c & 0xF800) != 0xD800) continue;
        // A pair is one character; a lone surrogate was spelt out by the
        // page and cannot come back as itself either (one in U+DC80..U+DCFF
        // would even turn into a stray byte).
        if (c <= 0xDBFF && i + 1 < n && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) ++i;
        ++lost;
    }
    return lost;
}

// The index of the first '=' at or after `from`, or n. Four units are
// looked at a time: a page is long and an '=' in it is rare.
std::size_t FindEquals(const char16_t* p, std::size_t from, std::size_t n) {
    constexpr std::uint64_t kOnes = 0x0001000100010001ull;
    constexpr std::uint64_t kHigh = 0x8000800080008000ull;
    constexpr std::uint64_t kEquals = kOnes * u'=';
    std::size_t i = from;
    for (; i + 4 <= n; i += 4) {
        std::uint64_t w;
        std::memcpy(&w, p + i, sizeof w);
        const std::uint64_t x = w ^ kEquals;  // a unit of 0 where '=' was
        if (((x - kOnes) & ~x & kHigh) != 0) break;
    }
    for (; i < n; ++i)
        if (p[i] == u'=') return i;
    return n;
}

// The page's own declaration is made to say Shift_JIS, since that is what
// the editor will hold: the first "charset=UTF-8" and the first
// "charset=utf-8", one of each. Neither spelling can overlap the other, so
// both are looked for in one pass over the text, keyed on the "=".
void RewriteCharset(std::u16string& text) {
    constexpr std::u16string_view kName = u"charset";
    constexpr std::u16string_view kUpper = u"UTF-8";
    constexpr std::u16string_view kLower = u"utf-8";
    constexpr std::u16string_view kNew = u"S-JIS";
    const std::size_t n = text.size();
    char16_t* p = text.data();
    bool upperDone = false;
    bool lowerDone = false;
    for (std::size_t i = FindEquals(p, kName.size(), n); i + kUpper.size() < n && !(upperDone && lowerDone);
         i = FindEquals(p, i + 1, n)) {
        if (std::u16string_view(p + i - kName.size(), kName.size()) != kName) continue;
        const std::u16string_view value(p + i + 1, kUpper.size());
        if (!upperDone && value == kUpper) {
            std::copy(kNew.begin(), kNew.end(), p + i + 1);
            upperDone = true;
        } else if (!lowerDone && value == kLower) {
            std::copy(kNew.begin(), kNew.end(), p + i + 1);
            lowerDone = true;
        }
    }
}

// Closes the descriptor on every way out.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

private:
    int fd_;
};

struct Bytes {
    std::unique_ptr<char[]> data;  // not zero-filled: every byte kept is read
    std::size_t size = 0;
};

// Reads to the end. The size fstat reports is only the first guess: a file
// that grows meanwhile, or reports no size at all, is still read whole.
// Returns 0 or the errno that stopped the reading.
int ReadAll(int fd, std::size_t expected, Bytes& out) {
    std::size_t capacity = expected > 0 ? expected : 64 * 1024;
    out.data.reset(new char[capacity]);
    out.size = 0;
    for (;;) {
        if (out.size == capacity) {
            char probe[4096];
            ssize_t k = ::read(fd, probe, sizeof probe);
            if (k < 0) {
                if (errno == EINTR) continue;
                return errno;
            }
            if (k == 0) return 0;
            capacity = capacity * 2 + static_cast<std::size_t>(k);
            std::unique_ptr<char[]> bigger(new char[capacity]);
            std::memcpy(bigger.get(), out.data.get(), out.size);
            std::memcpy(bigger.get() + out.size, probe, static_cast<std::size_t>(k));
            out.data = std::move(bigger);
            out.size += static_cast<std::size_t>(k);
            continue;
        }
        ssize_t k = ::read(fd, out.data.get() + out.size, capacity - out.size);
        if (k < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (k == 0) return 0;
        out.size += static_cast<std::size_t>(k);
    }
}

void Fail(TextFile& result, const char* reason) {
    result.status = ReadStatus::Unreadable;
    result.error = reason;
}

}  // namespace

std::u16string DecodeCodePage(std::string_view bytes) {
    const CodePageTable& t = Table();
    if (!t.usable) return cp::Decode(bytes).text;
    const std::size_t n = bytes.size();
    std::u16string text;
    if (n == 0) return text;
    text.resize(n);  // every byte yields at most one unit
    char16_t* o = text.data();
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t i = 0;
    while (i < n) {
        if (t.asciiIdentity) {
            while (i + 8 <= n && Ascii8(p + i)) {
                for (int k = 0; k < 8; ++k) o[k] = p[i + k];
                o += 8;
                i += 8;
            }
            if (i >= n) break;
        }
        const unsigned char b = p[i];
        const int row = t.leadRow[b];
        if (row >= 0 && i + 1 < n) {
            const char16_t c = t.pairs[static_cast<std::size_t>(row)][p[i + 1]];
            if (c != 0) {
                *o++ = c;
                i += 2;
                continue;
            }
        }
        *o++ = t.single[b];
        ++i;
    }
    text.resize(static_cast<std::size_t>(o - text.data()));
    return text;
}

TextFile ReadTextFileChecked(const std::filesystem::path& path) {
    TextFile result;
    if (path.empty()) return result;  // Missing

    // O_NONBLOCK so that a named pipe cannot hold the reader up at open;
    // it is refused below like every other file that is not a regular one.
    int fd;
    do fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        const int e = errno;
        if (e == ENOENT || e == ENOTDIR) result.status = ReadStatus::Missing;
        else Fail(result, std::strerror(e));
        return result;
    }
    Descriptor file(fd);
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        Fail(result, std::strerror(errno));
        return result;
    }
    if (S_ISDIR(st.st_mode)) {
        Fail(result, std::strerror(EISDIR));
        return result;
    }
    if (!S_ISREG(st.st_mode)) {
        // A device or a pipe may never end; a document is a regular file.
        Fail(result, "Not a regular file");
        return result;
    }

    Bytes bytes;
    try {
        if (const int e = ReadAll(fd, static_cast<std::size_t>(st.st_size), bytes); e != 0) {
            Fail(result, std::strerror(e));
            return result;
        }
        if (bytes.size == 0) {
            result.status = ReadStatus::Empty;
            return result;
        }
        const std::string_view view(bytes.data.get(), bytes.size);
        if (IsUtf8(view, kUtf8Window)) {
            Utf8Decoded d = DecodeUtf8Counted(view, u"?");
            bytes.data.reset();
            result.text = std::move(d.text);
            result.utf8 = true;
            result.lost = d.replaced + CountUnkept(result.text);
            RewriteCharset(result.text);
        } else {
            result.text = DecodeCodePage(view);
        }
    } catch (const std::bad_alloc&) {
        result = TextFile{};
        Fail(result, std::strerror(ENOMEM));
        return result;
    }
    result.status = ReadStatus::Ok;
    return result;
}

std::u16string ReadTextFile(const std::filesystem::path& path) {
    TextFile file = ReadTextFileChecked(path);
    if (file.status != ReadStatus::Ok) return {};
    return std::move(file.text);
}

}  // namespace quenby

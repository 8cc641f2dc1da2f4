// What the fuzzer and the corpus replay test do with one input: take it as
// the content of a profile file, read it through the public calls with
// names taken from the input itself, write to it, and check what must hold
// whatever the content:
//  - a read copies exactly min(length, size - 1) bytes of the full value,
//    NUL-terminated, returns that count and touches nothing past `size`;
//  - reading never changes the file;
//  - a fresh key written reads back; the file is the old one with one run
//    of bytes inserted; every other lookup gives what it gave before;
//  - deleting it again removes one run of bytes and restores every lookup;
//  - replacing an existing key's value changes bytes inside one line only;
//  - a write refused leaves the file as it was, and no write leaves
//    anything beside the file but its lock.
#pragma once

#include "platform/profile/profile.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace platform::profile::fuzz {
namespace detail {

namespace fs = std::filesystem;

// One scratch folder per process, removed at exit.
class Scratch {
public:
    Scratch() {
        std::string pattern = (fs::temp_directory_path() / "quenby-profile-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data())) dir_ = pattern;
    }
    ~Scratch() {
        std::error_code ec;
        if (!dir_.empty()) fs::remove_all(dir_, ec);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    const fs::path& dir() const { return dir_; }

private:
    fs::path dir_;
};

inline const fs::path& ScratchDir() {
    static Scratch scratch;
    return scratch.dir();
}

inline std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline bool Spill(const fs::path& p, std::string_view bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

// Cannot be the value of a key: values never hold a line break.
inline constexpr std::string_view kMissing = "\n";

inline std::string Visible(std::string_view s) {
    std::string out;
    for (unsigned char c : s.substr(0, 80)) {
        if (c >= 0x20 && c < 0x7F && c != '\\') out += static_cast<char>(c);
        else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return s.size() > 80 ? out + "..." : out;
}

// Names made only of printable ASCII that no rule refuses: a write to them
// must succeed. Other names may be refused, but then nothing may change.
inline bool PlainName(std::string_view s, bool key) {
    std::size_t b = s.find_first_not_of(" \t"), e = s.find_last_not_of(" \t");
    if (b == std::string_view::npos) return !key;
    s = s.substr(b, e - b + 1);
    if (key && (s.front() == ';' || s.front() == '[')) return false;
    for (unsigned char c : s)
        if (c < 0x20 || c > 0x7E || c == ']' || c == '=') return false;
    return true;
}

// Whether two names could find the same entry; erring towards "yes" only
// skips a comparison.
inline bool MaybeSameName(std::string_view a, std::string_view b) {
    auto trim = [](std::string_view s) {
        std::size_t x = s.find_first_not_of(" \t");
        if (x == std::string_view::npos) return std::string_view();
        return s.substr(x, s.find_last_not_of(" \t") - x + 1);
    };
    a = trim(a);
    b = trim(b);
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
        if (x != y) return false;
    }
    return true;
}

inline std::size_t CommonPrefix(std::string_view a, std::string_view b) {
    std::size_t n = 0;
    while (n < a.size() && n < b.size() && a[n] == b[n]) ++n;
    return n;
}

// The common tail that does not overlap the common head.
inline std::size_t CommonSuffix(std::string_view a, std::string_view b, std::size_t prefix) {
    std::size_t n = 0;
    while (prefix + n < a.size() && prefix + n < b.size() && a[a.size() - 1 - n] == b[b.size() - 1 - n]) ++n;
    return n;
}

// `longer` is `shorter` with one contiguous run of bytes inserted.
inline bool OneRunInserted(std::string_view shorter, std::string_view longer) {
    if (longer.size() < shorter.size()) return false;
    std::size_t p = CommonPrefix(shorter, longer);
    return p + CommonSuffix(shorter, longer, p) == shorter.size();
}

// The bytes that differ lie inside one line of each file.
inline bool DiffersInsideOneLine(std::string_view before, std::string_view after) {
    std::size_t p = CommonPrefix(before, after);
    std::size_t s = CommonSuffix(before, after, p);
    auto noBreak = [](std::string_view r) { return r.find_first_of("\r\n") == std::string_view::npos; };
    return noBreak(before.substr(p, before.size() - s - p)) && noBreak(after.substr(p, after.size() - s - p));
}

// Section and key names as the input spells them (blanks kept), a few of
// each, plus names the program itself uses.
inline void CollectNames(std::string_view data, std::vector<std::string>& sections, std::vector<std::string>& keys) {
    auto add = [](std::vector<std::string>& to, std::string_view name) {
        if (name.size() > 64 || to.size() >= 4) return;
        for (const std::string& n : to)
            if (n == name) return;
        to.emplace_back(name);
    };
    std::size_t pos = 0;
    for (int lines = 0; pos < data.size() && lines < 64; ++lines) {
        std::size_t end = data.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = data.size();
        std::string_view line = data.substr(pos, end - pos);
        pos = end + 1;
        std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string_view::npos) continue;
        if (line[start] == '[') {
            std::size_t close = line.find(']', start);
            if (close != std::string_view::npos) add(sections, line.substr(start + 1, close - start - 1));
        } else if (std::size_t eq = line.find('='); eq != std::string_view::npos) {
            add(keys, line.substr(0, eq));
        }
    }
    add(sections, "Quenby");
    add(keys, "ShowSplash");
    // The same names in the other case must find the same entries.
    std::string upper = sections.front();
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    add(sections, upper);
}

struct Lookup {
    std::string section, key, value;  // value is kMissing when not found
};

inline std::string CheckBufferForms(const Lookup& l, const fs::path& file) {
    const std::string& full = l.value;
    for (std::uint32_t size : {0u, 1u, 2u, static_cast<std::uint32_t>(full.size()),
                               static_cast<std::uint32_t>(full.size() + 1), 255u}) {
        constexpr std::size_t kGuard = 8;
        std::vector<char> buffer(size + kGuard, '\x5A');
        std::uint32_t n = GetPrivateProfileStringA(l.section, l.key, kMissing, buffer.data(), size, file);
        for (std::size_t i = size; i < buffer.size(); ++i)
            if (buffer[i] != '\x5A') return "a read wrote past the buffer of size " + std::to_string(size);
        if (size == 0) {
            if (n != 0) return "a read into no buffer returned " + std::to_string(n);
            continue;
        }
        std::size_t expect = std::min<std::size_t>(full.size(), size - 1);
        if (n != expect) return "a read into " + std::to_string(size) + " bytes returned " + std::to_string(n);
        if (buffer[n] != '\0' || std::strlen(buffer.data()) != n) return "the returned count is not the string's length";
        if (std::memcmp(buffer.data(), full.data(), n) != 0) return "a cut value is not the start of the whole value";
        if (GetPrivateProfileString(l.section, l.key, kMissing, file, size) != std::string_view(buffer.data(), n))
            return "the string form differs from the buffer form";
    }
    return {};
}

}  // namespace detail

// Empty when every check held, else what went wrong.
inline std::string ExerciseProfile(std::string_view data) {
    using namespace detail;
    if (ScratchDir().empty()) return {};  // no temporary folder: nothing can be checked
    const fs::path file = ScratchDir() / "profile.ini";
    if (!Spill(file, data)) return {};

    std::vector<std::string> sections, keys;
    CollectNames(data, sections, keys);
    std::vector<Lookup> lookups;
    for (const std::string& s : sections)
        for (const std::string& k : keys) {
            Lookup l{s, k, GetPrivateProfileString(s, k, kMissing, file)};
            if (l.value != kMissing && l.value.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
                return "a value holds a line break or NUL: " + Visible(l.value);
            if (std::string problem = CheckBufferForms(l, file); !problem.empty())
                return problem + " [" + Visible(s) + "] " + Visible(k);
            lookups.push_back(std::move(l));
        }
    if (Slurp(file) != data) return "reading changed the file";

    auto unchangedExcept = [&](std::string_view section, std::string_view key) -> std::string {
        for (const Lookup& l : lookups) {
            if (MaybeSameName(l.section, section) && MaybeSameName(l.key, key)) continue;
            std::string now = GetPrivateProfileString(l.section, l.key, kMissing, file);
            if (now != l.value)
                return "[" + Visible(l.section) + "] " + Visible(l.key) + " changed from " + Visible(l.value) + " to " +
                       Visible(now);
        }
        return {};
    };
    auto strays = [&]() -> std::string {
        for (const fs::directory_entry& e : fs::directory_iterator(ScratchDir())) {
            std::string name = e.path().filename().string();
            if (name != "profile.ini" && name != "profile.ini.lock") return "a write left " + name + " behind";
        }
        return {};
    };

    // A fresh key, inserted and deleted again.
    const std::string& section = sections.front();
    std::string key;
    for (int n = 0; key.empty() || GetPrivateProfileString(section, key, kMissing, file) != kMissing; ++n)
        key = "fz" + std::to_string(n);
    const std::string value = "v" + std::to_string(data.size());
    const std::string before = Slurp(file);
    if (!WritePrivateProfileStringA(section, key, value, file)) {
        if (PlainName(section, false)) return "writing a fresh key to [" + Visible(section) + "] failed";
        if (Slurp(file) != before) return "a refused write changed the file";
    } else {
        const std::string inserted = Slurp(file);
        if (GetPrivateProfileString(section, key, kMissing, file) != value)
            return "a fresh key did not read back in [" + Visible(section) + "]";
        if (!OneRunInserted(before, inserted)) return "adding a key changed bytes of the file";
        if (std::string p = unchangedExcept(section, key); !p.empty()) return "adding a key: " + p;
        if (!WritePrivateProfileStringA(section, key, std::nullopt, file)) return "deleting a key failed";
        if (GetPrivateProfileString(section, key, kMissing, file) != kMissing) return "a deleted key still reads";
        if (!OneRunInserted(Slurp(file), inserted)) return "deleting a key changed other bytes";
        if (std::string p = unchangedExcept(section, key); !p.empty()) return "deleting a key: " + p;
    }
    if (std::string p = strays(); !p.empty()) return p;

    // An existing key replaced.
    for (const Lookup& l : lookups) {
        if (l.value == kMissing) continue;
        const std::string old = Slurp(file);
        const std::string replacement = "w" + std::to_string(l.value.size());
        if (!WritePrivateProfileStringA(l.section, l.key, replacement, file)) {
            if (PlainName(l.section, false) && PlainName(l.key, true))
                return "replacing [" + Visible(l.section) + "] " + Visible(l.key) + " failed";
            if (Slurp(file) != old) return "a refused write changed the file";
            continue;
        }
        const std::string replaced = Slurp(file);
        if (GetPrivateProfileString(l.section, l.key, kMissing, file) != replacement)
            return "a replaced value did not read back";
        if (!DiffersInsideOneLine(old, replaced)) return "replacing a value changed more than its line";
        if (std::string p = unchangedExcept(l.section, l.key); !p.empty()) return "replacing a value: " + p;
        if (!WritePrivateProfileStringA(l.section, l.key, replacement, file) || Slurp(file) != replaced)
            return "writing the same value again changed the file";
        break;
    }

    // Names that could not be read back are refused.
    const std::string last = Slurp(file);
    if (WritePrivateProfileStringA(section, "bad=key", "x", file) ||
        WritePrivateProfileStringA("bad]section", "k", "x", file) ||
        WritePrivateProfileStringA(section, "k", "two\r\nlines", file))
        return "a write that cannot be read back was accepted";
    if (Slurp(file) != last) return "a refused write changed the file";
    return strays();
}

}  // namespace platform::profile::fuzz

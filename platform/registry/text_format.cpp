#include "platform/registry/text_format.h"

#include <charconv>
#include <optional>
#include <vector>

namespace platform::registry {
namespace {

void WriteKey(const Key& key, std::vector<std::string>& path, std::string& out) {
    if (!path.empty()) {
        out += "key";
        for (const std::string& name : path) {
            out += ' ';
            out += Quote(name);
        }
        out += '\n';
        for (const auto& [name, value] : key.Values()) {
            out += "value " + Quote(name);
            if (const DWORD* d = value->Dword()) out += " dword " + std::to_string(*d);
            else out += " sz " + Quote(*value->String());
            out += '\n';
        }
    }
    for (const auto& [name, child] : key.Children()) {
        path.push_back(name);
        WriteKey(*child, path, out);
        path.pop_back();
    }
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads one line's tokens: bare words and quoted strings.
class LineReader {
public:
    explicit LineReader(std::string_view line) : s_(line) {}

    bool AtEnd() {
        SkipBlanks();
        return pos_ >= s_.size();
    }

    std::optional<std::string_view> Word() {
        SkipBlanks();
        std::size_t start = pos_;
        while (pos_ < s_.size() && s_[pos_] != ' ' && s_[pos_] != '"') ++pos_;
        if (pos_ == start) return std::nullopt;
        return s_.substr(start, pos_ - start);
    }

    // A quoted string, unescaped; error_ says why when it fails.
    std::optional<std::string> Quoted() {
        SkipBlanks();
        if (pos_ >= s_.size() || s_[pos_] != '"') {
            error_ = "expected a quoted string";
            return std::nullopt;
        }
        ++pos_;
        std::string out;
        while (pos_ < s_.size()) {
            char c = s_[pos_++];
            if (c == '"') return out;
            if (static_cast<unsigned char>(c) < 0x20) {
                error_ = "control character inside a string";
                return std::nullopt;
            }
            if (c != '\\') {
                out.push_back(c);
                continue;
            }
            if (pos_ >= s_.size()) break;
            char e = s_[pos_++];
            switch (e) {
                case '\\': out.push_back('\\'); break;
                case '"': out.push_back('"'); break;
                case 'n': out.push_back('\n'); break;
                case 'r': out.push_back('\r'); break;
                case 't': out.push_back('\t'); break;
                case 'x': {
                    int hi = pos_ < s_.size() ? HexDigit(s_[pos_]) : -1;
                    int lo = pos_ + 1 < s_.size() ? HexDigit(s_[pos_ + 1]) : -1;
                    if (hi < 0 || lo < 0) {
                        error_ = "bad \\x escape";
                        return std::nullopt;
                    }
                    out.push_back(static_cast<char>(hi * 16 + lo));
                    pos_ += 2;
                    break;
                }
                default: error_ = std::string("unknown escape \\") + e; return std::nullopt;
            }
        }
        error_ = "unterminated string";
        return std::nullopt;
    }

    const std::string& error() const { return error_; }

private:
    void SkipBlanks() {
        while (pos_ < s_.size() && s_[pos_] == ' ') ++pos_;
    }
    std::string_view s_;
    std::size_t pos_ = 0;
    std::string error_;
};

ParseResult Fail(std::size_t line, const std::string& what) {
    return ParseResult{false, "line " + std::to_string(line) + ": " + what};
}

ParseResult ParseInto(std::string_view text, Store& store) {
    std::size_t lineNo = 0;
    std::size_t pos = 0;
    bool ended = false;
    Key* current = nullptr;
    while (pos < text.size()) {
        std::size_t nl = text.find('\n', pos);
        if (nl == std::string_view::npos) return Fail(lineNo + 1, "the file ends in the middle of a line (truncated)");
        std::string_view line = text.substr(pos, nl - pos);
        pos = nl + 1;
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (lineNo == 1) {
            if (line != kFileHeader) return Fail(1, "not a registry file (expected \"" + std::string(kFileHeader) + "\")");
            continue;
        }
        if (ended) {
            if (!line.empty()) return Fail(lineNo, "text after the end line");
            continue;
        }
        if (line.empty() || line.front() == '#') continue;
        LineReader r(line);
        std::optional<std::string_view> word = r.Word();
        if (!word) return Fail(lineNo, "expected key, value or end");
        if (*word == "end") {
            if (!r.AtEnd()) return Fail(lineNo, "text after end");
            ended = true;
        } else if (*word == "key") {
            current = &store.Root();
            bool any = false;
            while (!r.AtEnd()) {
                std::optional<std::string> name = r.Quoted();
                if (!name) return Fail(lineNo, r.error());
                if (!IsValidKeyName(*name)) return Fail(lineNo, "invalid key name \"" + *name + "\"");
                current = &current->CreateChild(*name);
                any = true;
            }
            if (!any) return Fail(lineNo, "key line without a name");
        } else if (*word == "value") {
            if (!current) return Fail(lineNo, "value before any key");
            std::optional<std::string> name = r.Quoted();
            if (!name) return Fail(lineNo, r.error());
            if (!IsValidValueName(*name)) return Fail(lineNo, "invalid value name");
            std::optional<std::string_view> type = r.Word();
            if (type == "sz") {
                std::optional<std::string> data = r.Quoted();
                if (!data) return Fail(lineNo, r.error());
                current->Set(*name, Value{std::move(*data)});
            } else if (type == "dword") {
                std::optional<std::string_view> digits = r.Word();
                DWORD d = 0;
                if (!digits) return Fail(lineNo, "missing dword value");
                auto [end, ec] = std::from_chars(digits->data(), digits->data() + digits->size(), d);
                if (ec != std::errc() || end != digits->data() + digits->size())
                    return Fail(lineNo, "bad dword value \"" + std::string(*digits) + "\"");
                current->Set(*name, Value{d});
            } else {
                return Fail(lineNo, "unknown value type (expected sz or dword)");
            }
            if (!r.AtEnd()) return Fail(lineNo, "text after the value");
        } else {
            return Fail(lineNo, "unknown line \"" + std::string(*word) + "\"");
        }
    }
    if (lineNo == 0) return Fail(1, "empty file");
    if (!ended) return Fail(lineNo, "no end line (the file is truncated)");
    return ParseResult{true, {}};
}

}  // namespace

std::string Quote(std::string_view s) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out = "\"";
    for (char c : s) {
        auto b = static_cast<unsigned char>(c);
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '"': out += "\\\""; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (b < 0x20 || b == 0x7F) {
                    out += "\\x";
                    out += kHex[b >> 4];
                    out += kHex[b & 0xF];
                } else {
                    out.push_back(c);
                }
        }
    }
    out += '"';
    return out;
}

std::string Serialize(const Store& store) {
    std::string out(kFileHeader);
    out += '\n';
    std::vector<std::string> path;
    WriteKey(store.Root(), path, out);
    out += "end\n";
    return out;
}

ParseResult Parse(std::string_view text, Store& store) {
    Store parsed;
    ParseResult result = ParseInto(text, parsed);
    store = result.ok ? std::move(parsed) : Store();
    return result;
}

}  // namespace platform::registry

#include "host/checker/page_checker.h"

#include "host/common/text_file.h"
#include "host/preview/html_conv.h"
#include "platform/codepage/codepage.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <system_error>

namespace quenby::checker {

namespace {

constexpr char16_t kFirstPictograph = 0xE63E;
constexpr char16_t kLastPictograph = 0xE757;

// Per UTF-16 unit: how many Shift_JIS bytes it becomes, and whether it lands
// in the NEC or IBM extension rows. Built once: encoding character by
// character on every check would dominate its cost.
struct CharTable {
    std::array<std::uint8_t, 0x10000> width{};
    std::array<bool, 0x10000> extensionRow{};
    std::array<bool, kLastPictograph - kFirstPictograph + 1> firstSeries{};

    CharTable() {
        for (unsigned c = 0; c < 0x10000; ++c) {
            if (c < 0x80 || (c >= 0xD800 && c <= 0xDFFF)) {
                width[c] = 1;
                continue;
            }
            const char16_t one = char16_t(c);
            const platform::codepage::Encoded e = platform::codepage::Encode(std::u16string_view(&one, 1));
            width[c] = std::uint8_t(std::max<std::size_t>(1, e.bytes.size()));
            if (e.defaulted == 0 && e.bytes.size() == 2) extensionRow[c] = IsExtensionRow(e.bytes);
        }
        for (int n = 1; n <= 166; ++n) {
            const int code = preview::PictographCode(n);
            const char bytes[2] = {char(code >> 8), char(code & 0xFF)};
            const std::u16string pua = platform::codepage::ToUtf16(std::string_view(bytes, 2));
            if (pua.size() == 1 && pua[0] >= kFirstPictograph && pua[0] <= kLastPictograph)
                firstSeries[pua[0] - kFirstPictograph] = true;
        }
    }

    // The JIS row of a double-byte code: rows 13, 89-92 and 115-119 are the
    // vendor extensions handsets cannot be trusted with.
    static bool IsExtensionRow(const std::string& bytes) {
        const unsigned lead = static_cast<unsigned char>(bytes[0]);
        const unsigned trail = static_cast<unsigned char>(bytes[1]);
        const int base = lead <= 0x9F ? int(lead - 0x81) * 2 + 1 : int(lead - 0xC1) * 2 + 1;
        const int row = base + (trail >= 0x9F ? 1 : 0);
        return row == 13 || (row >= 89 && row <= 92) || (row >= 115 && row <= 119);
    }
};

const CharTable& Table() {
    static const CharTable table;
    return table;
}

bool IsPictograph(char16_t c) { return c >= kFirstPictograph && c <= kLastPictograph; }

bool IsAsciiLetter(QChar c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
bool IsAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }
bool IsSpace(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f'; }

bool ValidName(const QString& value) {
    if (value.isEmpty() || !IsAsciiLetter(value[0])) return false;
    for (QChar c : value)
        if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != u'-' && c != u'_' && c != u'.') return false;
    return true;
}

struct Position {
    int row = 1;
    int column = 1;
};

class Checker {
public:
    Checker(const QString& text, const HandsetProfile& profile, const std::filesystem::path& folder)
        : text_(text), profile_(profile), folder_(folder), table_(Table()) {}

    PageReport Run() {
        const qsizetype n = text_.size();
        qsizetype i = 0;
        while (i < n) {
            const QChar c = text_[i];
            if (c == u'<') {
                i = Markup(i);
            } else if (c == u'&' && i + 1 < n && text_[i + 1] == u'#') {
                i = Reference(i);
            } else {
                ++i;
            }
        }
        MoveTo(n);
        PageSize();
        std::stable_sort(findings_.begin(), findings_.end(), [](const Finding& a, const Finding& b) {
            return a.row != b.row ? a.row < b.row : a.column < b.column;
        });
        return {std::move(findings_), weight_};
    }

private:
    // Every character passes through here exactly once, so the byte count and
    // the checks on single characters ride along with the position.
    Position MoveTo(qsizetype to) {
        while (at_ < to) {
            const char16_t c = text_[at_].unicode();
            if (c == u'\n') {
                ++pos_.row;
                pos_.column = 1;
            } else if (c != u'\r') {
                if (IsPictograph(c)) CheckPictograph(c, "pictograph");
                else if (table_.extensionRow[c])
                    Add(pos_, Severity::Warning,
                        QStringLiteral("character %1 is in a vendor extension row of the code page")
                            .arg(QString(QChar(c))));
                pos_.column += table_.width[c];
            }
            bytes_ += table_.width[c];
            ++at_;
        }
        return pos_;
    }

    void Add(Position p, Severity s, QString message) { findings_.push_back({p.row, p.column, s, std::move(message)}); }

    void CheckPictograph(char16_t pua, const char* what) {
        if (profile_.extendedPictographs || table_.firstSeries[pua - kFirstPictograph]) return;
        Add(pos_, Severity::Warning,
            QStringLiteral("%1 U+%2 needs a handset with the extended pictographs")
                .arg(QLatin1String(what), QString::number(unsigned(pua), 16).toUpper()));
    }

    // "&#NNNNN;" or "&#xHHHH;".
    qsizetype Reference(qsizetype start) {
        const qsizetype n = text_.size();
        qsizetype i = start + 2;
        const bool hex = i < n && (text_[i] == u'x' || text_[i] == u'X');
        if (hex) ++i;
        const qsizetype digits = i;
        std::uint32_t value = 0;
        while (i < n && i - digits < 8) {
            const QChar c = text_[i];
            int d = -1;
            if (IsAsciiDigit(c)) d = c.unicode() - u'0';
            else if (hex && c >= u'a' && c <= u'f') d = c.unicode() - u'a' + 10;
            else if (hex && c >= u'A' && c <= u'F') d = c.unicode() - u'A' + 10;
            if (d < 0) break;
            value = value * (hex ? 16 : 10) + std::uint32_t(d);
            ++i;
        }
        if (i == digits || i >= n || text_[i] != u';') return start + 1;
        char16_t pua = 0;
        if (hex) {
            if (value >= kFirstPictograph && value <= kLastPictograph) pua = char16_t(value);
        } else if (value >= 0xF89F && value <= 0xF9FC) {
            const char bytes[2] = {char(value >> 8), char(value & 0xFF)};
            const std::u16string decoded = platform::codepage::ToUtf16(std::string_view(bytes, 2));
            if (decoded.size() == 1 && IsPictograph(decoded[0])) pua = decoded[0];
        }
        if (pua) {
            MoveTo(start);
            if (hex && !profile_.extendedPictographs)
                Add(pos_, Severity::Warning,
                    QStringLiteral("hexadecimal pictograph references are not understood by HTML %1 handsets")
                        .arg(profile_.version));
            else
                CheckPictograph(pua, "pictograph");
        }
        return i + 1;
    }

    qsizetype Markup(qsizetype start) {
        const qsizetype n = text_.size();
        if (text_.mid(start, 4) == u"<!--") {
            const qsizetype end = text_.indexOf(u"-->", start + 4);
            return end < 0 ? n : end + 3;
        }
        if (start + 1 >= n) return n;
        const QChar next = text_[start + 1];
        if (next == u'!' || next == u'?' || next == u'/') {
            const qsizetype end = text_.indexOf(u'>', start + 1);
            return end < 0 ? n : end + 1;
        }
        if (!IsAsciiLetter(next)) return start + 1;

        qsizetype i = start + 1;
        while (i < n && (IsAsciiLetter(text_[i]) || IsAsciiDigit(text_[i]))) ++i;
        const QString element = text_.mid(start + 1, i - start - 1).toUpper();
        const bool known = profile_.elements.contains(element);
        if (!known)
            Add(MoveTo(start), Severity::Error,
                QStringLiteral("element %1 is not part of HTML %2").arg(element, profile_.version));

        while (i < n) {
            while (i < n && IsSpace(text_[i])) ++i;
            if (i >= n) break;
            if (text_[i] == u'>') return i + 1;
            if (text_[i] == u'/' || text_[i] == u'<') {
                // A stray "<" starts the next tag rather than hiding it.
                if (text_[i] == u'<') return i;
                ++i;
                continue;
            }
            const qsizetype nameStart = i;
            while (i < n && !IsSpace(text_[i]) && text_[i] != u'=' && text_[i] != u'>' && text_[i] != u'/' &&
                   text_[i] != u'<')
                ++i;
            if (i == nameStart) {
                ++i;
                continue;
            }
            const QString attribute = text_.mid(nameStart, i - nameStart).toUpper();
            qsizetype j = i;
            while (j < n && IsSpace(text_[j])) ++j;
            QString value;
            bool hasValue = false;
            if (j < n && text_[j] == u'=') {
                hasValue = true;
                ++j;
                while (j < n && IsSpace(text_[j])) ++j;
                if (j < n && (text_[j] == u'"' || text_[j] == u'\'')) {
                    const QChar quote = text_[j];
                    const qsizetype close = text_.indexOf(quote, j + 1);
                    const qsizetype end = close < 0 ? n : close;
                    value = text_.mid(j + 1, end - j - 1);
                    j = close < 0 ? n : close + 1;
                } else {
                    const qsizetype valueStart = j;
                    while (j < n && !IsSpace(text_[j]) && text_[j] != u'>') ++j;
                    value = text_.mid(valueStart, j - valueStart);
                }
                i = j;
            }
            if (known) Attribute(element, attribute, hasValue, value, nameStart);
        }
        return n;
    }

    void Attribute(const QString& element, const QString& attribute, bool hasValue, const QString& value,
                   qsizetype at) {
        if (!profile_.attributes.contains(element + u'.' + attribute)) {
            Add(MoveTo(at), Severity::Warning,
                QStringLiteral("attribute %1 of %2 is not part of HTML %3").arg(attribute, element, profile_.version));
            return;
        }
        if ((attribute == u"NAME" || attribute == u"ID") && hasValue && !ValidName(value)) {
            Add(MoveTo(at), Severity::Warning,
                QStringLiteral("%1 \"%2\" must start with a letter and use only letters, digits, \"-\", \"_\" and \".\"")
                    .arg(attribute.toLower(), value));
        } else if (attribute == u"ACCESSKEY") {
            if (value.size() != 1 || !QStringLiteral("0123456789*#").contains(value[0])) {
                Add(MoveTo(at), Severity::Warning,
                    QStringLiteral("access key \"%1\" is not a key of the keypad (0-9, *, #)").arg(value));
            } else if (!accessKeys_.insert(value[0].unicode()).second) {
                Add(MoveTo(at), Severity::Warning, QStringLiteral("access key \"%1\" is used twice").arg(value));
            }
        } else if (element == u"IMG" && attribute == u"SRC") {
            LocalImage(value);
        }
    }

    void LocalImage(QString src) {
        src = src.trimmed();
        src.truncate(std::min(src.indexOf(u'?') < 0 ? src.size() : src.indexOf(u'?'),
                              src.indexOf(u'#') < 0 ? src.size() : src.indexOf(u'#')));
        static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:"));
        if (src.isEmpty() || src.startsWith(u"//") || scheme.match(src).hasMatch()) return;
        while (src.startsWith(u'/')) src.remove(0, 1);
        images_.insert(src);
    }

    void PageSize() {
        qint64 total = bytes_;
        for (const QString& src : images_) {
            std::error_code ec;
            const std::filesystem::path file = folder_ / std::filesystem::path(src.toStdU16String());
            if (!std::filesystem::is_regular_file(file, ec)) continue;
            const auto size = std::filesystem::file_size(file, ec);
            if (!ec) total += qint64(size);
        }
        weight_ = total;
        if (total > profile_.limitBytes)
            Add({1, 1}, Severity::Error,
                QStringLiteral("the page with its images is %1 bytes; HTML %2 handsets take at most %3")
                    .arg(total)
                    .arg(profile_.version)
                    .arg(profile_.limitBytes));
    }

    const QString& text_;
    const HandsetProfile& profile_;
    const std::filesystem::path folder_;
    const CharTable& table_;
    std::vector<Finding> findings_;
    std::set<char16_t> accessKeys_;
    std::set<QString> images_;
    Position pos_;
    qsizetype at_ = 0;
    qint64 bytes_ = 0;
    qint64 weight_ = 0;
};

}  // namespace

PageReport InspectPage(const QString& text, const HandsetProfile& profile, const std::filesystem::path& pageFolder) {
    return Checker(text, profile, pageFolder).Run();
}

std::vector<Finding> CheckPage(const QString& text, const HandsetProfile& profile,
                               const std::filesystem::path& pageFolder) {
    return InspectPage(text, profile, pageFolder).findings;
}

std::optional<PageReport> InspectFile(const std::filesystem::path& file, const HandsetProfile& profile,
                                      const std::filesystem::path& imageFolder) {
    const TextFile read = ReadTextFileChecked(file);
    if (read.status == ReadStatus::Missing || read.status == ReadStatus::Unreadable) return std::nullopt;
    return InspectPage(QString::fromStdU16String(read.text), profile, imageFolder);
}

QString FindingLine(const QString& page, const Finding& f) {
    return QStringLiteral("%1:%2:%3: %4: %5")
        .arg(page)
        .arg(f.row)
        .arg(f.column)
        .arg(f.severity == Severity::Error ? QStringLiteral("error") : QStringLiteral("warning"), f.message);
}

}  // namespace quenby::checker

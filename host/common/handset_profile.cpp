#include "host/common/handset_profile.h"

#include "host/common/ini_access.h"

#include <QFile>
#include <QLocale>
#include <QStringList>

#include <optional>

namespace quenby {

namespace {

// The preview makes its browser this size: a screen no handset had would
// make a window no display holds.
constexpr qint64 kLargestScreen = 4096;

std::optional<qint64> Number(const QString& value) {
    bool ok = false;
    const qint64 n = value.toLongLong(&ok);
    if (!ok || n < 0) return std::nullopt;
    return n;
}

void AddList(QSet<QString>& into, const QString& value) {
    for (const QString& item : value.split(u',', Qt::SkipEmptyParts)) {
        const QString name = item.trimmed().toUpper();
        if (!name.isEmpty()) into.insert(name);
    }
}

// A version is usable only once everything a check or a preview needs is known.
bool Complete(const HandsetProfile& p) {
    return !p.version.isEmpty() && !p.elements.isEmpty() && p.limitBytes > 0 && p.screen.isValid() &&
           !p.agent.isEmpty();
}

}  // namespace

std::vector<HandsetProfile> ReadHandsetProfiles(const std::filesystem::path& file) {
    QFile in(QString::fromStdString(file.string()));
    if (!in.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError) return {};

    std::vector<HandsetProfile> profiles;
    const auto finish = [&]() { return profiles.empty() || Complete(profiles.back()); };
    for (const QByteArray& raw : bytes.split('\n')) {
        const QString line = QString::fromLatin1(raw).trimmed();
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#')) continue;
        if (line.startsWith(u'[')) {
            if (!line.endsWith(u']') || !finish()) return {};
            HandsetProfile next = profiles.empty() ? HandsetProfile{} : profiles.back();
            next.version = line.mid(1, line.size() - 2).trimmed();
            if (next.version.isEmpty() || FindProfile(profiles, next.version)) return {};
            profiles.push_back(std::move(next));
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0 || profiles.empty()) return {};
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed();
        HandsetProfile& p = profiles.back();
        if (key.compare(u"Elements", Qt::CaseInsensitive) == 0) {
            AddList(p.elements, value);
        } else if (key.compare(u"Attributes", Qt::CaseInsensitive) == 0) {
            AddList(p.attributes, value);
        } else if (key.compare(u"Agent", Qt::CaseInsensitive) == 0) {
            p.agent = value;
        } else if (key.compare(u"ExtendedPictographs", Qt::CaseInsensitive) == 0) {
            if (value != u"0" && value != u"1") return {};
            p.extendedPictographs = value == u"1";
        } else {
            const std::optional<qint64> n = Number(value);
            if (!n) return {};
            if (key.compare(u"LimitBytes", Qt::CaseInsensitive) == 0)
                p.limitBytes = *n;
            else if (key.compare(u"ScreenWidth", Qt::CaseInsensitive) == 0 && *n <= kLargestScreen)
                p.screen.setWidth(int(*n));
            else if (key.compare(u"ScreenHeight", Qt::CaseInsensitive) == 0 && *n <= kLargestScreen)
                p.screen.setHeight(int(*n));
            else
                return {};
        }
    }
    if (!finish()) return {};
    return profiles;
}

const HandsetProfile* FindProfile(const std::vector<HandsetProfile>& profiles, const QString& version) {
    for (const HandsetProfile& p : profiles)
        if (p.version == version) return &p;
    return nullptr;
}

std::filesystem::path HandsetsFile(const std::filesystem::path& programFolder) {
    return programFolder / "handsets.ini";
}

QString SkinHandset(const std::filesystem::path& skinFile) {
    if (skinFile.empty()) return {};
    return GetINIValue(kSkinHandsetSection, kSkinHandsetKey, skinFile).trimmed();
}

const HandsetProfile* TargetProfile(const std::vector<HandsetProfile>& profiles, const QString& named) {
    if (profiles.empty()) return nullptr;
    const HandsetProfile* p = named.isEmpty() ? nullptr : FindProfile(profiles, named);
    return p ? p : &profiles.back();
}

QString DescribeProfile(const HandsetProfile& p) {
    const QLocale c(QLocale::English);  // digits grouped by three
    return QStringLiteral("i-mode HTML %1 (%2×%3, %4 バイトまで)")
        .arg(p.version)
        .arg(p.screen.width())
        .arg(p.screen.height())
        .arg(c.toString(p.limitBytes));
}

}  // namespace quenby

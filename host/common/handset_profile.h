#pragma once

#include <QSet>
#include <QSize>
#include <QString>
#include <filesystem>
#include <vector>

namespace quenby {

struct HandsetProfile {
    QString version;
    QSet<QString> elements;    // upper case
    QSet<QString> attributes;  // "ELEM.ATTR", upper case
    qint64 limitBytes = 0;     // text plus images of one page
    QSize screen;
    QString agent;
    bool extendedPictographs = false;
};

// The profiles in file order, each section building on the one before it. A
// missing or malformed file gives an empty list.
std::vector<HandsetProfile> ReadHandsetProfiles(const std::filesystem::path& file);

const HandsetProfile* FindProfile(const std::vector<HandsetProfile>& profiles, const QString& version);

// The profiles shipped beside the program.
std::filesystem::path HandsetsFile(const std::filesystem::path& programFolder);

// A skin names the handset it shows in a section of its own, which readers
// of the skin's other keys never look at. "" when it names none.
inline const QString kSkinHandsetSection = QStringLiteral("QuenbyHandset");
inline const QString kSkinHandsetKey = QStringLiteral("Profile");
QString SkinHandset(const std::filesystem::path& skinFile);

// The profile that checks aim at: the one named, else the newest (an
// unknown name too: a check against the newest version beats none). Null
// only without profiles.
const HandsetProfile* TargetProfile(const std::vector<HandsetProfile>& profiles, const QString& named);

// How the options dialog and the status bar name a profile.
QString DescribeProfile(const HandsetProfile& profile);

}  // namespace quenby

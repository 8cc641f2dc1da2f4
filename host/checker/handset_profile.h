#pragma once

#include <QSet>
#include <QSize>
#include <QString>
#include <filesystem>
#include <vector>

namespace quenby::checker {

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

}  // namespace quenby::checker

#include "host/authoring/tag_markup.h"

namespace quenby::authoring {

namespace {

QString Attribute(const char* name, const QString& value) {
    return QStringLiteral(" %1=\"%2\"").arg(QLatin1String(name), value);
}

const QString kHttp = QStringLiteral("http://");
const QString kMailto = QStringLiteral("mailto:");
const QString kHttps = QStringLiteral("https://");

}  // namespace

QString LinkMarkup(const QString& selection, const QString& target, const QString& accessKey) {
    QString attributes;
    if (!target.isEmpty()) attributes += Attribute("href", target);
    if (!accessKey.isEmpty() && accessKey != QStringLiteral("設定しない"))
        attributes += Attribute("accesskey", accessKey);
    if (attributes.isEmpty()) return QString();
    return QStringLiteral("<A") + attributes + QLatin1Char('>') + selection + QStringLiteral("</A>");
}

UrlOption UrlOptionFor(const QString& target) {
    const QString head = target.left(7);
    if (head == kHttp) return UrlOption::Web;
    if (head == kMailto) return UrlOption::Mail;
    return UrlOption::Other;
}

QString TargetForOption(const QString& target, UrlOption option) {
    // Each prefix is removed in one pass, one after the other, so a target
    // that only turns into a prefix after an earlier removal keeps it.
    QString rest = target;
    rest.replace(kHttp, QString());
    rest.replace(kMailto, QString());
    switch (option) {
    case UrlOption::Web:
        return kHttp + rest.replace(kHttps, QString());
    case UrlOption::Mail:
        return kMailto + rest.replace(kHttps, QString());
    case UrlOption::Other:
        break;
    }
    // A secure address is a target of its own here, so it keeps its scheme.
    return rest;
}

QString TargetToolTip(UrlOption option) {
    switch (option) {
    case UrlOption::Web:
        return QStringLiteral(" http:// に続けてリンク先アドレスを入力してください。");
    case UrlOption::Mail:
        return QStringLiteral(" mailto: に続けてメールアドレスを入力してください。");
    case UrlOption::Other:
        break;
    }
    return QString();
}

QStringList AccessKeyCaptions() {
    return {QStringLiteral("設定しない"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
            QStringLiteral("4"),          QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"),
            QStringLiteral("8"),          QStringLiteral("9"), QStringLiteral("*"), QStringLiteral("0"),
            QStringLiteral("#")};
}

QString ImageMarkup(const QString& selection, const QString& source, const QString& alternative) {
    QString attributes;
    if (!source.isEmpty()) attributes += Attribute("src", source);
    if (!alternative.isEmpty()) attributes += Attribute("alt", alternative);
    if (attributes.isEmpty()) return QString();
    return QStringLiteral("<IMG") + attributes + QLatin1Char('>') + selection;
}

QStringList FontSizes() {
    return {QStringLiteral("1"),  QStringLiteral("2"),  QStringLiteral("3"),  QStringLiteral("4"),
            QStringLiteral("5"),  QStringLiteral("6"),  QStringLiteral("7"),  QStringLiteral("-2"),
            QStringLiteral("-1"), QStringLiteral("+0"), QStringLiteral("+1"), QStringLiteral("+2"),
            QStringLiteral("+3"), QStringLiteral("+4")};
}

QString FontMarkup(const QString& selection, const QString& size, const QString& colour) {
    // Colour comes before size, whatever order they were chosen in.
    QString attributes;
    if (!colour.isEmpty()) attributes += Attribute("color", colour);
    if (!size.isEmpty()) attributes += Attribute("size", size);
    if (attributes.isEmpty()) return QString();
    return QStringLiteral("<FONT") + attributes + QLatin1Char('>') + selection + QStringLiteral("</FONT>");
}

const std::vector<ColourEntry>& ColourTable() {
    static const std::vector<ColourEntry> table = [] {
        // Each entry: a seven-character code field, then the name.
        const QString list = QStringLiteral(
            "       自動,other  その他,#FF0000赤,#00FF00黄緑,#FFFF00黄,#0000FF青,#FF00FF赤紫,#00FFFF水色,"
            "#FFFFFF白,#800000茶色,#008000緑,#808000オリーブ,#000080紺,#800080紫,#008080青緑,"
            "#808080灰色,#C0C0C0銀色,#000000黒");
        std::vector<ColourEntry> entries;
        for (const QString& item : list.split(QLatin1Char(','))) {
            ColourEntry e;
            e.key = item.left(7).remove(QLatin1Char(' '));
            e.name = item.mid(7);
            if (e.key.isEmpty()) e.swatch = Qt::black;
            else if (e.key == QLatin1String(kOtherColourKey)) e.swatch = Qt::white;
            else
                e.swatch = QColor(e.key.mid(1, 2).toInt(nullptr, 16), e.key.mid(3, 2).toInt(nullptr, 16),
                                  e.key.mid(5, 2).toInt(nullptr, 16));
            entries.push_back(e);
        }
        return entries;
    }();
    return table;
}

QString ColourCodeFromSystem(std::uint32_t bgr) {
    const QString hex = QStringLiteral("%1").arg(bgr & 0xFFFFFFu, 6, 16, QLatin1Char('0')).toUpper();
    return QLatin1Char('#') + hex.mid(4, 2) + hex.mid(2, 2) + hex.mid(0, 2);
}

QStringList MarqueeBehaviours() {
    return {QStringLiteral("(自動)"), QStringLiteral("スクロール"), QStringLiteral("スライド"),
            QStringLiteral("交互")};
}

QStringList MarqueeDirections() {
    return {QStringLiteral("(自動)"), QStringLiteral("左へ"), QStringLiteral("右へ")};
}

QString MarqueeMarkup(const QString& text, int behaviour, int direction) {
    static const char* const behaviours[] = {nullptr, "scroll", "slide", "alternate"};
    static const char* const directions[] = {nullptr, "left", "right"};
    QString markup = QStringLiteral("<MARQUEE");
    if (behaviour > 0 && behaviour < 4) markup += Attribute("behavior", QLatin1String(behaviours[behaviour]));
    if (direction > 0 && direction < 3) markup += Attribute("direction", QLatin1String(directions[direction]));
    return markup + QLatin1Char('>') + text + QStringLiteral("</MARQUEE>");
}

}  // namespace quenby::authoring

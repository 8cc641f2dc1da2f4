#include "host/shell/edit_menus.h"

#include <algorithm>
#include <array>

namespace quenby::shell {
namespace {

using C = Command;
using M = Menu;

constexpr TopMenu kTop[] = {
    {M::File, " ファイル(&F)"},   {M::Edit, " 編集(&E)"},  {M::View, " 表示(&V)"},  {M::Format, " 書式(&O)"},
    {M::Insert, " HTMLタグ挿入(&I)"}, {M::Tools, " ツール(&T)"}, {M::Help, " ヘルプ(&H)"},
};

// Indexes as the arrays have them: separators and hidden items keep their
// places, so that toolbars and the context menu can name items by index.
constexpr MenuItem kItems[] = {
    {M::File, 1, "新規(&N)", "Ctrl+N", C::New, false, false, false, false, "tango/document-new"},
    {M::File, 2, "開く(&O)...", "Ctrl+O", C::Open, false, false, false, false, "tango/document-open"},
    {M::File, 3, "上書き保存(&S)", "Ctrl+S", C::Save, false, false, false, false, "tango/document-save"},
    {M::File, 4, "名前を付けて保存(&A)...", "", C::SaveAs, false, false, false, false, "tango/document-save-as"},
    {M::File, 5, "テンプレートとして保存", "", C::SaveTemplate},
    {M::File, 6, "", "", C::None, false, true},
    {M::File, 7, "", "", C::None, false, false, true},
    {M::File, 8, "", "", C::None, false, false, true},
    {M::File, 9, "", "", C::None, false, false, true},
    {M::File, 10, "", "", C::None, false, false, true},
    {M::File, 11, "", "", C::None, false, false, true},
    {M::File, 12, "", "", C::None, false, false, true},
    {M::File, 13, "", "", C::None, false, false, true},
    {M::File, 14, "", "", C::None, false, false, true},
    {M::File, 15, "終了(&X)", "", C::Exit, false, false, false, false, "tango/system-log-out"},

    {M::Edit, 1, "元に戻す(&U)", "Ctrl+Z", C::Undo, false, false, false, false, "tango/edit-undo"},
    {M::Edit, 2, "やり直し(&R)", "Ctrl+Y", C::Redo, false, false, false, false, "tango/edit-redo"},
    {M::Edit, 3, "", "", C::None, false, true},
    {M::Edit, 4, "切り取り(&T)", "Ctrl+X", C::Cut, false, false, false, false, "tango/edit-cut"},
    {M::Edit, 5, "コピー(&C)", "Ctrl+C", C::Copy, false, false, false, false, "tango/edit-copy"},
    {M::Edit, 6, "貼り付け(&P)", "Ctrl+V", C::Paste, true, false, false, false, "tango/edit-paste"},
    {M::Edit, 7, "削除(&L)", "", C::Delete, true, false, false, false, "tango/edit-delete"},
    {M::Edit, 8, "", "", C::None, false, true},
    {M::Edit, 9, "検索(&F)...", "Ctrl+F", C::Find, false, false, false, false, "tango/edit-find"},
    {M::Edit, 10, "", "", C::None, false, false, true},
    {M::Edit, 11, "", "", C::None, false, false, true},
    {M::Edit, 12, "", "", C::None, false, true},
    {M::Edit, 13, "すべて選択(&A)", "Ctrl+A", C::SelectAll, false, false, false, false, "tango/edit-select-all"},

    {M::View, 1, "ツール バー(&T)", "", C::None},
    {M::ViewToolbar, 1, "標準", "", C::StandardToolbar, false, false, false, true},
    {M::View, 2, "ステータス バー(&B)", "", C::StatusBar, false, false, false, true},
    {M::View, 3, "", "", C::None, false, false, true},
    {M::View, 4, "", "", C::None, false, true},
    {M::View, 5, "モバイルブラウザ", "", C::PreviewWindow, false, false, false, true, "tango/internet-web-browser"},
    {M::View, 6, "", "", C::None, false, false, true},
    {M::View, 7, "", "", C::None, false, false, true},
    {M::View, 8, "", "", C::None, false, false, true},
    {M::View, 9, "", "", C::None, false, true},
    {M::View, 10, "編集中のファイルをプレビュー", "F5", C::Preview, false, false, false, false, "tango/view-refresh"},

    {M::Format, 1, "フォント", "", C::FontTag, true, false, false, false, "tango/preferences-desktop-font"},
    {M::Format, 2, "", "", C::None, false, true},
    {M::Format, 3, "", "", C::None, false, false, true},
    {M::Format, 4, "", "", C::None, false, false, true},
    {M::Format, 5, "", "", C::None, false, false, true},
    {M::Format, 6, "", "", C::None, false, false, true},
    {M::Format, 7, "", "", C::None, false, false, true},
    {M::Format, 8, "左寄せ", "", C::AlignLeft, true, false, false, false, "tags/left"},
    {M::Format, 9, "中央寄せ", "", C::AlignCenter, true, false, false, false, "tags/center"},
    {M::Format, 10, "右寄せ", "", C::AlignRight, true, false, false, false, "tags/right"},
    {M::Format, 11, "", "", C::None, false, false, true},

    {M::Insert, 1, "リンク(&L)", "", C::LinkTag, true, false, false, false, "tags/link"},
    {M::Insert, 2, "画像ファイル(&I)", "", C::ImageTag, true, false, false, false, "tags/image"},
    {M::Insert, 3, "水平線(&Z)", "", C::Rule, true, false, false, false, "tags/hr"},
    {M::Insert, 4, "", "", C::None, false, true},
    {M::Insert, 5, "改行(&B)", "", C::LineBreak, true, false, false, false, "tags/br"},
    {M::Insert, 6, "半角スペース(&S)", "", C::Space, true, false, false, false, "tags/space"},
    {M::Insert, 7, "絵文字(&Q)", "", C::Pictograph, true},
    {M::Insert, 8, "", "", C::None, false, true},
    {M::Insert, 9, "マーキー(&M)", "", C::MarqueeTag, true},
    {M::Insert, 10, "", "", C::None, false, false, true},

    {M::Tools, 1, "", "", C::None, false, false, true},
    {M::Tools, 2, "", "", C::None, false, false, true},
    {M::Tools, 3, "", "", C::None, false, false, true},
    {M::Tools, 4, "", "", C::None, false, false, true},
    {M::Tools, 5, "", "", C::None, false, false, true},
    {M::Tools, 6, "", "", C::None, false, false, true},
    {M::Tools, 7, "", "", C::None, false, false, true},
    {M::Tools, 8, "", "", C::None, false, false, true},
    {M::Tools, 9, "", "", C::None, false, false, true},
    {M::Tools, 10, "オプション", "", C::Options, false, false, false, false, "tango/preferences-system"},

    {M::Help, 1, "", "", C::None, false, false, true},
    {M::Help, 2, "", "", C::None, false, false, true},
    {M::Help, 3, "", "", C::None, false, false, true},
    {M::Help, 4, "バージョン情報(&A)...", "", C::About, false, false, false, false, "tango/dialog-information"},
};

constexpr ToolButton kStandard[] = {
    {1, "New", "新規作成", "新しいファイルを作成します。", M::File, 1, false, "tango/document-new"},
    {2, "Open", "開く", "既存のファイルを開きます。", M::File, 2, false, "tango/document-open"},
    {3, "Save", "保存", "編集中のファイルを保存します。", M::File, 3, false, "tango/document-save"},
    {4, "", "", "", M::File, 0, true},
    {5, "Cut", "切り取り", "選択されている文字を切り取ります。", M::Edit, 4, false, "tango/edit-cut"},
    {6, "Copy", "コピー", "選択されている文字をコピーします。", M::Edit, 5, false, "tango/edit-copy"},
    {7, "Paste", "貼り付け", "切り取り・コピーされた文字を貼り付けます。", M::Edit, 6, false, "tango/edit-paste"},
    {8, "", "", "", M::File, 0, true},
    {9, "Undo", "元に戻す", "", M::Edit, 1, false, "tango/edit-undo"},
    {10, "Redo", "やり直し", "", M::Edit, 2, false, "tango/edit-redo"},
    {11, "", "", "", M::File, 0, true},
    {12, "Print", "印刷", "", M::File, 0, false, "tango/document-print"},
    {13, "Reflesh", "更新", "編集中のファイルをプレビューします。", M::View, 10, false, "tango/view-refresh"},
};

constexpr ToolButton kTags[] = {
    {1, "Link", "リンク", "", M::Insert, 1, false, "tags/link"},
    {2, "Image", "画像", "", M::Insert, 2, false, "tags/image"},
    {3, "HR", "水平線", "", M::Insert, 3, false, "tags/hr"},
    {4, "", "", "", M::Insert, 0, true},
    {5, "Left", "左寄せ", "", M::Format, 8, false, "tags/left"},
    {6, "Center", "中央寄せ", "", M::Format, 9, false, "tags/center"},
    {7, "Right", "右寄せ", "", M::Format, 10, false, "tags/right"},
    {8, "", "", "", M::Insert, 0, true},
    {9, "", "改行", "", M::Insert, 5, false, "tags/br"},
    {10, "", "スペース", "", M::Insert, 6, false, "tags/space"},
};

constexpr PopupItem kPopup[] = {
    {"元に戻す(&U)", M::Edit, 1}, {"やり直し(&R)", M::Edit, 2}, {"", M::Edit, 0},
    {"切り取り(&T)", M::Edit, 4}, {"コピー(&C)", M::Edit, 5},    {"貼り付け(&P)", M::Edit, 6},
    {"削除(&L)", M::Edit, 7},     {"", M::Edit, 0},             {"すべて選択(&A)", M::Edit, 13},
};

}  // namespace

std::span<const TopMenu> TopMenus() { return kTop; }
std::span<const MenuItem> MenuItems() { return kItems; }
std::span<const ToolButton> StandardButtons() { return kStandard; }
std::span<const ToolButton> TagButtons() { return kTags; }
std::span<const PopupItem> PopupItems() { return kPopup; }

const MenuItem* FindMenuItem(Menu menu, int index) {
    const auto it = std::find_if(std::begin(kItems), std::end(kItems),
                                 [&](const MenuItem& m) { return m.menu == menu && m.index == index; });
    return it == std::end(kItems) ? nullptr : &*it;
}

}  // namespace quenby::shell

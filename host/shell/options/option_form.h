// The options dialog: application options, the editor's font, colours and
// marks, and the preview skin. Choices are tried on a sample editor of its
// own and reach the editor window and the settings file only on 更新 or
// OK; the three tag colours are the exception and take effect at once.
#pragma once

#include <QColor>
#include <QDialog>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "host/common/control_host.h"
#include "host/shell/app_settings.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTreeWidget;

namespace quenby::shell {

class EditForm;

// Asks the user for a colour, starting from current; nothing when the
// user cancels. Tests replace it.
using ColourQuestion = std::function<std::optional<QColor>(QWidget* parent, const QColor& current)>;
// Returns the previous question; an empty one restores the colour dialog.
ColourQuestion SetColourQuestion(ColourQuestion question);

class OptionForm final : public QDialog {
    Q_OBJECT

public:
    // reloadSkin re-lays out the preview window's skin after an apply.
    OptionForm(AppSettings& settings, EditForm& editor, std::function<void()> reloadSkin, QWidget* parent = nullptr);
    ~OptionForm() override;

    void LoadSetting();
    void SaveSetting();

    void Apply_Click();
    void OK_Click();
    void Cancel_Click();

    // ---- What the pages hold -------------------------------------------------
    QTabWidget* Tabs() const { return tabs_; }
    // 0 起動画面, 1 マウス操作時の更新, 2 1分ごとの更新, 3 ツールバーの文字.
    QCheckBox* AppliOptCheck(int index) const { return appliOpt_[index]; }
    // 0 半角スペース ... 8 UnderLine.
    QCheckBox* EditOptCheck(int index) const { return editOpt_[index]; }
    QComboBox* FontList() const { return fontList_; }
    QComboBox* FontSizeList() const { return fontSizeList_; }
    // 0 text, 1 background, 2 tag, 3 tag 2, 4 comment; 0x00BBGGRR.
    std::uint32_t SwatchColour(int index) const { return colours_[index]; }
    void ColorSetting_Click(int index);
    ControlHost* Sample() const { return sample_.get(); }
    QTreeWidget* SkinList() const { return skinList_; }
    // Name, version, copyright, comment of the selected skin.
    QString SkinDetail(int index) const;
    // The handset profile the selected skin shows and pages are checked against.
    QString SkinHandsetText() const;
    void SkinList_Click(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildGeneralPage(QWidget* page);
    void BuildEditorPage(QWidget* page);
    void BuildSkinPage(QWidget* page);
    void FillSkinList();
    void ShowSkinDetails(const QString& file);
    QString HandsetText(const QString& named) const;
    void SetSwatch(int index, std::uint32_t colour);
    void EditOptCheck_Click(int index);
    void FontList_Validate();
    void FontSizeList_Validate();
    void ApplySampleFontTo(ControlHost& control);

    AppSettings& settings_;
    EditForm& editor_;
    std::function<void()> reloadSkin_;
    std::unique_ptr<ControlHost> sample_;
    QString sampleError_;
    int sampleSize_ = 9;

    QTabWidget* tabs_ = nullptr;
    std::array<QCheckBox*, 4> appliOpt_{};
    std::array<QCheckBox*, 9> editOpt_{};
    QComboBox* fontList_ = nullptr;
    QComboBox* fontSizeList_ = nullptr;
    std::array<QPushButton*, 5> swatches_{};
    std::array<std::uint32_t, 5> colours_{};
    QTreeWidget* skinList_ = nullptr;
    std::array<QLineEdit*, 3> skinText_{};
    QPlainTextEdit* skinComment_ = nullptr;
    QLineEdit* skinHandset_ = nullptr;
};

// Opens the dialog modally over the editor window.
void ShowOptions(AppSettings& settings, EditForm& editor, std::function<void()> reloadSkin);

}  // namespace quenby::shell

// The font dialog: wraps the editor's selection in a font change of size,
// colour or both. The colour list shows a swatch for each colour; "その他"
// asks for any colour and takes on its swatch.
#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace quenby {
class ControlHost;
}

namespace quenby::authoring {

class EditorPort;

// Asks the user for any colour, starting from initial. Both are 0x00BBGGRR;
// nothing when the user cancels.
using ColourQuestion = std::function<std::optional<std::uint32_t>(QWidget* owner, std::uint32_t initial)>;

// Replaces what asks for a colour (tests answer instead of a person); an
// empty function puts the system's colour dialog back. Returns the
// previous one.
ColourQuestion SetColourQuestion(ColourQuestion question);

class InsForm_Font final : public QDialog {
    Q_OBJECT

public:
    // Owned by the editor window, working on its control.
    explicit InsForm_Font(EditorPort& editor);

    QComboBox* FontSizeList() const { return sizes_; }
    QComboBox* ColorComboList() const { return colours_; }
    QLineEdit* ColorCode() const { return code_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

    // Choosing the colour list's item at index.
    void ColorComboList_Click(int index);
    void OkButton_Click();
    void CancelButton_Click();

private:
    void PaintSwatch(int index, const QColor& colour);

    ControlHost& control_;
    QComboBox* sizes_;
    QComboBox* colours_;
    QLineEdit* code_;
    QPushButton* ok_;
    QPushButton* cancel_;
    std::uint32_t lastCustom_ = 0;  // where the next colour question starts
};

void ShowFontDialog(EditorPort& editor);

}  // namespace quenby::authoring

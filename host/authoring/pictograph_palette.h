// The pictograph palette: all basic pictographs in one picture; a press
// picks one, shows its reference and an enlarged view, and the insert
// button (or a double click on the palette) writes the reference into the
// editor after the selected text. The dialog stays open so that several
// pictographs can go in one after another.
#pragma once

#include <QDialog>
#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QString>

class QLineEdit;
class QPushButton;
class QWidget;

namespace quenby::authoring {

class EditorPort;

class InsForm_PictText final : public QDialog {
    Q_OBJECT

public:
    // Pictures come from programFolder's "image" folder.
    InsForm_PictText(EditorPort& editor, const QString& programFolder, QWidget* parent = nullptr);
    ~InsForm_PictText() override;

    // A mouse press on the palette at pos (palette pixels).
    void PressAt(QPoint pos);
    // A double click on the palette: the press picks, then it inserts.
    void DoubleClickAt(QPoint pos);
    void InsertButton_Click();
    void CloseButton_Click();

    // The current pictograph, 0 until one is picked.
    int Number() const { return number_; }
    QString ReferenceText() const;
    // What the enlarged view shows: 72 x 72, null before a pick or when
    // the pictograph's picture cannot be read.
    const QImage& EnlargedPicture() const { return enlarged_; }
    QWidget* PalettePicture() const { return picture1_; }
    QWidget* PreviewPicture() const { return picture2_; }
    QPushButton* InsertButton() const { return insert_; }
    QPushButton* CloseButton() const { return close_; }

private:
    EditorPort& editor_;
    QString imageFolder_;
    int number_ = 0;
    QImage enlarged_;
    QWidget* picture1_ = nullptr;
    QWidget* picture2_ = nullptr;
    QLineEdit* text1_ = nullptr;
    QPushButton* insert_ = nullptr;
    QPushButton* close_ = nullptr;
};

// Shows the palette modally over the editor's window.
void ShowPictographPalette(EditorPort& editor);

}  // namespace quenby::authoring

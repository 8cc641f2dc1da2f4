#include "host/authoring/pictograph_palette.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <utility>

#include "host/authoring/editor_port.h"
#include "host/authoring/pictograph_pick.h"
#include "host/common/control_host.h"
#include "host/common/program_folder.h"

namespace quenby::authoring {
namespace {

constexpr int kZoom = 6;
constexpr int kPictographSide = 12;
constexpr int kEnlargedSide = kPictographSide * kZoom;
constexpr int kPreviewBox = 96;

// The palette picture at its own size, with the picked cell framed so the
// user sees what the insert button will write.
class PaletteView final : public QWidget {
public:
    PaletteView(QPixmap picture, QWidget* parent) : QWidget(parent), picture_(std::move(picture)) {
        setFixedSize(kPaletteWidth, kPaletteHeight);
        setCursor(Qt::PointingHandCursor);
    }
    std::function<void(QPoint)> onPress;
    std::function<void(QPoint)> onDoubleClick;
    void SetPicked(int n) {
        picked_ = n;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.drawPixmap(0, 0, picture_);
        if (picked_ <= 0) return;
        const int c = (picked_ - 1) % kPaletteColumns, r = (picked_ - 1) / kPaletteColumns;
        // Over the cell's own grid lines and one pixel inside them: thin,
        // yet clear of the 12-pixel pictograph in the middle of the cell.
        const QRect cell(c * kPaletteCell, r * kPaletteCell, kPaletteCell + 1, kPaletteCell + 1);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::NoBrush);
        const QColor frame = palette().color(QPalette::Highlight);
        for (int inset = 0; inset < 2; ++inset) {
            const QRect ring = cell.adjusted(inset, inset, -inset, -inset);
            p.fillRect(ring.left(), ring.top(), ring.width(), 1, frame);
            p.fillRect(ring.left(), ring.bottom(), ring.width(), 1, frame);
            p.fillRect(ring.left(), ring.top(), 1, ring.height(), frame);
            p.fillRect(ring.right(), ring.top(), 1, ring.height(), frame);
        }
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton && onPress) onPress(e->position().toPoint());
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton && onDoubleClick) onDoubleClick(e->position().toPoint());
    }

private:
    QPixmap picture_;
    int picked_ = 0;
};

// The enlarged pictograph, centred in a white box.
class EnlargedView final : public QWidget {
public:
    explicit EnlargedView(QWidget* parent) : QWidget(parent) { setFixedSize(kPreviewBox, kPreviewBox); }
    void SetPicture(const QImage& image) {
        image_ = image;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.setPen(palette().color(QPalette::Mid));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        if (!image_.isNull())
            p.drawImage((width() - kEnlargedSide) / 2, (height() - kEnlargedSide) / 2, image_);
    }

private:
    QImage image_;
};

// Each source pixel becomes a 6 x 6 block: a pictograph is pixel art and
// any smoothing would blur it.
QImage Enlarge(const QImage& source) {
    const QImage s = source.convertToFormat(QImage::Format_ARGB32);
    QImage out(kEnlargedSide, kEnlargedSide, QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    const int w = std::min(s.width(), kPictographSide), h = std::min(s.height(), kPictographSide);
    for (int y = 0; y < h * kZoom; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(s.constScanLine(y / kZoom));
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w * kZoom; ++x) row[x] = in[x / kZoom];
    }
    return out;
}

}  // namespace

InsForm_PictText::InsForm_PictText(EditorPort& editor, const QString& programFolder, QWidget* parent)
    : QDialog(parent), editor_(editor), imageFolder_(programFolder + QStringLiteral("/image/")) {
    setWindowTitle(QStringLiteral("i-mode専用絵文字"));

    auto* listFrame = new QGroupBox(QStringLiteral("i-mode専用絵文字一覧"), this);
    auto* palette = new PaletteView(QPixmap(imageFolder_ + QStringLiteral("palette.png")), listFrame);
    palette->setObjectName(QStringLiteral("Picture1"));
    palette->onPress = [this](QPoint pos) { PressAt(pos); };
    palette->onDoubleClick = [this](QPoint pos) { DoubleClickAt(pos); };
    picture1_ = palette;
    auto* listLayout = new QVBoxLayout(listFrame);
    listLayout->addWidget(palette);

    auto* previewFrame = new QGroupBox(QStringLiteral("プレビュー"), this);
    auto* view = new EnlargedView(previewFrame);
    view->setObjectName(QStringLiteral("Picture2"));
    picture2_ = view;
    text1_ = new QLineEdit(previewFrame);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setReadOnly(true);
    text1_->setAlignment(Qt::AlignCenter);
    text1_->setFixedWidth(kPreviewBox);
    auto* previewLayout = new QVBoxLayout(previewFrame);
    previewLayout->addWidget(view, 0, Qt::AlignHCenter);
    previewLayout->addWidget(text1_, 0, Qt::AlignHCenter);

    insert_ = new QPushButton(QStringLiteral("挿入(&I)"), this);
    insert_->setObjectName(QStringLiteral("Command2"));
    insert_->setEnabled(false);  // nothing to insert until a pictograph is picked
    insert_->setAutoDefault(false);
    close_ = new QPushButton(QStringLiteral("閉じる"), this);
    close_->setObjectName(QStringLiteral("Command1"));
    close_->setAutoDefault(false);
    connect(insert_, &QPushButton::clicked, this, [this] { InsertButton_Click(); });
    connect(close_, &QPushButton::clicked, this, [this] { CloseButton_Click(); });

    auto* side = new QVBoxLayout;
    side->addWidget(previewFrame);
    side->addStretch(1);
    side->addWidget(insert_);
    side->addWidget(close_);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(listFrame, 0, Qt::AlignTop);
    layout->addLayout(side);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

InsForm_PictText::~InsForm_PictText() = default;

QString InsForm_PictText::ReferenceText() const { return text1_->text(); }

void InsForm_PictText::PressAt(QPoint pos) {
    const int n = PictographAt(pos.x(), pos.y());
    if (n == 0) return;
    number_ = n;
    text1_->setText(PictographReference(n));
    const QImage image(imageFolder_ + QString::number(n) + QStringLiteral(".gif"));
    enlarged_ = image.isNull() ? QImage() : Enlarge(image);
    static_cast<EnlargedView*>(picture2_)->SetPicture(enlarged_);
    static_cast<PaletteView*>(picture1_)->SetPicked(n);
    insert_->setEnabled(true);
}

void InsForm_PictText::DoubleClickAt(QPoint pos) {
    PressAt(pos);
    InsertButton_Click();
}

void InsForm_PictText::InsertButton_Click() {
    const QString reference = PictographReference(number_);
    if (reference.isEmpty()) return;
    ControlHost& control = editor_.EditorControl();
    // Pasting replaces the selection, so it goes back in front of the
    // reference: the selected text is kept.
    const QString selection = control.Get<QString>(tarnedit::dispid::SelText);
    control.TextPaste(selection + reference);
    editor_.RefreshPreview();
}

void InsForm_PictText::CloseButton_Click() { close(); }

void ShowPictographPalette(EditorPort& editor) {
    InsForm_PictText dialog(editor, FromPath(ProgramFolder()), editor.OwnerWindow());
    dialog.setModal(true);
    dialog.exec();
}

}  // namespace quenby::authoring

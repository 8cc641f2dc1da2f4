// Drags out of the control and drops onto it through the toolkit: text as
// text/plain converted from CP932 (with the control's own byte form beside
// it), files as a list of local file URLs.
#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QUrl>

#include "control/view/drawing_font.h"
#include "control/view/exchange_data.h"
#include "control/view/tarn_edit_view.h"
#include "control/view/view_input.h"
#include "platform/codepage/codepage.h"

namespace tarn::view {

namespace msg = platform::messages;

namespace {
QStringList LocalFiles(const QMimeData* data) {
    QStringList files;
    if (!data || !data->hasUrls()) return files;
    for (const QUrl& u : data->urls())
        if (u.isLocalFile()) files << u.toLocalFile();
    return files;
}
}  // namespace

void TViewInput::CreateWindowDropTarget() {
    dropTarget_ = DragMode == dmOLEAuto;
    view_.setAcceptDrops(dropTarget_);
}

bool TViewInput::DragFromHere(const QMimeData*) const { return dragFromHere_; }

void TViewInput::StartToolkitDrag(bool) {
    TTarnEdit& e = view_.Editor();
    auto* data = new QMimeData;
    PutExchangeText(*data, e.SelText());
    if (e.SelFlag && e.BoxSelMode()) data->setData(BoxMimeType(), QByteArray("1"));
    QDrag drag(&view_);
    drag.setMimeData(data);
    dragFromHere_ = true;
    e.DragInit();
    const Qt::DropAction action = drag.exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
    dragFromHere_ = false;
    // A drag nobody took leaves the text where it was.
    e.DropFinish(false, action != Qt::IgnoreAction);
    view_.RepeatCount = 0;
    autoScroll_ = TAutoScroll::none;
}

bool TViewInput::DragEnter(QDragEnterEvent* ev) {
    const QMimeData* data = ev->mimeData();
    dropWanted_ = !LocalFiles(data).isEmpty() || (data && data->hasText());
    // Some drag sources answer for their data only while the drag is
    // entering (seen with another process over X11): keep the text now.
    enteredText_ = data && data->hasText() ? data->text() : QString();
    enteredBytes_ = data && data->hasFormat(BytesMimeType()) ? data->data(BytesMimeType()) : QByteArray();
    if (!dropWanted_ || !view_.isEnabled()) {
        dropWanted_ = false;
        ev->ignore();
        return true;
    }
    if (LocalFiles(data).isEmpty()) view_.WndProc(msg::WM_SETFOCUS, 0, 0);
    ev->setDropAction(Qt::CopyAction);
    ev->accept();
    return true;
}

bool TViewInput::DragMove(QDragMoveEvent* ev) {
    if (!dropWanted_) {
        ev->ignore();
        return true;
    }
    Qt::DropAction action = Qt::CopyAction;
    if (LocalFiles(ev->mimeData()).isEmpty()) {
        const TModifierScope scope(eventModifiers_, 0);
        const QPoint p = ev->position().toPoint();
        DragOver(p.x(), p.y());
        const bool fromEditor = qobject_cast<TTarnEditView*>(ev->source()) != nullptr;
        if (fromEditor && !(ev->modifiers() & Qt::ControlModifier)) action = Qt::MoveAction;
    }
    ev->setDropAction(action);
    ev->accept();
    return true;
}

bool TViewInput::DragLeave() {
    view_.WndProc(msg::WM_KILLFOCUS, 0, 0);
    dropWanted_ = false;
    enteredText_.clear();
    enteredBytes_.clear();
    return true;
}

bool TViewInput::Drop(QDropEvent* ev) {
    TTarnEdit& e = view_.Editor();
    const QMimeData* data = ev->mimeData();
    const QStringList files = LocalFiles(data);
    dropWanted_ = false;
    if (!files.isEmpty()) {
        std::string joined;
        for (const QString& f : files) {
            if (!joined.empty()) joined += '|';
            joined += platform::codepage::ToBytes(f.toStdU16String());
        }
        if (OnOLEDropFiles) OnOLEDropFiles(joined);
        ev->setDropAction(Qt::CopyAction);
        ev->accept();
        return true;
    }
    if (!data || (!data->hasText() && !data->hasFormat(BytesMimeType()))) {
        ev->ignore();
        return true;
    }
    const QPoint p = ev->position().toPoint();
    if (!view_.ClientRect().contains(p)) {
        ev->ignore();
        return true;
    }
    const unsigned mods = (ev->modifiers() & Qt::ControlModifier) ? msg::MK_CONTROL : 0u;
    const TModifierScope scope(eventModifiers_, mods);
    DragOver(p.x(), p.y());
    const bool self = ev->source() == &view_ && dragFromHere_;
    TExchangeText dropped = TakeExchangeText(*data, enteredBytes_, enteredText_);
    enteredText_.clear();
    enteredBytes_.clear();
    view_.lostCharacters_ = dropped.lost;
    std::string text = std::move(dropped.bytes);
    text = text.substr(0, text.find('\0'));
    e.DropText(text, self);
    e.DropFinish(self, true);
    if (OnOLEDropText) OnOLEDropText();
    ev->setDropAction(self && !mods ? Qt::MoveAction : Qt::CopyAction);
    ev->accept();
    return true;
}

}  // namespace tarn::view

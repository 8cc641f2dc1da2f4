// tarn-viewer: a text file in the editing control, for a person to look at
// how it paints and to edit it: type (an input method included), select with
// keys or mouse, copy and paste with other programs, drag text in and out,
// undo, and save as Shift_JIS. The View menu switches the ruler, the gutter,
// the marks and word wrap.
#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QFileDialog>
#include <QMainWindow>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QSaveFile>
#include <QStatusBar>
#include <QStringDecoder>

#include "control/view/tarn_edit_view.h"
#include "control/view/view_input.h"
#include "platform/codepage/codepage.h"

namespace {

using tarn::view::TTarnEditView;

const char* const kSample =
    "TarnEditX の表示見本です。\r\n"
    "\r\n"
    "日本語の文章と ASCII text が混ざった行。\r\n"
    "全角スペース→　←と半角スペース→ ←\r\n"
    "タブ\t区切り\tの\t行\r\n"
    "> 引用された行は引用色で表示されます。\r\n"
    ">> 二重の引用\r\n"
    "URL: http://www.example.co.jp/index.html と mailto:info@example.jp\r\n"
    "半角ｶﾀｶﾅ ﾃｷｽﾄ と 記号 ①②③ ■□◆\r\n"
    "とても長い行：いろはにほへとちりぬるをわかよたれそつねならむうゐのおくやまけふこえてあさきゆめみしゑひもせす"
    "いろはにほへとちりぬるをわかよたれそつねならむうゐのおくやまけふこえてあさきゆめみしゑひもせす\r\n"
    "最後の行";

// A file is shown as CP932 unless it is plainly UTF-8.
std::string ReadShown(const QString& path, bool& ok) {
    QFile f(path);
    ok = f.open(QIODevice::ReadOnly);
    if (!ok) return {};
    const QByteArray bytes = f.readAll();
    bool wide = false;
    for (char c : bytes) wide |= static_cast<unsigned char>(c) >= 0x80;
    if (wide) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8.decode(bytes);
        if (!utf8.hasError()) return platform::codepage::ToBytes(text.toStdU16String());
    }
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

class ViewerWindow : public QMainWindow {
public:
    ViewerWindow() {
        view_ = new TTarnEditView(this);
        setCentralWidget(view_);
        resize(800, 600);
        QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
        file->addAction(QStringLiteral("&Open..."), this, [this] {
            const QString path = QFileDialog::getOpenFileName(this);
            if (!path.isEmpty()) Open(path);
        });
        file->addAction(QStringLiteral("&Save as Shift_JIS..."), this, [this] {
            const QString path = QFileDialog::getSaveFileName(this, {}, path_);
            if (!path.isEmpty()) Save(path);
        });
        file->addAction(QStringLiteral("&Quit"), this, &QWidget::close);
        AddEditMenu();
        QMenu* menu = menuBar()->addMenu(QStringLiteral("&View"));
        auto& s = view_->Settings();
        Toggle(menu, "&Ruler", s.ShowRuler(), [&s](bool on) { s.SetShowRuler(on); });
        Toggle(menu, "Ruler &cursor", view_->Editor().ShowRulerCur, [this](bool on) { view_->SetShowRulerCur(on); });
        Toggle(menu, "&Line numbers", s.ShowLineNumber, [&s](bool on) { s.ShowLineNumber = on; });
        Toggle(menu, "CR and &EOF marks", s.ShowCR, [&s](bool on) { s.ShowCR = s.ShowEOF = on; });
        Toggle(menu, "&TAB marks", s.ShowTAB, [&s](bool on) { s.ShowTAB = on; });
        Toggle(menu, "&Space marks", s.ShowSglSpace, [&s](bool on) { s.ShowSglSpace = on; });
        Toggle(menu, "Caret-line &underline", s.ShowUnderLine, [&s](bool on) { s.ShowUnderLine = on; });
        Toggle(menu, "&Horizontal scroll bar", s.HorzScrollBar, [this](bool on) {
            view_->SetHorzScrollBar(on);
        });
        Toggle(menu, "&Word wrap", view_->Editor().WordWrap(), [this](bool on) { view_->Editor().PutWordWrap(on); });

        // Drags go to and come from other programs; inside the window a
        // drag still moves the text (Ctrl copies).
        view_->Input().DragMode = tarn::view::dmOLEAuto;
        view_->Input().CreateWindowDropTarget();
        position_ = new QLabel(this);
        statusBar()->addPermanentWidget(position_);
        auto& e = view_->Editor();
        e.OnMoveCaret = [this] { ShowPosition(); };
        e.OnChangeInsMode = [this](bool) { ShowPosition(); };
        e.OnChange = [this] { ShowPosition(); };
        ShowPosition();
    }

    TTarnEditView& View() { return *view_; }

    void Open(const QString& path) {
        bool ok = false;
        const std::string text = ReadShown(path, ok);
        if (!ok) {
            view_->ShowMessage(platform::codepage::Utf8ToBytes("開けません: " + path.toStdString()));
            return;
        }
        view_->Editor().SetText(text);
        view_->Editor().ClearUndoRecord();
        path_ = path;
        setWindowTitle(path + QStringLiteral(" - tarn-viewer"));
    }

    // The document's own bytes: CP932, as the control holds them.
    bool Save(const QString& path) {
        const std::string text = view_->Editor().Text();
        QSaveFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(text.data(), static_cast<qint64>(text.size())) < 0 || !f.commit()) {
            view_->ShowMessage(platform::codepage::Utf8ToBytes("保存できません: " + path.toStdString()));
            return false;
        }
        view_->Editor().Modified = false;
        path_ = path;
        setWindowTitle(path + QStringLiteral(" - tarn-viewer"));
        statusBar()->showMessage(QStringLiteral("Saved ") + path, 3000);
        return true;
    }

    void ShowSample() {
        view_->Editor().SetText(platform::codepage::Utf8ToBytes(kSample));
        setWindowTitle(QStringLiteral("tarn-viewer"));
    }

private:
    // The control's own keys do the work while it has the focus; the menu
    // is for the mouse and shows the keys.
    void AddEditMenu() {
        QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
        auto& e = view_->Editor();
        auto add = [&](const char* name, QKeySequence keys, auto f) {
            QAction* a = edit->addAction(QString::fromUtf8(name), this, [this, f] {
                f();
                view_->setFocus();
            });
            a->setShortcut(keys);
            a->setShortcutContext(Qt::WidgetShortcut);  // shown, never stolen from the control
        };
        add("&Undo", QKeySequence(Qt::CTRL | Qt::Key_Z), [&e] { e.Undo(); });
        add("&Redo", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), [&e] { e.Redo(); });
        edit->addSeparator();
        add("Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X), [&e] { e.Cut(); });
        add("&Copy", QKeySequence(Qt::CTRL | Qt::Key_C), [&e] { e.TxtCopy(); });
        add("&Paste", QKeySequence(Qt::CTRL | Qt::Key_V), [&e] { e.Paste(); });
        add("Select &all", QKeySequence(Qt::CTRL | Qt::Key_A), [&e] { e.AllSel(); });
        edit->addSeparator();
        QAction* box = edit->addAction(QStringLiteral("&Box selection"));
        box->setCheckable(true);
        connect(box, &QAction::toggled, this, [this](bool on) {
            view_->Editor().SetBoxSelMode(on);
            view_->RepaintAll();
        });
    }

    void ShowPosition() {
        const auto& e = view_->Editor();
        position_->setText(QStringLiteral("%1:%2  %3%4")
                               .arg(e.CurposY + 1)
                               .arg(e.CurposX + 1)
                               .arg(e.InsMode ? QStringLiteral("INS") : QStringLiteral("OVR"))
                               .arg(e.Modified ? QStringLiteral("  *") : QString()));
    }

    template <class F>
    void Toggle(QMenu* menu, const char* name, bool initial, F apply) {
        QAction* a = menu->addAction(QString::fromUtf8(name));
        a->setCheckable(true);
        a->setChecked(initial);
        connect(a, &QAction::toggled, this, [this, apply](bool on) {
            apply(on);
            view_->ReDesign();
        });
    }

    TTarnEditView* view_;
    QLabel* position_ = nullptr;
    QString path_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("tarn-viewer"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Shows a text file (Shift_JIS or UTF-8) in the editing control."));
    parser.addHelpOption();
    const QCommandLineOption ruler(QStringLiteral("ruler"), QStringLiteral("Show the ruler and its cursor."));
    const QCommandLineOption numbers(QStringLiteral("numbers"), QStringLiteral("Show line numbers."));
    const QCommandLineOption marks(QStringLiteral("marks"), QStringLiteral("Show TAB and space marks."));
    const QCommandLineOption nowrap(QStringLiteral("nowrap"), QStringLiteral("Turn word wrap off."));
    const QCommandLineOption shot(QStringLiteral("screenshot"), QStringLiteral("Save the window to <png> and quit."),
                                  QStringLiteral("png"));
    const QCommandLineOption column(QStringLiteral("column"), QStringLiteral("Wrap at <n> columns (default 72)."),
                                    QStringLiteral("n"));
    const QCommandLineOption autowrap(QStringLiteral("autowrap"),
                                      QStringLiteral("Wrap no wider than the window (with a huge --column: at the window)."));
    parser.addOptions({ruler, numbers, marks, nowrap, column, autowrap, shot});
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("The file to show (a built-in sample if none)."));
    parser.process(app);

    ViewerWindow window;
    TTarnEditView& view = window.View();
    auto& s = view.Settings();
    if (parser.isSet(ruler)) {
        s.SetShowRuler(true);
        view.SetShowRulerCur(true);
    }
    s.ShowLineNumber = parser.isSet(numbers);
    s.ShowTAB = s.ShowSglSpace = parser.isSet(marks);
    view.Editor().SetWordWrap(!parser.isSet(nowrap), false);
    view.Editor().AutoWrap = parser.isSet(autowrap);
    if (parser.isSet(column)) view.Editor().SetColumn(parser.value(column).toInt());
    window.show();
    view.ReDesign();
    if (parser.positionalArguments().isEmpty()) window.ShowSample();
    else window.Open(parser.positionalArguments().front());
    view.setFocus();
    if (parser.isSet(shot)) {
        QApplication::processEvents();
        return window.grab().save(parser.value(shot)) ? 0 : 1;
    }
    return QApplication::exec();
}

#include "host/shell/startup.h"

#include <QGuiApplication>
#include <QScreen>

#include "host/common/ini_access.h"
#include "host/common/message_box.h"
#include "host/common/program_folder.h"
#include "host/common/text_file.h"
#include "host/shell/display_flags.h"
#include "host/shell/file_access.h"
#include "host/shell/tag_lists.h"

namespace quenby::shell {

namespace tx = tarnedit;

namespace {

QString Quenby(const QString& key) { return GetINIValue(kSectionQuenby, key, INIFilePath()); }

}  // namespace

Startup::Startup(AppSettings& settings, StartupWindows& windows, QString commandText)
    : settings_(settings), windows_(windows), commandText_(std::move(commandText)) {}

Startup::~Startup() = default;

EditForm& Startup::Editor() {
    if (!editor_) editor_ = std::make_unique<EditForm>(settings_, &windows_.Preview(), windows_.Dialogs());
    return *editor_;
}

void Startup::Main() {
    settings_.ShowSplash = ReadOptionFlag(Quenby(QStringLiteral("ShowSplash")));
    windows_.LoadSplash([this] { InitApplication(); });
    if (settings_.ShowSplash) windows_.ShowSplash();
}

void Startup::InitApplication() {
    if (initialised_) return;
    initialised_ = true;
    const std::filesystem::path folder = ProgramFolder();

    // 1. Fonts.
    FontCacheHooks hooks;
    hooks.screenFonts = screenFonts;
    hooks.progressMaximum = [this](int max) {
        if (windows_.SplashShown()) windows_.SetSplashProgressMax(max);
    };
    hooks.progress = [this](int value) {
        if (windows_.SplashShown()) windows_.SetSplashProgress(value);
    };
    hooks.splashShown = [this] { return settings_.ShowSplash && windows_.SplashShown(); };
    settings_.FontNames = LoadFontNames(folder, INIFilePath(), hooks, &fontCacheRebuilt_);

    // 2, 3. Colouring lists.
    LoadTagLists();

    // 4. Options that the editor window's loading already needs.
    settings_.MouseAutoRefresh = ReadOptionFlag(Quenby(QStringLiteral("MouseAutoRefresh")));
    settings_.TimeAutoRefresh = ReadOptionFlag(Quenby(QStringLiteral("TimeAutoRefresh")));
    settings_.ToolbarCaption = ReadOptionFlag(Quenby(QStringLiteral("ToolbarCaption")));

    // 5, 6. The editor window's first use loads it, and its first document
    // loads the preview.
    Editor().StandardToolbar_Refresh();
    if (!Editor().HasControl())
        MsgBox(QStringLiteral("編集コントロールを作成できません。\r\n\r\n") + Editor().ControlError(), MsgButtons::Ok,
               MsgIcon::Critical);
    windows_.Preview().Load();
    Editor().Form_Load();

    // 7. Stored settings, each on its own.
    ApplyStoredSettings();

    // 8. On screen.
    EditForm& editor = Editor();
    editor.setWindowState(storedState_);
    editor.show();
    windows_.ShowPreview(&editor);
    editor.show();
    editor.raise();
    editor.activateWindow();

    // 9. The first document.
    if (!commandText_.isEmpty()) {
        editor.FileOpen(commandText_);
    } else {
        const std::filesystem::path welcome = folder / "welcome.jpg";
        // The program starts even when the picture cannot be written.
        ExtractResourceJPEG(kWelcomePicture, welcome);
        windows_.ShowTemplateDialog(editor, FromPath(welcome));
    }

    // 10.
    windows_.UnloadSplash();
    if (onReady) onReady();
}

void Startup::LoadTagLists() {
    const std::filesystem::path folder = ProgramFolder();
    settings_.HTMLTagList = ParseTagList(QString::fromStdU16String(ReadTextFile(folder / "HtmlText.ctd")));
    settings_.CommentTagList = ParseTagList(QString::fromStdU16String(ReadTextFile(folder / "CommentText.ctd")));
}

void Startup::ApplyGeometry() {
    EditForm& editor = Editor();
    QRect g = editor.geometry();
    auto pixels = [](const QString& key) -> std::optional<int> {
        const std::optional<int> twips = ReadInteger(Quenby(key));
        if (!twips) return std::nullopt;
        return *twips / kTwipsPerPixel;
    };
    if (auto top = pixels(QStringLiteral("Top"))) g.moveTop(*top);
    if (auto left = pixels(QStringLiteral("Left"))) g.moveLeft(*left);
    if (auto width = pixels(QStringLiteral("Width"))) g.setWidth(std::clamp(*width, 200, 16384));
    if (auto height = pixels(QStringLiteral("Height"))) g.setHeight(std::clamp(*height, 150, 16384));
    // A stored position on a screen that is gone would put the window
    // where nobody can reach it.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desk = screen->virtualGeometry();
        if (!desk.isEmpty() && !desk.intersects(QRect(g.topLeft(), QSize(64, 32))))
            g.moveTopLeft(screen->availableGeometry().topLeft());
    }
    editor.setGeometry(g);
    static const Qt::WindowStates kStates[] = {Qt::WindowNoState, Qt::WindowMinimized, Qt::WindowMaximized};
    if (std::optional<int> state = ReadInteger(Quenby(QStringLiteral("State"))); state && *state >= 0 && *state <= 2)
        storedState_ = kStates[*state];
}

void Startup::ApplyStoredSettings() {
    ApplyGeometry();
    ControlHost* control = Editor().Control();
    if (control) {
        for (const DisplayFlag& f : kDisplayFlags)
            if (std::optional<bool> on = ReadDisplayFlag(Quenby(QString::fromLatin1(f.key)))) control->Put(f.property, *on);
        // An unknown font name is kept by the control and drawn with a
        // stand-in; an empty one is no name.
        if (const QString font = Quenby(QStringLiteral("Font")); !font.isEmpty()) control->SetFontName(font);
        if (std::optional<int> size = ReadFontSize(Quenby(QStringLiteral("FontSize")))) control->SetFontSize(*size);
        if (std::optional<std::uint32_t> c = ReadColour(Quenby(QStringLiteral("BackColor"))))
            control->Put(tx::dispid::Color, com::OLE_COLOR(*c));
        if (std::optional<std::uint32_t> c = ReadColour(Quenby(QStringLiteral("FontColor"))))
            control->Put(tx::dispid::AxFontColor, com::OLE_COLOR(*c));
    }
    settings_.HTMLTagColor = ReadTagColour(Quenby(QStringLiteral("HTMLTagColor")), RGB(0, 0, 255));
    settings_.HTMLTagColor2 = ReadTagColour(Quenby(QStringLiteral("HTMLTagColor2")), RGB(170, 0, 0));
    settings_.CommentTagColor = ReadTagColour(Quenby(QStringLiteral("CommentTagColor")), RGB(255, 128, 0));
    if (control) control->ReDesign();
}

}  // namespace quenby::shell

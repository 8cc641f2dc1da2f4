#include "host/preview/mobile_browser.h"

#include "host/common/handset_profile.h"
#include "host/common/ini_access.h"
#include "host/common/number_text.h"
#include "host/common/program_folder.h"
#include "host/common/text_file.h"
#include "host/preview/inet_get_html.h"
#include "host/preview/navigation_rules.h"
#include "host/preview/page_conversion.h"
#include "host/preview/preview_page.h"

#include "platform/codepage/codepage.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWebEngineHttpRequest>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <cmath>

namespace quenby::preview {
namespace {

const QString kSection = QStringLiteral("vUzezozi");
constexpr int kTwipsPerPixel = 15;
constexpr int kBrowserBorder = 2;

bool WriteFileBytes(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(bytes);
    return file.commit();
}

// The preview file is written as UTF-8 behind a byte-order mark: the mark
// decides the page's encoding before any charset the page itself declares,
// so a page declared Shift_JIS still shows every character it holds.
QByteArray PreviewFileBytes(const QString& text) { return QByteArray("\xEF\xBB\xBF") + text.toUtf8(); }

void DeleteForced(const QString& path) {
    if (!QFile::exists(path)) return;
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
    QFile::remove(path);
}

// "Name:value" lines, as the design passes request headers.
QWebEngineHttpRequest RequestWithHeaders(const QUrl& url, const QString& headers) {
    QWebEngineHttpRequest request(url);
    for (const QString& line : headers.split(QRegularExpression(QStringLiteral("[\r\n]+")), Qt::SkipEmptyParts)) {
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon <= 0) continue;
        request.setHeader(line.left(colon).trimmed().toLatin1(), line.mid(colon + 1).trimmed().toLatin1());
    }
    return request;
}

}  // namespace

MobileBrowser::MobileBrowser(PreviewFolders folders, QWidget* parent)
    : QMainWindow(parent), folders_(std::move(folders)) {
    setWindowTitle(QStringLiteral("モバイルブラウザ"));
    setObjectName(QStringLiteral("MobileBrowser"));

    // The address bar: the address in a frame, the go button beside it.
    auto* bar = new QToolBar(this);
    bar_ = bar;
    bar->setObjectName(QStringLiteral("CoolBar1"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->toggleViewAction()->setVisible(false);
    auto* box = new QWidget(bar);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(2);
    address_ = new QLineEdit(box);
    address_->setObjectName(QStringLiteral("AddressBarURL"));
    go_ = new QPushButton(QStringLiteral("移動"), box);
    go_->setObjectName(QStringLiteral("GoButton"));
    row->addWidget(address_, 1);
    row->addWidget(go_);
    bar->addWidget(box);
    addToolBar(Qt::TopToolBarArea, bar);
    auto go = [this] { Navigate2(address_->text(), QStringLiteral("User-Agent:") + agent_); };
    connect(address_, &QLineEdit::returnPressed, this, go);
    connect(go_, &QPushButton::clicked, this, go);

    // The page area: the skin's picture centred, the browser on it, and the
    // masks above the browser's edges.
    frame_ = new QWidget(this);
    frame_->setObjectName(QStringLiteral("BrowseFrame"));
    frame_->installEventFilter(this);
    setCentralWidget(frame_);
    area_ = new QLabel(frame_);
    area_->setObjectName(QStringLiteral("BrowseArea"));
    static_cast<QLabel*>(area_)->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The browser control as the skins expect it: the page inside a border
    // of 2 pixels, which the masks hide together with the scroll bars.
    control_ = new QFrame(area_);
    control_->setObjectName(QStringLiteral("SeenBrowserControl"));
    control_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    control_->setLineWidth(kBrowserBorder);
    auto* inside = new QVBoxLayout(control_);
    inside->setContentsMargins(0, 0, 0, 0);  // the frame itself is the border
    seen_ = new QWebEngineView(control_);
    inside->addWidget(seen_);
    seen_->setObjectName(QStringLiteral("SeenBrowser"));
    seen_->setContextMenuPolicy(Qt::NoContextMenu);
    seenPage_ = new PreviewPage(PreviewProfile(), seen_);
    seen_->setPage(seenPage_);
    seenPage_->SetNavigationHook([this](const QUrl& url, bool mainFrame) { return CatchNavigation(url, mainFrame); });
    connect(seenPage_, &QWebEnginePage::loadFinished, this, [this](bool ok) {
        if (seenPage_->url().isLocalFile() &&
            seenPage_->url().toLocalFile().compare(Temp2Path(), Qt::CaseInsensitive) == 0)
            Q_EMIT PageShown(ok);
    });
    for (int i = 0; i < 4; ++i) {
        masks_[i] = new QLabel(area_);
        masks_[i]->setObjectName(QStringLiteral("P%1").arg(i + 1));
        masks_[i]->hide();
    }

    // Nothing navigates the hidden page; a movie it is sent to is stopped
    // and left again.
    hidden_ = new QWebEnginePage(PreviewProfile(), this);
    ApplyHandsetSettings(*hidden_);
    connect(hidden_, &QWebEnginePage::loadFinished, this, [this](bool) {
        if (!Is3gpAddress(hidden_->url().toString())) return;
        hidden_->triggerAction(QWebEnginePage::Stop);
        hidden_->triggerAction(QWebEnginePage::Back);
    });

    status_ = new QLabel(this);
    statusBar()->addWidget(status_, 1);

    ReadGeometry();
    address_->clear();
    LoadSkin();
}

MobileBrowser::~MobileBrowser() {
    // Going with its owner at the program's end unloads it as closing does.
    FormUnload();
    // The page goes before the view that shows it (the engine asks for
    // that order).
    seen_->setPage(nullptr);
    delete seenPage_;
}

QString MobileBrowser::Temp1Path() const { return FromPath(folders_.temporary / "temp1.htm"); }
QString MobileBrowser::Temp2Path() const { return FromPath(folders_.temporary / "temp2.htm"); }
QString MobileBrowser::StatusText() const { return status_->text(); }

int MobileBrowser::EngineScrollBarWidth() {
    // The classic scroll bar the engine draws for a page that overflows,
    // in device-independent pixels.
    return 15;
}

// ---- Skin --------------------------------------------------------------------------------

void MobileBrowser::LoadSkin() {
    const QString skin = GetINIValue(kSection, QStringLiteral("Skin"), folders_.settings);
    LoadSkinFile(skin.isEmpty() ? std::filesystem::path() : SkinFilePath(folders_.program, skin));
}

void MobileBrowser::LoadSkinFile(const std::filesystem::path& skinFile) {
    std::optional<SkinFile> skin = ReadSkinFile(skinFile);
    // A skin that names a handset shows the page as that handset asks for
    // it and at its screen size; the others as the default handset.
    agent_ = kHandsetAgent;
    handset_.clear();
    if (skin) {
        const std::vector<HandsetProfile> profiles = ReadHandsetProfiles(HandsetsFile(folders_.program));
        if (const HandsetProfile* p = FindProfile(profiles, SkinHandset(skinFile))) {
            handset_ = p->version;
            agent_ = p->agent;
            skin->width = p->screen.width();  // a profile always has a screen
            skin->height = p->screen.height();
        }
    }
    PreviewProfile()->setHttpUserAgent(agent_);
    background_ = QPixmap();
    if (skin && !skin->background.isEmpty())
        background_.load(FromPath(SkinFolder(folders_.program) / ToPath(skin->background)));
    const int s = skin ? EngineScrollBarWidth() : 0;
    layout_ = LayOutSkin(folders_.program, skin, s, background_.size());

    auto* area = static_cast<QLabel*>(area_);
    area->setFixedSize(layout_.area);
    if (!background_.isNull()) {
        area->setPixmap(background_);
    } else {
        area->setPixmap(QPixmap());
        area->setAutoFillBackground(true);
    }
    control_->setGeometry(layout_.browser);
    for (int i = 0; i < 4; ++i) {
        QLabel* mask = masks_[i];
        const QRect r = layout_.masks[i];
        if (!layout_.skinned || r.isEmpty()) {
            mask->hide();
            continue;
        }
        mask->setGeometry(r);
        if (!background_.isNull()) {
            mask->setPixmap(background_.copy(r));
        } else {
            mask->setPixmap(QPixmap());
            mask->setAutoFillBackground(true);
        }
        mask->show();
        mask->raise();
    }
    // A window whose size was never stored opens just large enough for the
    // phone.
    if (!sizeStored_) {
        const int bars = bar_->sizeHint().height() + statusBar()->sizeHint().height();
        resize(std::max(layout_.area.width() + 24, 280), layout_.area.height() + bars + 24);
    }
    FormResize();
}

// ---- Layout and geometry --------------------------------------------------------------------

bool MobileBrowser::eventFilter(QObject* watched, QEvent* event) {
    if (watched == frame_ && event->type() == QEvent::Resize) FormResize();
    return QMainWindow::eventFilter(watched, event);
}

void MobileBrowser::FormResize() {
    if (isMinimized()) return;
    const QSize frame = frame_->size();
    const QSize area = area_->size();
    // Centred across; down the middle only when the height left is positive.
    const int x = (frame.width() - area.width()) / 2;
    const int y = frame.height() > 0 ? (frame.height() - area.height()) / 2 : 0;
    area_->move(x, std::max(0, y));
}

void MobileBrowser::RememberNormalGeometry() {
    if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)) return;
    if (!isVisible()) return;
    normal_ = QRect(pos(), size());
}

void MobileBrowser::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    RememberNormalGeometry();
    FormResize();
}

void MobileBrowser::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    RememberNormalGeometry();
}

void MobileBrowser::ReadGeometry() {
    auto read = [&](const char* key) -> std::optional<int> {
        const std::optional<double> v = WholeNumber(GetINIValue(kSection, QString::fromLatin1(key), folders_.settings));
        if (!v || !std::isfinite(*v) || std::fabs(*v) > 1e9) return std::nullopt;
        return static_cast<int>(std::lround(*v / kTwipsPerPixel));
    };
    // Without stored values the window fits the default screen.
    QRect g(pos(), QSize(320, 460));
    if (auto v = read("Top")) g.moveTop(*v);
    if (auto v = read("Left")) g.moveLeft(*v);
    const std::optional<int> width = read("Width"), height = read("Height");
    if (width && *width > 0) g.setWidth(*width);
    if (height && *height > 0) g.setHeight(*height);
    sizeStored_ = width && height && *width > 0 && *height > 0;
    move(g.topLeft());
    resize(g.size());
    normal_ = g;
}

void MobileBrowser::WriteGeometry() {
    auto write = [&](const char* key, int pixels) {
        SetINIValue(kSection, QString::fromLatin1(key), QString::number(static_cast<qint64>(pixels) * kTwipsPerPixel),
                    folders_.settings);
    };
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))) {
        write("Top", pos().y());
        write("Left", pos().x());
    }
    write("Width", normal_.width());
    write("Height", normal_.height());
}

void MobileBrowser::FormUnload() {
    if (unloaded_) return;
    unloaded_ = true;
    Stop();
    CloseSession();
    WriteGeometry();
    DeleteForced(Temp1Path());
    DeleteForced(Temp2Path());
}

void MobileBrowser::closeEvent(QCloseEvent* event) {
    const bool first = !unloaded_;
    FormUnload();
    QMainWindow::closeEvent(event);
    if (first) Q_EMIT Closed();
}

// ---- Navigation -----------------------------------------------------------------------------

void MobileBrowser::Stop() {
    seenPage_->triggerAction(QWebEnginePage::Stop);
    hidden_->triggerAction(QWebEnginePage::Stop);
}

bool MobileBrowser::CatchNavigation(const QUrl& url, bool mainFrame) {
    if (!mainFrame) return true;
    const Navigation n = ClassifyNavigation(url.toString(), Temp2Path());
    switch (n.kind) {
    case NavigationKind::Web: {
        // The fetch runs its own event loop; it starts once the engine's
        // call has returned.
        const QString address = url.toString();
        QTimer::singleShot(0, this, [this, address] { NavigateWeb(address); });
        return false;
    }
    case NavigationKind::Local: {
        Stop();
        const QString path = n.path;
        QTimer::singleShot(0, this, [this, path] { TempFileNavigate(path, QString()); });
        return false;
    }
    case NavigationKind::Preview:
    case NavigationKind::Browser:
        return true;
    }
    return true;
}

void MobileBrowser::Navigate2(const QString& url, const QString& headers) {
    QUrl target = QUrl::fromUserInput(url.trimmed(), FromPath(folders_.temporary), QUrl::AssumeLocalFile);
    if (!target.isValid() || target.isEmpty()) return;
    const Navigation n = ClassifyNavigation(target.toString(), Temp2Path());
    switch (n.kind) {
    case NavigationKind::Web: NavigateWeb(target.toString()); return;
    case NavigationKind::Local: Stop(); TempFileNavigate(n.path, QString()); return;
    case NavigationKind::Preview:
    case NavigationKind::Browser: seen_->load(RequestWithHeaders(target, headers)); return;
    }
}

void MobileBrowser::NavigateWeb(QString url) {
    QApplication::setOverrideCursor(Qt::BusyCursor);
    // The session keeps the agent it was opened with; a skin showing
    // another handset starts a new one.
    if (SessionOpen() && ProcessSession().Agent() != agent_) CloseSession();
    const QString text = GetHTML(url, agent_);
    QApplication::restoreOverrideCursor();
    // The page as received, in the code page it came in.
    WriteFileBytes(Temp1Path(), QByteArray::fromStdString(platform::codepage::ToBytes(text.toStdU16String())));
    if (ConvertsFetchedPage(url, FromPath(folders_.temporary))) TempFileNavigate(Temp1Path(), url);
}

void MobileBrowser::TempFileNavigate(const QString& sourceFile, const QString& pageUrl) {
    const TextFile read = ReadTextFileChecked(ToPath(sourceFile));
    std::optional<QString> source;
    if (read.status == ReadStatus::Ok || read.status == ReadStatus::Empty)
        source = QString::fromStdU16String(read.text);
    const QFileInfo info(sourceFile);
    if (source && info.exists()) status_->setText(QString::number(info.size()) + QStringLiteral(" バイト"));

    const PreviewFile file = BuildPreviewFile(source, pageUrl, FromPath(layout_.styleSheet), FromPath(folders_.program));
    Stop();
    if (!WriteFileBytes(Temp2Path(), PreviewFileBytes(file.text))) {
        status_->setText(QStringLiteral("プレビューファイルを書き込めません: ") + Temp2Path());
        return;
    }
    if (file.converted) address_->setText(pageUrl);
    seen_->load(QUrl::fromLocalFile(Temp2Path()));
}

}  // namespace quenby::preview

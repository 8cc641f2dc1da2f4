#include "host/shell/splash_form.h"

#include "host/common/message_box.h"
#include "host/common/program_folder.h"
#include "host/shell/file_access.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace quenby::shell {

QPixmap LoadSplashPicture() {
    const std::filesystem::path file = ProgramFolder() / "splash.jpg";
    QPixmap picture;
    if (ExtractResourceJPEG(kSplashPicture, file)) picture.load(FromPath(file));
    // A read-only program folder must not leave the window blank.
    if (picture.isNull()) picture.load(QStringLiteral(":/pictures/%1.jpg").arg(kSplashPicture));
    return picture;
}

QString VersionText() { return QStringLiteral("Version ") + ProgramVersion(); }

SplashForm::SplashForm(std::function<void()> tick)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      tick_(std::move(tick)),
      picture_(new QLabel(this)),
      version_(new QLabel(picture_)),
      progress_(new QProgressBar(this)),
      timer_(new QTimer(this)) {
    setWindowTitle(ProgramTitle());
    setFocusPolicy(Qt::StrongFocus);

    const QPixmap picture = LoadSplashPicture();
    picture_->setPixmap(picture);
    picture_->setFixedSize(picture.isNull() ? QSize(420, 240) : picture.size());

    // The version sits on the picture's dark lower corner.
    version_->setText(VersionText());
    version_->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    version_->adjustSize();
    version_->move(24, picture_->height() - version_->height() - 16);

    progress_->setTextVisible(false);
    progress_->setFixedHeight(12);
    progress_->setRange(0, 0);
    progress_->setValue(0);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(picture_);
    layout->addWidget(progress_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    timer_->setSingleShot(true);
    timer_->setInterval(kTickMs);
    connect(timer_, &QTimer::timeout, this, &SplashForm::Timer1_Timer);
    timer_->start();
}

SplashForm::~SplashForm() = default;

void SplashForm::ShowCentred() {
    if (closedByKey_) return;
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect r = frameGeometry();
        r.moveCenter(screen->availableGeometry().center());
        move(r.topLeft());
    }
    show();
    raise();
    activateWindow();
    setFocus();
}

bool SplashForm::Shown() const { return isVisible() && !closedByKey_; }

void SplashForm::Timer1_Timer() {
    timer_->stop();
    if (ticked_) return;
    ticked_ = true;
    // The start-up blocks in here until the first document is open; it may
    // unload this window, so nothing of it is touched afterwards.
    const std::function<void()> tick = tick_;
    if (tick) tick();
}

void SplashForm::keyPressEvent(QKeyEvent* event) {
    // Only hidden: the start-up may still be running from this window's
    // timer. The window is deleted when the start-up unloads it.
    closedByKey_ = true;
    hide();
    event->accept();
}

}  // namespace quenby::shell

// The window on screen while the program starts: the program's picture, its
// version and the progress of the font cache. Its one-shot timer is what
// starts the program, so it exists (and ticks) even when it is never shown.
#pragma once

#include <QPixmap>
#include <QWidget>
#include <functional>

class QLabel;
class QProgressBar;
class QTimer;

namespace quenby::shell {

// The splash picture, written to the program folder as "splash.jpg" and read
// back from there; the built-in copy when the folder cannot be written.
QPixmap LoadSplashPicture();
// "Version " and the program's version numbers.
QString VersionText();

class SplashForm final : public QWidget {
    Q_OBJECT

public:
    inline static constexpr int kTickMs = 100;

    // tick runs on the timer's first expiry, once.
    explicit SplashForm(std::function<void()> tick);
    ~SplashForm() override;

    // Shows the window centred on the screen, unless a key has closed it.
    void ShowCentred();
    // On screen: shown, and not closed by a key.
    bool Shown() const;
    bool ClosedByKey() const { return closedByKey_; }

    QLabel* Version() const { return version_; }
    QProgressBar* ProgressBar1() const { return progress_; }
    QTimer* Timer1() const { return timer_; }

    // The first expiry of the timer; later calls do nothing.
    void Timer1_Timer();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::function<void()> tick_;
    bool ticked_ = false;
    bool closedByKey_ = false;
    QLabel* picture_;
    QLabel* version_;
    QProgressBar* progress_;
    QTimer* timer_;
};

}  // namespace quenby::shell

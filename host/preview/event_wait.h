// Waiting while the browser engine works: its tasks run from the
// application's event loop, which therefore has to keep spinning. A wait
// that sleeps between rounds of events (as generic test waits do) stretches
// every page load to seconds.
#pragma once

#include <QEventLoop>
#include <QTimer>

#include <functional>

namespace quenby::preview {

// Runs the event loop until done() holds or the time is up; done() is
// asked every few milliseconds. Returns done().
inline bool RunEventsUntil(const std::function<bool()>& done, int milliseconds) {
    if (done()) return true;
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done()) loop.quit();
    });
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    poll.start();
    loop.exec();
    return done();
}

}  // namespace quenby::preview

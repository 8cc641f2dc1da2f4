#include "host/preview/inet_get_html.h"

#include "platform/codepage/codepage.h"

#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <string>
#include <utility>

namespace quenby::preview {
namespace {

// Headers are bytes; the agent goes out in the system code page, as the
// program's other outgoing text does. Control characters are dropped so that
// an agent read from a settings file cannot add header lines of its own.
QByteArray AgentBytes(const QString& agent) {
    const std::string bytes = platform::codepage::ToBytes(agent.toStdU16String());
    QByteArray out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if ((b < 0x20 && b != '\t') || b == 0x7F) continue;
        out.append(c);
    }
    return out;
}

// Whether the answer arrived whole. Qt turns an HTTP status of 400 and above
// into an error too, but then the server still sent a page (its "not found"
// page, say), and the user should see it as a browser would show it. Those
// errors are the content and server classes, and for 400 itself an invalid
// operation; an answer broken off keeps the transport error instead.
bool AnswerArrived(QNetworkReply::NetworkError e, int http_status) {
    if (e == QNetworkReply::NoError) return http_status != 0;
    if (http_status < 400) return false;
    const int code = static_cast<int>(e);
    return (code >= 201 && code <= 299) || (code >= 401 && code <= 499) ||
           e == QNetworkReply::ProtocolInvalidOperationError || e == QNetworkReply::ProxyAuthenticationRequiredError;
}

// For an error status Qt may report the status rather than a connection
// that closed in the middle of the page, so the length is checked here too.
// Where a compressed answer's length is still there, it counts what was
// sent, not what was unpacked, and cannot be checked this way.
bool AllAnnouncedBytesArrived(const QNetworkReply& reply, std::size_t received) {
    const QByteArray encoding = reply.rawHeader("Content-Encoding").trimmed().toLower();
    if (!encoding.isEmpty() && encoding != "identity") return true;
    bool ok = false;
    const qint64 announced = reply.rawHeader("Content-Length").trimmed().toLongLong(&ok);
    if (!ok || announced < 0) return true;
    return static_cast<std::size_t>(announced) == received;
}

int DefaultPort(const QString& scheme) { return scheme == QLatin1String("https") ? 443 : 80; }

bool IsFetchable(const QUrl& url) {
    return url.isValid() && (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https")) &&
           !url.host().isEmpty();
}

bool IsRedirectStatus(int status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

}  // namespace

void SystemBeep() {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) QApplication::beep();
}

std::optional<QUrl> ParseFetchAddress(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) return std::nullopt;
    QUrl url(trimmed, QUrl::TolerantMode);
    if (!IsFetchable(url)) return std::nullopt;  // QUrl keeps schemes lower-case
    return url;
}

std::optional<QUrl> RedirectTarget(const QUrl& from, const QByteArray& location) {
    const QUrl next = from.resolved(QUrl(QString::fromUtf8(location).trimmed(), QUrl::TolerantMode));
    if (!IsFetchable(next)) return std::nullopt;
    // http to https is followed, https to http is not: it would give away on
    // the open network what a secure page asked for.
    if (from.scheme() == QLatin1String("https") && next.scheme() != QLatin1String("https")) return std::nullopt;
    return next;
}

QString RequestedAddress(const QUrl& url) {
    QUrl out = url.adjusted(QUrl::RemoveUserInfo | QUrl::RemoveFragment);
    if (out.port() == DefaultPort(out.scheme())) out.setPort(-1);
    if (out.path().isEmpty()) out.setPath(QStringLiteral("/"));
    return out.toString(QUrl::FullyEncoded);
}

struct InetSession::Impl {
    // Owned; its replies never outlive the fetch that made them.
    QNetworkAccessManager* manager = nullptr;
    QString agent;
    FetchLimits limits;
    BeepHook beep;
    bool busy = false;
    // Close was asked for while a fetch ran: the manager still owns that
    // fetch's reply, so it goes once the fetch has unwound.
    bool close_pending = false;
    QNetworkReply* running = nullptr;
    FetchStatus abort_reason = FetchStatus::kOk;
    // Only the process-wide session is released by the application object's
    // destruction: the manager must not outlive the event machinery.
    bool release_with_application = false;

    struct Hop {
        FetchStatus status = FetchStatus::kOk;  // kOk: an answer arrived whole
        int http_status = 0;
        std::string body;
        QByteArray location;
        QString detail;
    };

    void CreateManager();
    void ReleaseManager();
    Hop RunHop(const QUrl& url, const FetchLimits& lim);
    FetchResult Run(const QUrl& target);
};

namespace {
void ReleaseProcessSessionAtExit() { ProcessSession().Close(); }
}  // namespace

void InetSession::Impl::CreateManager() {
    manager = new QNetworkAccessManager();
    // No disk cache is ever set, and replies are deleted by the fetch itself.
    manager->setAutoDeleteReplies(false);
    manager->setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    if (release_with_application) qAddPostRoutine(&ReleaseProcessSessionAtExit);
}

void InetSession::Impl::ReleaseManager() {
    if (manager == nullptr) return;
    if (release_with_application) qRemovePostRoutine(&ReleaseProcessSessionAtExit);
    delete manager;
    manager = nullptr;
    close_pending = false;
}

// One request and its whole answer.
InetSession::Impl::Hop InetSession::Impl::RunHop(const QUrl& url, const FetchLimits& lim) {
    Hop hop;

    QNetworkRequest request(url);
    request.setRawHeader("User-Agent", AgentBytes(agent));
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    // Our own watchdog below covers silence; Qt's would abort without
    // telling which limit ran out.
    request.setTransferTimeout(0);

    bool too_large = false;

    // Declared before the reply so that the reply, deleted first, can no
    // longer reach them.
    QEventLoop loop;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    bool connecting = true;
    const auto arm = [&](bool connect_phase) {
        connecting = connect_phase;
        watchdog.start(connect_phase ? lim.connect : lim.receive);
    };

    std::unique_ptr<QNetworkReply> reply(manager->get(request));
    QNetworkReply* const r = reply.get();
    running = r;
    abort_reason = FetchStatus::kOk;

    // Everything received so far goes into one buffer, decoded only at the
    // end: a double-byte character split between two pieces stays whole,
    // and appending is amortised, so a large page costs linear time.
    const auto drain = [&] {
        const qint64 available = r->bytesAvailable();
        if (available <= 0 || too_large) return;
        if (static_cast<std::size_t>(available) > lim.max_body_bytes - hop.body.size()) {
            too_large = true;
            r->abort();
            return;
        }
        if (hop.body.empty()) {
            // The announced length is a hint only (it may be compressed, or
            // a lie); it saves the early reallocations of a large page.
            const qint64 announced = r->header(QNetworkRequest::ContentLengthHeader).toLongLong();
            if (announced > 0) hop.body.reserve(std::min(static_cast<std::size_t>(announced), lim.max_body_bytes));
        }
        const std::size_t old_size = hop.body.size();
        hop.body.resize(old_size + static_cast<std::size_t>(available));
        const qint64 got = r->read(hop.body.data() + old_size, available);
        hop.body.resize(old_size + static_cast<std::size_t>(std::max<qint64>(got, 0)));
    };

    // Until the request is out, the connect limit applies; from then on
    // every sign of life restarts the receive limit.
    QObject::connect(r, &QNetworkReply::requestSent, &loop, [&] { arm(false); });
    QObject::connect(r, &QNetworkReply::metaDataChanged, &loop, [&] { arm(false); });
    QObject::connect(r, &QNetworkReply::readyRead, &loop, [&] {
        drain();
        if (!too_large) arm(false);
    });
    QObject::connect(&watchdog, &QTimer::timeout, &loop, [&] {
        abort_reason = connecting ? FetchStatus::kConnectTimeout : FetchStatus::kReceiveTimeout;
        r->abort();
    });
    QObject::connect(r, &QNetworkReply::finished, &loop, &QEventLoop::quit);

    arm(true);
    // The user interface keeps running here, and may call back into the
    // session (a nested fetch is refused, a Close aborts this one).
    if (!r->isFinished()) loop.exec();
    watchdog.stop();
    // What arrived together with the end (an error page's body included).
    if (abort_reason == FetchStatus::kOk) drain();
    running = nullptr;

    const QVariant status = r->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    hop.http_status = status.isValid() ? status.toInt() : 0;
    const QNetworkReply::NetworkError error = r->error();
    if (too_large) {
        hop.status = FetchStatus::kTooLarge;
    } else if (abort_reason != FetchStatus::kOk) {
        hop.status = abort_reason;
    } else if (!AnswerArrived(error, hop.http_status)) {
        hop.status = FetchStatus::kNetworkError;
        hop.detail = r->errorString();
    } else if (!AllAnnouncedBytesArrived(*r, hop.body.size())) {
        hop.status = FetchStatus::kNetworkError;
        hop.detail = QStringLiteral("The answer was broken off");
    } else {
        hop.status = FetchStatus::kOk;
        hop.location = r->rawHeader("Location");
    }
    return hop;
}

// Redirections are followed here rather than by Qt, one finished answer
// after another: Qt's own following was seen to send some of the
// redirected requests twice, and the connect limit must apply afresh to
// every hop anyway.
FetchResult InetSession::Impl::Run(const QUrl& target) {
    FetchResult result;
    const FetchLimits lim = limits;
    QUrl current = target;
    for (int redirects = 0;; ++redirects) {
        Hop hop = RunHop(current, lim);
        result.http_status = hop.http_status;
        if (hop.status != FetchStatus::kOk) {
            result.status = hop.status;
            result.detail = std::move(hop.detail);
            return result;
        }
        // A redirection without a Location is a page like any other.
        if (IsRedirectStatus(hop.http_status) && !hop.location.isEmpty()) {
            result.status = FetchStatus::kNetworkError;
            const std::optional<QUrl> next = RedirectTarget(current, hop.location);
            if (!next) {
                result.detail = QStringLiteral("Redirected to an address that may not be fetched");
                return result;
            }
            if (redirects == kMaxRedirects) {
                result.detail = QStringLiteral("Too many redirections");
                return result;
            }
            current = *next;
            continue;
        }
        result.status = FetchStatus::kOk;
        result.address = RequestedAddress(current);
        result.text = QString::fromStdU16String(platform::codepage::ToUtf16(hop.body));
        return result;
    }
}

InetSession::InetSession() : impl_(std::make_unique<Impl>()) {}

InetSession::~InetSession() { impl_->ReleaseManager(); }

void InetSession::Open(const QString& agent) {
    if (impl_->manager != nullptr && !impl_->close_pending) return;
    impl_->agent = agent;
    if (impl_->manager == nullptr) {
        impl_->CreateManager();
    } else {
        // Reopened from inside the fetch that a Close was breaking off: that
        // fetch still fails, but the manager stays.
        impl_->close_pending = false;
    }
}

void InetSession::Close() {
    if (impl_->manager == nullptr) return;
    if (impl_->busy) {
        impl_->close_pending = true;
        if (impl_->running != nullptr) {
            impl_->abort_reason = FetchStatus::kClosed;
            impl_->running->abort();
        }
        return;
    }
    impl_->ReleaseManager();
}

bool InetSession::IsOpen() const { return impl_->manager != nullptr && !impl_->close_pending; }
bool InetSession::Busy() const { return impl_->busy; }
QString InetSession::Agent() const { return IsOpen() ? impl_->agent : QString(); }

void InetSession::SetLimits(FetchLimits limits) {
    // A negative time-out means "at once", as zero does.
    limits.connect = std::max(limits.connect, std::chrono::milliseconds(0));
    limits.receive = std::max(limits.receive, std::chrono::milliseconds(0));
    impl_->limits = limits;
}
FetchLimits InetSession::Limits() const { return impl_->limits; }

void InetSession::SetBeepHook(BeepHook hook) { impl_->beep = std::move(hook); }

FetchResult InetSession::Fetch(const QString& url, const QString& agent) {
    FetchResult result;
    Impl& d = *impl_;
    if (d.busy) {
        result.status = FetchStatus::kBusy;
        return result;
    }
    // A local event loop needs the application object, and the manager
    // answers only on the thread it lives on: the application's.
    const QCoreApplication* const app = QCoreApplication::instance();
    if (app == nullptr || app->thread() != QThread::currentThread() ||
        (d.manager != nullptr && d.manager->thread() != QThread::currentThread())) {
        result.status = FetchStatus::kNoEventLoop;
        return result;
    }
    const std::optional<QUrl> target = ParseFetchAddress(url);
    if (!target) {
        result.status = FetchStatus::kBadAddress;
        return result;
    }
    if (!IsOpen()) Open(agent);

    d.busy = true;
    result = d.Run(*target);
    d.busy = false;
    if (d.close_pending) d.ReleaseManager();

    if (result.status == FetchStatus::kOk) {
        // One beep for the request line and one for the host line of the
        // request that brought the page.
        for (int i = 0; i < 2; ++i) {
            if (d.beep) {
                d.beep();
            } else {
                SystemBeep();
            }
        }
    }
    return result;
}

QString InetSession::GetHTML(QString& url, const QString& agent) {
    FetchResult result = Fetch(url, agent);
    if (result.status != FetchStatus::kOk) return QString();
    url = std::move(result.address);
    return std::move(result.text);
}

InetSession& ProcessSession() {
    static InetSession* const session = [] {
        auto* s = new InetSession();
        s->impl_->release_with_application = true;
        return s;
    }();
    return *session;
}

void OpenSession(const QString& agent) { ProcessSession().Open(agent); }
void CloseSession() { ProcessSession().Close(); }
bool SessionOpen() { return ProcessSession().IsOpen(); }
void SetFetchLimits(FetchLimits limits) { ProcessSession().SetLimits(limits); }
void SetBeepHook(BeepHook hook) { ProcessSession().SetBeepHook(std::move(hook)); }
QString GetHTML(QString& url, const QString& agent) { return ProcessSession().GetHTML(url, agent); }

}  // namespace quenby::preview

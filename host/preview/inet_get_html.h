// The preview's web fetch: one HTTP session for the whole program, which
// fetches a page with the handset's user agent and hands back its text
// decoded from Shift_JIS (CP932), together with the address that was really
// requested once redirections were followed.
//
// Everything here runs on the thread of the application object (a fetch
// from any other thread, or with no application object, fails). A fetch
// does not block that thread: it spins a local event loop, so timers,
// painting and input keep running while the page arrives. That also means
// code run from those events can call back in; a fetch that starts while
// another one runs is refused at once rather than nested.
#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>

namespace quenby::preview {

struct FetchLimits {
    // From the start of a request (and of each redirected one) until the
    // request has gone out or the first answer arrives.
    std::chrono::milliseconds connect{20000};
    // How long an answer may stay silent; every arriving piece restarts it.
    std::chrono::milliseconds receive{30000};
    // A page this large is not a page the preview can show; a bigger answer
    // fails instead of filling memory with it (it is never cut short).
    std::size_t max_body_bytes{64u * 1024u * 1024u};
};

// Redirections followed for one page, as browsers allow; one more (a loop,
// typically) fails the fetch.
inline constexpr int kMaxRedirects = 20;

// Why a fetch gave no page. Only kOk carries a page; everything else means
// "no text, address unchanged".
enum class FetchStatus {
    kOk,
    kBusy,            // another fetch of this session is still running
    kNoEventLoop,     // no application object, or not on its thread
    kBadAddress,      // not an absolute http or https address with a host
    kConnectTimeout,  // the request did not go out within FetchLimits::connect
    kReceiveTimeout,  // the answer stayed silent for FetchLimits::receive
    kTooLarge,        // the body passed FetchLimits::max_body_bytes
    kClosed,          // the session was closed while the fetch ran
    kNetworkError,    // refused, unknown host, broken off, redirect loop, TLS...
};

struct FetchResult {
    FetchStatus status = FetchStatus::kNoEventLoop;
    QString text;       // the page, decoded as CP932 (kOk only)
    QString address;    // see RequestedAddress (kOk only)
    int http_status = 0;  // of the final answer, 0 when none arrived
    QString detail;     // the network layer's own words on a failure
};

using BeepHook = std::function<void()>;

// The system beep, when there is a widget application to sound it.
void SystemBeep();

// One session: the network access manager, the agent it presents and the
// limits. The program uses the process-wide one through the free functions
// below; a separate instance is only useful to tests, and must not be
// destroyed from inside its own fetch.
class InetSession {
public:
    InetSession();
    ~InetSession();
    InetSession(const InetSession&) = delete;
    InetSession& operator=(const InetSession&) = delete;

    // Starts the session with this agent; no-op (the agent kept) when open.
    void Open(const QString& agent);
    // Releases the manager and everything it holds (connections, cookies).
    // Called during a fetch, it breaks that fetch off (kClosed) and the
    // manager goes as soon as the fetch has unwound.
    void Close();
    bool IsOpen() const;
    bool Busy() const;
    QString Agent() const;

    void SetLimits(FetchLimits limits);  // applies from the next fetch
    FetchLimits Limits() const;

    // Sounded twice for each page that arrives; an empty hook restores
    // SystemBeep.
    void SetBeepHook(BeepHook hook);

    // Opens the session with `agent` first when it is closed.
    FetchResult Fetch(const QString& url, const QString& agent);
    // Fetch's text; on success `url` becomes the requested address. An
    // empty page and a failure both give ""; only success touches `url`.
    QString GetHTML(QString& url, const QString& agent);

private:
    friend InetSession& ProcessSession();
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The program's one session. It is never destroyed; its manager is released
// by CloseSession, or at the latest when the application object goes.
InetSession& ProcessSession();

void OpenSession(const QString& agent);
void CloseSession();
bool SessionOpen();
void SetFetchLimits(FetchLimits limits);
void SetBeepHook(BeepHook hook);
QString GetHTML(QString& url, const QString& agent);

// The address a fetch may be started for: an absolute http or https URL
// with a host, surrounding white space ignored; nullopt for anything else.
std::optional<QUrl> ParseFetchAddress(const QString& text);

// Where a redirection from `from` with this Location header leads, resolved
// against `from`; nullopt when it may not be followed: not an http or https
// address with a host, or from https down to http.
std::optional<QUrl> RedirectTarget(const QUrl& from, const QByteArray& location);

// The address that was requested, as the caller should keep it: scheme,
// "://", host, ":port" only when it is not the scheme's default, the path
// ("/" when empty) and "?query", percent-encoded as sent; no user name or
// password and no fragment. The scheme is the one actually used, so a page
// fetched over https is reported as https (reporting it as http would send
// the next fetch of a relative link over plain http).
QString RequestedAddress(const QUrl& url);

}  // namespace quenby::preview

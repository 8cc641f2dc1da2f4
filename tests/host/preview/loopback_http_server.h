// A small HTTP/1.1 server on 127.0.0.1 for tests of code that fetches pages.
// It runs on its own thread with plain sockets, so it keeps answering while
// the code under test spins a Qt event loop on the test's thread. It records
// every request it reads, with the connection it came on; connections are
// kept alive between requests unless a route or the client says otherwise.
//
// Every answer is chosen by a route set beforehand; routes can also answer
// slowly, partly, late or never, which is what fetch code must survive.
// Destroying the server stops it at once, however its connections stand.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace quenby::test_support {

// One request as it arrived.
struct HttpRequest {
    std::string request_line;  // e.g. "GET /a?b=1 HTTP/1.1", without CR LF
    std::string method;
    std::string target;        // as sent: path and query
    // In order of arrival, the name as sent, the value without the blanks
    // around it.
    std::vector<std::pair<std::string, std::string>> headers;
    std::string raw_head;      // request line and headers, CR LF included
    std::size_t connection = 0;  // which connection, counted from 1 in order of acceptance

    std::string Path() const;  // target without its query
    // The values of every header of this name (case-insensitive), in order.
    std::vector<std::string> HeaderValues(std::string_view name) const;
    // The first value of this header, if any.
    std::optional<std::string> Header(std::string_view name) const;
};

// How the server answers requests for one target.
struct HttpRoute {
    int status = 200;
    std::string reason;  // empty: the usual phrase for the status
    // Sent after the status line; Content-Length and Connection are added.
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;

    // Reads the request, then answers nothing until the server stops.
    bool silent = false;
    // Sends the head and only this many bytes of the body (Content-Length
    // still announces all of it), then falls silent, or closes the
    // connection when close_after_cut is set.
    std::optional<std::size_t> cut_body_after;
    bool close_after_cut = false;
    // Sends the head at once and the body in pieces of piece_size bytes,
    // piece_gap apart (0 sends the body whole).
    std::size_t piece_size = 0;
    std::chrono::milliseconds piece_gap{0};
    // Holds the whole answer back until OpenGate() is called.
    bool held = false;
    // Answers with "Connection: close" and hangs up; otherwise the
    // connection is kept for further requests, unless the client asked
    // for it to be closed.
    bool close_connection = false;

    static HttpRoute Page(std::string body, int status = 200,
                          std::string content_type = "text/html; charset=Shift_JIS");
    static HttpRoute Redirect(int status, std::string location);
    static HttpRoute Silent();
};

class LoopbackHttpServer {
public:
    // Binds 127.0.0.1 on a port the system chooses and starts serving.
    LoopbackHttpServer();
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    std::uint16_t port() const { return port_; }
    // "http://127.0.0.1:<port>" followed by target (which starts with "/").
    std::string Url(std::string_view target = "/") const;

    // Answers requests whose target is exactly `target`; a target given
    // without a query also answers that path with any query. Anything
    // without a route gets a plain 404 page.
    void Route(std::string target, HttpRoute route);
    // Lets held answers go, those waiting now and any later ones.
    void OpenGate();

    std::vector<HttpRequest> Requests() const;
    // Requests whose path (target without query) is `path`.
    std::size_t CountRequests(std::string_view path) const;

private:
    struct Connection;
    void Serve();
    bool Step(Connection& c);
    void HandleHead(Connection& c, std::size_t head_end);
    HttpRoute FindRoute(const std::string& target) const;

    int listen_fd_ = -1;
    int wake_fd_ = -1;  // eventfd: stop or gate changes
    std::uint16_t port_ = 0;
    mutable std::mutex mutex_;
    std::map<std::string, HttpRoute, std::less<>> routes_;
    std::vector<HttpRequest> requests_;
    bool gate_open_ = false;
    bool stopping_ = false;
    std::size_t accepted_ = 0;  // server thread only
    std::thread thread_;
};

// A loopback port with nothing listening: connecting to it is refused.
// (Another program may take the port in between; on a test machine that
// does not happen in practice.)
std::uint16_t UnusedLoopbackPort();

// A loopback port that accepts no connection: its listening socket has a
// backlog of one that is already taken, so the system drops further
// handshakes and a client's connect waits until it gives up.
class StuckHandshakePort {
public:
    StuckHandshakePort();
    ~StuckHandshakePort();
    StuckHandshakePort(const StuckHandshakePort&) = delete;
    StuckHandshakePort& operator=(const StuckHandshakePort&) = delete;

    std::uint16_t port() const { return port_; }
    std::string Url(std::string_view target = "/") const;

private:
    int listen_fd_ = -1;
    int filler_fd_ = -1;
    std::uint16_t port_ = 0;
};

}  // namespace quenby::test_support

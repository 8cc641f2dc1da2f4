#include "tests/host/preview/loopback_http_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace quenby::test_support {
namespace {

using Clock = std::chrono::steady_clock;

// Heads larger than this are not HTTP requests a test sends; the connection
// is dropped rather than buffered without end.
constexpr std::size_t kMaxHead = 64 * 1024;

[[noreturn]] void Fail(const char* what) {
    throw std::runtime_error(std::string(what) + ": " + std::strerror(errno));
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

std::string Trim(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(" \t");
    return std::string(s.substr(first, last - first + 1));
}

const char* ReasonPhrase(int status) {
    switch (status) {
        case 200: return "OK";
        case 301: return "Moved Permanently";
        case 302: return "Found";
        case 303: return "See Other";
        case 307: return "Temporary Redirect";
        case 308: return "Permanent Redirect";
        case 404: return "Not Found";
        case 500: return "Internal Server Error";
        default: return "Status";
    }
}

// A listening socket on 127.0.0.1 with a port the system picks.
int ListenOnLoopback(int backlog, std::uint16_t* port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) Fail("socket");
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd, backlog) != 0) {
        ::close(fd);
        Fail("bind/listen");
    }
    socklen_t len = sizeof addr;
    if (::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        ::close(fd);
        Fail("getsockname");
    }
    *port = ntohs(addr.sin_port);
    return fd;
}

std::string LoopbackUrl(std::uint16_t port, std::string_view target) {
    return "http://127.0.0.1:" + std::to_string(port) + std::string(target);
}

}  // namespace

std::string HttpRequest::Path() const { return target.substr(0, target.find('?')); }

std::vector<std::string> HttpRequest::HeaderValues(std::string_view name) const {
    std::vector<std::string> values;
    for (const auto& [n, v] : headers) {
        if (EqualsNoCase(n, name)) values.push_back(v);
    }
    return values;
}

std::optional<std::string> HttpRequest::Header(std::string_view name) const {
    for (const auto& [n, v] : headers) {
        if (EqualsNoCase(n, name)) return v;
    }
    return std::nullopt;
}

HttpRoute HttpRoute::Page(std::string body, int status, std::string content_type) {
    HttpRoute r;
    r.status = status;
    r.body = std::move(body);
    r.headers.emplace_back("Content-Type", std::move(content_type));
    return r;
}

HttpRoute HttpRoute::Redirect(int status, std::string location) {
    HttpRoute r;
    r.status = status;
    r.headers.emplace_back("Location", std::move(location));
    r.headers.emplace_back("Content-Type", "text/html");
    r.body = "<a href=\"moved\">moved</a>";
    return r;
}

HttpRoute HttpRoute::Silent() {
    HttpRoute r;
    r.silent = true;
    return r;
}

struct LoopbackHttpServer::Connection {
    enum class State { kReadingHead, kAnswering, kWaitingForGate, kSilent, kDraining, kDone };
    int fd = -1;
    State state = State::kReadingHead;
    std::string in;
    std::string out;
    std::size_t sent = 0;
    std::size_t limit = 0;  // bytes of `out` that may go out so far
    HttpRoute route;
    std::size_t head_size = 0;
    std::size_t serial = 0;
    bool close_after_answer = false;
    Clock::time_point next_piece{};
};

LoopbackHttpServer::LoopbackHttpServer() {
    listen_fd_ = ListenOnLoopback(SOMAXCONN, &port_);
    ::fcntl(listen_fd_, F_SETFL, ::fcntl(listen_fd_, F_GETFL) | O_NONBLOCK);
    wake_fd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wake_fd_ < 0) {
        ::close(listen_fd_);
        Fail("eventfd");
    }
    thread_ = std::thread([this] { Serve(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto n = ::write(wake_fd_, &one, sizeof one);
    thread_.join();
    ::close(listen_fd_);
    ::close(wake_fd_);
}

std::string LoopbackHttpServer::Url(std::string_view target) const { return LoopbackUrl(port_, target); }

void LoopbackHttpServer::Route(std::string target, HttpRoute route) {
    std::lock_guard lock(mutex_);
    routes_.insert_or_assign(std::move(target), std::move(route));
}

void LoopbackHttpServer::OpenGate() {
    {
        std::lock_guard lock(mutex_);
        gate_open_ = true;
    }
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto n = ::write(wake_fd_, &one, sizeof one);
}

std::vector<HttpRequest> LoopbackHttpServer::Requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

std::size_t LoopbackHttpServer::CountRequests(std::string_view path) const {
    std::lock_guard lock(mutex_);
    return static_cast<std::size_t>(
        std::count_if(requests_.begin(), requests_.end(), [&](const HttpRequest& r) { return r.Path() == path; }));
}

HttpRoute LoopbackHttpServer::FindRoute(const std::string& target) const {
    std::lock_guard lock(mutex_);
    if (auto it = routes_.find(target); it != routes_.end()) return it->second;
    if (auto it = routes_.find(target.substr(0, target.find('?'))); it != routes_.end()) return it->second;
    return HttpRoute::Page("<html><body>no route</body></html>", 404, "text/html");
}

void LoopbackHttpServer::HandleHead(Connection& c, std::size_t head_end) {
    HttpRequest req;
    req.connection = c.serial;
    req.raw_head = c.in.substr(0, head_end + 4);
    c.in.erase(0, head_end + 4);
    std::string_view rest(req.raw_head);
    rest.remove_suffix(4);
    const auto line_end = rest.find("\r\n");
    req.request_line = std::string(rest.substr(0, line_end));
    rest = line_end == std::string_view::npos ? std::string_view() : rest.substr(line_end + 2);
    const auto sp1 = req.request_line.find(' ');
    const auto sp2 = sp1 == std::string::npos ? std::string::npos : req.request_line.find(' ', sp1 + 1);
    req.method = req.request_line.substr(0, sp1);
    if (sp1 != std::string::npos) req.target = req.request_line.substr(sp1 + 1, sp2 == std::string::npos ? std::string::npos : sp2 - sp1 - 1);
    while (!rest.empty()) {
        const auto end = rest.find("\r\n");
        const std::string_view line = rest.substr(0, end);
        const auto colon = line.find(':');
        if (colon != std::string_view::npos) req.headers.emplace_back(std::string(line.substr(0, colon)), Trim(line.substr(colon + 1)));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 2);
    }
    const std::string target = req.target;
    const auto connection_header = req.Header("Connection");
    const bool client_closes = connection_header && EqualsNoCase(*connection_header, "close");
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(std::move(req));
    }

    c.route = FindRoute(target);
    if (c.route.silent) {
        c.state = Connection::State::kSilent;
        return;
    }
    const HttpRoute& r = c.route;
    c.out = "HTTP/1.1 " + std::to_string(r.status) + " " + (r.reason.empty() ? ReasonPhrase(r.status) : r.reason) + "\r\n";
    for (const auto& [n, v] : r.headers) c.out += n + ": " + v + "\r\n";
    c.close_after_answer = r.close_connection || client_closes;
    c.out += "Content-Length: " + std::to_string(r.body.size()) + "\r\n";
    if (c.close_after_answer) c.out += "Connection: close\r\n";
    c.out += "\r\n";
    c.head_size = c.out.size();
    c.out += r.body;
    if (r.cut_body_after) {
        c.limit = c.head_size + std::min(*r.cut_body_after, r.body.size());
    } else if (r.piece_size > 0) {
        c.limit = c.head_size;
        c.next_piece = Clock::now() + r.piece_gap;
    } else {
        c.limit = c.out.size();
    }
    c.state = r.held ? Connection::State::kWaitingForGate : Connection::State::kAnswering;
}

// Advances one connection as far as it can go without waiting; false when
// the connection is finished and can be closed.
bool LoopbackHttpServer::Step(Connection& c) {
    using State = Connection::State;
    char buf[16 * 1024];
    // Read whatever the client sends: requests, or after the last answer
    // only the client hanging up.
    for (;;) {
        const ssize_t n = ::recv(c.fd, buf, sizeof buf, MSG_DONTWAIT);
        if (n > 0) {
            if (c.state != State::kSilent && c.state != State::kDraining) {
                c.in.append(buf, static_cast<std::size_t>(n));
                if (c.in.size() > kMaxHead) return false;
            }
            continue;
        }
        if (n == 0) return false;  // the client is gone: nothing more can be delivered
        if (errno == EINTR) continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK) break;
        return false;
    }
    for (;;) {
        if (c.state == State::kReadingHead) {
            const auto head_end = c.in.find("\r\n\r\n");
            if (head_end == std::string::npos) return true;
            HandleHead(c, head_end);
        }
        if (c.state == State::kWaitingForGate) {
            std::lock_guard lock(mutex_);
            if (!gate_open_) return true;
            c.state = State::kAnswering;
        }
        if (c.state != State::kAnswering) return true;

        const HttpRoute& r = c.route;
        if (r.piece_size > 0 && !r.cut_body_after) {
            const auto now = Clock::now();
            while (c.limit < c.out.size() && now >= c.next_piece) {
                c.limit = std::min(c.out.size(), c.limit + r.piece_size);
                c.next_piece += r.piece_gap;
            }
        }
        while (c.sent < c.limit) {
            const ssize_t n = ::send(c.fd, c.out.data() + c.sent, c.limit - c.sent, MSG_NOSIGNAL | MSG_DONTWAIT);
            if (n > 0) {
                c.sent += static_cast<std::size_t>(n);
                continue;
            }
            if (n < 0 && errno == EINTR) continue;
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return true;
            return false;
        }
        if (c.sent == c.out.size() && !c.close_after_answer) {
            // Kept alive: the next request may already be waiting.
            c.out.clear();
            c.sent = c.limit = 0;
            c.state = State::kReadingHead;
            continue;
        }
        if (c.sent == c.out.size() || (r.cut_body_after && r.close_after_cut)) {
            // Half-close and wait for the client to hang up, so that the
            // end of the answer is never turned into a reset.
            ::shutdown(c.fd, SHUT_WR);
            c.state = State::kDraining;
        } else if (r.cut_body_after) {
            c.state = State::kSilent;
        }
        return true;
    }
}

void LoopbackHttpServer::Serve() {
    using State = Connection::State;
    std::vector<std::unique_ptr<Connection>> conns;
    std::vector<pollfd> fds;
    for (;;) {
        fds.clear();
        fds.push_back({wake_fd_, POLLIN, 0});
        fds.push_back({listen_fd_, POLLIN, 0});
        int timeout_ms = -1;
        const auto now = Clock::now();
        for (const auto& c : conns) {
            short events = POLLIN;
            if (c->state == State::kAnswering && c->sent < c->limit) events |= POLLOUT;
            fds.push_back({c->fd, events, 0});
            if (c->state == State::kAnswering && c->route.piece_size > 0 && c->limit < c->out.size() &&
                !c->route.cut_body_after) {
                const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(c->next_piece - now).count();
                const int w = static_cast<int>(std::max<long long>(0, wait));
                timeout_ms = timeout_ms < 0 ? w : std::min(timeout_ms, w);
            }
        }
        const int ready = ::poll(fds.data(), fds.size(), timeout_ms);
        if (ready < 0 && errno != EINTR) break;
        if (fds[0].revents & POLLIN) {
            std::uint64_t count = 0;
            [[maybe_unused]] const auto n = ::read(wake_fd_, &count, sizeof count);
        }
        {
            std::lock_guard lock(mutex_);
            if (stopping_) break;
        }
        if (fds[1].revents & POLLIN) {
            for (;;) {
                const int fd = ::accept4(listen_fd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
                if (fd < 0) break;
                const int on = 1;
                ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
                auto c = std::make_unique<Connection>();
                c->fd = fd;
                c->serial = ++accepted_;
                conns.push_back(std::move(c));
            }
        }
        // Every connection is stepped on every wake-up: cheap for the few a
        // test opens, and it lets the gate and the dribble timing act
        // without tracking which descriptor woke us.
        for (auto it = conns.begin(); it != conns.end();) {
            if (!Step(**it)) {
                ::close((*it)->fd);
                it = conns.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (const auto& c : conns) ::close(c->fd);
}

std::uint16_t UnusedLoopbackPort() {
    std::uint16_t port = 0;
    const int fd = ListenOnLoopback(1, &port);
    ::close(fd);
    return port;
}

StuckHandshakePort::StuckHandshakePort() {
    // Linux lets backlog + 1 connections wait for accept(); with 0 the one
    // filler connection made here fills the queue for good.
    listen_fd_ = ListenOnLoopback(0, &port_);
    filler_fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (filler_fd_ < 0) Fail("socket");
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(port_);
    if (::connect(filler_fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) Fail("connect");
}

StuckHandshakePort::~StuckHandshakePort() {
    ::close(filler_fd_);
    ::close(listen_fd_);
}

std::string StuckHandshakePort::Url(std::string_view target) const { return LoopbackUrl(port_, target); }

}  // namespace quenby::test_support

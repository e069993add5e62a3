#include "tests/support/LocalHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A socket bound to a free port on 127.0.0.1; -1 when there is none.
int boundLoopbackSocket(int& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return -1;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(fd);
        return -1;
    }
    port = ntohs(address.sin_port);
    return fd;
}

} // namespace

LocalHttpServer::LocalHttpServer() {
    respond(200, "{}");
    listener_ = boundLoopbackSocket(port_);
    if (listener_ < 0 || ::listen(listener_, 8) != 0) {
        if (listener_ >= 0)
            ::close(listener_);
        throw std::runtime_error("cannot start the local HTTP server");
    }
    thread_ = std::thread([this] { serve(); });
}

LocalHttpServer::~LocalHttpServer() {
    // accept() fails once the listener is shut down, which ends the serving thread.
    ::shutdown(listener_, SHUT_RDWR);
    thread_.join();
    ::close(listener_);
    for (int client : held_)
        ::close(client);
}

void LocalHttpServer::respond(int status, std::string body) {
    respondWith("HTTP/1.0 " + std::to_string(status) + " Status\r\nContent-Length: " +
                std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
}

void LocalHttpServer::respondWith(std::string response) {
    std::lock_guard lock(mutex_);
    response_ = std::move(response);
    holding_ = false;
}

void LocalHttpServer::holdRequests() {
    std::lock_guard lock(mutex_);
    holding_ = true;
}

std::vector<std::string> LocalHttpServer::requestLines() const {
    std::lock_guard lock(mutex_);
    return requestLines_;
}

int LocalHttpServer::closedPort() {
    int port = 0;
    ::close(boundLoopbackSocket(port));
    return port;
}

void LocalHttpServer::serve() {
    for (int client; (client = ::accept(listener_, nullptr, nullptr)) >= 0;) {
        if (answer(client))
            ::close(client);
        else
            held_.push_back(client);
    }
}

bool LocalHttpServer::answer(int client) {
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos) {
        const ssize_t received = ::recv(client, buffer, sizeof buffer, 0);
        if (received <= 0)
            return true;
        request.append(buffer, static_cast<std::size_t>(received));
    }
    std::string response;
    {
        std::lock_guard lock(mutex_);
        requestLines_.push_back(request.substr(0, request.find("\r\n")));
        if (holding_)
            return false;
        response = response_;
    }
    for (std::size_t sent = 0; sent < response.size();) {
        const ssize_t n = ::send(client, response.data() + sent, response.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            break;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

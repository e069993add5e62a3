#include "LocalHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int boundLoopbackSocket(int& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), length);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    return fd;
}

} // namespace

LocalHttpServer::LocalHttpServer() {
    listener_ = boundLoopbackSocket(port_);
    ::listen(listener_, 8);
    thread_ = std::thread([this] {
        // accept() fails once the destructor shuts the listener down.
        for (int client; (client = ::accept(listener_, nullptr, nullptr)) >= 0; ::close(client))
            answer(client);
    });
}

LocalHttpServer::~LocalHttpServer() {
    ::shutdown(listener_, SHUT_RDWR);
    thread_.join();
    ::close(listener_);
}

void LocalHttpServer::respond(int status, std::string body) {
    std::lock_guard lock(mutex_);
    status_ = status;
    body_ = std::move(body);
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

void LocalHttpServer::answer(int client) {
    std::string request;
    char buffer[1024];
    while (request.find("\r\n\r\n") == std::string::npos) {
        const ssize_t received = ::recv(client, buffer, sizeof buffer, 0);
        if (received <= 0)
            return;
        request.append(buffer, static_cast<std::size_t>(received));
    }
    std::string response;
    {
        std::lock_guard lock(mutex_);
        requestLines_.push_back(request.substr(0, request.find("\r\n")));
        response = "HTTP/1.0 " + std::to_string(status_) +
                   " Status\r\nContent-Length: " + std::to_string(body_.size()) +
                   "\r\nConnection: close\r\n\r\n" + body_;
    }
    for (std::size_t sent = 0; sent < response.size();) {
        const ssize_t n = ::send(client, response.data() + sent, response.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return;
        sent += static_cast<std::size_t>(n);
    }
}

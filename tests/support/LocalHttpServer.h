#pragma once

#include <mutex>
#include <string>
#include <thread>
#include <vector>

// An HTTP server on 127.0.0.1 for tests. It serves one connection at a time, records the request
// line of every request it read in full, and answers each with the response set last: a status and
// body (200 "{}" at first), bytes given as they are, or nothing at all, the connection then staying
// open until the server goes.
class LocalHttpServer {
  public:
    LocalHttpServer();
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    void respond(int status, std::string body);
    // The whole response: status line, headers and body.
    void respondWith(std::string response);
    void holdRequests();

    std::string url(const std::string& path = "/config") const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }
    std::vector<std::string> requestLines() const;
    int requestCount() const { return static_cast<int>(requestLines().size()); }

    // A port on 127.0.0.1 that nothing listens on.
    static int closedPort();

  private:
    void serve();
    // False when the connection is to stay open unanswered.
    bool answer(int client);

    int listener_ = -1;
    int port_ = 0;
    mutable std::mutex mutex_;
    std::string response_;
    bool holding_ = false;
    std::vector<std::string> requestLines_;
    std::vector<int> held_;
    std::thread thread_;
};

#pragma once

#include <mutex>
#include <string>
#include <thread>
#include <vector>

// An HTTP server on 127.0.0.1 for tests: answers every request, one at a time, with the configured
// status and body, and records the request lines it saw.
class LocalHttpServer {
  public:
    LocalHttpServer();
    ~LocalHttpServer();

    void respond(int status, std::string body);
    std::string url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/config"; }
    std::vector<std::string> requestLines() const;
    int requestCount() const { return static_cast<int>(requestLines().size()); }

    // A port on 127.0.0.1 that nothing listens on.
    static int closedPort();

  private:
    void answer(int client);

    int listener_ = -1;
    int port_ = 0;
    mutable std::mutex mutex_;
    int status_ = 200;
    std::string body_ = "{}";
    std::vector<std::string> requestLines_;
    std::thread thread_;
};

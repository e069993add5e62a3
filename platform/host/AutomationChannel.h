#pragma once

#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class Host;

// Drives a running app from another program, one command a line on standard input, one answer a
// line on standard output ("ok" with an optional payload, or "error" with a reason). When the first
// frame has been rendered the channel writes "ready" and starts taking commands. Commands run on the
// main thread one at a time, each followed by the work it made due now. Points are window points.
//
//   tap X Y | press X Y | move X Y | release X Y     touches
//   tap-text TEXT                                     taps the front-most view showing TEXT
//   find TEXT                                         that view as JSON
//   views                                             every visible view as a JSON array
//   scroll X Y DX DY                                  wheel scrolling
//   advance SECONDS                                   moves the manual clock
//   idle                                              runs what is due now
//   screenshot PATH [SCALE]                           the window as PNG
//   events | links                                    analytics events, links opened (JSON)
//   rss                                               resident memory in KiB
//   scale                                             device pixels per point of the host
//   quit                                              ends the app
//
// Links are recorded instead of opened, so a test run starts no browser. End of input quits.
class AutomationChannel : public std::enable_shared_from_this<AutomationChannel> {
  public:
    explicit AutomationChannel(Host& host);

    // Starts listening: records events and links, reads commands on a thread of its own.
    void start();
    void writeLine(const std::string& line);

    // Runs one command line and gives its answer (main thread).
    std::string execute(const std::string& line);

  private:
    void readCommands();

    Host& host_;
    std::promise<void> ready_;
    std::mutex mutex_;
    std::vector<std::string> events_;
    std::vector<std::string> links_;
};

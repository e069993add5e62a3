#pragma once

#include "platform/foundation/NotificationCenter.h"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

class Host;

// Drives a running app from another program, one command a line on standard input, one answer a
// line on standard output ("ok" with an optional payload, or "error" with a reason). When the first
// frame has been rendered the channel writes "ready" and starts taking commands. Commands run on the
// main thread one at a time, each followed by the work it made due now. Points are window points.
// Numbers must be finite and within: X, Y, DX and DY -1000000..1000000 points, SECONDS 0..10000000,
// SCALE above 0 and at most 8; otherwise the answer is an error naming the argument.
//
//   tap X Y | press X Y | move X Y | release X Y     touches
//   tap-text TEXT                                     taps the front-most view showing TEXT
//   find TEXT                                         that view as JSON
//   views                                             every visible view as a JSON array
//   scroll X Y DX DY                                  wheel scrolling
//   advance SECONDS                                   moves the manual clock
//   idle                                              runs what is due now
//   screenshot PATH [SCALE]                           the window as PNG
//   events | links | lifecycle                        analytics events, links opened, the app's
//                                                     life-cycle notifications so far (JSON)
//   window focus|unfocus|hide|show                    the desktop's changes to the app's window: the
//                                                     keyboard focus comes or goes, the window is
//                                                     hidden (minimised) or shown; the app's life
//                                                     cycle follows as for the window host's window
//   rss                                               resident memory in KiB
//   scale                                             device pixels per point of the host
//   quit                                              ends the app
//
// Links are recorded instead of opened, so a test run starts no browser, unless $OMBREL_LINK_OPENER
// names a program to open them with. A line longer than 1 MiB is not run: its answer is an error, and
// its bytes are dropped as they come. End of input quits.
class AutomationChannel : public std::enable_shared_from_this<AutomationChannel> {
  public:
    static constexpr std::size_t maximumLineLength = 1024 * 1024;

    explicit AutomationChannel(Host& host);
    ~AutomationChannel();

    // Starts listening: records events, links and life-cycle notifications, reads commands on a thread
    // of its own.
    void start();
    // Stops reading and waits for the reading thread, which hands nothing to the main thread
    // afterwards. Called by the main thread before the app's end.
    void stop();
    void writeLine(const std::string& line);

    // Runs one command line and gives its answer (main thread).
    std::string execute(const std::string& line);

  private:
    struct InputLine {
        std::string text;
        bool tooLong = false;
    };

    void readCommands();
    // The next line of standard input (without its text when it is too long); nothing at its end or
    // once stopped.
    std::optional<InputLine> nextLine();
    // The first `length` bytes of the input as a line; they and the line end after them leave the input.
    InputLine takeLine(std::size_t length);
    // Waits until the condition holds (under stateMutex_); false when stopped first.
    bool waitUntil(const std::function<bool()>& condition);
    std::string windowCommand(const std::string& change);

    Host& host_;
    std::mutex mutex_;
    std::vector<std::string> events_;
    std::vector<std::string> links_;
    std::vector<std::string> lifecycle_;
    std::vector<NotificationCenter::ObserverToken> observers_;

    std::mutex stateMutex_;
    std::condition_variable stateChanged_;
    bool ready_ = false;
    bool stopping_ = false;
    std::uint64_t answered_ = 0;
    // Written by stop() to wake the reader from its wait for input.
    int wakePipe_[2] = {-1, -1};
    // What has arrived of the next lines; the first `searched_` bytes hold no line end. A line that grew
    // too long is dropped from input_ while it is still arriving.
    std::string input_;
    std::size_t searched_ = 0;
    bool droppingLongLine_ = false;
    std::thread reader_;
};

#pragma once

#include <sys/types.h>

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Starts a program that takes automation commands (AutomationChannel) and talks to it: one command
// line out, one answer line back. Used by whole-app tests and benchmarks.
class AutomationClient {
  public:
    // Runs program with the arguments, in the current environment with the given variables set
    // (an empty value removes one), its standard error going to errorFile (made empty first) when
    // one is given. Nothing when the program cannot be started.
    static std::unique_ptr<AutomationClient>
    start(const std::string& program, const std::vector<std::string>& arguments,
          const std::map<std::string, std::string>& environment = {},
          const std::optional<std::filesystem::path>& errorFile = std::nullopt);
    // Ends a program that is still running (SIGKILL) and reaps it.
    ~AutomationClient();
    AutomationClient(const AutomationClient&) = delete;
    AutomationClient& operator=(const AutomationClient&) = delete;

    pid_t pid() const { return pid_; }

    // Waits for the next output line; nothing on time-out or end of output.
    std::optional<std::string> readLine(double timeoutSeconds);
    // Sends a command without waiting for its answer; false when the program no longer reads.
    bool post(const std::string& command);
    // Sends a command and waits for its answer line ("ok ..." or "error ...").
    std::optional<std::string> send(const std::string& command, double timeoutSeconds = 20);
    // The payload of an "ok" answer ("" for a bare "ok"); nothing for an error or no answer.
    static std::optional<std::string> payload(const std::optional<std::string>& answer);

    // Closes the program's standard input.
    void closeInput();
    // Waits for the program to end; its exit status, or -signal when a signal ended it; nothing on
    // time-out.
    std::optional<int> waitForExit(double timeoutSeconds);

  private:
    AutomationClient(pid_t pid, int input, int output) : pid_(pid), input_(input), output_(output) {}

    pid_t pid_;
    int input_;
    int output_;
    std::string buffer_;
    std::optional<int> exitStatus_;
};

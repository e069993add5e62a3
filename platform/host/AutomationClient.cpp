#include "platform/host/AutomationClient.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <thread>

extern char** environ;

namespace {

using Deadline = std::chrono::steady_clock::time_point;

Deadline deadlineAfter(double seconds) {
    return std::chrono::steady_clock::now() + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                                  std::chrono::duration<double>(seconds));
}

int millisecondsUntil(Deadline deadline) {
    auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return static_cast<int>(std::max<long long>(left.count(), 0));
}

std::vector<std::string> mergedEnvironment(const std::map<std::string, std::string>& changes) {
    std::vector<std::string> out;
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        std::string text = *entry;
        std::string name = text.substr(0, text.find('='));
        if (changes.count(name) == 0) {
            out.push_back(text);
        }
    }
    for (const auto& [name, value] : changes) {
        if (!value.empty()) {
            out.push_back(name + "=" + value);
        }
    }
    return out;
}

std::vector<char*> pointers(std::vector<std::string>& texts) {
    std::vector<char*> out;
    for (auto& text : texts) {
        out.push_back(text.data());
    }
    out.push_back(nullptr);
    return out;
}

} // namespace

std::unique_ptr<AutomationClient>
AutomationClient::start(const std::string& program, const std::vector<std::string>& arguments,
                        const std::map<std::string, std::string>& environment,
                        const std::optional<std::filesystem::path>& errorFile) {
    int toChild[2];
    int fromChild[2];
    if (pipe2(toChild, O_CLOEXEC) != 0) {
        return nullptr;
    }
    if (pipe2(fromChild, O_CLOEXEC) != 0) {
        close(toChild[0]);
        close(toChild[1]);
        return nullptr;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, toChild[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, fromChild[1], STDOUT_FILENO);
    if (errorFile) {
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errorFile->c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
    }

    std::vector<std::string> argv{program};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<std::string> envp = mergedEnvironment(environment);
    auto argvPointers = pointers(argv);
    auto envPointers = pointers(envp);
    pid_t pid = 0;
    int failed =
        posix_spawn(&pid, program.c_str(), &actions, nullptr, argvPointers.data(), envPointers.data());
    posix_spawn_file_actions_destroy(&actions);
    close(toChild[0]);
    close(fromChild[1]);
    if (failed != 0) {
        close(toChild[1]);
        close(fromChild[0]);
        return nullptr;
    }
    // A program that ends early must not take the caller down with SIGPIPE.
    signal(SIGPIPE, SIG_IGN);
    return std::unique_ptr<AutomationClient>(new AutomationClient(pid, toChild[1], fromChild[0]));
}

AutomationClient::~AutomationClient() {
    closeInput();
    if (output_ >= 0) {
        close(output_);
    }
    if (!exitStatus_) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

std::optional<std::string> AutomationClient::readLine(double timeoutSeconds) {
    Deadline deadline = deadlineAfter(timeoutSeconds);
    while (true) {
        auto newline = buffer_.find('\n');
        if (newline != std::string::npos) {
            std::string line = buffer_.substr(0, newline);
            buffer_.erase(0, newline + 1);
            return line;
        }
        if (output_ < 0) {
            return std::nullopt;
        }
        pollfd descriptor{output_, POLLIN, 0};
        int ready = poll(&descriptor, 1, millisecondsUntil(deadline));
        if (ready <= 0) {
            return std::nullopt;
        }
        char chunk[4096];
        ssize_t count = read(output_, chunk, sizeof chunk);
        if (count <= 0) {
            close(output_);
            output_ = -1;
            return std::nullopt;
        }
        buffer_.append(chunk, static_cast<std::size_t>(count));
    }
}

bool AutomationClient::post(const std::string& command) {
    if (input_ < 0) {
        return false;
    }
    std::string line = command + "\n";
    std::size_t written = 0;
    while (written < line.size()) {
        ssize_t count = write(input_, line.data() + written, line.size() - written);
        if (count <= 0) {
            return false;
        }
        written += static_cast<std::size_t>(count);
    }
    return true;
}

std::optional<std::string> AutomationClient::send(const std::string& command, double timeoutSeconds) {
    return post(command) ? readLine(timeoutSeconds) : std::nullopt;
}

std::optional<std::string> AutomationClient::payload(const std::optional<std::string>& answer) {
    if (!answer || answer->rfind("ok", 0) != 0 || (answer->size() > 2 && (*answer)[2] != ' ')) {
        return std::nullopt;
    }
    return answer->size() > 3 ? answer->substr(3) : std::string();
}

void AutomationClient::closeInput() {
    if (input_ >= 0) {
        close(input_);
        input_ = -1;
    }
}

std::optional<int> AutomationClient::waitForExit(double timeoutSeconds) {
    if (exitStatus_) {
        return exitStatus_;
    }
    Deadline deadline = deadlineAfter(timeoutSeconds);
    while (true) {
        int status = 0;
        pid_t done = waitpid(pid_, &status, WNOHANG);
        if (done == pid_) {
            exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
            return exitStatus_;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

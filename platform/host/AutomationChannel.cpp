#include "platform/host/AutomationChannel.h"

#include "platform/foundation/AnyValue.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/JSONCoding.h"
#include "platform/foundation/ManualClock.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/UIImage.h"
#include "platform/host/Host.h"
#include "platform/host/ViewTreeQuery.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIWindow.h"
#include "platform/veraziva/VAVAnalytics.h"

#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <fstream>
#include <future>
#include <iostream>
#include <optional>
#include <sstream>
#include <thread>

namespace {

std::optional<double> number(std::string_view text) {
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// The blank-separated words of the text.
std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream stream(text);
    std::string word;
    while (stream >> word) {
        out.push_back(word);
    }
    return out;
}

std::optional<std::vector<double>> numbers(const std::string& text, std::size_t count) {
    auto parts = words(text);
    if (parts.size() < count) {
        return std::nullopt;
    }
    std::vector<double> values;
    for (std::size_t i = 0; i < count; ++i) {
        auto value = number(parts[i]);
        if (!value) {
            return std::nullopt;
        }
        values.push_back(*value);
    }
    return values;
}

AnyValue anyValue(const APMValue& value) {
    if (auto integer = value.integerValue()) {
        return AnyValue(*integer);
    }
    if (auto real = value.doubleValue()) {
        return AnyValue(*real);
    }
    if (auto text = value.stringValue()) {
        return AnyValue(*text);
    }
    AnyValue::Array items;
    if (const auto* list = value.itemsValue()) {
        for (const auto& item : *list) {
            AnyValue::Dictionary dictionary;
            for (const auto& [key, element] : item) {
                dictionary[key] = anyValue(element);
            }
            items.emplace_back(std::move(dictionary));
        }
    }
    return AnyValue(std::move(items));
}

std::string json(const AnyValue& value) {
    auto text = JSONCoding::encode(value);
    return text ? *text : "null";
}

AnyValue describe(const InspectedView& view) {
    AnyValue::Dictionary entry{
        {"class", AnyValue(view.className)},
        {"text", AnyValue(view.text)},
        {"id", AnyValue(view.identifier)},
        {"frame",
         AnyValue(AnyValue::Array{AnyValue(view.frame.origin.x), AnyValue(view.frame.origin.y),
                                  AnyValue(view.frame.size.width), AnyValue(view.frame.size.height)})}};
    if (view.enabled) {
        entry["enabled"] = AnyValue(*view.enabled);
    }
    if (view.selectedSegment) {
        entry["selectedSegment"] = AnyValue(*view.selectedSegment);
    }
    return AnyValue(std::move(entry));
}

std::optional<long> residentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            auto parts = words(line.substr(6));
            if (!parts.empty()) {
                long kib = 0;
                auto [end, error] = std::from_chars(parts[0].data(), parts[0].data() + parts[0].size(), kib);
                if (error == std::errc()) {
                    return kib;
                }
            }
        }
    }
    return std::nullopt;
}

} // namespace

AutomationChannel::AutomationChannel(Host& host) : host_(host) {}

void AutomationChannel::start() {
    std::weak_ptr<AutomationChannel> weakSelf = weak_from_this();
    VAVAnalytics::addEventListener([weakSelf](const APMEvent& event) {
        auto self = weakSelf.lock();
        if (!self) {
            return;
        }
        AnyValue::Dictionary parameters;
        for (const auto& [key, value] : event.parameters) {
            parameters[key] = anyValue(value);
        }
        std::string line = json(AnyValue(AnyValue::Dictionary{
            {"name", AnyValue(event.name)}, {"parameters", AnyValue(std::move(parameters))}}));
        std::lock_guard lock(self->mutex_);
        self->events_.push_back(std::move(line));
    });
    UIApplication::sharedApplication()->setLinkOpener([weakSelf](const std::string& link) {
        if (auto self = weakSelf.lock()) {
            std::lock_guard lock(self->mutex_);
            self->links_.push_back(link);
        }
        return true;
    });
    host_.setFirstFrameHandler([weakSelf] {
        if (auto self = weakSelf.lock()) {
            self->writeLine("ready");
            self->ready_.set_value();
        }
    });
    std::thread([self = shared_from_this()] { self->readCommands(); }).detach();
}

void AutomationChannel::readCommands() {
    // Commands act on what the first frame shows, never on a screen still being built.
    ready_.get_future().wait();
    std::string line;
    while (std::getline(std::cin, line)) {
        // One command at a time: the next one is read only after this one has been answered, so
        // that the work a command causes never runs a later command inside it.
        auto answered = std::make_shared<std::promise<void>>();
        auto done = answered->get_future();
        std::weak_ptr<AutomationChannel> weakSelf = weak_from_this();
        RunLoop::main()->perform([weakSelf, line, answered] {
            if (auto self = weakSelf.lock()) {
                std::string answer = self->execute(line);
                RunLoop::main()->runUntilIdle();
                self->writeLine(answer);
            }
            answered->set_value();
        });
        done.wait();
    }
    // The driving program went away: nobody could end the app any more.
    std::weak_ptr<AutomationChannel> weakSelf = weak_from_this();
    RunLoop::main()->perform([weakSelf] {
        if (auto self = weakSelf.lock()) {
            self->execute("quit");
        }
    });
}

void AutomationChannel::writeLine(const std::string& line) {
    std::string out = line + "\n";
    std::lock_guard lock(mutex_);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fflush(stdout);
}

std::string AutomationChannel::execute(const std::string& line) {
    auto space = line.find(' ');
    std::string command = line.substr(0, space);
    std::string argument = space == std::string::npos ? std::string() : line.substr(space + 1);
    auto window = Host::keyWindow();

    if (command == "quit") {
        UIApplication::sharedApplication()->terminate();
        host_.stop(0);
        return "ok";
    }
    if (command == "idle") {
        return "ok";
    }
    if (command == "scale") {
        return "ok " + json(AnyValue(host_.displayScale()));
    }
    if (command == "rss") {
        auto kib = residentKiB();
        return kib ? "ok " + std::to_string(*kib) : "error no /proc/self/status";
    }
    if (command == "events" || command == "links") {
        std::lock_guard lock(mutex_);
        const auto& lines = command == "events" ? events_ : links_;
        std::string out = "ok [";
        for (std::size_t i = 0; i < lines.size(); ++i) {
            out += (i ? "," : "") + (command == "events" ? lines[i] : json(AnyValue(lines[i])));
        }
        return out + "]";
    }
    if (command == "advance") {
        auto clock = std::dynamic_pointer_cast<ManualClock>(Clock::current());
        auto seconds = number(argument);
        if (!clock || !seconds || *seconds < 0) {
            return "error advance needs the manual clock and a number of seconds";
        }
        clock->advance(*seconds);
        return "ok";
    }
    if (!window) {
        return "error no key window";
    }
    if (command == "tap" || command == "press" || command == "move" || command == "release") {
        auto point = numbers(argument, 2);
        if (!point) {
            return "error " + command + " needs X Y";
        }
        CGPoint location{(*point)[0], (*point)[1]};
        if (command == "tap") {
            window->tapAtPoint(location);
        } else if (command == "press") {
            window->sendTouchBegan(location);
        } else if (command == "move") {
            window->sendTouchMoved(location);
        } else {
            window->sendTouchEnded(location);
        }
        return "ok";
    }
    if (command == "scroll") {
        auto values = numbers(argument, 4);
        if (!values) {
            return "error scroll needs X Y DX DY";
        }
        window->sendScroll({(*values)[0], (*values)[1]}, {(*values)[2], (*values)[3]});
        return "ok";
    }
    if (command == "tap-text" || command == "find") {
        if (argument.empty()) {
            return "error " + command + " needs a text";
        }
        auto found = ViewTreeQuery::findView(*window, argument);
        if (!found) {
            return "error no visible view shows \"" + argument + "\"";
        }
        if (command == "tap-text") {
            window->tapAtPoint(found->frame.center());
            return "ok";
        }
        return "ok " + json(describe(*found));
    }
    if (command == "views") {
        AnyValue::Array list;
        for (const auto& view : ViewTreeQuery::visibleViews(*window)) {
            list.push_back(describe(view));
        }
        return "ok " + json(AnyValue(std::move(list)));
    }
    if (command == "screenshot") {
        auto parts = words(argument);
        std::optional<double> scale = parts.size() > 1 ? number(parts[1]) : std::optional<double>(1.0);
        if (parts.empty() || !scale || *scale <= 0) {
            return "error screenshot needs PATH [SCALE]";
        }
        auto image = Host::renderKeyWindow(*scale);
        if (!image || !image->writePNG(parts[0])) {
            return "error could not write " + parts[0];
        }
        return "ok";
    }
    return "error unknown command \"" + command + "\"";
}

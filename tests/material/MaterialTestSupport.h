#pragma once

#include "platform/uikit/UIViewController.h"
#include "tests/uikit/UIKitTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// A page that writes down its appearance calls.
class RecordingController : public UIViewController {
  public:
    explicit RecordingController(std::string name, std::vector<std::string>* log = nullptr)
        : name_(std::move(name)), log_(log) {}

    void viewWillAppear(bool) override { note("willAppear"); }
    void viewDidAppear(bool) override { note("didAppear"); }
    void viewWillDisappear(bool) override { note("willDisappear"); }
    void viewDidDisappear(bool) override { note("didDisappear"); }

  private:
    void note(const std::string& what) {
        if (log_) {
            log_->push_back(name_ + " " + what);
        }
    }

    std::string name_;
    std::vector<std::string>* log_;
};

using MaterialTest = UIKitTest;

#pragma once

#include <memory>

enum class UIUserInterfaceIdiom { unspecified = -1, phone = 0, pad = 1 };

// The device the app runs on: a phone unless a test or host says otherwise.
class UIDevice {
  public:
    static std::shared_ptr<UIDevice> currentDevice();

    UIUserInterfaceIdiom userInterfaceIdiom() const { return idiom_; }
    void setUserInterfaceIdiom(UIUserInterfaceIdiom idiom) { idiom_ = idiom; }

  private:
    UIUserInterfaceIdiom idiom_ = UIUserInterfaceIdiom::phone;
};

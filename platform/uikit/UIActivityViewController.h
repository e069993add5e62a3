#pragma once

#include "platform/graphics/UIImage.h"
#include "platform/uikit/UIViewController.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The share sheet. This platform's one way to share an image is to keep it: when the sheet's
// view loads, every image is written as a PNG under $OMBREL_HOME/shared/ (a new file each time,
// never replacing one) and the sheet tells the user where. Done dismisses it and reports the
// outcome to the completion handler. On a tablet it is presented as a popover.
class UIActivityViewController : public UIViewController {
  public:
    // The activity type reported when the images were saved.
    static constexpr const char* activityTypeSaveToFiles = "SaveToFiles";

    // activity type (nothing when nothing was saved), completed.
    using CompletionWithItemsHandler = std::function<void(std::optional<std::string>, bool)>;

    explicit UIActivityViewController(std::vector<std::shared_ptr<UIImage>> activityItems);

    const std::vector<std::shared_ptr<UIImage>>& activityItems() const { return items_; }
    void setCompletionWithItemsHandler(CompletionWithItemsHandler handler) {
        completion_ = std::move(handler);
    }
    const std::vector<std::filesystem::path>& savedPaths() const { return savedPaths_; }
    // What the sheet shows the user.
    const std::string& statusText() const { return statusText_; }

    void loadView() override;

  private:
    void saveItems();
    void done();

    std::vector<std::shared_ptr<UIImage>> items_;
    CompletionWithItemsHandler completion_;
    std::vector<std::filesystem::path> savedPaths_;
    bool failed_ = false;
    std::string statusText_;
};

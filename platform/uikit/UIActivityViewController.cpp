#include "platform/uikit/UIActivityViewController.h"

#include "platform/foundation/Date.h"
#include "platform/foundation/DebugConsole.h"
#include "platform/foundation/FileSystem.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIDevice.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIScreen.h"

#include <algorithm>

namespace {

// "Ombrel-20240501-123000.png", then "-2", "-3", ... so an earlier picture is never replaced.
std::filesystem::path freshPath(const std::filesystem::path& folder) {
    std::string stamp = Date::now().iso8601();
    std::erase_if(stamp, [](char c) { return c == '-' || c == ':' || c == 'Z'; });
    std::replace(stamp.begin(), stamp.end(), 'T', '-');
    std::string base = "Ombrel-" + stamp;
    std::filesystem::path path = folder / (base + ".png");
    for (int n = 2; std::filesystem::exists(path); ++n) {
        path = folder / (base + "-" + std::to_string(n) + ".png");
    }
    return path;
}

} // namespace

UIActivityViewController::UIActivityViewController(std::vector<std::shared_ptr<UIImage>> activityItems)
    : items_(std::move(activityItems)) {
    // On a tablet the sheet is a popover, which the presenter anchors.
    if (UIDevice::currentDevice()->userInterfaceIdiom() == UIUserInterfaceIdiom::pad) {
        setModalPresentationStyle(UIModalPresentationStyle::popover);
    }
}

void UIActivityViewController::saveItems() {
    std::filesystem::path folder = FileSystem::ombrelHome() / "shared";
    for (const auto& image : items_) {
        auto png = image ? image->pngData() : std::nullopt;
        if (!png) {
            failed_ = true;
            continue;
        }
        std::filesystem::path path = freshPath(folder);
        auto written = FileSystem::writeFileAtomically(
            path, std::string_view(reinterpret_cast<const char*>(png->data()), png->size()));
        if (written) {
            savedPaths_.push_back(path);
        } else {
            failed_ = true;
            DebugConsole::notice("Could not save the shared image: " + written.error());
        }
    }
    if (savedPaths_.empty()) {
        statusText_ = items_.empty() ? "Nothing to share." : "The image could not be saved.";
        return;
    }
    statusText_ = savedPaths_.size() == 1 ? "Saved to " : "Saved to:";
    for (const auto& path : savedPaths_) {
        statusText_ += (savedPaths_.size() == 1 ? "" : "\n") + path.string();
    }
    if (failed_) {
        statusText_ += "\nSome images could not be saved.";
    }
}

void UIActivityViewController::loadView() {
    saveItems();
    CGRect screen = UIScreen::mainScreen()->bounds();
    auto root = std::make_shared<UIView>(screen);
    root->setBackgroundColor(UIColor::systemBackgroundColor());
    CGFloat width = screen.size.width - 40;

    auto heading = std::make_shared<UILabel>(CGRect{20, 20, width - 80, 30});
    heading->setText("Share");
    heading->setFont(UIFont::systemFontOfSize(20, UIFontWeight::semibold));
    root->addSubview(heading);

    auto doneButton = UIButton::buttonWithType(UIButtonType::system);
    doneButton->setTitle("Done", UIControlStateNormal);
    doneButton->setAccessibilityIdentifier("Done");
    doneButton->setFrame({screen.size.width - 90, 18, 70, 34});
    doneButton->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin);
    std::weak_ptr<UIResponder> weakSelf = weak_from_this();
    doneButton->addAction(
        [weakSelf](const std::shared_ptr<UIControl>&) {
            if (auto self = std::static_pointer_cast<UIActivityViewController>(weakSelf.lock())) {
                self->done();
            }
        },
        UIControlEventTouchUpInside);
    root->addSubview(doneButton);

    auto status = std::make_shared<UILabel>();
    status->setText(statusText_);
    status->setFont(UIFont::systemFontOfSize(15));
    status->setNumberOfLines(0);
    status->setLineBreakMode(NSLineBreakMode::byCharWrapping);
    status->setFrame({20, 70, width, status->sizeThatFits({width, 0}).height});
    status->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    root->addSubview(status);
    setView(root);
}

void UIActivityViewController::done() {
    auto completion = completion_;
    bool saved = !savedPaths_.empty();
    dismissViewControllerAnimated(true, [completion, saved] {
        if (completion) {
            completion(saved ? std::optional<std::string>(activityTypeSaveToFiles) : std::nullopt, saved);
        }
    });
}

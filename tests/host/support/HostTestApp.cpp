// A tiny app for the host tests: a greeting, a button that changes it and opens a link, a line that appears
// two seconds after launch, and a file written when the app terminates.
#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/FileSystem.h"
#include "platform/host/ClassRegistry.h"
#include "platform/host/UIApplicationMain.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIApplicationDelegate.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIViewController.h"
#include "platform/uikit/UIWindow.h"
#include "platform/veraziva/VAVApp.h"

#include <cstdlib>

namespace {

class GreetingViewController : public UIViewController {
  public:
    std::shared_ptr<UILabel> greeting = std::make_shared<UILabel>(CGRect{20, 100, 350, 40});
    std::shared_ptr<UILabel> later = std::make_shared<UILabel>(CGRect{20, 150, 350, 40});
    std::shared_ptr<UIButton> button = UIButton::buttonWithType(UIButtonType::system);

    void viewDidLoad() override {
        view()->setBackgroundColor(UIColor::systemBackgroundColor());
        greeting->setText("Hello");
        view()->addSubview(greeting);
        view()->addSubview(later);
        button->setFrame({20, 300, 350, 60});
        button->setTitle("Press", UIControlStateNormal);
        button->setBackgroundColor(UIColor(0, 0, 1, 1));
        auto self = sharedAs<GreetingViewController>();
        button->addTarget(self, &GreetingViewController::pressed, UIControlEventTouchUpInside);
        view()->addSubview(button);
        std::weak_ptr<GreetingViewController> weakSelf = self;
        DispatchQueue::main()->asyncAfter(2, [weakSelf] {
            if (auto strong = weakSelf.lock()) {
                strong->later->setText("Later");
            }
        });
    }

    void pressed() {
        greeting->setText("Pressed");
        if (auto url = URL::URLWithString("https://example.org/pressed")) {
            UIApplication::sharedApplication()->openURL(*url);
        }
    }
};

class TestAppDelegate : public UIApplicationDelegate {
  public:
    bool applicationDidFinishLaunchingWithOptions(const std::shared_ptr<UIApplication>&,
                                                  const AnyValue::Dictionary&) override {
        VAVApp::configure();
        window_ = std::make_shared<UIWindow>();
        window_->setRootViewController(std::make_shared<GreetingViewController>());
        window_->makeKeyAndVisible();
        return true;
    }

    void applicationWillTerminate(const std::shared_ptr<UIApplication>&) override {
        FileSystem::writeFileAtomically(FileSystem::ombrelHome() / "terminated", "yes");
    }

    std::shared_ptr<UIWindow> window() const override { return window_; }

  private:
    std::shared_ptr<UIWindow> window_;
};

} // namespace

int main(int argc, char** argv) {
    std::string delegateName = ClassRegistry::registerDelegateClass<TestAppDelegate>("TestAppDelegate");
    if (const char* other = std::getenv("HOST_TEST_DELEGATE")) {
        delegateName = other;
    }
    return UIApplicationMain(argc, argv, std::nullopt, delegateName);
}

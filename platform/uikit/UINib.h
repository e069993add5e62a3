#pragma once

#include "platform/uikit/UIResponder.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class Bundle;
class UIView;

// A nib: a C++ builder registered under a name. The builder creates the objects, lays them out
// and connects outlets and actions to the owner it is given (which it may cast to its class);
// it returns the top-level objects. After it returns, every view of the new trees and every
// top-level object is sent awakeFromNib once; the owner is not.
class UINib {
  public:
    using Builder =
        std::function<std::vector<std::shared_ptr<UIResponder>>(const std::shared_ptr<UIResponder>& owner)>;

    static void registerNib(const std::string& name, Builder builder);
    static bool isRegistered(const std::string& name);
    // Nothing when no nib of that name is registered. The bundle is accepted for the platform's
    // signature; builders live in the program.
    static std::shared_ptr<UINib> nibWithNibName(const std::string& name,
                                                 const std::shared_ptr<Bundle>& bundle = nullptr);
    // An unregistered nib, for a storyboard scene's cell prototypes.
    static std::shared_ptr<UINib> nibWithBuilder(Builder builder);
    // Bundle.main.loadNibNamed(_:owner:): the top-level objects, empty for an unknown name.
    static std::vector<std::shared_ptr<UIResponder>> loadNibNamed(const std::string& name,
                                                                  const std::shared_ptr<UIResponder>& owner);

    explicit UINib(Builder builder) : builder_(std::move(builder)) {}
    std::vector<std::shared_ptr<UIResponder>>
    instantiateWithOwner(const std::shared_ptr<UIResponder>& owner) const;

    // Sends awakeFromNib to every view of the tree that has not had it yet.
    static void awakeViewTree(UIView& root);

  private:
    static void collectUnawoken(UIView& view, std::vector<std::shared_ptr<UIView>>& out);
    static void wake(const std::vector<std::shared_ptr<UIView>>& views);

    Builder builder_;
};

#pragma once

#include "platform/uikit/UIView.h"

#include <memory>
#include <string>

class UILabel;

// The view a table shows for a section title: the title in small grey type on a tinted band.
class UITableViewHeaderFooterView : public UIView {
  public:
    explicit UITableViewHeaderFooterView(std::string reuseIdentifier = {});

    const std::string& reuseIdentifier() const { return reuseIdentifier_; }
    const std::shared_ptr<UILabel>& textLabel() const { return textLabel_; }

    void layoutSubviews() override;

  private:
    std::string reuseIdentifier_;
    std::shared_ptr<UILabel> textLabel_;
};

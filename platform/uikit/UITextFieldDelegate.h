#pragma once

#include "platform/uikit/NSRange.h"

#include <memory>
#include <string>

class UITextField;

// Asked and told about editing; every question defaults to yes.
class UITextFieldDelegate {
  public:
    virtual ~UITextFieldDelegate() = default;
    virtual bool textFieldShouldBeginEditing(const std::shared_ptr<UITextField>&) { return true; }
    virtual void textFieldDidBeginEditing(const std::shared_ptr<UITextField>&) {}
    virtual bool textFieldShouldEndEditing(const std::shared_ptr<UITextField>&) { return true; }
    virtual void textFieldDidEndEditing(const std::shared_ptr<UITextField>&) {}
    virtual bool textFieldShouldChangeCharactersInRangeReplacementString(const std::shared_ptr<UITextField>&,
                                                                         NSRange, const std::string&) {
        return true;
    }
    virtual bool textFieldShouldReturn(const std::shared_ptr<UITextField>&) { return true; }
};

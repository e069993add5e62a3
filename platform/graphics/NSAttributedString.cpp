#include "platform/graphics/NSAttributedString.h"

#include "platform/graphics/TextLayout.h"
#include "platform/graphics/UIGraphics.h"

NSAttributedString::NSAttributedString(std::string text, NSStringAttributes attributes) {
    append(std::move(text), std::move(attributes));
}

NSStringAttributes NSAttributedString::attributesAtStart() const {
    return runs_.empty() ? NSStringAttributes{} : runs_.front().attributes;
}

void NSAttributedString::append(const NSAttributedString& other) {
    for (const Run& run : other.runs_) {
        append(run.text, run.attributes);
    }
}

void NSAttributedString::append(std::string text, NSStringAttributes attributes) {
    if (text.empty()) {
        return;
    }
    text_ += text;
    if (!runs_.empty() && runs_.back().attributes == attributes) {
        runs_.back().text += text;
    } else {
        runs_.push_back({std::move(text), std::move(attributes)});
    }
}

CGSize NSAttributedString::size() const {
    return TextLayout(*this).size();
}

CGRect NSAttributedString::boundingRectWithSize(CGSize size) const {
    TextLayout::Options options;
    options.width = size.width;
    return {CGPoint{}, TextLayout(*this, options).size()};
}

void NSAttributedString::drawInRect(const CGRect& rect, CGContext& context) const {
    if (empty()) {
        return;
    }
    TextLayout::Options options;
    options.width = rect.width();
    TextLayout(*this, options).draw(context, {rect.minX(), rect.minY()}, rect.height());
}

void NSAttributedString::drawAtPoint(CGPoint point, CGContext& context) const {
    if (empty()) {
        return;
    }
    TextLayout(*this).draw(context, point);
}

void NSAttributedString::drawInRect(const CGRect& rect) const {
    if (CGContext* context = UIGraphics::currentContext()) {
        drawInRect(rect, *context);
    }
}

void NSAttributedString::drawAtPoint(CGPoint point) const {
    if (CGContext* context = UIGraphics::currentContext()) {
        drawAtPoint(point, *context);
    }
}

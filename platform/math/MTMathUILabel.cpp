#include "platform/math/MTMathUILabel.h"

#include "platform/foundation/Utf8.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/math/MathParser.h"
#include "platform/math/MathRenderer.h"
#include "platform/math/MathTypesetter.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace {

std::uint32_t packed(const UIColor::RGBA& c) {
    const auto channel = [](CGFloat v) {
        return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
    };
    return channel(c.red) << 24 | channel(c.green) << 16 | channel(c.blue) << 8 | channel(c.alpha);
}

// Text shown as it stands is one line, of which no screen shows this many characters: a longer text is
// laid out only this far (a history entry can hold megabytes).
constexpr int maximumPlainCharacters = 4096;

// The text up to maximumPlainCharacters characters, with an ellipsis when it goes on.
std::string shownPart(const std::string& text) {
    const std::size_t end = utf8ByteIndex(text, maximumPlainCharacters);
    return end < text.size() ? text.substr(0, end) + "\u2026" : text;
}

// The formula laid out, or its text in red when it does not parse or memory runs out for it.
MathDisplayNode layOut(const MathFont& font, const std::string& latex) {
    const MathTypesetter typesetter(font);
    try {
        const MathParseResult result = MathParser::parse(latex);
        if (result.formula)
            return typesetter.typeset(*result.formula);
    } catch (const std::bad_alloc&) {
        // One formula too large for the memory left must not end the app.
    }
    return typesetter.typesetPlainText(shownPart(latex), packed(UIColor::redColor().rgba()));
}

} // namespace

MTMathUILabel::MTMathUILabel() : MTMathUILabel(CGRect{}) {}

MTMathUILabel::MTMathUILabel(const CGRect& frame) : UIView(frame) {
    typeset();
}

MTMathUILabel::MTMathUILabel(const NSCoder& coder) : UIView(coder) {
    typeset();
}

void MTMathUILabel::setLatex(std::string latex) {
    latex_ = std::move(latex);
    typeset();
}

void MTMathUILabel::setFontSize(CGFloat size) {
    if (!std::isfinite(size) || size <= 0)
        return;
    fontSize_ = size;
    typeset();
}

void MTMathUILabel::setTextColor(const UIColor& color) {
    textColor_ = color;
    setNeedsDisplay();
}

void MTMathUILabel::setContentInsets(const UIEdgeInsets& insets) {
    contentInsets_ = insets;
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
}

void MTMathUILabel::typeset() {
    font_ = MathFont::latinModernMath(fontSize_);
    display_ = MathDisplayNode{};
    if (font_ && !latex_.empty())
        display_ = layOut(*font_, latex_);
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
}

CGSize MTMathUILabel::intrinsicContentSize() const {
    return {display_.width + contentInsets_.left + contentInsets_.right,
            display_.ascent + display_.descent + contentInsets_.top + contentInsets_.bottom};
}

CGSize MTMathUILabel::sizeThatFits(CGSize) const {
    return intrinsicContentSize();
}

void MTMathUILabel::drawRect(const CGRect&) {
    CGContext* context = UIGraphicsGetCurrentContext();
    if (!context || !font_ || display_.children.empty())
        return;
    const CGRect area = contentInsets_.insetRect(bounds());
    const double height = display_.ascent + display_.descent;
    const double baseline = area.origin.y + (area.size.height - height) / 2 + display_.ascent;
    MathRenderer::draw(context->cairo(), display_, *font_, area.origin.x, baseline,
                       packed(textColor_.rgba()));
}

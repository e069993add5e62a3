#include "UIKitTestSupport.h"

#include "platform/uikit/UITextField.h"

#include <string>
#include <vector>

namespace {

class FieldDelegate : public UITextFieldDelegate {
  public:
    bool textFieldShouldBeginEditing(const std::shared_ptr<UITextField>& field) override {
        asked.push_back(field->accessibilityIdentifier());
        return allowBegin;
    }
    bool textFieldShouldChangeCharactersInRangeReplacementString(const std::shared_ptr<UITextField>&,
                                                                 NSRange range,
                                                                 const std::string& replacement) override {
        changes.emplace_back(range, replacement);
        return allowChange;
    }
    void textFieldDidEndEditing(const std::shared_ptr<UITextField>&) override { ++ended; }

    bool allowBegin = true;
    bool allowChange = true;
    std::vector<std::string> asked;
    std::vector<std::pair<NSRange, std::string>> changes;
    int ended = 0;
};

class TextFieldTests : public UIKitTest {
  protected:
    void SetUp() override {
        UIKitTest::SetUp();
        window = makeWindow();
        field = std::make_shared<UITextField>(CGRect{20, 100, 200, 40});
        field->setAccessibilityIdentifier("event0");
        delegate = std::make_shared<FieldDelegate>();
        field->setDelegate(delegate);
        window->addSubview(field);
    }

    void select(int from, int to) {
        auto range =
            field->textRangeFromPosition(*field->positionFromPosition(field->beginningOfDocument(), from),
                                         *field->positionFromPosition(field->beginningOfDocument(), to));
        field->setSelectedTextRange(range);
    }

    std::shared_ptr<UITextField> field;
    std::shared_ptr<FieldDelegate> delegate;
};

TEST_F(TextFieldTests, EditingNeedsAWindowAndTheDelegatesConsent) {
    auto loose = std::make_shared<UITextField>();
    EXPECT_FALSE(loose->becomeFirstResponder()) << "no window, no editing";

    delegate->allowBegin = false;
    EXPECT_FALSE(field->becomeFirstResponder());
    EXPECT_EQ(delegate->asked, std::vector<std::string>{"event0"});
    EXPECT_FALSE(field->isFirstResponder());
    EXPECT_EQ(field->selectedTextRange(), std::nullopt);

    delegate->allowBegin = true;
    field->setText("123");
    ASSERT_TRUE(field->becomeFirstResponder());
    EXPECT_EQ(window->firstResponder(), field);
    EXPECT_EQ(field->selectedTextRange(), (UITextRange{{3}, {3}})) << "the caret starts at the end";

    // Another field taking over ends this one's editing.
    auto other = std::make_shared<UITextField>(CGRect{20, 200, 200, 40});
    window->addSubview(other);
    ASSERT_TRUE(other->becomeFirstResponder());
    EXPECT_FALSE(field->isFirstResponder());
    EXPECT_EQ(delegate->ended, 1);
    EXPECT_EQ(field->selectedTextRange(), std::nullopt);

    // Leaving the window resigns.
    other->removeFromSuperview();
    EXPECT_EQ(window->firstResponder(), nullptr);
}

TEST_F(TextFieldTests, SelectionOffsetsDriveReplacementAndDeletion) {
    field->setText("3.5");
    ASSERT_TRUE(field->becomeFirstResponder());
    EXPECT_EQ(field->offsetFromPosition(field->beginningOfDocument(), field->endOfDocument()), 3);
    EXPECT_EQ(field->positionFromPosition(field->endOfDocument(), 1), std::nullopt);
    EXPECT_EQ(field->positionFromPosition(field->beginningOfDocument(), -1), std::nullopt);

    select(1, 3);
    EXPECT_EQ(field->textInRange(*field->selectedTextRange()), ".5");
    field->insertText("7");
    EXPECT_EQ(field->text(), "37");
    EXPECT_EQ(field->selectedTextRange(), (UITextRange{{2}, {2}}));
    ASSERT_EQ(delegate->changes.size(), 1u);
    EXPECT_EQ(delegate->changes[0].first, (NSRange{1, 2}));

    select(1, 1);
    field->deleteBackward();
    EXPECT_EQ(field->text(), "7");
    EXPECT_EQ(field->selectedTextRange(), (UITextRange{{0}, {0}}));
    field->deleteBackward();
    EXPECT_EQ(field->text(), "7") << "nothing before the caret";

    delegate->allowChange = false;
    field->insertText("9");
    EXPECT_EQ(field->text(), "7") << "the delegate refused";

    // Code replaces ranges without asking, keeps offsets in characters, and clamps selections.
    field->setText("π=3");
    field->replaceRange({{0}, {1}}, "pi");
    EXPECT_EQ(field->text(), "pi=3");
    EXPECT_EQ(field->selectedTextRange(), (UITextRange{{2}, {2}}));
    field->setText("é€x");
    EXPECT_EQ(field->endOfDocument().offset, 3);
    EXPECT_EQ(field->textInRange({{1}, {2}}), "€");
    field->setSelectedTextRange(UITextRange{{2}, {40}});
    EXPECT_EQ(field->selectedTextRange(), (UITextRange{{2}, {3}}));
}

TEST_F(TextFieldTests, ATapPlacesTheCaretAndALongTextIsLaidOutOnlyAsFarAsTheFieldReaches) {
    field->setText("12345");
    window->tapAtPoint({21, 120});
    ASSERT_TRUE(field->isFirstResponder());
    EXPECT_EQ(field->selectedTextRange(), (UITextRange{{0}, {0}}));
    window->tapAtPoint({219, 120});
    EXPECT_EQ(field->selectedTextRange(), (UITextRange{{5}, {5}}));
    CGRect caret = field->caretRectForPosition({2});
    window->tapAtPoint({20 + caret.midX(), 120});
    EXPECT_EQ(field->selectedTextRange(), (UITextRange{{2}, {2}}));
    EXPECT_EQ(delegate->asked.size(), 1u) << "asked once, when editing began";

    NSStringAttributes attributes;
    attributes.font = field->font();
    field->setText(std::string(1000, '8'));
    const std::string head = field->laidOutText();
    EXPECT_LT(head.size(), 1000u);
    EXPECT_GT(NSAttributedString(head, attributes).size().width, field->bounds().width())
        << "everything the field can show is laid out";
    field->setText(std::string(100000, '8'));
    EXPECT_EQ(field->laidOutText(), head) << "the text's length does not count";
    field->setFrame({20, 100, 350, 40});
    EXPECT_GT(field->laidOutText().size(), head.size()) << "the field's width does";
    field->setText("12345");
    EXPECT_EQ(field->laidOutText(), "12345");

    // Centred text wider than the field starts at its leading edge, where a tap puts the caret.
    field->setTextAlignment(NSTextAlignment::center);
    field->setText(std::string(100000, '8'));
    window->tapAtPoint({50, 120});
    field->insertText("1");
    EXPECT_LT(field->text().find('1'), 5u);
}

TEST_F(TextFieldTests, AnInputViewReplacesTheKeyboardAndEmptyGroupsHideTheShortcutBar) {
    ASSERT_TRUE(field->becomeFirstResponder());
    EXPECT_TRUE(field->showsSystemKeyboard());
    EXPECT_TRUE(field->showsShortcutBar());

    field->setInputView(std::make_shared<UIView>());
    field->setAutocorrectionType(UITextAutocorrectionType::no);
    field->inputAssistantItem()->leadingBarButtonGroups.clear();
    EXPECT_TRUE(field->showsShortcutBar()) << "the trailing group is still there";
    field->inputAssistantItem()->trailingBarButtonGroups.clear();
    EXPECT_FALSE(field->showsSystemKeyboard());
    EXPECT_FALSE(field->showsShortcutBar());
    EXPECT_EQ(field->autocorrectionType(), UITextAutocorrectionType::no);
    field->resignFirstResponder();
    field->setInputView(nullptr);
    EXPECT_FALSE(field->showsSystemKeyboard()) << "no keyboard without editing";
}

} // namespace

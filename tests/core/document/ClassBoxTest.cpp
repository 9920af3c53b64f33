#include "ClassBox.h"
#include "Catalogue.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace rollwerk {
namespace {

std::vector<std::string> Items()
{
    return {kClassNames.begin(), kClassNames.end()};
}

struct CompletionCase {
    const char *name;
    const char *text;
    std::size_t selectionStart;
    std::size_t selectionLength;
    char32_t typed;
    std::optional<ClassBox::Edit> result;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const CompletionCase &c, std::ostream *out)
{
    *out << c.name;
}

class ClassBoxCompletion : public testing::TestWithParam<CompletionCase> { };

TEST_P(ClassBoxCompletion, CompletesFromTheFirstMatchingItem)
{
    const CompletionCase &c = GetParam();
    const std::vector<std::string> items = Items();
    EXPECT_EQ(ClassBox::Complete(c.text, c.selectionStart, c.selectionLength, c.typed, items), c.result);
}

INSTANTIATE_TEST_SUITE_P(Cases, ClassBoxCompletion,
    testing::Values(
        CompletionCase{"capital_v_over_everything", "Gladiator", 0, 9, U'V', ClassBox::Edit{"Vampirin", 1, 7}},
        CompletionCase{"lower_v_keeps_its_case", "Gladiator", 0, 9, U'v', ClassBox::Edit{"vampirin", 1, 7}},
        CompletionCase{"x_matches_nothing", "Gladiator", 0, 9, U'x', std::nullopt},
        CompletionCase{"typed_prefix_keeps_its_case", "sE", 2, 0, U'R', ClassBox::Edit{"sERaphim", 3, 5}},
        CompletionCase{"text_before_the_selection_counts", "Dunkelelf", 2, 7, U'n', ClassBox::Edit{"Dunkelelf", 3, 6}},
        CompletionCase{
            "without_selection_the_caret_does_not_matter", "Ka", 1, 0, U'm', ClassBox::Edit{"Kampfmagier", 3, 8}},
        CompletionCase{"no_selection_and_the_whole_text", "Ka", 2, 0, U'm', ClassBox::Edit{"Kampfmagier", 3, 8}},
        CompletionCase{"a_full_name_completes_to_itself", "Waldelfi", 8, 0, U'n', ClassBox::Edit{"Waldelfin", 9, 0}},
        CompletionCase{"longer_than_any_item", "Vampirin", 8, 0, U'e', std::nullopt},
        CompletionCase{"umlaut_matches_nothing", "", 0, 0, U'\u00e4', std::nullopt}),
    [](const testing::TestParamInfo<CompletionCase> &info) { return std::string(info.param.name); });

// A box with a counter on its change notification.
struct WatchedBox {
    ClassBox box{Items(), "Gladiator"};
    int changes = 0;
    WatchedBox()
    {
        box.onChange = [this] { ++changes; };
    }
};

TEST(ClassBox, TypingNotifiesOnChangeAndOnEveryCompletion)
{
    WatchedBox w;
    EXPECT_EQ(w.box.TypeCharacter(0, 9, U'G'), (ClassBox::Edit{"Gladiator", 1, 8}));
    EXPECT_EQ(w.changes, 1) << "a completion notifies even when the text stays";
    EXPECT_EQ(w.box.TypeCharacter(0, 9, U'x'), (ClassBox::Edit{"x", 1, 0}));
    EXPECT_EQ(w.changes, 2);
    EXPECT_EQ(w.box.TypeCharacter(0, 1, U'x'), (ClassBox::Edit{"x", 1, 0}));
    EXPECT_EQ(w.changes, 2) << "typing over an identical selection changes nothing";
}

TEST(ClassBox, EveryBackspaceNotifies)
{
    WatchedBox w;
    w.box.SetText("");
    EXPECT_EQ(w.changes, 0) << "a procedure setting the text raises nothing";
    EXPECT_EQ(w.box.Backspace(0, 0), (ClassBox::Edit{"", 0, 0}));
    EXPECT_EQ(w.changes, 1);
    w.box.SetText("Sera");
    EXPECT_EQ(w.box.Backspace(4, 0), (ClassBox::Edit{"Ser", 3, 0}));
    EXPECT_EQ(w.box.Backspace(1, 2), (ClassBox::Edit{"S", 1, 0}));
    EXPECT_EQ(w.changes, 3);
}

TEST(ClassBox, AnEditDescribesTheUserTextWhenTheNotificationReplacesIt)
{
    // The window puts the caret by the edit only when the text is still the one typed.
    ClassBox box{Items(), "Gladiator"};
    box.onChange = [&box] { box.SetText("Gladiator"); };
    EXPECT_EQ(box.TypeCharacter(0, 9, U'x'), (ClassBox::Edit{"x", 1, 0}));
    EXPECT_EQ(box.Text(), "Gladiator");
    EXPECT_EQ(box.Backspace(0, 9), (ClassBox::Edit{"", 0, 0}));
    EXPECT_EQ(box.Text(), "Gladiator");
}

TEST(ClassBox, PicksAndArrowKeys)
{
    WatchedBox w;
    w.box.Pick(0);
    EXPECT_EQ(w.changes, 1) << "picking the shown item notifies too";
    w.box.Pick(1);
    EXPECT_EQ(w.box.Text(), "Seraphim");
    w.box.SelectAdjacent(+1);
    EXPECT_EQ(w.box.Text(), "Waldelfin");
    w.box.SelectAdjacent(-1);
    w.box.SelectAdjacent(-1);
    EXPECT_EQ(w.box.Text(), "Gladiator");
    const int before = w.changes;
    w.box.SelectAdjacent(-1);
    EXPECT_EQ(w.changes, before) << "Up on the first item changes nothing";
    w.box.SetText("irgendwas");
    w.box.SelectAdjacent(+1);
    EXPECT_EQ(w.box.Text(), "Gladiator");
    w.box.Pick(99);
    EXPECT_EQ(w.box.Text(), "Gladiator");
}

TEST(ClassBox, LongTextsAndOddCharacters)
{
    WatchedBox w;
    w.box.EditText(std::string(100000, 'G'));
    EXPECT_EQ(w.box.TypeCharacter(100000, 0, U'l'), (ClassBox::Edit{std::string(100000, 'G') + "l", 100001, 0}));
    for (char32_t ch = 0; ch <= 0xFF; ++ch)
        w.box.TypeCharacter(0, 0, ch);
    EXPECT_EQ(w.changes, 1 + 1 + (0xFF - 0x20 + 1) - 1); // control characters are not typed
}

} // namespace
} // namespace rollwerk

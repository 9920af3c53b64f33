#include "NumberField.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace rollwerk {
namespace {

// A field with a notification counter and the texts it showed, in order.
struct WatchedField {
    NumberField field;
    std::vector<std::string> shown;

    WatchedField(std::int32_t minimum, std::int32_t maximum, const std::string &text)
        : field(minimum, maximum, 0, true, kSkyBlue)
    {
        field.EditText(text);
        field.onChange = [this] { shown.push_back(field.Text()); };
    }
};

TEST(NumberField, ReadsValidIntegersAndOtherwiseTheMinimum)
{
    const std::vector<std::pair<std::string, std::int32_t>> cases
        = {{"7", 7}, {"+5", 5}, {"-0", 0}, {"007", 7}, {"-99", -99}, {"", 3}, {"-", 3}, {"+", 3}, {"1,5", 3},
            {"1.5", 3}, {"+-1", 3}, {" 1", 3}, {"1 ", 3}, {"x", 3}, {"\xc3\xa4", 3}};
    for (const auto &[text, value] : cases) {
        NumberField field(3, 9, 0, true, kSkyBlue);
        field.EditText(text);
        EXPECT_EQ(field.Value(), value) << '"' << text << '"';
    }
    // Procedure writes can be longer than what the user types.
    EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
    EXPECT_EQ(ParseInteger("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(ParseInteger("2147483648"), std::nullopt);
    EXPECT_EQ(ParseInteger("99999999999999999999999"), std::nullopt);
    EXPECT_EQ(ParseInteger("00000000000000000000042"), 42);
}

TEST(NumberField, SettingClampsOnlyWhenMinimumAndMaximumDiffer)
{
    NumberField field(0, 10, 5, true, kSkyBlue);
    field.SetValue(11);
    EXPECT_EQ(field.Text(), "10");
    field.SetValue(-3);
    EXPECT_EQ(field.Text(), "0");
    field.SetMinimum(1);
    EXPECT_EQ(field.Text(), "0") << "changing the range never touches the text";
    field.SetMaximum(1);
    field.SetValue(2);
    EXPECT_EQ(field.Text(), "2") << "equal minimum and maximum store the value unchanged";
    field.SetValue(std::int64_t{1} << 40);
    EXPECT_EQ(field.Text(), "2147483647");
}

TEST(NumberField, NotifiesExactlyWhenTheShownTextChanges)
{
    WatchedField w(0, 250, "5");
    w.field.SetValue(5);
    EXPECT_TRUE(w.shown.empty());
    w.field.EditText("05");
    w.field.SetValue(5); // "05" becomes "5": a different text
    EXPECT_EQ(w.shown, (std::vector<std::string>{"05", "5"}));
}

TEST(NumberField, NotificationsNestAndSeeEachWrite)
{
    NumberField field(0, 250, 0, true, kSkyBlue);
    std::vector<std::string> seen;
    field.onChange = [&] {
        seen.push_back(field.Text());
        if (field.Text() == "1")
            field.SetValue(2); // nested, before the first SetValue returns
    };
    field.SetValue(1);
    EXPECT_EQ(seen, (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(field.Text(), "2");
}

struct TypingCase {
    const char *name;
    const char *before;
    std::size_t selectionStart;
    std::size_t selectionLength;
    char32_t typed;
    NumberField::KeyOutcome outcome;
    const char *after;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const TypingCase &c, std::ostream *out)
{
    *out << c.name;
}

class NumberFieldTyping : public testing::TestWithParam<TypingCase> { };

TEST_P(NumberFieldTyping, FiltersAndLimits)
{
    const TypingCase &c = GetParam();
    WatchedField w(0, 250, c.before);
    EXPECT_EQ(w.field.TypeCharacter(c.selectionStart, c.selectionLength, c.typed, U',').outcome, c.outcome);
    EXPECT_EQ(w.field.Text(), c.after);
    EXPECT_EQ(w.shown.size(), c.outcome == NumberField::KeyOutcome::Inserted ? 1U : 0U);
}

using K = NumberField::KeyOutcome;
INSTANTIATE_TEST_SUITE_P(Cases, NumberFieldTyping,
    testing::Values(TypingCase{"digit_appended", "3", 1, 0, U'0', K::Inserted, "30"},
        TypingCase{"digit_replaces_selection", "30", 0, 2, U'2', K::Inserted, "2"},
        TypingCase{"digit_inserted_in_the_middle", "35", 1, 0, U'0', K::Inserted, "305"},
        TypingCase{"fourth_character_refused", "300", 3, 0, U'1', K::Refused, "300"},
        TypingCase{"replacing_keeps_the_limit", "300", 0, 1, U'1', K::Inserted, "100"},
        TypingCase{"same_character_over_selection", "1", 0, 1, U'1', K::Unchanged, "1"},
        TypingCase{"signs_and_separator_taken", "", 0, 0, U'-', K::Inserted, "-"},
        TypingCase{"system_separator_taken", "1", 1, 0, U',', K::Inserted, "1,"},
        TypingCase{"other_separator_refused", "1", 1, 0, U'.', K::Refused, "1"},
        TypingCase{"letter_refused", "1", 1, 0, U'a', K::Refused, "1"},
        TypingCase{"umlaut_refused", "1", 1, 0, U'\u00e4', K::Refused, "1"},
        TypingCase{"enter_refused", "1", 1, 0, U'\r', K::Refused, "1"},
        TypingCase{"backspace_is_editing", "1", 1, 0, U'\b', K::NotTyped, "1"},
        TypingCase{"selection_past_the_end_is_cut", "12", 1, 9, U'5', K::Inserted, "15"}),
    [](const testing::TestParamInfo<TypingCase> &info) { return std::string(info.param.name); });

TEST(NumberField, PastedTextIsUnfilteredButLimited)
{
    WatchedField w(0, 250, "1");
    EXPECT_EQ(w.field.Paste(1, 0, "a\xc3\xa4xyz"), 3U);
    EXPECT_EQ(w.field.Text(), "1a\xc3\xa4");
    EXPECT_EQ(w.field.Value(), 0);
    EXPECT_EQ(w.field.Paste(0, 3, "12345"), 3U);
    EXPECT_EQ(w.field.Text(), "123");
    EXPECT_EQ(w.field.Paste(3, 0, "9"), 3U) << "a full field takes nothing";
    EXPECT_EQ(w.field.Text(), "123");
    w.field.EditText("98765");
    EXPECT_EQ(w.field.Text(), "987");
    EXPECT_EQ(w.shown.size(), 3U);
}

TEST(NumberField, StepsClampExceptWhileMinimumEqualsMaximum)
{
    NumberField field(0, 3, 3, true, kSkyBlue);
    int changes = 0;
    field.onChange = [&] { ++changes; };
    field.StepUp();
    EXPECT_EQ(field.Text(), "3");
    EXPECT_EQ(changes, 0) << "up at the maximum raises nothing";
    field.StepDown();
    EXPECT_EQ(field.Text(), "2");
    field.EditText("");
    field.StepUp(); // empty reads as the minimum
    EXPECT_EQ(field.Text(), "1");
    NumberField pinned(1, 1, 1, true, kAvailableColour);
    pinned.StepUp();
    EXPECT_EQ(pinned.Text(), "2");
    NumberField disabled(0, 5, 1, false, kLockedColour);
    disabled.StepUp();
    disabled.EditText("4");
    EXPECT_EQ(disabled.TypeCharacter(1, 0, U'4', U',').outcome, NumberField::KeyOutcome::Refused);
    EXPECT_EQ(disabled.Text(), "1") << "a disabled field takes no input";
}

TEST(NumberField, FocusLossClampsOnlyOutOfRangeValuesOfARealRange)
{
    WatchedField w(0, 250, "300");
    w.field.FocusLost();
    EXPECT_EQ(w.field.Text(), "250");
    EXPECT_EQ(w.shown.size(), 1U);
    w.field.EditText("");
    w.field.FocusLost();
    EXPECT_EQ(w.field.Text(), "") << "an empty field stays empty";
    WatchedField pinned(1, 1, "9");
    pinned.field.FocusLost();
    EXPECT_EQ(pinned.field.Text(), "9");
}

TEST(NumberField, TheCaretGoesToTheEndWhenAProcedureRewritesTheText)
{
    NumberField field(0, 250, 0, true, kSkyBlue);
    field.onChange = [&] {
        if (field.Text() == "05" || field.Text() == "07")
            field.SetValue(120);
    };
    EXPECT_EQ(field.TypeCharacter(1, 0, U'5', U',').caret, 3U) << "after \"120\", not after the typed 5";
    field.EditText("0");
    EXPECT_EQ(field.Paste(1, 0, "7"), 3U);
    EXPECT_EQ(field.TypeCharacter(3, 0, U'1', U','), (NumberField::TypedKey{NumberField::KeyOutcome::Refused, 3}));
    field.EditText("1");
    EXPECT_EQ(field.TypeCharacter(0, 1, U'4', U',').caret, 1U);
}

// The signal the models notify their views through, against a plain list of
// who is connected: random sequences of connecting, ending subscriptions (by
// destroying, disconnecting or overwriting a connection), copying and
// destroying the signal, and notifying, where one subscriber may end another
// subscription (its own included), connect a new one or notify again, nested.
TEST(Signal, SubscriptionsEndInAnyOrderAsAListOfSubscribersSays)
{
    std::mt19937 random(20261209);
    auto pick = [&](int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); };
    for (int round = 0; round < 300; ++round) {
        auto signal = std::make_unique<Signal<int>>();
        std::vector<int> reference;        // connected subscribers, in connection order
        std::map<int, Connection> holders; // connections by holder
        std::map<int, int> held;           // the subscriber each holder holds, -1: none
        std::vector<int> called;
        int nextSubscriber = 0;
        int nextHolder = 0;
        int trigger = -1; // the subscriber that acts while it runs, once
        int victim = -1;  // the holder whose subscription it ends
        bool connectNew = false;
        bool notifyAgain = false;
        const int value = round;

        std::function<void(int)> connect;
        connect = [&](int holder) {
            const int subscriber = nextSubscriber++;
            holders[holder] = signal->Connect([&, subscriber](int seen) {
                called.push_back(subscriber);
                EXPECT_EQ(seen, value);
                if (subscriber != trigger)
                    return;
                trigger = -1;
                if (victim >= 0)
                    holders[victim].Disconnect();
                if (connectNew)
                    connect(nextHolder++);
                if (notifyAgain)
                    signal->Emit(value);
            });
            held[holder] = subscriber;
        };
        auto unsubscribe = [&](int holder) {
            std::erase(reference, held[holder]);
            held[holder] = -1;
        };

        for (int step = 0; step < 40; ++step) {
            const int holderCount = nextHolder;
            switch (pick(7)) {
            case 0:
            case 1: {
                const int holder = nextHolder++;
                connect(holder);
                reference.push_back(held[holder]);
                break;
            }
            case 2:
                if (holderCount > 0) {
                    const int holder = pick(holderCount);
                    unsubscribe(holder);
                    if (pick(2) == 0)
                        holders.erase(holder);
                    else
                        holders[holder].Disconnect();
                }
                break;
            case 3:
                if (holderCount > 1) {
                    const int to = pick(holderCount);
                    const int from = pick(holderCount);
                    if (to != from) {
                        unsubscribe(to);
                        holders[to] = std::move(holders[from]);
                        held[to] = std::exchange(held[from], -1);
                    }
                }
                break;
            case 4: {
                Signal<int> copy(*signal);
                called.clear();
                copy.Emit(value);
                EXPECT_TRUE(called.empty()) << "a copy took the subscribers along";
                *signal = copy; // keeps its own subscribers
                break;
            }
            case 5:
                signal = std::make_unique<Signal<int>>();
                reference.clear();
                for (auto &[holder, subscriber] : held)
                    subscriber = -1;
                break;
            default: {
                trigger = reference.empty() || pick(3) == 0
                    ? -1
                    : reference[static_cast<std::size_t>(pick(static_cast<int>(reference.size())))];
                victim = holderCount > 0 && pick(2) == 0 ? pick(holderCount) : -1;
                connectNew = pick(2) == 0;
                notifyAgain = pick(3) == 0;
                // What the list says: those connected when the notification
                // starts, less those whose subscription ended before their turn.
                std::vector<int> expected;
                const std::vector<int> snapshot = reference;
                const int fresh = nextSubscriber;
                for (const int subscriber : snapshot) {
                    if (std::find(reference.begin(), reference.end(), subscriber) == reference.end())
                        continue;
                    expected.push_back(subscriber);
                    if (subscriber != trigger)
                        continue;
                    if (victim >= 0)
                        unsubscribe(victim);
                    if (connectNew) {
                        reference.push_back(fresh);
                        held[nextHolder] = fresh;
                    }
                    if (notifyAgain)
                        expected.insert(expected.end(), reference.begin(), reference.end());
                }
                called.clear();
                signal->Emit(value);
                EXPECT_EQ(called, expected) << "round " << round << ", step " << step;
                trigger = -1;
                break;
            }
            }
            // Exactly the subscriptions still held hear the next notification, in order.
            called.clear();
            signal->Emit(value);
            ASSERT_EQ(called, reference) << "round " << round << ", step " << step;
        }
        // Whatever is left goes in either order.
        if (pick(2) == 0)
            signal.reset();
        holders.clear();
    }
}

} // namespace
} // namespace rollwerk

// The saved plans: a table of saves and what each answers; removing and
// bringing back; the shelf valuing each plan as a document that opens its
// code shows it; the comparison table's rows and differences; the copied
// text read back; and opening a saved plan as one step of the history.

#include "PlanShelf.h"

#include "CaseName.h"
#include "PlanDocument.h"
#include "RandomUser.h"

#include <gtest/gtest.h>

#include <charconv>

namespace rollwerk {
namespace {

using namespace rollwerk::testing;
using Outcome = PlanShelf::Outcome;

std::string Code(const std::string &className, std::int32_t level, std::initializer_list<std::pair<int, int>> skills)
{
    Plan plan{className, level, {}};
    for (const auto &[skill, value] : skills)
        plan.skills[skill] = value;
    return EncodePlan(plan);
}

const std::string kEndPlan = Code("Seraphim", 120, {{1, 60}, {2, 40}, {10, 100}});
const std::string kLevelling = Code("Seraphim", 100, {{1, 60}, {2, 50}, {5, 30}});
const std::string kOther = Code("Vampirin", 30, {{1, 20}});

std::string Repeated(std::string_view piece, int times)
{
    std::string text;
    for (int k = 0; k < times; ++k)
        text += piece;
    return text;
}

struct SaveStep {
    std::string name;
    std::string code;
    bool replace;
    Outcome outcome;
    std::string savedAs;
};

struct SaveCase {
    const char *name;
    std::vector<SaveStep> steps;
    std::vector<std::string> names; // the shelf's names afterwards
};

void PrintTo(const SaveCase &c, std::ostream *out)
{
    *out << c.name;
}

class Saves : public ::testing::TestWithParam<SaveCase> { };

TEST_P(Saves, AnswerAndKeepTheNames)
{
    PlanShelf shelf;
    for (const SaveStep &step : GetParam().steps) {
        const PlanShelf::Saving saving = shelf.Save(step.name, step.code, step.replace);
        EXPECT_EQ(saving.outcome, step.outcome) << step.name;
        EXPECT_EQ(saving.name, step.savedAs);
        EXPECT_EQ(saving.message.empty(), step.outcome == Outcome::Saved || step.outcome == Outcome::Replaced)
            << saving.message;
    }
    std::vector<std::string> names;
    for (const SavedPlan &plan : shelf.Plans())
        names.push_back(plan.name);
    EXPECT_EQ(names, GetParam().names);
}

const std::string kFortyEmoji = Repeated("\U0001F409", 40);

INSTANTIATE_TEST_SUITE_P(Cases, Saves,
    ::testing::Values(SaveCase{"names kept as typed, umlauts and emoji",
                          {{"Endg\u00fcltig", kEndPlan, false, Outcome::Saved, "Endg\u00fcltig"},
                              {"\U0001F409 Drache", kOther, false, Outcome::Saved, "\U0001F409 Drache"}},
                          {"Endg\u00fcltig", "\U0001F409 Drache"}},
        SaveCase{"empty and blank names numbered from the first free number",
            {{"", kEndPlan, false, Outcome::Saved, "Plan 1"}, {"Plan 2", kEndPlan, false, Outcome::Saved, "Plan 2"},
                {"  ", kOther, false, Outcome::Saved, "Plan 3"}},
            {"Plan 1", "Plan 2", "Plan 3"}},
        SaveCase{"forty characters counted as characters, not bytes; forty-one refused",
            {{kFortyEmoji, kEndPlan, false, Outcome::Saved, kFortyEmoji},
                {Repeated("\u00e4", 41), kEndPlan, false, Outcome::Refused, Repeated("\u00e4", 41)}},
            {kFortyEmoji}},
        SaveCase{"an existing name asks first and is replaced where it stands",
            {{"A", kEndPlan, false, Outcome::Saved, "A"}, {"B", kEndPlan, false, Outcome::Saved, "B"},
                {"A", kOther, false, Outcome::AskFirst, "A"}, {"A", kOther, true, Outcome::Replaced, "A"}},
            {"A", "B"}},
        SaveCase{"names differ by case; a line break in a name becomes a space",
            {{"end", kEndPlan, false, Outcome::Saved, "end"}, {"End", kEndPlan, false, Outcome::Saved, "End"},
                {" two\nlines ", kEndPlan, false, Outcome::Saved, "two lines"}},
            {"end", "End", "two lines"}},
        SaveCase{"a text that is no code is refused", {{"A", "RW1xyz", false, Outcome::Refused, "A"}}, {}}),
    ByCaseName{});

TEST(PlanShelf, RemovedPlansComeBackWhereTheyStood)
{
    PlanShelf shelf;
    for (const char *name : {"A", "B", "C"})
        shelf.Save(name, kEndPlan);
    EXPECT_FALSE(shelf.CanRestore());
    EXPECT_FALSE(shelf.Remove("D"));
    // A name is found as Save keeps it: typed with spaces around it too.
    ASSERT_NE(shelf.Find(" C "), nullptr);
    EXPECT_EQ(shelf.Find(" C ")->name, "C");
    EXPECT_TRUE(shelf.Remove("B "));
    EXPECT_TRUE(shelf.Remove("A"));
    EXPECT_EQ(shelf.Find("B"), nullptr);
    shelf.Save("A", kOther);
    // The last removed first; a name taken since gets a number.
    EXPECT_EQ(shelf.Restore(), "A (2)");
    EXPECT_EQ(shelf.Restore(), "B");
    EXPECT_EQ(shelf.Restore(), std::nullopt);
    std::vector<std::string> names;
    for (const SavedPlan &plan : shelf.Plans())
        names.push_back(plan.name);
    EXPECT_EQ(names, (std::vector<std::string>{"A (2)", "B", "C", "A"}));
    EXPECT_EQ(shelf.Find("A (2)")->code, kEndPlan);
    shelf.Remove("C");
    shelf.ForgetRemoved();
    EXPECT_FALSE(shelf.CanRestore());
}

// Each saved plan is what a document shows after opening its code, also
// where the rules take less than the code asks.
TEST(PlanShelf, ValuesEveryPlanAsTheRulesShowIt)
{
    RandomUser user(RandomSeed(20261209U));
    PlanShelf shelf;
    for (int k = 0; k < 200; ++k) {
        Plan plan{
            std::string(kClassNames[static_cast<std::size_t>(user.Pick(0, kClassCount - 1))]), user.Pick(1, 250), {}};
        for (int n = user.Pick(0, 8); n > 0; --n)
            plan.skills[user.Pick(1, kSkillCount)] = user.Pick(0, plan.level);
        const std::string code = EncodePlan(plan);
        PlanDocument document;
        document.Run(command::OpenLink{code});
        ASSERT_EQ(shelf.Save("", code).outcome, Outcome::Saved);
        const ShownPlan &saved = shelf.Plans().back().shown;
        const ShownPlan shown = ShownPlanOf(document);
        const std::string what = "plan " + code;
        ASSERT_EQ(saved.className, shown.className) << what;
        ASSERT_EQ(saved.side.level, shown.side.level) << what;
        ASSERT_EQ(saved.side.skills, shown.side.skills) << what;
        ASSERT_EQ(saved.side.rows, shown.side.rows) << what;
        ASSERT_EQ("Freie Fertigkeitspunkte: " + std::to_string(saved.freePoints), document.Models().LFertFrei.Text())
            << what;
        ASSERT_EQ(std::to_string(saved.freeSlots), document.Models().LFertGesAnzeige.Text()) << what;
    }
}

TEST(PlanShelf, RowTextsNameClassLevelAndFreePoints)
{
    EXPECT_EQ(
        PlanRowText("Endg\u00fcltig", "Seraphim", 120, 3), "Endg\u00fcltig \u2013 Seraphim, Stufe 120, 3 Punkte frei");
    EXPECT_EQ(PlanRowText("X", "Gladiator", 1, 1), "X \u2013 Gladiator, Stufe 1, 1 Punkt frei");
    EXPECT_EQ(PlanRowText("X", "Gladiator", 1, 0), "X \u2013 Gladiator, Stufe 1, 0 Punkte frei");
    PlanShelf shelf;
    shelf.Save("Endg\u00fcltig", kEndPlan);
    const ShownPlan &plan = shelf.Plans().front().shown;
    EXPECT_EQ(
        shelf.RowTexts(), std::vector<std::string>{PlanRowText("Endg\u00fcltig", "Seraphim", 120, plan.freePoints)});
}

// "+12" or "−5" back to a number.
std::int64_t DifferenceOf(const std::string &text)
{
    const std::string minus = "\u2212";
    const bool negative = text.starts_with(minus);
    const std::string digits = text.substr(negative ? minus.size() : 1);
    std::int64_t value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return negative ? -value : value;
}

// The leading number of a cell's value ("+85 %" and "120" alike).
std::int64_t NumberOf(const std::string &value)
{
    std::int64_t number = 0;
    std::from_chars(value.data() + (value.starts_with('+') ? 1 : 0), value.data() + value.size(), number);
    return number;
}

TEST(PlanShelf, ComparesEverySavedPlanWithTheShownOne)
{
    PlanShelf shelf;
    shelf.Save("Leveln", kLevelling);
    shelf.Save("Vampirin", kOther);
    PlanDocument document;
    document.Run(command::OpenLink{kEndPlan});
    const ComparisonTable table = shelf.Compare(ShownPlanOf(document));
    EXPECT_EQ(table.columns, (std::vector<std::string>{"Angezeigt", "Leveln", "Vampirin"}));
    std::vector<std::string> titles;
    for (const ComparisonRow &row : table.rows)
        titles.push_back(row.title);
    // The four counters, then the skills with points in any plan (the
    // Vampirin's starting skill too), then their bonus rows.
    const std::vector<std::string> first(titles.begin(), titles.begin() + 9);
    EXPECT_EQ(first,
        (std::vector<std::string>{"Klasse", "Stufe", "Freie Punkte", "Freie Pl\u00e4tze", "Waffenkunde", "Magiekunde",
            "Schwertkunde", "Himmelsmagie", "Vampirismus"}));
    // Then the bonus rows that any plan's list shows, in the list's order.
    std::vector<std::string> rows;
    for (const std::string &code : {kEndPlan, kLevelling, kOther}) {
        PlanDocument opened;
        opened.Run(command::OpenLink{code});
        for (const std::string &line : opened.Models().LBBoni.Lines())
            rows.push_back(line.substr(0, line.find(": ")));
    }
    std::sort(rows.begin(), rows.end(), [](const std::string &a, const std::string &b) {
        const auto number = [](const std::string &name) {
            for (int row = 1;; ++row) {
                if (RowName(row) == name)
                    return row;
            }
        };
        return number(a) < number(b);
    });
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    EXPECT_EQ(std::vector<std::string>(titles.begin() + 9, titles.end()), rows);

    const auto cell = [&](std::string_view title, std::size_t column) {
        const auto row = std::find_if(
            table.rows.begin(), table.rows.end(), [&](const ComparisonRow &r) { return r.title == title; });
        return row->cells.at(column);
    };
    EXPECT_EQ(cell("Stufe", 1).Text(), "100 (\u221220)");
    EXPECT_EQ(cell("Schwertkunde", 1).Text(), "30 (+30)");
    EXPECT_EQ(cell("Schwertkunde", 0).Text(), "0");
    EXPECT_EQ(cell("Klasse", 2), (ComparisonCell{"Vampirin", "", true}));
    EXPECT_EQ(cell("Klasse", 1), (ComparisonCell{"Seraphim", "", false}));
    // Every number's difference, as text, is the difference of the values; the shown column has none.
    for (const ComparisonRow &row : table.rows) {
        if (row.title == "Klasse")
            continue;
        const std::int64_t shown = NumberOf(row.cells.front().value);
        EXPECT_FALSE(row.cells.front().differs) << row.title;
        for (const ComparisonCell &c : row.cells) {
            const std::int64_t by = NumberOf(c.value) - shown;
            EXPECT_EQ(c.differs, by != 0) << row.title << ": " << c.Text();
            EXPECT_EQ(c.differs ? DifferenceOf(c.difference) : 0, by) << row.title << ": " << c.Text();
        }
    }
}

TEST(PlanShelf, CopiedTextReadsBackAndPastedNamesStayUnique)
{
    PlanShelf shelf;
    shelf.Save("Endg\u00fcltig: \U0001F409", kEndPlan);
    shelf.Save("mit  zwei Leerzeichen", kLevelling);
    const std::string copied = shelf.CopyText();
    PlanShelf other;
    const PlanShelf::Pasting first = other.Paste(copied);
    EXPECT_EQ(first.added, (std::vector<std::string>{"Endg\u00fcltig: \U0001F409", "mit  zwei Leerzeichen"}));
    EXPECT_EQ(other.CopyText(), copied);
    EXPECT_EQ(first.message, "2 Pl\u00e4ne hinzugef\u00fcgt.");

    // Pasted again, as a forum post has it: CRLF, blank lines, a heading, a bare code, a broken code.
    std::string broken = kOther;
    broken.back() = broken.back() == 'A' ? 'B' : 'A';
    const std::string post = "Meine Pl\u00e4ne:\r\n\r\n" + copied + "\r\n" + kOther + "\r\nKaputt: " + broken + "\r\n";
    const PlanShelf::Pasting second = other.Paste(post);
    EXPECT_EQ(second.added,
        (std::vector<std::string>{"Endg\u00fcltig: \U0001F409 (2)", "mit  zwei Leerzeichen (2)", "Plan 1"}));
    ASSERT_EQ(second.unread.size(), 2U);
    EXPECT_EQ(second.unread[0].number, 1U);
    EXPECT_EQ(second.unread[0].text, "Meine Pl\u00e4ne:");
    EXPECT_EQ(second.unread[1].number, 7U);
    EXPECT_EQ(second.unread[1].reason, DecodePlanCode(broken).error);
    EXPECT_TRUE(second.message.starts_with("3 Pl\u00e4ne hinzugef\u00fcgt.\n")) << second.message;
    EXPECT_NE(second.message.find("Zeile 7"), std::string::npos) << second.message;
    EXPECT_EQ(other.Paste("\n \n").message, "Kein Plan hinzugef\u00fcgt.");

    // A long name with its number stays within the limit.
    PlanShelf full;
    const std::string forty = Repeated("x", 40);
    full.Save(forty, kEndPlan);
    EXPECT_EQ(full.Paste(forty + "yy: " + kEndPlan).added, std::vector<std::string>{Repeated("x", 36) + " (2)"});
}

TEST(PlanShelf, OpeningASavedPlanIsOneStepOfTheHistory)
{
    PlanDocument document;
    document.Run(command::Edit{kLevelField, "40"});
    document.Run(command::Leave{kLevelField});
    const std::string before = document.Code();
    const CommandReply reply = document.Run(command::OpenSaved{"Endg\u00fcltig", kEndPlan});
    EXPECT_TRUE(reply.applied);
    EXPECT_EQ(document.Code(), kEndPlan);
    EXPECT_EQ(document.Items().undo, "R\u00fcckg\u00e4ngig: Plan \u201eEndg\u00fcltig\u201c \u00f6ffnen");
    document.Run(command::Undo{});
    EXPECT_EQ(document.Code(), before);
    const CommandReply refused = document.Run(command::OpenSaved{"kaputt", "RW1xyz"});
    EXPECT_FALSE(refused.decoded);
    EXPECT_FALSE(refused.message.empty());
    EXPECT_EQ(document.Code(), before);
}

} // namespace
} // namespace rollwerk

// The plan code: every way decoding refuses a text, in one table; finding a
// code in longer texts; and, over random plans, that one mistyped, dropped,
// doubled or swapped character never yields another plan.

#include "PlanCode.h"
#include "CaseName.h"
#include "ClipboardTexts.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <utility>
#include <vector>

namespace rollwerk {
namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

// Writes the format by hand, so that the table can hold codes no plan gives:
// class (3 bits), level - 1 (8 bits), per skill a bit and value - 1 (8 bits).
std::string RawBody(std::uint32_t classIndex, std::uint32_t levelBits,
    const std::vector<std::pair<int, std::uint32_t>> &valueBits, int extraCharacters = 0, bool setPadding = false)
{
    std::vector<int> bits;
    auto put = [&bits](std::uint32_t value, int count) {
        for (int b = count - 1; b >= 0; --b)
            bits.push_back(static_cast<int>((value >> b) & 1U));
    };
    put(classIndex, 3);
    put(levelBits, 8);
    for (int s = 1; s <= kSkillCount; ++s) {
        const auto value = std::find_if(valueBits.begin(), valueBits.end(), [s](auto &v) { return v.first == s; });
        put(value != valueBits.end() ? 1U : 0U, 1);
        if (value != valueBits.end())
            put(value->second, 8);
    }
    const std::size_t paddingAt = bits.size();
    while (bits.size() % 6 != 0 || ((bits.size() / 6 + 4 + static_cast<std::size_t>(extraCharacters)) % 2) != 0)
        bits.push_back(0);
    if (setPadding && paddingAt < bits.size())
        bits.back() = 1;
    for (int i = 0; i < extraCharacters * 6; ++i)
        bits.push_back(0);
    std::string body = "RW1";
    for (std::size_t i = 0; i < bits.size(); i += 6) {
        int digit = 0;
        for (std::size_t b = i; b < i + 6; ++b)
            digit = digit * 2 + bits[b];
        body += kAlphabet[static_cast<std::size_t>(digit)];
    }
    return body;
}

// Appends the one character that the check accepts.
std::string WithCheck(const std::string &body)
{
    for (char c : kAlphabet) {
        if (DecodePlanCode(body + c).kind != PlanCodeError::WrongCheck)
            return body + c;
    }
    return body + '?';
}

Plan Gladiator30()
{
    Plan plan{"Gladiator", 30, {}};
    plan.skills[1] = 10;
    plan.skills[18] = 12;
    plan.skills[5] = 25;
    plan.skills[25] = 3;
    return plan;
}

const std::string kGladiator30 = EncodePlan(Gladiator30());

// Decoding one code, finding one in a text, or pasting when the clipboard holds no text.
enum class Use { Decode, Find, PasteEmptyClipboard, PasteText, PastePicture, PasteOtherData };

struct RefusalCase {
    std::string name;
    Use use;
    std::string text;
    PlanCodeError kind;
    std::string message; // kind None: a plan is read, it is Gladiator30(), and this is the note
};

void PrintTo(const RefusalCase &c, std::ostream *os)
{
    *os << c.name;
}

std::string Dropped(std::string code, std::size_t at)
{
    return code.erase(at, 1);
}

std::string Mistyped(std::string code, std::size_t at)
{
    code[at] = code[at] == 'x' ? 'y' : 'x';
    return code;
}

// The code in groups of four characters, as people copy codes by hand.
std::string Grouped(const std::string &code)
{
    std::string text;
    for (std::size_t i = 0; i < code.size(); i += 4)
        text += (i == 0 ? "" : " ") + code.substr(i, 4);
    return text;
}

std::string Lowered(std::string code)
{
    for (char &c : code)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return code;
}

std::vector<RefusalCase> Cases()
{
    const std::string otherCode = EncodePlan({"Vampirin", 7, {}});
    const std::string secondCode
        = "Der Text enth\u00e4lt mehr als einen Plan-Code. \u00dcbernommen ist der erste, \u201e" + kGladiator30
        + "\u201c, nicht \u201e" + otherCode + "\u201c.";
    const std::string notFound = "Kein Plan-Code gefunden: Ein Plan-Code beginnt mit \u201eRW\u201c.";
    const std::string empty = "Kein Plan-Code: Der Text ist leer.";
    const std::string wrongCheck
        = "Das Pr\u00fcfzeichen passt nicht zum Plan-Code: Mindestens ein Zeichen ist falsch abgeschrieben.";
    const std::string evenLength = " Zeichen): Ein Plan-Code hat eine gerade Zahl von 12 bis 48 Zeichen; vermutlich "
                                   "fehlt ein Zeichen oder eins ist doppelt.";
    const std::string length = "Der Plan-Code hat die falsche L\u00e4nge (";
    return {
        {"a code", Use::Decode, kGladiator30, PlanCodeError::None, ""},
        {"empty text", Use::Decode, "", PlanCodeError::Empty, empty},
        {"text without the prefix", Use::Decode, "Hallo", PlanCodeError::NotFound, notFound},
        {"lower-case prefix", Use::Decode, "rw" + kGladiator30.substr(2), PlanCodeError::NotFound, notFound},
        {"a blank inside", Use::Decode, "RW1A AAA", PlanCodeError::BadCharacter,
            "Der Plan-Code enth\u00e4lt an Stelle 5 ein Leerzeichen, das in Plan-Codes nicht vorkommt."},
        {"a plus sign", Use::Decode, kGladiator30 + "+", PlanCodeError::BadCharacter,
            "Der Plan-Code enth\u00e4lt an Stelle " + std::to_string(kGladiator30.size() + 1)
                + " das Zeichen \u201e+\u201c, das in Plan-Codes nicht vorkommt."},
        {"an umlaut", Use::Decode, "RW1\u00e4", PlanCodeError::BadCharacter,
            "Der Plan-Code enth\u00e4lt an Stelle 4 ein Zeichen au\u00dferhalb von A bis Z, a bis z, 0 bis 9, - und "
            "_, das in Plan-Codes nicht vorkommt."},
        {"version 2", Use::Decode, "RW2" + kGladiator30.substr(3), PlanCodeError::UnknownVersion,
            "Der Plan-Code hat die unbekannte Version \u201e2\u201c; dieses Programm liest Plan-Codes der Version "
            "\u201e1\u201c."},
        {"only the prefix", Use::Decode, "RW", PlanCodeError::WrongLength,
            length + "2 Zeichen): Die Versionsangabe fehlt."},
        {"a character dropped", Use::Decode, Dropped(kGladiator30, 6), PlanCodeError::WrongLength,
            length + std::to_string(kGladiator30.size() - 1) + evenLength},
        {"the check dropped", Use::Decode, kGladiator30.substr(0, kGladiator30.size() - 1), PlanCodeError::WrongLength,
            length + std::to_string(kGladiator30.size() - 1) + evenLength},
        {"a character doubled", Use::Decode, kGladiator30.substr(0, 5) + kGladiator30.substr(4),
            PlanCodeError::WrongLength, length + std::to_string(kGladiator30.size() + 1) + evenLength},
        {"longer than any plan", Use::Decode, "RW1" + std::string(47, 'A'), PlanCodeError::WrongLength,
            length + "50" + evenLength},
        {"a character mistyped", Use::Decode, Mistyped(kGladiator30, 7), PlanCodeError::WrongCheck, wrongCheck},
        {"the check mistyped", Use::Decode, Mistyped(kGladiator30, kGladiator30.size() - 1), PlanCodeError::WrongCheck,
            wrongCheck},
        {"two characters more than the plan needs", Use::Decode, WithCheck(RawBody(0, 29, {{1, 9}}, 2)),
            PlanCodeError::WrongLength, length + "14 Zeichen): Dieser Plan braucht 12 Zeichen."},
        {"fewer characters than the plan needs", Use::Decode,
            WithCheck(RawBody(0, 29, {}, 0).substr(0, 3) + "______________"), PlanCodeError::WrongLength,
            length + "18 Zeichen): Dem Plan fehlen Werte."},
        {"padding bits set", Use::Decode, WithCheck(RawBody(0, 29, {{1, 9}}, 0, true)), PlanCodeError::WrongLength,
            length + "12 Zeichen): Nach dem Plan folgen Bits, die nicht 0 sind."},
        {"class 7", Use::Decode, WithCheck(RawBody(6, 0, {})), PlanCodeError::UnknownClass,
            "Der Plan nennt die Klasse Nummer 7, die es nicht gibt; es gibt die Klassen 1 bis 6."},
        {"level 251", Use::Decode, WithCheck(RawBody(0, 250, {})), PlanCodeError::LevelOutOfRange,
            "Der Plan nennt die Stufe 251; erlaubt sind 1 bis 250."},
        {"level 256", Use::Decode, WithCheck(RawBody(0, 255, {})), PlanCodeError::LevelOutOfRange,
            "Der Plan nennt die Stufe 256; erlaubt sind 1 bis 250."},
        {"skill value 251", Use::Decode, WithCheck(RawBody(0, 249, {{25, 250}})), PlanCodeError::SkillOutOfRange,
            "Der Plan gibt der Fertigkeit \u201eR\u00fcstung\u201c den Wert 251; erlaubt sind 0 bis 250."},
        {"skill value 256", Use::Decode, WithCheck(RawBody(0, 249, {{1, 255}})), PlanCodeError::SkillOutOfRange,
            "Der Plan gibt der Fertigkeit \u201eWaffenkunde\u201c den Wert 256; erlaubt sind 0 bis 250."},
        {"found in a chat line", Use::Find, "Mein Gladiator: " + kGladiator30 + ". Was meint ihr?", PlanCodeError::None,
            ""},
        {"found in a web address", Use::Find, "https://example.org/plan#" + kGladiator30, PlanCodeError::None, ""},
        {"found between underscores", Use::Find, "_" + kGladiator30 + "_", PlanCodeError::None, ""},
        {"a broken code before a good one", Use::Find, Mistyped(kGladiator30, 5) + " " + kGladiator30,
            PlanCodeError::None, ""},
        {"prefix inside a word is no code", Use::Find, "XRW1AAAAAAAAA", PlanCodeError::NotFound, notFound},
        {"only a broken code", Use::Find, "Code: " + Mistyped(kGladiator30, 5) + "!", PlanCodeError::WrongCheck,
            wrongCheck},
        {"text without a code", Use::Find, "Schwertkunde 25, Konzentration 12", PlanCodeError::NotFound, notFound},
        {"blank text", Use::Find, " \n\t", PlanCodeError::Empty, empty},
        {"a word that begins with the prefix", Use::Find, "Ich studiere an der RWTH Aachen", PlanCodeError::NotFound,
            notFound},
        {"a code typed in groups", Use::Find, "Mein Plan: " + Grouped(kGladiator30) + ".", PlanCodeError::None, ""},
        {"a code wrapped by a line break", Use::Find,
            "Mein Plan:\n" + kGladiator30.substr(0, 9) + "\r\n" + kGladiator30.substr(9) + "\nGru\u00df",
            PlanCodeError::None, ""},
        {"a mistyped code in groups", Use::Find, Grouped(Mistyped(kGladiator30, 7)), PlanCodeError::WrongCheck,
            wrongCheck},
        {"two codes: the first is taken", Use::Find, kGladiator30 + " oder " + otherCode, PlanCodeError::None,
            secondCode},
        {"the same code twice", Use::Find, kGladiator30 + "\n" + kGladiator30, PlanCodeError::None, ""},
        {"two codes joined by a dash", Use::Find, kGladiator30 + "-" + otherCode, PlanCodeError::None, secondCode},
        {"a code followed by a dash and a word", Use::Find, kGladiator30 + "-Plan", PlanCodeError::None, ""},
        {"a code followed by an underscore and more", Use::Find, kGladiator30 + "_v2", PlanCodeError::None, ""},
        {"a code in lower case", Use::Find, "Plan: " + Lowered(kGladiator30), PlanCodeError::NotFound,
            "Kein Plan-Code gefunden: \u201e" + Lowered(kGladiator30)
                + "\u201c ist klein geschrieben. Bei Plan-Codes z\u00e4hlt die Gro\u00df- und Kleinschreibung; ein "
                  "Plan-Code beginnt mit \u201eRW\u201c."},
        {"an empty clipboard", Use::PasteEmptyClipboard, "", PlanCodeError::Empty,
            "Kein Plan-Code: Die Zwischenablage ist leer."},
        {"a blank text pasted, as a page reads an empty clipboard", Use::PasteText, " \r\n", PlanCodeError::Empty,
            "Kein Plan-Code: Die Zwischenablage ist leer."},
        {"a picture on the clipboard", Use::PastePicture, "", PlanCodeError::Empty,
            "Kein Plan-Code: Die Zwischenablage enth\u00e4lt ein Bild, keinen Text."},
        {"other data on the clipboard", Use::PasteOtherData, "", PlanCodeError::Empty,
            "Kein Plan-Code: Die Zwischenablage enth\u00e4lt keinen Text."},
    };
}

class PlanCodeRefusal : public ::testing::TestWithParam<RefusalCase> { };

PlanDecoding Refusal(const RefusalCase &c)
{
    switch (c.use) {
    case Use::Decode:
        return DecodePlanCode(c.text);
    case Use::Find:
        return FindPlanCode(c.text);
    case Use::PasteEmptyClipboard:
        return FindPastedPlanCode(ClipboardContent::Nothing, c.text);
    case Use::PasteText:
        return FindPastedPlanCode(ClipboardContent::Text, c.text);
    case Use::PastePicture:
        return FindPastedPlanCode(ClipboardContent::Picture, c.text);
    case Use::PasteOtherData:
        return FindPastedPlanCode(ClipboardContent::OtherData, c.text);
    }
    return {};
}

TEST_P(PlanCodeRefusal, SaysWhatIsWrongAndGivesNoPlan)
{
    const RefusalCase &c = GetParam();
    const PlanDecoding result = Refusal(c);
    EXPECT_EQ(result.kind, c.kind);
    if (c.kind == PlanCodeError::None) {
        EXPECT_EQ(result.error, "");
        EXPECT_EQ(result.note, c.message);
        EXPECT_EQ(result.plan, Gladiator30());
    } else {
        EXPECT_EQ(result.error, c.message);
        EXPECT_EQ(result.plan, std::nullopt);
    }
}

INSTANTIATE_TEST_SUITE_P(PlanCode, PlanCodeRefusal, ::testing::ValuesIn(Cases()), rollwerk::testing::ByCaseName());

TEST(PlanCode, EveryKindOfRefusalHasARowAndMessagesOfItsOwn)
{
    std::set<PlanCodeError> kinds;
    std::map<std::string, PlanCodeError> kindOfMessage;
    for (const RefusalCase &c : Cases()) {
        kinds.insert(c.kind);
        const auto [known, added] = kindOfMessage.emplace(c.message, c.kind);
        EXPECT_EQ(known->second, c.kind) << c.name << " shares its message with another kind";
    }
    EXPECT_EQ(kinds.size(), 10U);
}

TEST(PlanCode, TheLongestPlanFitsAndTheShortestIsShort)
{
    Plan longest{"Vampirin", 250, {}};
    for (int s = 1; s <= kSkillCount; ++s)
        longest.skills[s] = 250;
    const std::string code = EncodePlan(longest);
    EXPECT_EQ(code.size(), 48U);
    EXPECT_LE(code.size(), kPlanCodeMaxLength);
    EXPECT_EQ(DecodePlanCode(code).plan, longest);

    const std::string first = EncodePlan({"Gladiator", 1, {}});
    EXPECT_EQ(first.size(), 12U);
    EXPECT_EQ(first.substr(0, 3), "RW1");
}

TEST(PlanCode, PlansOutsideTheRangesHaveNoCode)
{
    Plan plan = Gladiator30();
    plan.skills[3] = 300; // typed into a field that still has the focus
    EXPECT_EQ(EncodePlan(plan), "");
    EXPECT_EQ(
        PlanProblem(plan), "Der Plan gibt der Fertigkeit \u201eFaustkampf\u201c den Wert 300; erlaubt sind 0 bis 250.");
    plan.skills[3] = -1;
    EXPECT_EQ(EncodePlan(plan), "");
    plan = Gladiator30();
    plan.className = "gladiator";
    EXPECT_EQ(PlanProblem(plan), "Die Klasse \u201egladiator\u201c gibt es nicht.");
    EXPECT_EQ(PlanProblem(Gladiator30()), "");
}

// One wrong character, a dropped or doubled one, or two neighbours swapped:
// never another plan.
TEST(PlanCode, EverySingleSlipIsCaught)
{
    std::mt19937 random(8);
    for (int round = 0; round < 300; ++round) {
        Plan plan{std::string(kClassNames[random() % kClassCount]), static_cast<std::int32_t>(1 + random() % 250), {}};
        for (int s = 1; s <= kSkillCount; ++s)
            plan.skills[s] = random() % 3 == 0 ? static_cast<std::int32_t>(random() % 251) : 0;
        const std::string code = EncodePlan(plan);
        ASSERT_LE(code.size(), kPlanCodeMaxLength);
        ASSERT_EQ(DecodePlanCode(code).plan, plan) << code;
        ASSERT_EQ(FindPlanCode("Plan: " + code + "\n").plan, plan) << code;
        std::vector<std::string> slips;
        for (std::size_t i = 0; i < code.size(); ++i) {
            for (char c : kAlphabet) {
                if (c != code[i])
                    slips.push_back(code.substr(0, i) + c + code.substr(i + 1));
                slips.push_back(code.substr(0, i) + c + code.substr(i));
            }
            slips.push_back(code.substr(0, i) + code.substr(i + 1));
            if (i + 1 < code.size() && code[i] != code[i + 1])
                slips.push_back(code.substr(0, i) + code[i + 1] + code[i] + code.substr(i + 2));
        }
        for (char c : kAlphabet)
            slips.push_back(code + c);
        for (const std::string &slip : slips) {
            const PlanDecoding result = DecodePlanCode(slip);
            ASSERT_FALSE(result.plan) << code << " read as " << slip;
            ASSERT_FALSE(result.error.empty());
        }
    }
}

} // namespace
} // namespace rollwerk

#include "BonusTable.h"
#include "BonusCurve.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace rollwerk {
namespace {

struct BonusCase {
    const char *name;
    std::vector<std::pair<int, int>> skills; // skill number, value
    std::vector<std::string> lines;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const BonusCase &c, std::ostream *out)
{
    *out << c.name;
}

class BonusListRebuild : public testing::TestWithParam<BonusCase> { };

TEST_P(BonusListRebuild, ShowsEveryPositiveRowInRowOrder)
{
    BonusTexts texts;
    texts.Initialise();
    SkillValues values;
    for (auto [skill, value] : GetParam().skills)
        values[skill] = value;
    EXPECT_EQ(RebuildBonusTexts(texts, values)->lines, GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Cases, BonusListRebuild,
    testing::Values(BonusCase{"new_gladiator", {{1, 1}, {18, 1}},
                        {"Schaden bei physischen Angriffen: +12 %", "Regeneration von Kampfk\u00fcnsten: +12 %"}},
        BonusCase{"handel_has_no_suffix", {{26, 7}}, {"Handel: +7"}},
        BonusCase{"raw_rows_show_the_skill_value", {{27, 250}, {28, 3}}, {"Reiten: +250", "Entwaffnen: +3"}},
        BonusCase{"parade_alone", {{24, 10}}, {"Verteidigungswert: +88 %"}},
        BonusCase{"wendigkeit_alone", {{22, 10}}, {"Angriffswert: +44 %", "Verteidigungswert: +79 %"}},
        BonusCase{
            "parade_and_wendigkeit_add_up", {{22, 10}, {24, 10}}, {"Angriffswert: +44 %", "Verteidigungswert: +167 %"}},
        BonusCase{"ballistik_shows_trap_rows_only", {{16, 1}},
            {"Geschwindigkeit beim Ausf\u00fchren von Fallenk\u00fcnsten: +6 %",
                "Schaden von Fallenk\u00fcnsten: +6 %"}},
        BonusCase{"konstitution_and_ruestung_feed_two_rows_each", {{23, 50}, {25, 50}},
            {"Lebensenergie: +130 %", "Physische Regeneration: +150 %", "Alle Resistenzen: +250 %",
                "Geschwindigkeit: +10 %"}},
        BonusCase{"zero_and_negative_values_show_nothing", {{3, 0}, {4, -5}, {26, -1}}, {}}),
    [](const testing::TestParamInfo<BonusCase> &info) { return std::string(info.param.name); });

TEST(BonusTable, TextsAfterInitialiseAndRebuild)
{
    BonusTexts texts;
    texts.Initialise();
    EXPECT_EQ(texts.Label(1), "Angriffswert beim Faustkampf: +");
    EXPECT_EQ(texts.Label(45), "Schaden von Fallenk\u00fcnsten: +");
    for (int row = 1; row <= kBonusRowCount; ++row) {
        EXPECT_EQ(texts.ValueText(row), "0");
        EXPECT_EQ(texts.Suffix(row), row >= 27 && row <= 29 ? "" : " %") << row;
    }
    SkillValues values;
    values[3] = 5;
    RebuildBonusTexts(texts, values);
    EXPECT_EQ(texts.ValueText(1), "40");
    values[3] = 0;
    RebuildBonusTexts(texts, values);
    EXPECT_EQ(texts.ValueText(1), "0") << "a rebuild starts every row from 0";
}

TEST(BonusTable, ValueOneGivesAAndFiftyGivesBOnEveryCurveRow)
{
    BonusTexts texts;
    texts.Initialise();
    SkillValues ones;
    ones.items.fill(1);
    RebuildBonusTexts(texts, ones);
    EXPECT_EQ(texts.ValueText(1), "12");
    EXPECT_EQ(texts.ValueText(3), "9");
    EXPECT_EQ(texts.ValueText(22), "28"); // 15 from Parade plus 13 from Wendigkeit
    EXPECT_EQ(texts.ValueText(26), "1");
    SkillValues fifties;
    fifties.items.fill(50);
    RebuildBonusTexts(texts, fifties);
    EXPECT_EQ(texts.ValueText(3), "150");
    EXPECT_EQ(texts.ValueText(22), "475");
    EXPECT_EQ(texts.ValueText(23), "130");
    EXPECT_EQ(texts.ValueText(27), "50");
}

} // namespace
} // namespace rollwerk

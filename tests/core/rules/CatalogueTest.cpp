#include "Catalogue.h"

#include <gtest/gtest.h>

#include <string>

namespace rollwerk {
namespace {

TEST(Catalogue, ClassLookupIsExactAndCaseSensitive)
{
    for (int column = 0; column < kClassCount; ++column)
        EXPECT_EQ(ClassColumn(kClassNames[static_cast<std::size_t>(column)]), column);
    for (const char *text : {"gladiator", "GLADIATOR", "Gladiator ", " Gladiator", "Gladiato", "", "Vampir"})
        EXPECT_FALSE(ClassColumn(text)) << text;
}

TEST(Catalogue, EveryClassHasTwoStartingSkills)
{
    const std::array<std::array<int, 2>, kClassCount> starting
        = {{{1, 18}, {1, 2}, {1, 22}, {1, 18}, {2, 21}, {1, 20}}};
    for (int column = 0; column < kClassCount; ++column) {
        std::vector<int> found;
        for (int s = 1; s <= kSkillCount; ++s) {
            if (UnlockLevel(s, column) == 0)
                found.push_back(s);
        }
        const auto &expected = starting[static_cast<std::size_t>(column)];
        EXPECT_EQ(found, std::vector<int>(expected.begin(), expected.end()))
            << kClassNames[static_cast<std::size_t>(column)];
    }
}

TEST(Catalogue, UnlockLevelsAreSlotStepsOrNever)
{
    for (int column = 0; column < kClassCount; ++column) {
        for (int s = 1; s <= kSkillCount; ++s) {
            const int level = UnlockLevel(s, column);
            EXPECT_TRUE(level == 0 || level == 3 || level == 6 || level == 12 || level == 20 || level == 30
                || level == 50 || level == kNever)
                << s << "/" << column;
        }
    }
}

TEST(Catalogue, BallistikAndBlutrauschBelongToOneClassEach)
{
    for (int column = 0; column < kClassCount; ++column) {
        EXPECT_EQ(UnlockLevel(16, column), column == 3 ? 3 : kNever);
        EXPECT_EQ(UnlockLevel(17, column), column == 5 ? 3 : kNever);
    }
}

TEST(Catalogue, SpotChecksOfTheTable)
{
    EXPECT_EQ(UnlockLevel(9, 5), 50);  // Fernkampf, Vampirin
    EXPECT_EQ(UnlockLevel(22, 1), 30); // Wendigkeit, Seraphim
    EXPECT_EQ(UnlockLevel(26, 2), 6);  // Handel, Waldelfin
    EXPECT_EQ(UnlockLevel(28, 0), 12); // Entwaffnung, Gladiator
    EXPECT_EQ(UnlockLevel(1, 4), 3);   // Waffenkunde, Kampfmagier
    EXPECT_EQ(SkillCaption(1), "Waffenkunde");
    EXPECT_EQ(SkillCaption(25), "R\u00fcstung");
    EXPECT_EQ(SkillCaption(28), "Entwaffnung");
}

} // namespace
} // namespace rollwerk

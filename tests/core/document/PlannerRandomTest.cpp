// Random user actions over every field, checking after each one that the
// plan is consistent. The seed is fixed so that a failure can be replayed.

#include "RandomUser.h"
#include "ShownValues.h"

#include <gtest/gtest.h>

namespace rollwerk {
namespace {

using namespace rollwerk::testing;

// Observed nesting never went beyond 18; the bound leaves room without
// letting a runaway cascade pass.
constexpr int kNestingStated = 40;
constexpr int kActions = 100000;

::testing::AssertionResult PlanIsConsistent(const Planner &p)
{
    const std::optional<int> column = ClassColumn(p.CBCharwahl.Text());
    if (!column)
        return ::testing::AssertionFailure() << "class box shows '" << p.CBCharwahl.Text() << "'";
    const std::int32_t level = p.SpEStufeH.Value();
    if (level < kMinLevel || level > kMaxLevel)
        return ::testing::AssertionFailure() << "level " << level;
    if (CharCount(p.SpEStufeH.Text()) > NumberField::kMaxLength)
        return ::testing::AssertionFailure() << "level text '" << p.SpEStufeH.Text() << "'";
    for (int s = 1; s <= kSkillCount; ++s) {
        const NumberField &f = p.SpEFert[s];
        const int unlock = UnlockLevel(s, *column);
        if (f.Enabled() != f.CaptionEnabled())
            return ::testing::AssertionFailure() << "skill " << s << " and its caption differ";
        if (f.Colour() != (f.Enabled() ? kAvailableColour : kLockedColour))
            return ::testing::AssertionFailure() << "skill " << s << " colour";
        if (f.Maximum() != level)
            return ::testing::AssertionFailure() << "skill " << s << " maximum " << f.Maximum();
        if (f.Minimum() != 0 && !(f.Minimum() == 1 && unlock == 0))
            return ::testing::AssertionFailure() << "skill " << s << " minimum " << f.Minimum();
        if (f.Enabled() && level < unlock)
            return ::testing::AssertionFailure() << "skill " << s << " enabled below its unlock level";
        if (CharCount(f.Text()) > NumberField::kMaxLength)
            return ::testing::AssertionFailure() << "skill " << s << " text '" << f.Text() << "'";
    }
    if (const char *view = MismatchWithShownValues(p))
        return ::testing::AssertionFailure() << view << " does not describe the values the fields show";
    return ::testing::AssertionSuccess();
}

TEST(PlannerRandomActions, EveryActionEndsInAConsistentPlan)
{
    const std::uint32_t seed = RandomSeed(20261208U);
    RandomUser user(seed);
    PlannerDriver driver;
    int deepest = 0;
    for (int i = 0; i < kActions; ++i) {
        driver.planner.ResetCounts();
        user.Act(driver);
        deepest = std::max(deepest, driver.planner.Counts().maxDepth);
        ASSERT_LE(driver.planner.Counts().maxDepth, kNestingStated) << "action " << i << ": " << user.Describe();
        ASSERT_TRUE(PlanIsConsistent(driver.planner)) << "seed " << seed << ", action " << i << ": " << user.Describe();
    }
    RecordProperty("deepest_nesting", deepest);
}

} // namespace
} // namespace rollwerk

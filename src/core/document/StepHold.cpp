#include "StepHold.h"

namespace rollwerk {

StepHold::Next StepHold::Press(int field, int direction)
{
    if (direction_ != 0 || direction == 0)
        return {};
    field_ = field;
    direction_ = direction > 0 ? 1 : -1;
    over_ = true;
    steps_ = 0;
    return {std::nullopt, NumberField::kFirstRepeatMs};
}

StepHold::Next StepHold::Tick()
{
    if (direction_ == 0)
        return {};
    Next next{std::nullopt, NumberField::kRepeatMs};
    if (over_)
        next.step = command::Step{field_, direction_, steps_++ > 0};
    return next;
}

void StepHold::Move(bool over)
{
    if (direction_ != 0)
        over_ = over;
}

std::optional<command::Step> StepHold::Lift(bool over)
{
    if (direction_ == 0)
        return std::nullopt;
    const command::Step step{field_, direction_, steps_ > 0};
    Release();
    if (!over)
        return std::nullopt;
    return step;
}

void StepHold::Release()
{
    direction_ = 0;
    over_ = false;
}

} // namespace rollwerk

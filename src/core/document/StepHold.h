#pragma once

// A step button held down, as both front ends time it: the press alone does
// not step; held, the button steps first after NumberField::kFirstRepeatMs
// and then every kRepeatMs while the pointer is over it (off the button the
// steps pause); the release over the button steps once more. The steps after
// the first of one press join its step in the history (held).

#include "Commands.h"

#include <optional>

namespace rollwerk {

class StepHold {
public:
    // What the front end does next: the step to run, if any, and how long to
    // wait for the next tick (0: no tick, the hold is over).
    struct Next {
        std::optional<command::Step> step;
        int waitMs = 0;
    };

    // A press of a field's up (+1) or down (-1) button; ignored while another is held.
    Next Press(int field, int direction);
    // The wait ran out.
    Next Tick();
    // The pointer moved over the button or off it.
    void Move(bool over);
    // The button was let go, over it or not: the hold ends.
    std::optional<command::Step> Lift(bool over);
    // The hold ends without a step (the pointer was taken away, or a step failed).
    void Release();

    bool Held() const { return direction_ != 0; }
    int Direction() const { return direction_; }
    // The pressed button shows pressed while the pointer is over it.
    bool ShowsPressed() const { return direction_ != 0 && over_; }

private:
    int field_ = 0;
    int direction_ = 0;
    bool over_ = false;
    int steps_ = 0; // steps of the press so far: the later ones join the first
};

} // namespace rollwerk

#pragma once

// One user action, one settled notification. A view opens a UserAction
// around everything one action of the user does (a key, a click, a step, a
// paste, leaving a field, entering a plan); the group tells its views when
// the outermost action begins and, once it ends, that it is complete.
// Actions nest: only the outermost one counts.

#include "Signal.h"

#include <exception>
#include <utility>

namespace rollwerk {

class ActionGroup {
public:
    // The outermost user action begins. Nothing of an action a view opened
    // has happened yet; a procedure run outside any action (a model changed
    // by a call that no view made) is an action of its own, begun once the
    // field's text has changed.
    Signal<> actionStarted;
    // The outermost user action ended and a procedure completed in it: the
    // place for what is costly to redo per write.
    Signal<> settled;

    bool InUserAction() const { return actionDepth_ > 0; }

protected:
    ActionGroup() = default;
    ActionGroup(const ActionGroup &) = default;
    ActionGroup &operator=(const ActionGroup &) = default;
    ~ActionGroup() = default;

    // Something ran that the outermost action's settled notification is for.
    void MarkRan() { ran_ = true; }

private:
    friend class UserAction;
    int actionDepth_ = 0;
    bool ran_ = false;
};

// Opens a user action on a group for its lifetime; on none when the group is null.
class UserAction {
public:
    explicit UserAction(ActionGroup &group) : UserAction(&group) { }
    explicit UserAction(ActionGroup *group) : group_(group), exceptions_(std::uncaught_exceptions())
    {
        if (group_ != nullptr && group_->actionDepth_++ == 0) {
            group_->ran_ = false;
            group_->actionStarted.Emit();
        }
    }
    UserAction(const UserAction &) = delete;
    UserAction &operator=(const UserAction &) = delete;
    // A subscriber of settled may throw; it reaches whoever opened the action.
    ~UserAction() noexcept(false)
    {
        if (group_ == nullptr || --group_->actionDepth_ > 0)
            return;
        if (!std::exchange(group_->ran_, false))
            return;
        if (std::uncaught_exceptions() == exceptions_) {
            group_->settled.Emit();
            return;
        }
        // Ended by an error on its way to whoever opened the action: the views
        // still follow what the completed part left, and a second error, from
        // them, must not end the program.
        try {
            group_->settled.Emit();
        } catch (...) { // NOLINT(bugprone-empty-catch): the first error is the one reported
        }
    }

private:
    ActionGroup *group_;
    int exceptions_;
};

} // namespace rollwerk

#pragma once

#include "BonusTable.h"
#include "Signal.h"

namespace rollwerk {

// The bonus list: the lines of the last rebuild, in row order, never sorted,
// with the row values they were made from.
class BonusList {
public:
    BonusList() : shown_(std::make_shared<const ShownBonuses>()) { }

    const std::vector<std::string> &Lines() const { return shown_->lines; }
    // Row r's value at index r - 1, as the list shows it (0 for a row left out).
    const BonusRowValues &Values() const { return shown_->values; }
    const BonusLines &Shown() const { return shown_; }

    // Empties the list and appends the new lines.
    void Replace(BonusLines shown)
    {
        shown_ = std::move(shown);
        linesShown.Emit(shown_);
    }

    Signal<const BonusLines &> linesShown; // for the views: the new lines

private:
    BonusLines shown_;
};

} // namespace rollwerk

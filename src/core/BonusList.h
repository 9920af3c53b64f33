#pragma once

#include "BonusTable.h"
#include "Signal.h"

namespace rollwerk {

// The bonus list: the lines of the last rebuild, in row order, never sorted.
class BonusList {
public:
    BonusList() : lines_(std::make_shared<const std::vector<std::string>>()) { }

    const std::vector<std::string> &Lines() const { return *lines_; }
    const BonusLines &SharedLines() const { return lines_; }

    // Empties the list and appends the new lines.
    void Replace(BonusLines lines)
    {
        lines_ = std::move(lines);
        linesShown.Emit(lines_);
    }

    Signal<const BonusLines &> linesShown; // for the views: the new lines

private:
    BonusLines lines_;
};

} // namespace rollwerk

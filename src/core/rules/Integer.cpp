#include "Integer.h"

#include <algorithm>
#include <limits>

namespace rollwerk {

std::optional<std::int32_t> ParseInteger(std::string_view text)
{
    // Runs on every change of a field's text, so kept to one pass, with the
    // single digits that most fields show first.
    if (text.size() == 1 && text[0] >= '0' && text[0] <= '9')
        return text[0] - '0';
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        magnitude = std::min(magnitude * 10 + (c - '0'), kLimit + 1); // saturates, but keeps checking digits
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

} // namespace rollwerk

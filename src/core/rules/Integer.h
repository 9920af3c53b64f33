#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace rollwerk {

// One optional sign followed by one or more digits, within 32 bits: how the
// number fields, the counters and the bonus texts are read.
std::optional<std::int32_t> ParseInteger(std::string_view text);

} // namespace rollwerk

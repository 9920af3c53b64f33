#pragma once

// Captions carry the desktop's access key as Qt marks it, an '&' before the
// letter; the page, and the names a screen reader announces, show them without.

#include <cstddef>
#include <string>
#include <string_view>

namespace rollwerk {

// The caption without its '&' ("&&" stands for "&").
inline std::string WithoutAccessKey(std::string_view caption)
{
    std::string shown;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i;
        shown += caption[i];
    }
    return shown;
}

} // namespace rollwerk

#pragma once

// A parameterised test's name made from its case's description: test names
// allow only letters, digits and '_'.

#include <cctype>
#include <string>
#include <string_view>

namespace rollwerk::testing {

inline std::string CaseName(std::string_view description)
{
    std::string name;
    name.reserve(description.size());
    for (const char c : description)
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

// The name generator of INSTANTIATE_TEST_SUITE_P for cases with a name member.
struct ByCaseName {
    template <typename Info> std::string operator()(const Info &info) const { return CaseName(info.param.name); }
};

} // namespace rollwerk::testing

#pragma once

namespace rollwerk {

// One visitor of a std::variant made of a lambda per alternative.
template <typename... Visitors> struct Overloaded : Visitors... {
    using Visitors::operator()...;
};
template <typename... Visitors> Overloaded(Visitors...) -> Overloaded<Visitors...>;

} // namespace rollwerk

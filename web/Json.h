// JSON text for the binding's replies to the page: each function returns one
// JSON value as text, which the caller joins into arrays and objects. The
// page reads a reply with one JSON.parse, cheaper than building its objects
// call by call across the module's edge. Defined out of line, for the
// module's size (docs/decisions.md).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace rollwerk::json {

// A string; the text is UTF-8 and stays so, only what JSON forbids is escaped.
std::string Quote(std::string_view text);
std::string Number(std::int64_t number);
std::string Bool(bool value);
// An array of values, each already JSON.
std::string Array(const std::vector<std::string> &values);
std::string Strings(const std::vector<std::string> &texts);
// An object of named values, each already JSON.
std::string Object(std::initializer_list<std::pair<std::string_view, std::string>> members);

} // namespace rollwerk::json

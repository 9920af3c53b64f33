#include "Json.h"

namespace rollwerk::json {

std::string Quote(std::string_view text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    // Appended in runs between the characters escaped: a chart's points are a text of thousands.
    std::size_t run = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        const auto byte = static_cast<unsigned char>(c);
        if (c != '"' && c != '\\' && byte >= 0x20)
            continue;
        out.append(text.substr(run, at - run));
        run = at + 1;
        if (byte < 0x20) {
            out += "\\u00";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else {
            out += '\\';
            out += c;
        }
    }
    out.append(text.substr(run));
    out += '"';
    return out;
}

std::string Number(std::int64_t number)
{
    return std::to_string(number);
}

std::string Bool(bool value)
{
    return value ? "true" : "false";
}

std::string Array(const std::vector<std::string> &values)
{
    std::string out = "[";
    for (const std::string &value : values) {
        if (out.size() > 1)
            out += ',';
        out += value;
    }
    return out + ']';
}

std::string Strings(const std::vector<std::string> &texts)
{
    std::vector<std::string> quoted;
    quoted.reserve(texts.size());
    for (const std::string &text : texts)
        quoted.push_back(Quote(text));
    return Array(quoted);
}

std::string Object(std::initializer_list<std::pair<std::string_view, std::string>> members)
{
    std::string out = "{";
    for (const auto &[name, value] : members) {
        if (out.size() > 1)
            out += ',';
        out += Quote(name);
        out += ':';
        out += value;
    }
    return out + '}';
}

} // namespace rollwerk::json

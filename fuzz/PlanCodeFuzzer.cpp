// Reads the input as text that may hold a plan code, and checks that
// decoding never crashes, reads out of bounds or answers half: either a plan
// or a message. A plan read back is written again to exactly one code, which
// reads as the same plan; a text that is a code is that plan's only code.

#include "PlanCode.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace {

using namespace rollwerk;

[[noreturn]] void Violated(const char *what)
{
    std::fprintf(stderr, "plan code: %s\n", what);
    __builtin_trap();
}

void Check(const PlanDecoding &decoding, std::string_view text, bool exact)
{
    if (decoding.plan.has_value() != (decoding.kind == PlanCodeError::None))
        Violated("a plan and an error at once, or neither");
    if (!decoding.note.empty() && !decoding.plan)
        Violated("a note without a plan");
    if (!decoding.plan) {
        if (decoding.error.empty())
            Violated("no plan and no message");
        return;
    }
    if (!PlanProblem(*decoding.plan).empty())
        Violated("decoded a plan outside the ranges");
    const std::string code = EncodePlan(*decoding.plan);
    if (code.empty() || code.size() > kPlanCodeMaxLength)
        Violated("a decoded plan has no code of the promised length");
    const PlanDecoding again = DecodePlanCode(code);
    if (!again.plan || *again.plan != *decoding.plan)
        Violated("the code of a decoded plan reads as another plan");
    if (exact && code != text)
        Violated("two codes for one plan");
    // A code typed in groups or wrapped by a line break stands in the text with blanks inside.
    std::string joined;
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            joined += c;
    }
    if (!exact && joined.find(code) == std::string::npos)
        Violated("found a plan whose code is not in the text");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    Check(DecodePlanCode(text), text, true);
    Check(FindPlanCode(text), text, false);
    return 0;
}

#pragma once

// A plan (class, level, 28 skill values) written as one short word that
// survives a chat line, a forum post and the fragment of a web address: only
// the letters A-Z and a-z, the digits and '-' and '_'.
//
//   "RW"   fixed prefix, so that a code can be found inside a longer text
//   "1"    version of the format
//   ...    the plan, 6 bits a character: class (3 bits), level - 1 (8 bits),
//          then per skill one bit "has points" and, if set, value - 1 (8 bits);
//          zero bits and at most one 'A' pad it to an even length of code
//   c      check character
//
// The check makes the weighted sum of all characters in GF(64) zero, which
// catches every single mistyped character and every swap of two neighbours;
// every code has an even length, so a dropped or doubled character always
// gives a wrong length. The longest code (every value 250) has 48 characters.

#include "Plan.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rollwerk {

inline constexpr std::string_view kPlanCodePrefix = "RW";
inline constexpr char kPlanCodeVersion = '1';
// No plan needs more characters than this.
inline constexpr std::size_t kPlanCodeMaxLength = 64;

// What was wrong with a text that gave no plan.
enum class PlanCodeError {
    None,
    Empty,
    NotFound,
    UnknownVersion,
    BadCharacter,
    WrongLength,
    WrongCheck,
    UnknownClass,
    LevelOutOfRange,
    SkillOutOfRange,
};

struct PlanDecoding {
    std::optional<Plan> plan; // set exactly when kind is None
    std::string error;        // German, for the user; empty when a plan was read
    PlanCodeError kind = PlanCodeError::None;
    std::string note; // German: what the user should know although a plan was read
};

// What the clipboard held when the user pasted.
enum class ClipboardContent { Text, Nothing, Picture, OtherData };

// Why a plan cannot be written as a code (German), or an empty text: a class
// that is not one of the six, a level outside 1 to 250, a skill value outside
// 0 to 250.
std::string PlanProblem(const Plan &plan);

// The code of a plan; an empty text when PlanProblem names a problem.
std::string EncodePlan(const Plan &plan);

// The plan of exactly one code, or why there is none.
PlanDecoding DecodePlanCode(std::string_view code);

// The first well-formed code in a longer text, such as a pasted chat message,
// also when typed in groups or wrapped by a line break; a note names a
// different code that follows it. When none decodes, the error of the first
// text that looks like a code ("RW" and a digit starting a word). Takes time
// linear in the text's length.
PlanDecoding FindPlanCode(std::string_view text);

} // namespace rollwerk

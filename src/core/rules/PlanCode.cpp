#include "PlanCode.h"

#include "Utf8.h"

#include <algorithm>
#include <array>
#include <vector>

namespace rollwerk {

namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
constexpr int kClassBits = 3;
constexpr int kValueBits = 8; // level - 1 and skill value - 1
constexpr int kMaxSkillValue = kMaxLevel;
constexpr std::size_t kHeaderLength = kPlanCodePrefix.size() + 1; // prefix and version
constexpr int kFewestPayloadBits = kClassBits + kValueBits + kSkillCount;
constexpr int kMostPayloadBits = kClassBits + kValueBits + kSkillCount * (1 + kValueBits);

// Characters of the plan between the version and the check: whole characters
// for the bits, one more when needed to make the whole code's length even.
constexpr std::size_t PayloadLength(int bits)
{
    const auto characters = static_cast<std::size_t>((bits + 5) / 6);
    return characters + (kHeaderLength + characters + 1) % 2;
}

constexpr std::size_t kShortestCode = kHeaderLength + PayloadLength(kFewestPayloadBits) + 1;
constexpr std::size_t kLongestCode = kHeaderLength + PayloadLength(kMostPayloadBits) + 1;
static_assert(kLongestCode <= kPlanCodeMaxLength, "every plan fits the promised length");
static_assert(kShortestCode % 2 == 0 && kLongestCode % 2 == 0);

constexpr std::array<std::int8_t, 256> MakeDigits()
{
    std::array<std::int8_t, 256> digits{};
    digits.fill(-1);
    for (std::size_t i = 0; i < kAlphabet.size(); ++i)
        digits[static_cast<unsigned char>(kAlphabet[i])] = static_cast<std::int8_t>(i);
    return digits;
}
constexpr std::array<std::int8_t, 256> kDigits = MakeDigits();

int Digit(char c)
{
    return kDigits[static_cast<unsigned char>(c)];
}

bool IsCodeCharacter(char c)
{
    return Digit(c) >= 0;
}

// Multiplication by the generator x of GF(64) = GF(2)[x] / (x^6 + x + 1).
constexpr int TimesGenerator(int value)
{
    value <<= 1;
    return (value & 0x40) ? (value ^ 0x43) : value;
}

// kTimesPower[k][d] = d * x^k in GF(64), for k below the order 63 of x.
constexpr std::array<std::array<std::uint8_t, 64>, 63> MakeTimesPower()
{
    std::array<std::array<std::uint8_t, 64>, 63> table{};
    for (int digit = 0; digit < 64; ++digit) {
        int product = digit;
        for (std::size_t k = 0; k < 63; ++k) {
            table[k][static_cast<std::size_t>(digit)] = static_cast<std::uint8_t>(product);
            product = TimesGenerator(product);
        }
    }
    return table;
}
constexpr auto kTimesPower = MakeTimesPower();

// Sum of digit(i) * x^i over the characters, in GF(64).
int WeightedSum(std::string_view code)
{
    int sum = 0;
    // Horner's rule from the last character to the first.
    for (std::size_t i = code.size(); i > 0; --i)
        sum = TimesGenerator(sum) ^ Digit(code[i - 1]);
    return sum;
}

// The character that, appended to body, makes the weighted sum zero:
// digit * x^n = sum, so digit = sum * x^(63 - n), x having order 63.
char CheckCharacter(std::string_view body)
{
    int digit = WeightedSum(body);
    for (std::size_t i = body.size() % 63; i < 63; ++i)
        digit = TimesGenerator(digit);
    return kAlphabet[static_cast<std::size_t>(digit)];
}

class BitWriter {
public:
    void Put(std::uint32_t value, int bits)
    {
        for (int bit = bits - 1; bit >= 0; --bit) {
            current_ = (current_ << 1) | ((value >> bit) & 1U);
            if (++filled_ == 6)
                Flush();
        }
    }

    std::string Finish(std::size_t length)
    {
        if (filled_ > 0) {
            current_ <<= 6 - filled_;
            Flush();
        }
        text_.resize(length, kAlphabet[0]);
        return text_;
    }

private:
    void Flush()
    {
        text_ += kAlphabet[current_];
        current_ = 0;
        filled_ = 0;
    }

    std::string text_;
    std::uint32_t current_ = 0;
    int filled_ = 0;
};

class BitReader {
public:
    explicit BitReader(std::string_view text) : text_(text) { }

    // No value when the text ends first.
    std::optional<std::uint32_t> Take(int bits)
    {
        std::uint32_t value = 0;
        for (int i = 0; i < bits; ++i) {
            const std::size_t character = position_ / 6;
            if (character >= text_.size())
                return std::nullopt;
            const auto digit = static_cast<std::uint32_t>(Digit(text_[character]));
            value = (value << 1) | ((digit >> (5 - position_ % 6)) & 1U);
            ++position_;
        }
        return value;
    }

    int BitsRead() const { return static_cast<int>(position_); }

    // Whether every bit after the ones read is zero.
    bool RestIsZero()
    {
        while (position_ < text_.size() * 6) {
            if (Take(1) != 0U)
                return false;
        }
        return true;
    }

private:
    std::string_view text_;
    std::size_t position_ = 0;
};

PlanDecoding Failure(PlanCodeError kind, std::string message)
{
    return {std::nullopt, std::move(message), kind, {}};
}

// The first problem of the numbers a plan is made of, as decoding finds them.
PlanDecoding CheckNumbers(std::int64_t classIndex, std::int64_t level, const SkillArray<std::int64_t> &skills)
{
    if (classIndex < 0 || classIndex >= kClassCount)
        return Failure(PlanCodeError::UnknownClass,
            "Der Plan nennt die Klasse Nummer " + std::to_string(classIndex + 1)
                + ", die es nicht gibt; es gibt die Klassen 1 bis " + std::to_string(kClassCount) + ".");
    if (level < kMinLevel || level > kMaxLevel)
        return Failure(PlanCodeError::LevelOutOfRange,
            "Der Plan nennt die Stufe " + std::to_string(level) + "; erlaubt sind " + std::to_string(kMinLevel)
                + " bis " + std::to_string(kMaxLevel) + ".");
    for (int s = 1; s <= kSkillCount; ++s) {
        if (skills[s] < 0 || skills[s] > kMaxSkillValue)
            return Failure(PlanCodeError::SkillOutOfRange,
                "Der Plan gibt der Fertigkeit " + Quoted(SkillCaption(s)) + " den Wert " + std::to_string(skills[s])
                    + "; erlaubt sind 0 bis " + std::to_string(kMaxSkillValue) + ".");
    }
    Plan plan{std::string(kClassNames[static_cast<std::size_t>(classIndex)]), static_cast<std::int32_t>(level), {}};
    for (int s = 1; s <= kSkillCount; ++s)
        plan.skills[s] = static_cast<std::int32_t>(skills[s]);
    return {std::move(plan), {}, PlanCodeError::None, {}};
}

// The same checks for a plan given by its class name.
PlanDecoding CheckPlan(const Plan &plan)
{
    const std::optional<int> column = ClassColumn(plan.className);
    if (!column)
        return Failure(PlanCodeError::UnknownClass, "Die Klasse " + Quoted(plan.className) + " gibt es nicht.");
    SkillArray<std::int64_t> skills;
    for (int s = 1; s <= kSkillCount; ++s)
        skills[s] = plan.skills[s];
    return CheckNumbers(*column, plan.level, skills);
}

std::string DescribeCharacter(char c)
{
    if (c == ' ')
        return "ein Leerzeichen";
    if (c > ' ' && c < 0x7F)
        return "das Zeichen " + Quoted(std::string_view(&c, 1));
    return "ein Zeichen au\u00dferhalb von A bis Z, a bis z, 0 bis 9, - und _";
}

std::string WrongLength(std::size_t length, std::string_view why)
{
    return "Der Plan-Code hat die falsche L\u00e4nge (" + std::to_string(length) + " Zeichen): " + std::string(why);
}

} // namespace

std::string PlanProblem(const Plan &plan)
{
    return CheckPlan(plan).error;
}

std::string EncodePlan(const Plan &plan)
{
    if (CheckPlan(plan).plan == std::nullopt)
        return {};
    BitWriter bits;
    bits.Put(static_cast<std::uint32_t>(*ClassColumn(plan.className)), kClassBits);
    bits.Put(static_cast<std::uint32_t>(plan.level - 1), kValueBits);
    int payloadBits = kFewestPayloadBits;
    for (int s = 1; s <= kSkillCount; ++s) {
        const std::int32_t value = plan.skills[s];
        bits.Put(value > 0 ? 1U : 0U, 1);
        if (value > 0) {
            bits.Put(static_cast<std::uint32_t>(value - 1), kValueBits);
            payloadBits += kValueBits;
        }
    }
    std::string code(kPlanCodePrefix);
    code += kPlanCodeVersion;
    code += bits.Finish(PayloadLength(payloadBits));
    code += CheckCharacter(code);
    return code;
}

namespace {

// Decodes one code. needed: the length the plan read from it needs, or 0 when
// its values run on past its end or the checks before reading failed.
PlanDecoding Decode(std::string_view code, std::size_t &needed)
{
    needed = 0;
    if (code.empty())
        return Failure(PlanCodeError::Empty, "Kein Plan-Code: Der Text ist leer.");
    if (!code.starts_with(kPlanCodePrefix))
        return Failure(PlanCodeError::NotFound,
            "Kein Plan-Code gefunden: Ein Plan-Code beginnt mit " + Quoted(kPlanCodePrefix) + ".");
    const auto bad = std::find_if_not(code.begin(), code.end(), IsCodeCharacter);
    if (bad != code.end())
        return Failure(PlanCodeError::BadCharacter,
            "Der Plan-Code enth\u00e4lt an Stelle " + std::to_string(bad - code.begin() + 1) + " "
                + DescribeCharacter(*bad) + ", das in Plan-Codes nicht vorkommt.");
    if (code.size() < kHeaderLength)
        return Failure(PlanCodeError::WrongLength, WrongLength(code.size(), "Die Versionsangabe fehlt."));
    if (code[kPlanCodePrefix.size()] != kPlanCodeVersion)
        return Failure(PlanCodeError::UnknownVersion,
            "Der Plan-Code hat die unbekannte Version " + Quoted(code.substr(kPlanCodePrefix.size(), 1))
                + "; dieses Programm liest Plan-Codes der Version " + Quoted(std::string(1, kPlanCodeVersion)) + ".");
    if (code.size() < kShortestCode || code.size() > kLongestCode || code.size() % 2 != 0)
        return Failure(PlanCodeError::WrongLength,
            WrongLength(code.size(),
                "Ein Plan-Code hat eine gerade Zahl von " + std::to_string(kShortestCode) + " bis "
                    + std::to_string(kLongestCode) + " Zeichen; vermutlich fehlt ein Zeichen oder eins ist doppelt."));
    if (WeightedSum(code) != 0)
        return Failure(PlanCodeError::WrongCheck,
            "Das Pr\u00fcfzeichen passt nicht zum Plan-Code: Mindestens ein Zeichen ist falsch abgeschrieben.");

    const std::string_view payload = code.substr(kHeaderLength, code.size() - kHeaderLength - 1);
    BitReader bits(payload);
    const auto classIndex = bits.Take(kClassBits);
    const auto level = bits.Take(kValueBits);
    SkillArray<std::int64_t> skills;
    bool complete = classIndex && level;
    for (int s = 1; complete && s <= kSkillCount; ++s) {
        const auto chosen = bits.Take(1);
        const auto value = chosen == 1U ? bits.Take(kValueBits) : std::optional<std::uint32_t>(0U);
        complete = chosen && value;
        if (complete)
            skills[s] = chosen == 1U ? std::int64_t{*value} + 1 : 0;
    }
    if (!complete)
        return Failure(PlanCodeError::WrongLength, WrongLength(code.size(), "Dem Plan fehlen Werte."));
    const std::size_t expected = kHeaderLength + PayloadLength(bits.BitsRead()) + 1;
    needed = expected;
    if (code.size() != expected)
        return Failure(PlanCodeError::WrongLength,
            WrongLength(code.size(), "Dieser Plan braucht " + std::to_string(expected) + " Zeichen."));
    if (!bits.RestIsZero())
        return Failure(
            PlanCodeError::WrongLength, WrongLength(code.size(), "Nach dem Plan folgen Bits, die nicht 0 sind."));
    return CheckNumbers(*classIndex, std::int64_t{*level} + 1, skills);
}

// Where a code may start: "RW" at the start of a word; '-' and '_' may stand
// before it, as they may after it.
bool StartsWord(std::string_view text, std::size_t at)
{
    return at == 0 || !IsCodeCharacter(text[at - 1]) || text[at - 1] == '-' || text[at - 1] == '_';
}

bool IsDecimalDigit(char c)
{
    return c >= '0' && c <= '9';
}

// "RW" and a version digit starting a word: a code, whole or broken. A word
// that merely begins with the prefix ("RWTH") is none.
bool LooksLikeCode(std::string_view text, std::size_t at)
{
    return text.substr(at, kPlanCodePrefix.size()) == kPlanCodePrefix && at + kPlanCodePrefix.size() < text.size()
        && IsDecimalDigit(text[at + kPlanCodePrefix.size()]) && StartsWord(text, at);
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Blanks between two groups of one code: a line break with its indentation,
// or the spaces of a code typed in groups.
constexpr std::size_t kMostBlanksBetweenGroups = 8;

// Finds codes in a text in time linear in its length. A code is a piece of a
// run of code characters that starts a word and ends where the run ends or
// at a '-' or '_' ("CODE-Plan", "CODE_v2", "CODE1-CODE2"). Only pieces of an
// even length up to the longest code can be codes, and only those whose
// weighted sum is zero: with the sums of every prefix of the text, that
// costs a comparison per piece, and only the rare piece that passes it is
// decoded. A code typed in groups or wrapped by a line break is read by
// joining the groups that follow its first, up to the longest code.
class CodeFinder {
public:
    struct Found {
        PlanDecoding decoding;
        std::string code;
        std::size_t end = 0; // where the code ends in the text
    };

    explicit CodeFinder(std::string_view text) : text_(text), sums_(text.size() + 1)
    {
        // sums_[i]: digit(j) * x^(j mod 63) over j < i, so that a piece [a, b)
        // sums to zero exactly when sums_[a] == sums_[b].
        std::uint8_t sum = 0;
        std::size_t power = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const int digit = Digit(text[i]);
            if (digit > 0)
                sum ^= kTimesPower[power][static_cast<std::size_t>(digit)];
            power = power == 62 ? 0 : power + 1;
            sums_[i + 1] = sum;
        }
    }

    // The first code at or after from that decodes to a plan.
    std::optional<Found> Next(std::size_t from)
    {
        for (std::size_t start = text_.find(kPlanCodePrefix, from); start != std::string_view::npos;
             start = text_.find(kPlanCodePrefix, start + 1)) {
            if (!LooksLikeCode(text_, start))
                continue;
            if (start >= runEnd_) {
                runEnd_ = start;
                while (runEnd_ < text_.size() && IsCodeCharacter(text_[runEnd_]))
                    ++runEnd_;
            }
            const bool first = firstFailure_.empty();
            if (first)
                firstFailure_ = text_.substr(start, runEnd_ - start);
            if (std::optional<Found> found = DecodeAt(start))
                return found;
            if (std::optional<Found> found = DecodeGroups(start, first))
                return found;
        }
        return std::nullopt;
    }

    // Why the first text that looks like a code gives no plan, if there was one.
    std::optional<PlanDecoding> FirstFailure() const
    {
        if (firstFailure_.empty())
            return std::nullopt;
        return DecodePlanCode(firstFailure_);
    }

private:
    std::optional<Found> DecodeAt(std::size_t start)
    {
        if (start + kHeaderLength > runEnd_ || text_[start + kPlanCodePrefix.size()] != kPlanCodeVersion)
            return std::nullopt;
        const std::size_t last = std::min(runEnd_, start + kLongestCode);
        // Every piece from this start reads the same plan bits, so once one
        // piece held all of them, only the piece of the length they need can decode.
        std::size_t needed = 0;
        for (std::size_t end = start + kShortestCode; end <= last; end += 2) {
            if ((end < runEnd_ && text_[end] != '-' && text_[end] != '_') || sums_[end] != sums_[start]
                || (needed != 0 && end - start != needed))
                continue;
            const std::string_view piece = text_.substr(start, end - start);
            PlanDecoding decoding = Decode(piece, needed);
            if (decoding.plan)
                return Found{std::move(decoding), std::string(piece), end};
        }
        return std::nullopt;
    }

    // A code typed in groups ("RW1B ZHUY gEAg CAAC JgA7") or wrapped by a line
    // break. Groups typed by hand have one length, the last may be shorter; a
    // line break may cut a code anywhere. A group that looks like a code of
    // its own ends the joining.
    std::optional<Found> DecodeGroups(std::size_t start, bool first)
    {
        if (runEnd_ >= text_.size() || !IsBlank(text_[runEnd_]) || runEnd_ - start >= kLongestCode)
            return std::nullopt;
        std::string joined(text_.substr(start, runEnd_ - start));
        const std::size_t groupLength = joined.size();
        // The message of a broken code in groups is about the joined groups:
        // the first of a length a code can have, else the longest.
        const auto codeLength
            = [](std::size_t length) { return length % 2 == 0 && length >= kShortestCode && length <= kLongestCode; };
        bool failureSettled = !first || codeLength(groupLength);
        // The joined groups' weighted sum, so that only those summing to zero are decoded.
        std::uint8_t sum = PieceSum(start, runEnd_, 0);
        bool equalGroups = true;
        std::size_t at = runEnd_;
        while (joined.size() < kLongestCode) {
            std::size_t next = at;
            bool lineBreak = false;
            while (next < text_.size() && next - at <= kMostBlanksBetweenGroups && IsBlank(text_[next])) {
                lineBreak = lineBreak || text_[next] == '\n' || text_[next] == '\r';
                ++next;
            }
            if (next == at || next - at > kMostBlanksBetweenGroups || next == text_.size()
                || !IsCodeCharacter(text_[next]) || LooksLikeCode(text_, next))
                break;
            std::size_t end = next;
            while (end < text_.size() && end - next <= kLongestCode && IsCodeCharacter(text_[end]))
                ++end;
            const std::size_t length = end - next;
            if ((!lineBreak && !(equalGroups && length <= groupLength)) || joined.size() + length > kLongestCode)
                break;
            equalGroups = equalGroups && length == groupLength;
            sum ^= PieceSum(next, end, joined.size());
            joined.append(text_.substr(next, length));
            at = end;
            if (!failureSettled) {
                firstFailure_ = joined;
                failureSettled = codeLength(joined.size());
            }
            if (!codeLength(joined.size()) || sum != 0)
                continue;
            PlanDecoding decoding = DecodePlanCode(joined);
            if (decoding.plan)
                return Found{std::move(decoding), joined, at};
        }
        return std::nullopt;
    }

    // The weighted sum of the text from..to, moved to start at position at of a code.
    std::uint8_t PieceSum(std::size_t from, std::size_t to, std::size_t at) const
    {
        constexpr std::size_t kOrder = 63;
        return kTimesPower[(at % kOrder + kOrder - from % kOrder) % kOrder][sums_[to] ^ sums_[from]];
    }

    std::string_view text_;
    std::vector<std::uint8_t> sums_;
    std::size_t runEnd_ = 0;
    std::string firstFailure_;
};

// A word like a code, but in lower case ("rw1bzhuy..."), if the text holds one.
std::optional<std::string_view> LowerCaseCode(std::string_view text)
{
    for (std::size_t at = 0; at + kShortestCode <= text.size(); ++at) {
        if ((text[at] != 'r' && text[at] != 'R') || (text[at + 1] != 'w' && text[at + 1] != 'W')
            || text[at + 2] != kPlanCodeVersion || !StartsWord(text, at))
            continue;
        std::size_t end = at;
        while (end < text.size() && end - at < kLongestCode && IsCodeCharacter(text[end]))
            ++end;
        if (end - at >= kShortestCode)
            return text.substr(at, end - at);
    }
    return std::nullopt;
}

} // namespace

PlanDecoding DecodePlanCode(std::string_view code)
{
    std::size_t needed = 0;
    return Decode(code, needed);
}

PlanDecoding FindPlanCode(std::string_view text)
{
    if (std::all_of(text.begin(), text.end(), IsBlank))
        return Failure(PlanCodeError::Empty, "Kein Plan-Code: Der Text ist leer.");
    CodeFinder finder(text);
    if (std::optional<CodeFinder::Found> found = finder.Next(0)) {
        // Take the first code; a different one further on is named, so that the user can paste that one instead.
        for (std::optional<CodeFinder::Found> other = finder.Next(found->end); other; other = finder.Next(other->end)) {
            if (other->code != found->code) {
                found->decoding.note = "Der Text enth\u00e4lt mehr als einen Plan-Code. \u00dcbernommen ist der erste, "
                    + Quoted(found->code) + ", nicht " + Quoted(other->code) + ".";
                break;
            }
        }
        return std::move(found->decoding);
    }
    if (std::optional<PlanDecoding> failure = finder.FirstFailure())
        return std::move(*failure);
    if (const std::optional<std::string_view> word = LowerCaseCode(text))
        return Failure(PlanCodeError::NotFound,
            "Kein Plan-Code gefunden: " + Quoted(*word)
                + " ist klein geschrieben. Bei Plan-Codes z\u00e4hlt die Gro\u00df- und Kleinschreibung; ein Plan-Code "
                  "beginnt mit "
                + Quoted(kPlanCodePrefix) + ".");
    return Failure(
        PlanCodeError::NotFound, "Kein Plan-Code gefunden: Ein Plan-Code beginnt mit " + Quoted(kPlanCodePrefix) + ".");
}

} // namespace rollwerk

#include "PlanCode.h"

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
    return {std::nullopt, std::move(message), kind};
}

std::string Quoted(std::string_view text)
{
    return "\u201e" + std::string(text) + "\u201c";
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
    return {std::move(plan), {}, PlanCodeError::None};
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

// Finds codes in a text in time linear in its length. A code is a piece of a
// run of code characters that starts a word and ends where the run ends or
// at a '-' or '_' ("CODE-Plan", "CODE_v2", "CODE1-CODE2"). Only pieces of an
// even length up to the longest code can be codes, and only those whose
// weighted sum is zero: with the sums of every prefix of the text, that
// costs a comparison per piece, and only the rare piece that passes it is
// decoded.
class CodeFinder {
public:
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

    // The first piece at or after from that decodes to a plan.
    std::optional<PlanDecoding> Next(std::size_t from)
    {
        for (std::size_t start = text_.find(kPlanCodePrefix, from); start != std::string_view::npos;
             start = text_.find(kPlanCodePrefix, start + 1)) {
            if (!StartsWord(text_, start))
                continue;
            if (start >= runEnd_) {
                runEnd_ = start;
                while (runEnd_ < text_.size() && IsCodeCharacter(text_[runEnd_]))
                    ++runEnd_;
            }
            if (firstStart_ == std::string_view::npos) {
                firstStart_ = start;
                firstRunEnd_ = runEnd_;
            }
            if (std::optional<PlanDecoding> found = DecodeAt(start))
                return found;
        }
        return std::nullopt;
    }

    // The error of the first text that looks like a code, if there was one.
    std::optional<PlanDecoding> FirstFailure() const
    {
        if (firstStart_ == std::string_view::npos)
            return std::nullopt;
        return DecodePlanCode(text_.substr(firstStart_, firstRunEnd_ - firstStart_));
    }

private:
    std::optional<PlanDecoding> DecodeAt(std::size_t start)
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
            PlanDecoding decoding = Decode(text_.substr(start, end - start), needed);
            if (decoding.plan)
                return decoding;
        }
        return std::nullopt;
    }

    std::string_view text_;
    std::vector<std::uint8_t> sums_;
    std::size_t runEnd_ = 0;
    std::size_t firstStart_ = std::string_view::npos;
    std::size_t firstRunEnd_ = 0;
};

} // namespace

PlanDecoding DecodePlanCode(std::string_view code)
{
    std::size_t needed = 0;
    return Decode(code, needed);
}

PlanDecoding FindPlanCode(std::string_view text)
{
    const bool blank
        = std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
    if (blank)
        return Failure(PlanCodeError::Empty, "Kein Plan-Code: Der Text ist leer.");
    CodeFinder finder(text);
    if (std::optional<PlanDecoding> found = finder.Next(0))
        return std::move(*found);
    if (std::optional<PlanDecoding> failure = finder.FirstFailure())
        return std::move(*failure);
    return Failure(
        PlanCodeError::NotFound, "Kein Plan-Code gefunden: Ein Plan-Code beginnt mit " + Quoted(kPlanCodePrefix) + ".");
}

} // namespace rollwerk

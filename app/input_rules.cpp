#include "app/input_rules.h"

#include <cstring>
#include <limits>

#include "reckoning/fixed_texts.h"
#include "reckoning/shift_jis.h"

namespace tenkari {
namespace {

constexpr std::int32_t kLastJudgedYear = 2100;
constexpr std::int64_t kOldestCountedAge = 120;
constexpr std::size_t kNameLimit = kNameCapacity - 1;

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}
bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::int32_t read_year_entry(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && is_blank(text[i])) {
        ++i;
    }
    const bool negative = i < text.size() && text[i] == '-';
    if (negative) {
        ++i;
    }
    if (i == text.size()) {
        return 0;
    }
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        if (!is_digit(text[i])) {
            return 0;
        }
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) {
            return 0;
        }
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max()) {
        return 0;
    }
    return static_cast<std::int32_t>(value);
}

std::string year_entry_text(std::int32_t year) {
    return std::to_string(year);
}

std::string_view cut_name_entry(std::string_view sjis_name) {
    std::size_t kept = 0;
    while (kept < sjis_name.size()) {
        const std::size_t width = sjis_character_width(sjis_name.substr(kept));
        // A lead byte that ends the entry has lost its trail byte: it is half a character too.
        const bool lone_lead =
            width == 1 && is_sjis_lead_byte(static_cast<unsigned char>(sjis_name[kept]));
        if (kept + width > kNameLimit || lone_lead) {
            break;
        }
        kept += width;
    }
    return sjis_name.substr(0, kept);
}

void store_entries(ReadingRecord& record, std::string_view sjis_name, std::string_view birth_text,
                   std::string_view judged_text) {
    const std::string_view name = cut_name_entry(sjis_name.substr(0, sjis_name.find('\0')));
    std::memset(record.name, 0, sizeof record.name);
    std::memcpy(record.name, name.data(), name.size());
    record.birth_year = read_year_entry(birth_text);
    record.judged_year = read_year_entry(judged_text);
}

InputVerdict validate_inputs(std::string_view name, std::int32_t birth_year,
                             std::int32_t judged_year) {
    if (name.empty() || birth_year == 0 || judged_year == 0) {
        return InputVerdict::missing_input;
    }
    // A counted age above 120 would leave the age outside the cycle's two rounds; refusing it
    // also keeps judged - birth + 1 far from overflow.
    const std::int64_t counted_age = std::int64_t{judged_year} - birth_year + 1;
    if (birth_year > judged_year || judged_year > kLastJudgedYear ||
        counted_age > kOldestCountedAge) {
        return InputVerdict::bad_year;
    }
    return InputVerdict::accepted;
}

std::string_view verdict_message(InputVerdict verdict) {
    switch (verdict) {
        case InputVerdict::missing_input:
            return fixed_texts::missing_input_message();
        case InputVerdict::bad_year:
            return fixed_texts::bad_year_message();
        case InputVerdict::accepted:
            break;
    }
    return {};
}

}  // namespace tenkari

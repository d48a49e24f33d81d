// The dialog road on arbitrary entries: a few presses of 実行 on one record, each followed by
// the hexagram command and the file content, with the record's invariants checked after every
// step. An input is a series of rounds: name, birth year and judged year entries, each ended by
// "\" and one more byte (a "\" inside an entry is written twice), and one byte from the end of
// the input for each round's sex and dialog events.

#include <fuzzer/FuzzedDataProvider.h>

#include <charconv>
#include <cstdint>
#include <string>
#include <vector>

#include "app/acceptance.h"
#include "app/file_output.h"
#include "app/input_rules.h"
#include "reckoning/annual_reading.h"
#include "reckoning/fixed_texts.h"
#include "reckoning/hexagram_reading.h"
#include "reckoning/name_number.h"
#include "reckoning/year_pillar.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using namespace tenkari;
using fuzz::terminated_text;

constexpr int kRounds = 4;

class RecordingDialogView : public InputDialogView {
  public:
    void show_input_error(std::string_view sjis_message) override {
        FUZZ_CHECK(!sjis_message.empty());
        ++errors;
    }
    void end_dialog() override { ++ends; }
    void show_annual_reading(const ReadingRecord& record) override {
        FUZZ_CHECK(ends == 1);  // the dialog has left the screen before the reading shows
        shown = terminated_text(record.annual_text);
        ++readings;
    }
    int errors = 0, ends = 0, readings = 0;
    std::string shown;
};

class RecordingHexagramView : public HexagramView {
  public:
    void show_message(std::string_view sjis_message) override {
        FUZZ_CHECK(!sjis_message.empty());
        messages.emplace_back(sjis_message);
    }
    void show_hexagram_reading(std::string_view sjis_text) override {
        shown = sjis_text;
        ++readings;
    }
    std::vector<std::string> messages;
    int readings = 0;
    std::string shown;
};

// The year entry as the dialog reads it: blanks, then all the rest a signed 32-bit number.
std::int32_t expected_year(std::string_view text) {
    const std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos) {
        return 0;
    }
    std::int32_t value = 0;
    const auto [end, error] =
        std::from_chars(text.data() + start, text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : 0;
}

std::string expected_file_name(const ReadingRecord& record, std::string_view suffix) {
    char year[16];
    std::snprintf(year, sizeof year, "%4d", record.judged_year);
    return std::string(record.name) + year + std::string(suffix);
}

bool derived_equal(const ReadingRecord& a, const ReadingRecord& b) {
    return a.name_number == b.name_number && a.name_stem == b.name_stem &&
           a.name_branch == b.name_branch && a.counted_age == b.counted_age &&
           a.age_cycle_number == b.age_cycle_number && a.year_stem == b.year_stem &&
           a.year_branch == b.year_branch && std::strcmp(a.annual_text, b.annual_text) == 0;
}

// Everything but the entries and input_failed, which a refused press writes.
bool results_equal(const ReadingRecord& a, const ReadingRecord& b) {
    return derived_equal(a, b) && a.has_result == b.has_result &&
           a.write_annual == b.write_annual && a.write_hexagram == b.write_hexagram &&
           a.name_trigram == b.name_trigram && a.age_trigram == b.age_trigram &&
           std::strcmp(a.hexagram_text, b.hexagram_text) == 0 &&
           std::strcmp(a.output_file_name, b.output_file_name) == 0;
}

bool records_equal(const ReadingRecord& a, const ReadingRecord& b) {
    return results_equal(a, b) && std::strcmp(a.name, b.name) == 0 &&
           a.birth_year == b.birth_year && a.judged_year == b.judged_year &&
           a.is_male == b.is_male && a.input_failed == b.input_failed;
}

void check_invariants(const ReadingRecord& record, bool accepted_once) {
    const std::string_view name = terminated_text(record.name);
    FUZZ_CHECK(name.size() <= 34);
    FUZZ_CHECK(!fuzz::ends_in_half_character(name));
    terminated_text(record.annual_text);
    terminated_text(record.hexagram_text);
    FUZZ_CHECK(terminated_text(record.output_file_name).empty() != accepted_once);
    FUZZ_CHECK(!(record.write_annual == 1 && record.write_hexagram == 1));
    for (const std::int32_t flag : {record.is_male, record.input_failed, record.has_result,
                                    record.write_annual, record.write_hexagram}) {
        FUZZ_CHECK(flag == 0 || flag == 1);
    }
}

void check_store(const ReadingRecord& before, const ReadingRecord& after, std::string_view name,
                 std::string_view birth, std::string_view judged) {
    const std::string_view entry = name.substr(0, name.find('\0'));
    const std::string_view kept = after.name;
    FUZZ_CHECK(entry.substr(0, kept.size()) == kept);
    if (kept.size() < entry.size()) {
        // Cut only where the next whole character would pass 34 bytes, or where a lead byte
        // ends the entry with no trail byte.
        const std::string_view rest = entry.substr(kept.size());
        const bool lead = fuzz::is_lead_byte(static_cast<unsigned char>(rest[0]));
        FUZZ_CHECK(kept.size() + (lead ? 2 : 1) > 34 || (lead && rest.size() == 1));
    }
    FUZZ_CHECK(after.birth_year == expected_year(birth));
    FUZZ_CHECK(after.judged_year == expected_year(judged));
    FUZZ_CHECK(results_equal(before, after));
}

bool should_accept(const ReadingRecord& record) {
    if (record.name[0] == '\0' || record.birth_year == 0 || record.judged_year == 0) {
        return false;
    }
    const std::int64_t age = std::int64_t{record.judged_year} - record.birth_year + 1;
    return record.birth_year <= record.judged_year && record.judged_year <= 2100 && age <= 120;
}

void check_accepted(const ReadingRecord& before, const ReadingRecord& after,
                    const RecordingDialogView& view) {
    FUZZ_CHECK(view.errors == 0 && view.ends == 1 && view.readings == 1);
    FUZZ_CHECK(after.input_failed == 0 && after.has_result == 1);
    FUZZ_CHECK(after.write_annual == 1 && after.write_hexagram == 0);
    FUZZ_CHECK(after.output_file_name ==
               expected_file_name(after, fixed_texts::annual_file_suffix()));

    ReadingRecord recomputed = before;
    compute_name_number(recomputed);
    compute_year_pillar(recomputed);
    FUZZ_CHECK(after.name_number == recomputed.name_number);
    FUZZ_CHECK(after.name_stem == recomputed.name_stem);
    FUZZ_CHECK(after.name_branch == recomputed.name_branch);
    FUZZ_CHECK(after.counted_age == std::int64_t{after.judged_year} - after.birth_year + 1);
    FUZZ_CHECK(after.age_cycle_number == recomputed.age_cycle_number);
    FUZZ_CHECK(after.year_stem == recomputed.year_stem);
    FUZZ_CHECK(after.year_branch == recomputed.year_branch);

    const std::string_view text = after.annual_text;
    FUZZ_CHECK(view.shown == text);
    const std::string heading =
        std::to_string(after.judged_year) + std::string(fixed_texts::annual_heading_suffix());
    FUZZ_CHECK(text.substr(0, heading.size()) == heading);
    int banners = 0;
    bool ends_with_banner = false;
    for (int verdict = kGoodYear; verdict <= kAverageYear; ++verdict) {
        const std::string_view banner = fixed_texts::verdict_banner(verdict);
        for (std::size_t at = text.find(banner); at != std::string_view::npos;
             at = text.find(banner, at + 1)) {
            ++banners;
        }
        ends_with_banner = ends_with_banner || text.ends_with(banner);
    }
    FUZZ_CHECK(banners == 1 && ends_with_banner);
    // The hexagram reading and its trigrams wait for the hexagram command.
    FUZZ_CHECK(std::strcmp(after.hexagram_text, before.hexagram_text) == 0);
    FUZZ_CHECK(after.name_trigram == before.name_trigram);
    FUZZ_CHECK(after.age_trigram == before.age_trigram);
}

void check_hexagram(const ReadingRecord& before, const ReadingRecord& after,
                    const RecordingHexagramView& view, bool accepted_once) {
    if (before.input_failed == 1) {
        FUZZ_CHECK(records_equal(before, after));
        FUZZ_CHECK(view.messages.empty() && view.readings == 0);
        return;
    }
    if (accepted_once) {
        FUZZ_CHECK(after.output_file_name ==
                   expected_file_name(after, fixed_texts::hexagram_file_suffix()));
        FUZZ_CHECK(after.has_result == 1 && after.write_hexagram == 1 && after.write_annual == 0);
    } else {
        FUZZ_CHECK(after.output_file_name[0] == '\0');
        FUZZ_CHECK(after.has_result == before.has_result);
        FUZZ_CHECK(after.write_hexagram == before.write_hexagram);
        FUZZ_CHECK(after.write_annual == before.write_annual);
    }
    const int name_trigram = name_trigram_for(before.name_number);
    const int age_trigram = age_trigram_for(before.age_cycle_number);
    FUZZ_CHECK(after.name_trigram == (name_trigram != 0 ? name_trigram : before.name_trigram));
    FUZZ_CHECK(after.age_trigram == (age_trigram != 0 ? age_trigram : before.age_trigram));
    FUZZ_CHECK(view.messages.size() == std::size_t{name_trigram == 0} + (age_trigram == 0));
    const std::string_view passage = hexagram_passage_for(after.name_trigram, after.age_trigram);
    FUZZ_CHECK(after.hexagram_text == (passage.empty() ? before.hexagram_text : passage));
    FUZZ_CHECK(view.readings == (after.hexagram_text[0] != '\0' ? 1 : 0));
    FUZZ_CHECK(view.readings == 0 || view.shown == after.hexagram_text);
    FUZZ_CHECK(derived_equal(before, after));
}

void check_file_content(const ReadingRecord& record) {
    const std::string content = output_file_content(record);
    const char* marked = record.write_annual == 1     ? record.annual_text
                         : record.write_hexagram == 1 ? record.hexagram_text
                                                      : "";
    FUZZ_CHECK(content == marked);
    FUZZ_CHECK(content.find('\r') == std::string::npos);
    may_write_output_file(record);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    ReadingRecord record;
    bool accepted_once = false;
    for (int round = 0; round < kRounds && input.remaining_bytes() > 0; ++round) {
        const std::string name = input.ConsumeRandomLengthString(80);
        const std::string birth = input.ConsumeRandomLengthString(24);
        const std::string judged = input.ConsumeRandomLengthString(24);
        const auto events = input.ConsumeIntegral<std::uint8_t>();

        // The dialog opens afresh, or stays open after a refusal; the radio buttons set the sex.
        if (events & 1) {
            record.input_failed = 0;
        }
        record.is_male = events & 2 ? 1 : 0;
        check_invariants(record, accepted_once);

        ReadingRecord before = record;
        store_entries(record, name, birth, judged);
        check_store(before, record, name, birth, judged);
        check_invariants(record, accepted_once);

        before = record;
        RecordingDialogView dialog;
        const InputVerdict verdict = press_run(record, dialog);
        FUZZ_CHECK((verdict == InputVerdict::accepted) == should_accept(before));
        if (verdict == InputVerdict::accepted) {
            accepted_once = true;
            check_accepted(before, record, dialog);
        } else {
            FUZZ_CHECK(dialog.errors == 1 && dialog.ends == 0 && dialog.readings == 0);
            FUZZ_CHECK(record.input_failed == 1);
            FUZZ_CHECK(results_equal(before, record));
            if (events & 4) {
                record.has_result = 0;  // キャンセル
            }
        }
        check_invariants(record, accepted_once);
        check_file_content(record);

        if (events & 8) {
            before = record;
            RecordingHexagramView hexagram;
            run_hexagram_command(record, hexagram);
            check_hexagram(before, record, hexagram, accepted_once);
            check_invariants(record, accepted_once);
            check_file_content(record);
        }
    }
    return 0;
}

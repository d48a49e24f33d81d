#include "app/acceptance.h"

#include <cstring>

#include "reckoning/annual_reading.h"
#include "reckoning/fixed_texts.h"
#include "reckoning/name_number.h"
#include "reckoning/output_file_name.h"
#include "reckoning/year_pillar.h"

namespace tenkari {

InputVerdict press_run(ReadingRecord& record, InputDialogView& view) {
    const std::string_view name = field_text(record.name);
    const InputVerdict verdict = validate_inputs(name, record.birth_year, record.judged_year);
    if (verdict != InputVerdict::accepted) {
        view.show_input_error(verdict_message(verdict));
        record.input_failed = 1;
        return verdict;
    }
    accept_inputs(record, view);
    return verdict;
}

void accept_inputs(ReadingRecord& record, InputDialogView& view) {
    view.end_dialog();
    record.input_failed = 0;
    compose_output_file_name(record, fixed_texts::annual_file_suffix());
    record.has_result = 1;
    record.write_hexagram = 0;
    record.write_annual = 1;
    compute_name_number(record);
    compute_year_pillar(record);
    compose_annual_reading(record);
    view.show_annual_reading(record);
}

}  // namespace tenkari

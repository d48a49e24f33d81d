#include "app/status_line.h"

namespace tenkari {

StatusMessage status_after_annual_command(const ReadingRecord& record) {
    // A cancel leaves the bar on the last reading shown, which is still the one to save.
    return record.has_result == 1 ? StatusMessage::annual_shown : StatusMessage::unchanged;
}

StatusMessage status_after_hexagram_command(const ReadingRecord& record) {
    if (record.input_failed != 0) {
        return StatusMessage::no_hexagram;
    }
    // Before the first accepted reading the command shows its own boxes and no passage.
    if (record.write_hexagram == 1 && field_text(record.hexagram_text).size() > 0) {
        return StatusMessage::hexagram_shown;
    }
    return StatusMessage::unchanged;
}

StatusMessage status_after_file_output(FileOutputStep step, bool written) {
    switch (step) {
        case FileOutputStep::nothing_to_write:
            return StatusMessage::nothing_to_save;
        case FileOutputStep::name_refused:
            return StatusMessage::not_saved;
        case FileOutputStep::write:
            return written ? StatusMessage::saved : StatusMessage::not_saved;
    }
    return StatusMessage::unchanged;
}

}  // namespace tenkari

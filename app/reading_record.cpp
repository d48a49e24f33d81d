#include "app/reading_record.h"

namespace tenkari {

ReadingRecord& the_reading_record() {
    static ReadingRecord record;
    return record;
}

}  // namespace tenkari

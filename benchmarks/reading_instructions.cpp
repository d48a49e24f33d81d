// One full annual reading, as the reading benchmark runs it, repeated a given number of times
// and nothing else: count_instructions.py counts its instructions under callgrind, which are the
// same on every run where a time is not.
//   tenkari_reading_instructions [READINGS]

#include <cstdlib>
#include <cstring>

#include "app/reading_record.h"
#include "reckoning/annual_reading.h"
#include "reckoning/name_number.h"
#include "reckoning/year_pillar.h"

// Not inlined, so that callgrind counts every instruction under it and none of the loop's.
[[gnu::noinline]] void full_annual_reading(tenkari::ReadingRecord& record) {
    tenkari::compute_name_number(record);
    tenkari::compute_year_pillar(record);
    tenkari::compose_annual_reading(record);
}

int main(int argc, char** argv) {
    const int readings = argc > 1 ? std::atoi(argv[1]) : 1;
    static tenkari::ReadingRecord record;
    // 木林森 in Shift-JIS, born 1960, judged 1999.
    std::memcpy(record.name, "\x96\xd8\x97\xd1\x90\x58", 6);
    record.birth_year = 1960;
    record.judged_year = 1999;
    for (int i = 0; i < readings; ++i) {
        full_annual_reading(record);
    }
    // The reading's first byte, so that the work cannot be left out.
    return record.annual_text[0] == '1' ? 0 : 1;
}

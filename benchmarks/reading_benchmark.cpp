// One full annual reading from the name bytes and years to annual_text: name number, year
// pillar and composition.

#include <benchmark/benchmark.h>

#include <cstring>

#include "app/reading_record.h"
#include "reckoning/annual_reading.h"
#include "reckoning/name_number.h"
#include "reckoning/year_pillar.h"

namespace {

void BM_FullAnnualReading(benchmark::State& state) {
    tenkari::ReadingRecord record;
    // 木林森 in Shift-JIS, born 1960, judged 1999.
    std::memcpy(record.name, "\x96\xd8\x97\xd1\x90\x58", 6);
    record.birth_year = 1960;
    record.judged_year = 1999;
    for (auto _ : state) {
        tenkari::compute_name_number(record);
        tenkari::compute_year_pillar(record);
        tenkari::compose_annual_reading(record);
        benchmark::DoNotOptimize(record.annual_text);
    }
}
BENCHMARK(BM_FullAnnualReading);

}  // namespace

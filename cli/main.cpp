// tenkari-cli: the readings from the command line, through the same record, input rules and
// reckoning as the desktop program, for scripting and checks.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "app/acceptance.h"
#include "app/file_output.h"
#include "app/input_rules.h"
#include "app/reading_record.h"
#include "cli/code_page.h"
#include "cli/stroke_breakdown.h"
#include "reckoning/hexagram_reading.h"

namespace {

using namespace tenkari;

constexpr int kExitUsage = 1;
constexpr int kExitRefused = 2;
constexpr int kExitNoReading = 3;
constexpr int kExitNotWritten = 4;

constexpr const char* kUsage =
    "usage: tenkari-cli --name NAME --birth YEAR --year YEAR [--sex 男|女]\n"
    "                   [--numbers] [--hexagram] [--sjis] [--write]\n"
    "       tenkari-cli --strokes --name NAME\n"
    "\n"
    "  --name NAME   full name in UTF-8, no space between family and given name\n"
    "  --birth YEAR  birth year (Western calendar)\n"
    "  --year YEAR   the year to judge\n"
    "  --sex 男|女   default 男\n"
    "  --numbers     print the derived numbers as key=value lines instead of the reading\n"
    "  --hexagram    also run the hexagram reading and print it instead of the annual one\n"
    "  --sjis        print the reading as raw Shift-JIS bytes instead of UTF-8\n"
    "  --write       also write the reading's file into the current directory\n"
    "  --strokes     print how the name number is reached instead of a reading (years not\n"
    "                needed): one line per byte pair of the name, the pair as its character\n"
    "                or, when it straddles characters, as 0x and its code in hex, then its\n"
    "                stroke count; then \"sum S\" and \"name_number N STEM BRANCH\"; on\n"
    "                standard error, \"uncounted C\" for each character C that the stroke\n"
    "                table counts 0, with \" counted_form F\" where it counts a common form F\n"
    "\n"
    "Exit status: 0 reading or breakdown printed, 1 usage error, 2 input refused, 3 no\n"
    "hexagram to show, 4 the reading's file not written.\n";

struct Options {
    std::optional<std::string> name;
    std::optional<std::string> birth;
    std::optional<std::string> year;
    bool is_male = true;
    bool numbers = false;
    bool hexagram = false;
    bool sjis = false;
    bool write = false;
    bool strokes = false;
};

std::optional<Options> parse_options(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool has_value = i + 1 < argc;
        if (arg == "--name" && has_value) {
            options.name = argv[++i];
        } else if (arg == "--birth" && has_value) {
            options.birth = argv[++i];
        } else if (arg == "--year" && has_value) {
            options.year = argv[++i];
        } else if (arg == "--sex" && has_value) {
            const std::string_view sex = argv[++i];
            if (sex != "男" && sex != "女") {
                return std::nullopt;
            }
            options.is_male = sex == "男";
        } else if (arg == "--numbers") {
            options.numbers = true;
        } else if (arg == "--hexagram") {
            options.hexagram = true;
        } else if (arg == "--sjis") {
            options.sjis = true;
        } else if (arg == "--write") {
            options.write = true;
        } else if (arg == "--strokes") {
            options.strokes = true;
        } else {
            return std::nullopt;
        }
    }
    if (options.strokes) {
        // The breakdown depends on the name alone and prints no reading.
        const bool reading_options =
            options.numbers || options.hexagram || options.sjis || options.write;
        return options.name && !reading_options ? std::optional(options) : std::nullopt;
    }
    if (!options.name || !options.birth || !options.year) {
        return std::nullopt;
    }
    return options;
}

class ConsoleDialogView : public InputDialogView {
  public:
    void show_input_error(std::string_view sjis_message) override {
        std::cerr << cli::sjis_to_utf8(sjis_message) << '\n';
    }
    void end_dialog() override {}
    // The reading is printed once every step has run.
    void show_annual_reading(const ReadingRecord&) override {}
};

class ConsoleHexagramView : public HexagramView {
  public:
    void show_message(std::string_view sjis_message) override {
        std::cerr << cli::sjis_to_utf8(sjis_message);
    }
    void show_hexagram_reading(std::string_view) override {}
};

void print_numbers(const ReadingRecord& record) {
    std::printf("name_number=%d\n", record.name_number);
    std::printf("name_stem=%d\n", record.name_stem);
    std::printf("name_branch=%d\n", record.name_branch);
    std::printf("counted_age=%d\n", record.counted_age);
    std::printf("age_cycle_number=%d\n", record.age_cycle_number);
    std::printf("year_stem=%d\n", record.year_stem);
    std::printf("year_branch=%d\n", record.year_branch);
    std::printf("name_trigram=%d\n", record.name_trigram);
    std::printf("age_trigram=%d\n", record.age_trigram);
    std::printf("output_file_name=%s\n",
                cli::sjis_to_utf8(field_text(record.output_file_name)).c_str());
}

// Writes the reading's file into the current directory. A file asked for and not written is
// reported on standard error, by its name.
bool write_reading_file(const ReadingRecord& record) {
    const std::string file_name = cli::sjis_to_utf8(field_text(record.output_file_name));
    if (!may_write_output_file(record)) {
        std::cerr << "tenkari-cli: " << file_name
                  << " not written: a file name may not hold \\ / : < > \" | ? * or a control "
                     "character\n";
        return false;
    }
    errno = 0;
    if (!write_output_file(record, file_name)) {
        std::cerr << "tenkari-cli: cannot write " << file_name;
        // The file streams leave the system's reason in errno where there is one.
        if (errno != 0) {
            std::cerr << ": " << std::strerror(errno);
        }
        std::cerr << '\n';
        return false;
    }
    return true;
}

int run(const Options& options) {
    ReadingRecord& record = the_reading_record();
    if (options.strokes) {
        store_entries(record, cli::utf8_to_sjis(*options.name), "", "");
        const std::string breakdown = cli::stroke_breakdown(record);
        std::fwrite(breakdown.data(), 1, breakdown.size(), stdout);
        const std::string uncounted = cli::uncounted_note(record);
        std::fwrite(uncounted.data(), 1, uncounted.size(), stderr);
        return 0;
    }
    record.is_male = options.is_male ? 1 : 0;
    store_entries(record, cli::utf8_to_sjis(*options.name), *options.birth, *options.year);

    ConsoleDialogView dialog;
    if (press_run(record, dialog) != InputVerdict::accepted) {
        return kExitRefused;
    }
    if (options.hexagram) {
        ConsoleHexagramView hexagram;
        run_hexagram_command(record, hexagram);
    }
    if (options.write && !write_reading_file(record)) {
        return kExitNotWritten;
    }
    if (options.numbers) {
        print_numbers(record);
        return 0;
    }
    const std::string_view text =
        options.hexagram ? field_text(record.hexagram_text) : field_text(record.annual_text);
    if (text.empty()) {
        return kExitNoReading;
    }
    const std::string output = options.sjis ? std::string(text) : cli::sjis_to_utf8(text);
    std::fwrite(output.data(), 1, output.size(), stdout);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options = parse_options(argc, argv);
    if (!options) {
        std::cerr << kUsage;
        return kExitUsage;
    }
    return run(*options);
}

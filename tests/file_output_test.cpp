#include "app/file_output.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/sjis.h"

namespace tenkari {
namespace {

using test::sjis;

// A typed name becomes part of the file name: a separator or a drive colon must never lead the
// file out of the current directory, while a trail byte 0x5C (表, ソ) or 0x3A is no separator.
TEST(NamesAFileInCurrentDirectory, RefusesSeparatorsAndWhatWindowsRefusesAsCharactersOfTheirOwn) {
    const struct {
        std::string name;
        bool local;
    } cases[] = {
        {sjis("木林森1999年.TXT"), true},
        {sjis("表1999年.TXT"), true},    // 表 is 0x95 0x5C
        {sjis("ソニ1999年.TXT"), true},  // ソ is 0x83 0x5C
        {sjis("能1999年.TXT"), true},    // 能 is 0x94 0x5C
        {"\x81\x46"
         "1999.TXT",
         true},  // ： (full width) holds 0x46, no colon
        {"..1999.TXT", true},
        {sjis("a\\b1999年.TXT"), false},
        {sjis("a/b1999年.TXT"), false},
        {sjis("C:x1999年.TXT"), false},
        {sjis("..\\..\\x1999年.TXT"), false},
        {sjis("表\\1999年.TXT"), false},  // a separator right after a trail byte 0x5C
        {sjis("\\\\server\\share1999年.TXT"), false},
        {"\xB1/1999.TXT", false},  // a half-width katakana is a single byte
        // Windows makes no file with these; a name that code page 932 could not hold has "?".
        {sjis("?田1999年.TXT"), false},
        {sjis("木*1999年.TXT"), false},
        {sjis("木|1999年.TXT"), false},
        {sjis("木\"1999年.TXT"), false},
        {sjis("<木>1999年.TXT"), false},
        {"\x96\xD8\t1999.TXT", false},  // 木 and a tab
        {sjis("ポ1999年.TXT"), true},   // ポ is 0x83 0x7C
        {"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(names_a_file_in_current_directory(c.name), c.local) << test::utf8(c.name);
    }
}

class FileOutputInTempDir : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("tenkari-file-output-" +
                std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    static std::string read(const std::filesystem::path& path) {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    std::filesystem::path dir_;
};

TEST_F(FileOutputInTempDir, ReplacesALongerFileExactly) {
    const std::filesystem::path path = dir_ / "reading.TXT";
    std::ofstream(path, std::ios::binary) << std::string(5000, 'x');
    ReadingRecord record;
    std::strcpy(record.annual_text, "\nreading\n");
    std::strcpy(record.output_file_name, "reading.TXT");
    record.write_annual = 1;
    EXPECT_TRUE(write_output_file(record, path));
    EXPECT_EQ(read(path), "\nreading\n");
    // Pressed twice, the file holds the reading once.
    EXPECT_TRUE(write_output_file(record, path));
    EXPECT_EQ(read(path), "\nreading\n");
}

TEST_F(FileOutputInTempDir, WritesNothingForANameWithASeparator) {
    ReadingRecord record;
    std::strcpy(record.annual_text, "\nreading\n");
    std::strcpy(record.output_file_name, "a/b1999.TXT");
    record.write_annual = 1;
    EXPECT_FALSE(may_write_output_file(record));
    EXPECT_FALSE(write_output_file(record, dir_ / "a-b1999.TXT"));
    EXPECT_TRUE(std::filesystem::is_empty(dir_));
}

TEST(MayWriteOutputFile, WaitsForAnAcceptedInput) {
    ReadingRecord record;
    EXPECT_FALSE(may_write_output_file(record));  // no reading yet: no file name
    std::strcpy(record.output_file_name, "x1999.TXT");
    EXPECT_TRUE(may_write_output_file(record));
    record.input_failed = 1;
    EXPECT_FALSE(may_write_output_file(record));
}

// The shell reports a refused name as a reading not saved, but says nothing while a rejected
// input is pending: that press asked for nothing to be saved. A pending rejection comes first,
// whatever the name left from before.
TEST(FileOutputStep, TellsARefusedNameFromNothingToWrite) {
    const struct {
        const char* file_name;
        int input_failed;
        FileOutputStep step;
    } cases[] = {
        {"x1999.TXT", 0, FileOutputStep::write},
        {"x1999.TXT", 1, FileOutputStep::nothing_to_write},
        {"?x1999.TXT", 0, FileOutputStep::name_refused},
        {"a\\b1999.TXT", 0, FileOutputStep::name_refused},
        {"?x1999.TXT", 1, FileOutputStep::nothing_to_write},
        {"", 0, FileOutputStep::name_refused},
    };
    for (const auto& c : cases) {
        ReadingRecord record;
        std::strcpy(record.output_file_name, c.file_name);
        record.input_failed = c.input_failed;
        EXPECT_EQ(file_output_step(record), c.step) << c.file_name << " " << c.input_failed;
        EXPECT_EQ(may_write_output_file(record), c.step == FileOutputStep::write) << c.file_name;
    }
}

// A full disk shows only when the buffered bytes are flushed at the close.
// A volume that takes no more fails the write only when the file is flushed on closing: the
// failure must be reported, and an earlier file of that name keep what it held.
TEST(WriteOutputFile, AFailureThatShowsAtTheCloseKeepsTheEarlierFile) {
    const auto folder = std::filesystem::path(::testing::TempDir()) / "disk_that_takes_no_more";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const auto earlier = folder / "reading.TXT";
    std::ofstream(earlier, std::ios::binary) << "earlier";
    ReadingRecord record;
    std::strcpy(record.annual_text, "\na reading longer than the disk takes\n");
    std::strcpy(record.output_file_name, "reading.TXT");
    record.write_annual = 1;

    rlimit limit = {};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small = {16, limit.rlim_max};
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const bool written = write_output_file(record, earlier);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(written);
    std::ifstream kept(earlier, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "earlier");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
}

}  // namespace
}  // namespace tenkari

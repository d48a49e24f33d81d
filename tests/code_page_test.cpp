#include "cli/code_page.h"

#include <gtest/gtest.h>

#include <string>

namespace tenkari {
namespace {

const std::string kTreeSjis = "\x96\xd8";  // 木; \x41 below is "A"

// Each piece that is not UTF-8 is one "?", and the byte that breaks a sequence is converted on
// its own: a name typed with a broken character keeps the characters after it.
TEST(Utf8ToSjis, EachBadPieceIsOneQuestionMark) {
    const struct {
        const char* what;
        std::string utf8;
        std::string sjis;
    } cases[] = {
        {"a lead byte before a letter", "\xE3\x41", "?A"},
        {"a kanji cut short before a letter", "\xE4\xB8\x41", "?A"},
        {"a kanji cut short before a kanji", "\xE4\xB8\xE6\x9C\xA8", "?" + kTreeSjis},
        {"a kanji cut short at the end", "\xE6\x9C\xA8\xE6\x9C", kTreeSjis + "?"},
        {"a four-byte lead before a letter", "\xF0\x9F\x98\x41", "?A"},
        {"stray continuation bytes", "\x80\xBF", "??"},
        {"an overlong slash", "\xC0\xAF", "??"},
        {"an overlong three-byte form", "\xE0\x80\xAF", "???"},
        {"a surrogate", "\xED\xA0\x80", "???"},
        {"above U+10FFFF", "\xF4\x90\x80\x80", "????"},
        {"bytes never in UTF-8", "\xFE\xFF\x41", "??A"},
        {"a whole character code page 932 lacks", "\xF0\x9F\x98\x80\x41", "?A"},
        {"whole characters", "\xE6\x9C\xA8\x41", kTreeSjis + "A"},
        // The platform's converter drops the tag characters U+E0000..U+E007F silently; a
        // character the code page lacks must still leave its "?".
        {"a tag character", "\x41\xF3\xA0\x80\xA0\x41", "A?A"},
        {"the first and last tag characters", "\xF3\xA0\x80\x80\xF3\xA0\x81\xBF", "??"},
        {"tag characters among kanji", "\xE6\x9C\xA8\xF3\xA0\x81\x81\xE6\x9C\xA8",
         kTreeSjis + "?" + kTreeSjis},
        {"a tag character cut short", "\xF3\xA0\x80\x41", "?A"},
        {"the character after the tags", "\xF3\xA0\x82\x80", "?"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cli::utf8_to_sjis(c.utf8), c.sjis) << c.what;
    }
}

TEST(SjisToUtf8, EachBadPieceIsOneQuestionMark) {
    const struct {
        const char* what;
        std::string sjis;
        std::string utf8;
    } cases[] = {
        {"a lead byte before a blank", "\x81 ", "? "},
        {"a lead byte before a line feed", "\x88\n", "?\n"},
        {"a lead byte at the end", kTreeSjis + "\x88", "\xE6\x9C\xA8?"},
        {"a character code page 932 lacks", "\x85\x40\x41", "?A"},
        {"single bytes never in code page 932", "\x80\xA0\xFD", "???"},
        {"whole characters", kTreeSjis + "A", "\xE6\x9C\xA8\x41"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cli::sjis_to_utf8(c.sjis), c.utf8) << c.what;
    }
}

}  // namespace
}  // namespace tenkari

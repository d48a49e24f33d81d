#include "app/supplementary_characters.h"

#include <gtest/gtest.h>

namespace tenkari {
namespace {

// Without the replacement the converter gives "??" for 𠮷, and the name walk pairs "?" with
// the first byte of 田.
TEST(SupplementaryCharacters, EachBecomesOneQuestionMark) {
    const struct {
        std::u16string_view utf16;
        std::u16string_view expected;
    } cases[] = {
        {u"𠮷田", u"?田"},
        {u"😀木", u"?木"},
        {u"木😀😀", u"木??"},
        {u"木林森", u"木林森"},
        {u"", u""},
        // A surrogate standing alone, at either end or before another character.
        {u"\xD842", u"?"},
        {u"\xDFB7田", u"?田"},
        {u"\xD842木", u"?木"},
        // A low surrogate then a high one is two strays, not a pair.
        {u"\xDFB7\xD842", u"??"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(one_mark_per_supplementary_character(c.utf16), c.expected);
    }
}

}  // namespace
}  // namespace tenkari

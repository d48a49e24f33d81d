#include "app/message_inserts.h"

#include <gtest/gtest.h>

namespace tenkari {
namespace {

// A system message asked for without arguments keeps its %1: the box must show the file.
TEST(FillMessageInserts, PutsTheSubjectInEveryInsert) {
    const struct {
        const wchar_t* message;
        const wchar_t* filled;
    } cases[] = {
        {L"%1 の形式が不正です。", L"a.html の形式が不正です。"},
        {L"%1 と %2", L"a.html と a.html"},
        {L"%12!s! です", L"a.html です"},
        {L"100% 完了", L"100% 完了"},
        {L"末尾 %", L"末尾 %"},
        {L"%0", L"%0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fill_message_inserts(c.message, L"a.html"), c.filled);
    }
}

}  // namespace
}  // namespace tenkari

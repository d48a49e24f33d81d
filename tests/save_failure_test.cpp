#include "app/save_failure.h"

#include <gtest/gtest.h>

#include "app/message_inserts.h"

namespace tenkari {
namespace {

// Windows says "access is denied" to a folder in the way and to a read-only file alike; the box
// must name what is really in the way, and a full disk as such.
TEST(ClassifySaveFailure, NamesWhatStoodInTheWayBeforeTheSystemsError) {
    const struct {
        SaveTarget target;
        std::uint32_t error;
        SaveFailure failure;
    } cases[] = {
        {{true, false}, 0, SaveFailure::folder_in_the_way},
        {{true, true}, 5, SaveFailure::folder_in_the_way},
        {{false, true}, 0, SaveFailure::read_only_file},
        {{false, false}, 112, SaveFailure::disk_full},
        {{false, false}, 39, SaveFailure::disk_full},
        {{false, false}, 5, SaveFailure::other},  // a folder the user may not write to
        {{false, false}, 32, SaveFailure::other},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(classify_save_failure(c.target, c.error), c.failure) << c.error;
    }
}

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

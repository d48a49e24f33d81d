#include "app/help_choice.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace tenkari {
namespace {

// The version word holds the build number in its high word, the minor version in bits 8 to 15
// and the major version in the low byte; only the major version decides.
TEST(HelpFormFor, OpensThePageFromWindowsTenOn) {
    const struct {
        std::uint32_t version_word;
        HelpForm form;
    } cases[] = {
        {0x1DB10106u, HelpForm::win_help_file},  // Windows 7 SP1: 6.1.7601
        {0x23F00206u, HelpForm::win_help_file},  // Windows 8: 6.2.9200
        {0x25800306u, HelpForm::win_help_file},  // Windows 8.1: 6.3.9600
        {0x0A06u, HelpForm::win_help_file},      // 6.10: a minor version of 10 is no Windows 10
        {0x47BA000Au, HelpForm::web_page},       // Windows 10 1903: 10.0.18362
        {0x55F0000Au, HelpForm::web_page},       // Windows 11: 10.0.22000
        {0x0000000Bu, HelpForm::web_page},       // a later major version
    };
    for (const auto& c : cases) {
        EXPECT_EQ(help_form_for(c.version_word), c.form) << std::hex << c.version_word;
    }
}

}  // namespace
}  // namespace tenkari

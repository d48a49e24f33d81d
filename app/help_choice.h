#pragma once

#include <cstdint>

namespace tenkari {

// The two forms of the same help that ship beside the program.
enum class HelpForm {
    // テンカリ.HLP, opened at its contents in the WinHelp viewer.
    win_help_file,
    // テンカリ.html, opened in the user's browser, where the contents come first.
    web_page,
};

// Chooses the help form from the platform version word (major version in its low byte): Windows
// up to 8.1 (6.3) shows a WinHelp file with the viewer that Microsoft offers as a download for
// each of them; Windows 10 and 11, which both report major version 10 to a program whose manifest
// names Windows 10, have no such viewer and show only a notice for a .HLP file.
constexpr HelpForm help_form_for(std::uint32_t version_word) {
    const std::uint32_t major_version = version_word & 0xFFu;
    return major_version >= 10 ? HelpForm::web_page : HelpForm::win_help_file;
}

}  // namespace tenkari

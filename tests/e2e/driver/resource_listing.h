// The menu and dialog templates as an exe's resources hold them, loaded from the exe as a data
// file (another process's live menu cannot be walked under Wine) and given as JSON arrays.
#pragma once

#include <optional>
#include <string>

namespace e2e {

// [{"depth","kind":"popup"|"command"|"separator","id","text","enabled","checked"}, ...]
std::optional<std::string> list_menu(const std::wstring& exe, const std::wstring& menu_name);
// {"style","caption","font_size","font","x","y","cx","cy","controls":[{"class","id","text",
// "style","x","y","cx","cy"}, ...]}
std::optional<std::string> list_dialog(const std::wstring& exe, const std::wstring& dialog_name);
// The image the system picks from icon resource NAME for size x size pixels, as a window at that
// size would show it: {"width","height","bits","partly_transparent"}, the bits per pixel of its
// colour bitmap and how many of its pixels are neither opaque nor clear.
std::optional<std::string> icon_image(const std::wstring& exe, const std::wstring& icon_name,
                                      int size);

}  // namespace e2e

#pragma once

#include <windows.h>

#include <string_view>

#include "reckoning/hexagram_reading.h"

namespace tenkari::win32 {

// The information sound, then a box with the Shift-JIS reading, the caption of the string
// table's caption_id and an OK button, owned by owner. Returns when the user closes it.
void show_reading_box(HWND owner, std::string_view sjis_reading, UINT caption_id);

// A message with no caption of its own (the platform's default) and an OK button only.
void show_plain_message(HWND owner, std::string_view sjis_message);

// The hexagram command's boxes, all owned by the main window.
class MessageBoxHexagramView : public HexagramView {
  public:
    explicit MessageBoxHexagramView(HWND main_window) : main_window_(main_window) {}
    void show_message(std::string_view sjis_message) override;
    void show_hexagram_reading(std::string_view sjis_text) override;

  private:
    HWND main_window_;
};

}  // namespace tenkari::win32

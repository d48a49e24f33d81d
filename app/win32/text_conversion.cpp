#include "app/win32/text_conversion.h"

#include <windows.h>

#include "app/supplementary_characters.h"

namespace tenkari::win32 {
namespace {

constexpr UINT kShiftJisCodePage = 932;

}  // namespace

std::wstring sjis_to_utf16(std::string_view sjis) {
    if (sjis.empty()) {
        return {};
    }
    const int size = static_cast<int>(sjis.size());
    const int length = MultiByteToWideChar(kShiftJisCodePage, 0, sjis.data(), size, nullptr, 0);
    std::wstring utf16(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(kShiftJisCodePage, 0, sjis.data(), size, utf16.data(), length);
    return utf16;
}

std::string utf16_to_sjis(std::wstring_view text) {
    const std::wstring utf16 = one_mark_per_supplementary_character(text);
    if (utf16.empty()) {
        return {};
    }
    const int size = static_cast<int>(utf16.size());
    const int length =
        WideCharToMultiByte(kShiftJisCodePage, 0, utf16.data(), size, nullptr, 0, nullptr, nullptr);
    std::string sjis(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(kShiftJisCodePage, 0, utf16.data(), size, sjis.data(), length, nullptr,
                        nullptr);
    return sjis;
}

}  // namespace tenkari::win32

#include "app/message_inserts.h"

namespace tenkari {
namespace {

bool is_digit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

}  // namespace

std::wstring fill_message_inserts(std::wstring_view message, std::wstring_view insert) {
    std::wstring filled;
    for (std::size_t i = 0; i < message.size(); ++i) {
        if (message[i] != L'%' || i + 1 == message.size() || !is_digit(message[i + 1]) ||
            message[i + 1] == L'0') {
            filled += message[i];
            continue;
        }
        // %1 to %99, with a printf format between exclamation marks after it if any.
        i += is_digit(i + 2 < message.size() ? message[i + 2] : L' ') ? 2 : 1;
        if (i + 1 < message.size() && message[i + 1] == L'!') {
            const std::size_t close = message.find(L'!', i + 2);
            if (close != std::wstring_view::npos) {
                i = close;
            }
        }
        filled += insert;
    }
    return filled;
}

}  // namespace tenkari

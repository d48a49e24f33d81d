#include "program_settled.h"

namespace e2e::settled {

bool back_in_message_loop(HWND window, UINT timeout_ms) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, timeout_ms, &result) != 0;
}

bool poll(DWORD timeout_ms, const std::function<bool()>& done, DWORD interval_ms) {
    const ULONGLONG deadline = GetTickCount64() + timeout_ms;
    for (;;) {
        if (done())
            return true;
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(interval_ms);
    }
}

}  // namespace e2e::settled

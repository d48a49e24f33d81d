#include "program_settled.h"

namespace e2e::settled {
namespace {

constexpr UINT kLoopReplyMs = 5000;
constexpr DWORD kPollIntervalMs = 10;

}  // namespace

bool back_in_message_loop(HWND main_window) {
    return SendMessageTimeoutW(main_window, WM_NULL, 0, 0, SMTO_BLOCK, kLoopReplyMs, nullptr) != 0;
}

bool poll(DWORD timeout_ms, const std::function<bool()>& done) {
    const ULONGLONG deadline = GetTickCount64() + timeout_ms;
    for (;;) {
        if (done())
            return true;
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(kPollIntervalMs);
    }
}

}  // namespace e2e::settled

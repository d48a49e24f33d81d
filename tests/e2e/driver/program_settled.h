// Waiting for the program: for its message loop, or for a condition, up to a deadline.
#pragma once

#include <windows.h>

#include <functional>

namespace e2e::settled {

// How long the program may take to come back to a message loop.
inline constexpr UINT kBarrierMs = 10000;

// Whether the thread that owns the window has come back to a message loop (its own or a modal
// one) and answered a message sent to the window. It takes sent messages only there, never in
// the middle of handling a message, so what it was doing before is then complete.
bool back_in_message_loop(HWND window, UINT timeout_ms = kBarrierMs);

// Calls `done` every interval_ms until it holds (true) or the deadline passes (false).
bool poll(DWORD timeout_ms, const std::function<bool()>& done, DWORD interval_ms = 10);

}  // namespace e2e::settled

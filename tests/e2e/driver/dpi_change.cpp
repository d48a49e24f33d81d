#include "dpi_change.h"

#include "json_line.h"
#include "program_settled.h"
#include "window_query.h"

namespace e2e {
namespace {

// A RECT written into another process, freed with the object.
class RemoteRect {
  public:
    RemoteRect(DWORD process_id, const RECT& rect)
        : process_(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, process_id)) {
        if (process_ == nullptr)
            return;
        address_ = VirtualAllocEx(process_, nullptr, sizeof rect, MEM_COMMIT | MEM_RESERVE,
                                  PAGE_READWRITE);
        if (address_ != nullptr &&
            !WriteProcessMemory(process_, address_, &rect, sizeof rect, nullptr)) {
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
            address_ = nullptr;
        }
    }
    ~RemoteRect() {
        if (address_ != nullptr)
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_ != nullptr)
            CloseHandle(process_);
    }
    RemoteRect(const RemoteRect&) = delete;
    RemoteRect& operator=(const RemoteRect&) = delete;
    void* address() const { return address_; }

  private:
    HANDLE process_;
    void* address_ = nullptr;
};

}  // namespace

std::string send_dpi_change(HWND main_window, int dpi, const RECT& suggested) {
    if (!settled::back_in_message_loop(main_window))
        return JsonLine::failure("the program is not in its message loop");
    DWORD process_id = 0;
    GetWindowThreadProcessId(main_window, &process_id);
    const RemoteRect remote(process_id, suggested);
    if (remote.address() == nullptr)
        return JsonLine::failure("cannot place the rectangle in the program: " +
                                 std::to_string(GetLastError()));
    const auto dpi_word = static_cast<WORD>(dpi);
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(main_window, WM_DPICHANGED, MAKEWPARAM(dpi_word, dpi_word),
                             reinterpret_cast<LPARAM>(remote.address()), SMTO_BLOCK,
                             kReplyTimeoutMs, &result)) {
        return JsonLine::failure("WM_DPICHANGED was not handled");
    }
    if (!settled::back_in_message_loop(main_window))
        return JsonLine::failure("the program did not come back to its message loop");
    // In the screen's own pixels, as the program set them.
    RECT now = {};
    {
        const PerMonitorReads reads;
        GetWindowRect(main_window, &now);
    }
    return JsonLine().field("ok", true).place(now).str();
}

}  // namespace e2e

// tenkari_e2e_driver: starts tenkari.exe and drives it as a person would, through window
// messages. It reads one command per line on stdin (fields separated by tabs, UTF-8) and
// answers each with one JSON line on stdout; the test scripts hold the expected sequences.
//
// Every read of the program's windows comes after a barrier: a message sent to the program that
// it takes only from a message loop. Once the barrier is passed the program has finished what it
// was doing (making a window, handling a click), and the state is read again. A sent message
// overtakes posted ones, so the barrier does not wait for a posted command: the scripts wait for
// what the command shows, or open the About box after it (posted commands run in order).
//
//   start EXE DIR [ARGS] start the program in DIR and wait for its main window (its first visible
//                        top-level window); how long it took
//   page TEXT [MS]       wait for a page of the program (an installer's dialog) that shows TEXT;
//                        its caption and controls. Later clicks and presses go to that page
//   press LABEL          post BM_CLICK to the push button or check box LABEL of the last page
//   adopt CAPTION [MS]   wait for a visible window CAPTION of a process that the program started
//                        (the program an installer's finish page starts), and drive that process
//                        from then on, as if it had been started here
//   command ID           post WM_COMMAND ID to the main window (a menu choice)
//   wait KIND [MS]       wait for a visible input_dialog, message_box or other_dialog of the
//                        program, or a foreign_box: a dialog of a process that the program
//                        started (the help viewer)
//   gone KIND [MS]       wait until the last window of that kind has left the screen
//   set ID TEXT          put TEXT into control ID of the input dialog
//   click KIND ID        post BM_CLICK to control ID of the last window of KIND
//   key ID VK            press virtual key VK in control ID of the input dialog
//   close KIND           the caption's close box of the last window of KIND
//   windows              the visible top-level windows of the program
//   buttons [COUNT [MS]] the main window's children with id 202, once there are COUNT of them
//   press_file_button    wait for the one file output button, click it and return once the
//                        click has been handled
//   wait_exit [MS]       wait for the program to end; its exit code
//   kill                 end the program at once
//   end_foreign          end the process of the last foreign_box or help viewer
//   viewer [MS]          wait for the help viewer to show a topic: its caption, the topic's text
//                        and the captions of the dialogs of other processes up beside it
//   menu EXE NAME        the menu resource NAME of EXE
//   dialog EXE NAME      the dialog template NAME of EXE
//   keys VK...           press the virtual keys together as at the keyboard (0x11 0x53: Ctrl+S)
//                        into the main window; returns once the program has taken them
//   scaled_button [MS]   the file output button's rectangle in screen pixels, the main window's
//                        DPI and DPI awareness, once there is one button
//   dpi_changed DPI X Y W H  WM_DPICHANGED for DPI with that suggested window rectangle; the
//                        main window's rectangle after it
//   system_error CODE    what the system says of error CODE here, as the program quotes it
//   icon EXE NAME SIZE   the image of icon resource NAME of EXE that the system picks at SIZE
//   status [TEXT [MS]]   the text of the main window's status bar, once it says TEXT if given
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "dpi_change.h"
#include "help_viewer.h"
#include "installer_pages.h"
#include "json_line.h"
#include "keyboard_input.h"
#include "program_settled.h"
#include "resource.h"
#include "resource_listing.h"
#include "scaled_button.h"
#include "text.h"
#include "window_query.h"

namespace e2e {
namespace {

constexpr DWORD kDefaultWaitMs = 10000;
constexpr DWORD kStartWaitMs = 60000;
// Finer while a start is timed.
constexpr DWORD kStartPollIntervalMs = 1;

using Fields = std::vector<std::wstring>;

std::string error(const std::string& what) {
    return JsonLine::failure(what);
}

DWORD timeout_field(const Fields& fields, size_t index, DWORD fallback) {
    return fields.size() > index
               ? static_cast<DWORD>(std::wcstoul(fields[index].c_str(), nullptr, 10))
               : fallback;
}

class Driver {
  public:
    std::string run(const Fields& fields) {
        try {
            return run_verb(fields);
        } catch (const ReadFailure& failure) {
            return error(failure.what());
        }
    }

    ~Driver() {
        if (process_.hProcess != nullptr)
            kill();
    }

  private:
    std::string run_verb(const Fields& fields) {
        const std::wstring& verb = fields[0];
        if (verb == L"start")
            return start(fields);
        if (verb == L"menu" && fields.size() == 3) {
            auto items = list_menu(fields[1], fields[2]);
            return items ? JsonLine().field("ok", true).raw("items", *items).str()
                         : error("no menu");
        }
        if (verb == L"dialog" && fields.size() == 3) {
            auto dialog = list_dialog(fields[1], fields[2]);
            return dialog ? JsonLine().field("ok", true).raw("dialog", *dialog).str()
                          : error("no dialog template");
        }
        if (verb == L"icon" && fields.size() == 4) {
            const int size = std::wcstol(fields[3].c_str(), nullptr, 10);
            auto image = icon_image(fields[1], fields[2], size);
            return image ? JsonLine().field("ok", true).raw("image", *image).str()
                         : error("no icon image");
        }
        if (verb == L"system_error" && fields.size() == 2) {
            const auto code = std::wcstoul(fields[1].c_str(), nullptr, 0);
            return JsonLine().field("ok", true).field("text", system_error_text(code)).str();
        }
        // The process the program started may outlive it: an installer's finish page.
        if (verb == L"adopt" && fields.size() >= 2)
            return adopt(fields);
        if (process_.hProcess == nullptr)
            return error("no program started");
        if (verb == L"command" && fields.size() == 2)
            return command(fields[1]);
        if (verb == L"page" && fields.size() >= 2)
            return page(fields);
        if (verb == L"press" && fields.size() == 2)
            return press(fields[1]);

        if (verb == L"wait" && fields.size() >= 2)
            return wait(fields);
        if (verb == L"gone" && fields.size() >= 2)
            return gone(fields);
        if (verb == L"set" && fields.size() == 3)
            return set(fields);
        if (verb == L"click" && fields.size() == 3)
            return click(fields);
        if (verb == L"key" && fields.size() == 3)
            return key(fields);
        if (verb == L"close" && fields.size() == 2)
            return close(fields[1]);
        if (verb == L"windows")
            return windows();
        if (verb == L"status")
            return status(fields);
        if (verb == L"buttons")
            return buttons(fields);
        if (verb == L"press_file_button")
            return press_file_button();
        if (verb == L"wait_exit")
            return wait_exit(timeout_field(fields, 1, kDefaultWaitMs));
        if (verb == L"kill")
            return kill();
        if (verb == L"end_foreign")
            return end_foreign();
        if (verb == L"keys" && fields.size() >= 2) {
            std::vector<WORD> virtual_keys;
            for (size_t i = 1; i < fields.size(); ++i)
                virtual_keys.push_back(
                    static_cast<WORD>(std::wcstoul(fields[i].c_str(), nullptr, 0)));
            return press_keys(main_, virtual_keys, kDefaultWaitMs);
        }
        if (verb == L"dpi_changed" && fields.size() == 6) {
            const auto number = [&](size_t i) {
                return std::wcstol(fields[i].c_str(), nullptr, 10);
            };
            const RECT suggested = {number(2), number(3), number(2) + number(4),
                                    number(3) + number(5)};
            return send_dpi_change(main_, static_cast<int>(number(1)), suggested);
        }
        if (verb == L"scaled_button")
            return scaled_button(main_, IDM_FILE_OUTPUT, timeout_field(fields, 1, kDefaultWaitMs));
        if (verb == L"viewer")
            return viewer(fields);
        return error("unknown command " + to_utf8(verb));
    }

    // The program is back in a message loop; a ReadFailure when it does not come back in time.
    void barrier(HWND window) const {
        if (!settled::back_in_message_loop(window)) {
            throw ReadFailure("the program did not come back to its message loop within " +
                              std::to_string(settled::kBarrierMs) + " ms");
        }
    }

    // Polls until `holds` is true, then passes the barrier and asks again, so that what holds
    // is what the program left once it was done, not a state on the way.
    bool settles(DWORD timeout_ms, const std::function<bool()>& holds, HWND barrier_window) const {
        return settled::poll(timeout_ms, [&] {
            if (!holds())
                return false;
            barrier(barrier_window);
            return holds();
        });
    }

    std::string start(const Fields& fields) {
        if (fields.size() != 3 && fields.size() != 4)
            return error("start EXE DIR [ARGS]");
        if (process_.hProcess != nullptr)
            kill();
        LARGE_INTEGER frequency, started_at, shown_at;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&started_at);
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        std::wstring command_line = L"\"" + fields[1] + L"\"";
        if (fields.size() == 4)
            command_line += L" " + fields[3];
        // ERROR_INTERNAL_ERROR is Wine's word for a new process that ended before it had started,
        // before any code of the program ran (seen once in about 200 starts on a busy machine).
        // The program is then started once more; any other error, or that one twice, fails.
        BOOL created = FALSE;
        for (int attempt = 0; attempt < 2 && !created; ++attempt) {
            created = CreateProcessW(fields[1].c_str(), command_line.data(), nullptr, nullptr,
                                     FALSE, 0, nullptr, fields[2].c_str(), &startup, &process_);
            if (!created && GetLastError() != ERROR_INTERNAL_ERROR)
                break;
        }
        if (!created) {
            process_ = {};
            return error("CreateProcessW failed: " + std::to_string(GetLastError()));
        }
        last_.clear();
        started_process_id_ = process_.dwProcessId;
        // The first visible top-level window is the main window (a bare window program, timed
        // against tenkari.exe, has only that one).
        HWND main = nullptr;
        const bool shown = settled::poll(
            kStartWaitMs,
            [&] {
                const auto shown_now = visible_windows_of(process_.dwProcessId);
                main = shown_now.empty() ? nullptr : shown_now.front();
                return main != nullptr;
            },
            kStartPollIntervalMs);
        QueryPerformanceCounter(&shown_at);
        const double elapsed_ms = 1000.0 *
                                  static_cast<double>(shown_at.QuadPart - started_at.QuadPart) /
                                  static_cast<double>(frequency.QuadPart);
        if (!shown)
            return error("no main window");
        barrier(main);
        main_ = main;
        return JsonLine()
            .field("ok", true)
            .field("caption", text_of(main))
            .field("class", class_of(main))
            .field("has_menu", GetMenu(main) != nullptr)
            .field("elapsed_us", static_cast<long long>(elapsed_ms * 1000.0))
            .str();
    }

    std::string page(const Fields& fields) {
        HWND found = nullptr;
        // The page is read once its own thread has come back to its message loop.
        const bool shown = settled::poll(timeout_field(fields, 2, kDefaultWaitMs), [&] {
            found = page_showing(process_.dwProcessId, fields[1]);
            if (found == nullptr)
                return false;
            barrier(found);
            found = page_showing(process_.dwProcessId, fields[1]);
            return found != nullptr;
        });
        if (!shown)
            return error("no page showed " + to_utf8(fields[1]));
        main_ = found;
        return JsonLine().field("ok", true).raw("page", describe_page(found)).str();
    }

    std::string press(const std::wstring& label) {
        HWND control = control_labelled(main_, label);
        if (control == nullptr)
            return error("the page has no button " + to_utf8(label));
        // Posted: the press may end the page, and its loop with it.
        PostMessageW(control, BM_CLICK, 0, 0);
        return JsonLine().field("ok", true).str();
    }

    std::string adopt(const Fields& fields) {
        const DWORD parent = started_process_id_;
        HWND found = nullptr;
        const bool shown = settled::poll(timeout_field(fields, 2, kStartWaitMs), [&] {
            found = nullptr;
            for (HWND window : visible_windows_of(child_processes_of(parent))) {
                if (text_of(window) == fields[1]) {
                    found = window;
                    return true;
                }
            }
            return false;
        });
        if (!shown)
            return error("no window " + to_utf8(fields[1]) + " of a process it started");
        DWORD process_id = 0;
        const DWORD thread_id = GetWindowThreadProcessId(found, &process_id);
        if (process_.hProcess != nullptr)
            release();
        process_.hProcess = OpenProcess(PROCESS_ALL_ACCESS, FALSE, process_id);
        process_.hThread = OpenThread(THREAD_ALL_ACCESS, FALSE, thread_id);
        process_.dwProcessId = process_id;
        process_.dwThreadId = thread_id;
        if (process_.hProcess == nullptr)
            return error("the process cannot be opened");
        barrier(found);
        main_ = found;
        return JsonLine().field("ok", true).field("caption", text_of(found)).str();
    }

    std::string command(const std::wstring& id) {
        const auto command_id = static_cast<WORD>(std::wcstol(id.c_str(), nullptr, 10));
        PostMessageW(main_, WM_COMMAND, MAKEWPARAM(command_id, 0), 0);
        return JsonLine().field("ok", true).str();
    }

    static bool parse_kind(const std::wstring& name, WindowKind& kind) {
        static const std::map<std::wstring, WindowKind> kKinds = {
            {L"main_window", WindowKind::main_window},
            {L"input_dialog", WindowKind::input_dialog},
            {L"message_box", WindowKind::message_box},
            {L"other_dialog", WindowKind::other_dialog},
            {L"foreign_box", WindowKind::foreign_box}};
        const auto found = kKinds.find(name);
        if (found == kKinds.end())
            return false;
        kind = found->second;
        return true;
    }

    HWND last(WindowKind kind) const {
        if (kind == WindowKind::main_window)
            return main_;
        const auto found = last_.find(kind);
        return found == last_.end() ? nullptr : found->second;
    }

    std::string owner_name(HWND window) const {
        HWND owner = GetWindow(window, GW_OWNER);
        if (owner == nullptr)
            return "none";
        if (owner == main_)
            return "main_window";
        if (owner == last(WindowKind::input_dialog))
            return "input_dialog";
        return "other";
    }

    std::string describe(HWND window) const {
        const WindowKind kind =
            window == last(WindowKind::foreign_box) ? WindowKind::foreign_box : kind_of(window);
        JsonLine line;
        line.field("kind", kind_name(kind))
            .field("caption", text_of(window))
            .field("owner", owner_name(window));
        if (kind == WindowKind::message_box) {
            const std::wstring text = text_of(GetDlgItem(window, kMessageBoxTextId));
            line.field("text", text).field("text_cp932", to_cp932_hex(text));
            // Which buttons the box offers, and whether it shows an icon.
            std::string button_ids;
            bool shows_icon = false;
            for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
                 child = GetWindow(child, GW_HWNDNEXT)) {
                if (!IsWindowVisible(child))
                    continue;
                const std::wstring child_class = class_of(child);
                if (_wcsicmp(child_class.c_str(), L"Button") == 0) {
                    if (!button_ids.empty())
                        button_ids += ',';
                    button_ids += std::to_string(GetDlgCtrlID(child));
                } else if (_wcsicmp(child_class.c_str(), L"Static") == 0 &&
                           (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
                    // The icon place is there in every box; it shows one only when set.
                    shows_icon = shows_icon || icon_of(child) != nullptr;
                }
            }
            line.raw("buttons", "[" + button_ids + "]").field("shows_icon", shows_icon);
        }
        if (kind == WindowKind::input_dialog) {
            line.field("name", text_of(GetDlgItem(window, IDC_NAME)))
                .field("birth_year", text_of(GetDlgItem(window, IDC_BIRTH_YEAR)))
                .field("judged_year", text_of(GetDlgItem(window, IDC_JUDGED_YEAR)))
                .field("male_checked", is_checked(GetDlgItem(window, IDC_MALE)))
                .field("female_checked", is_checked(GetDlgItem(window, IDC_FEMALE)));
        }
        if (kind == WindowKind::other_dialog || kind == WindowKind::foreign_box) {
            std::string texts;
            for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
                 child = GetWindow(child, GW_HWNDNEXT)) {
                if (!texts.empty())
                    texts += ',';
                texts += JsonLine::quote(to_utf8(text_of(child)));
            }
            line.raw("texts", "[" + texts + "]");
        }
        return line.str();
    }

    std::string wait(const Fields& fields) {
        WindowKind kind;
        if (!parse_kind(fields[1], kind))
            return error("unknown window kind");
        HWND previous = last(kind);
        HWND found = nullptr;
        const auto find = [&] {
            found = nullptr;
            if (kind == WindowKind::foreign_box) {
                const auto foreign = visible_dialogs_of_children_of(process_.dwProcessId);
                found = foreign.empty() ? nullptr : foreign.front();
                return found != nullptr;
            }
            for (HWND window : visible_windows_of(process_.dwProcessId)) {
                // A window of this kind that is still up from before counts again only for the
                // input dialog, which stays open across rejected presses.
                if (kind_of(window) == kind &&
                    (window != previous || kind == WindowKind::input_dialog)) {
                    found = window;
                    return true;
                }
            }
            return false;
        };
        // A foreign box belongs to another process: its own thread is the one to wait for.
        const bool appeared = settled::poll(timeout_field(fields, 2, kDefaultWaitMs), [&] {
            if (!find())
                return false;
            barrier(kind == WindowKind::foreign_box ? found : main_);
            return find();
        });
        if (!appeared)
            return error(std::string("no ") + kind_name(kind) + " appeared");
        last_[kind] = found;
        if (kind == WindowKind::foreign_box)
            GetWindowThreadProcessId(found, &foreign_process_id_);
        return JsonLine().field("ok", true).raw("window", describe(found)).str();
    }

    std::string gone(const Fields& fields) {
        WindowKind kind;
        if (!parse_kind(fields[1], kind))
            return error("unknown window kind");
        HWND window = last(kind);
        if (window == nullptr)
            return error("no such window seen");
        // A dialog is hidden when it is ended, before the code that ended it has finished.
        const bool left = settles(
            timeout_field(fields, 2, kDefaultWaitMs),
            [&] { return !IsWindow(window) || !IsWindowVisible(window); }, main_);
        return left ? JsonLine().field("ok", true).str() : error("the window is still shown");
    }

    HWND control(const std::wstring& kind_field, const std::wstring& id_field) const {
        WindowKind kind;
        if (!parse_kind(kind_field, kind) || last(kind) == nullptr)
            return nullptr;
        return GetDlgItem(last(kind), std::wcstol(id_field.c_str(), nullptr, 10));
    }

    std::string set(const Fields& fields) {
        HWND entry = control(L"input_dialog", fields[1]);
        if (entry == nullptr)
            return error("no such control");
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(entry, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(fields[2].c_str()),
                                 SMTO_NORMAL, kDefaultWaitMs, &result)) {
            return error("the entry took no text");
        }
        return JsonLine().field("ok", true).field("now", text_of(entry)).str();
    }

    std::string click(const Fields& fields) {
        HWND button = control(fields[1], fields[2]);
        if (button == nullptr)
            return error("no such control");
        // Posted, not sent: the click may open a modal loop in the program.
        PostMessageW(button, BM_CLICK, 0, 0);
        return JsonLine().field("ok", true).str();
    }

    std::string key(const Fields& fields) {
        HWND entry = control(L"input_dialog", fields[1]);
        if (entry == nullptr)
            return error("no such control");
        const auto virtual_key = static_cast<WPARAM>(std::wcstoul(fields[2].c_str(), nullptr, 0));
        PostMessageW(entry, WM_KEYDOWN, virtual_key, 1);
        PostMessageW(entry, WM_KEYUP, virtual_key, 1 | (1u << 30) | (1u << 31));
        return JsonLine().field("ok", true).str();
    }

    std::string close(const std::wstring& kind_field) {
        WindowKind kind;
        if (!parse_kind(kind_field, kind) || last(kind) == nullptr)
            return error("no such window");
        PostMessageW(last(kind), WM_SYSCOMMAND, SC_CLOSE, 0);
        return JsonLine().field("ok", true).str();
    }

    std::string windows() const {
        barrier(main_);
        std::string list;
        for (HWND window : visible_windows_of(process_.dwProcessId)) {
            if (!list.empty())
                list += ',';
            list += describe(window);
        }
        return JsonLine().field("ok", true).raw("windows", "[" + list + "]").str();
    }

    // The bar is told what happened once the command is done, which may be after the window
    // that a read waits for has gone: so a given text is waited for.
    std::string status(const Fields& fields) const {
        const HWND bar = GetDlgItem(main_, IDC_STATUS_BAR);
        if (bar == nullptr)
            return error("no status bar");
        std::wstring text;
        const bool says = settles(
            fields.size() >= 2 ? timeout_field(fields, 2, kDefaultWaitMs) : 0,
            [&] {
                text = text_of(bar);
                return fields.size() < 2 || text == fields[1];
            },
            main_);
        if (!says && fields.size() >= 2)
            return error("the status bar says " + to_utf8(text));
        return JsonLine().field("ok", true).field("text", text).str();
    }

    std::string buttons(const Fields& fields) const {
        if (fields.size() >= 2) {
            // The button appears only once the input dialog has returned, after its box; it can
            // be found while it is still being made, before it is shown.
            const auto wanted = static_cast<size_t>(std::wcstoul(fields[1].c_str(), nullptr, 10));
            const auto all_shown = [&] {
                const auto found = children_with_id(main_, IDM_FILE_OUTPUT);
                return found.size() == wanted &&
                       std::all_of(found.begin(), found.end(), IsWindowVisible);
            };
            const bool reached =
                settles(timeout_field(fields, 2, kDefaultWaitMs), all_shown, main_);
            if (!reached)
                return error("the main window does not have that many buttons");
        } else {
            barrier(main_);
        }
        std::string list;
        for (HWND button : children_with_id(main_, IDM_FILE_OUTPUT)) {
            const RECT rect = rect_in_parent(button);
            const auto style = static_cast<unsigned long>(GetWindowLongW(button, GWL_STYLE));
            JsonLine line;
            line.field("class", class_of(button))
                .field("text", text_of(button))
                .place(rect)
                .field("style", static_cast<long long>(style))
                .field("extended_style",
                       static_cast<long long>(GetWindowLongW(button, GWL_EXSTYLE)))
                .field("visible", IsWindowVisible(button) != FALSE);
            if (!list.empty())
                list += ',';
            list += line.str();
        }
        return JsonLine().field("ok", true).raw("buttons", "[" + list + "]").str();
    }

    std::string press_file_button() const {
        std::vector<HWND> found;
        const bool one = settles(
            kDefaultWaitMs,
            [&] {
                found = children_with_id(main_, IDM_FILE_OUTPUT);
                return found.size() == 1;
            },
            main_);
        if (!one)
            return error("not exactly one file output button");
        // Sent, so that the reply comes once the program has handled the click: the file output
        // opens no window and returns at once.
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(found[0], BM_CLICK, 0, 0, SMTO_NORMAL, kDefaultWaitMs, &result)) {
            return error("the click was not handled");
        }
        barrier(main_);
        return JsonLine().field("ok", true).str();
    }

    std::string wait_exit(DWORD timeout_ms) {
        if (WaitForSingleObject(process_.hProcess, timeout_ms) != WAIT_OBJECT_0) {
            return error("the program did not end");
        }
        DWORD code = 0;
        GetExitCodeProcess(process_.hProcess, &code);
        release();
        return JsonLine().field("ok", true).field("exit_code", static_cast<long long>(code)).str();
    }

    std::string kill() {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, kDefaultWaitMs);
        release();
        return JsonLine().field("ok", true).str();
    }

    // The help viewer once it shows a topic. A "not found" question would stand beside it as a
    // dialog of another process, so those are listed too.
    std::string viewer(const Fields& fields) {
        HWND found = nullptr;
        const auto shows_a_topic = [&] {
            found = visible_help_viewer_of_child_of(process_.dwProcessId);
            return found != nullptr && !shown_topic_text(found).empty();
        };
        // Once the viewer has answered a sent message, it has handled everything queued before.
        const bool shown = settled::poll(timeout_field(fields, 1, kDefaultWaitMs), [&] {
            if (!shows_a_topic())
                return false;
            barrier(found);
            return shows_a_topic();
        });
        if (!shown) {
            const std::wstring caption = found ? text_of(found) : L"none";
            return error("no help viewer showed a topic; viewer window: " + to_utf8(caption));
        }
        GetWindowThreadProcessId(found, &foreign_process_id_);
        std::string dialogs;
        for (HWND dialog : visible_dialogs_of_children_of(process_.dwProcessId)) {
            if (!dialogs.empty())
                dialogs += ',';
            dialogs += JsonLine::quote(to_utf8(text_of(dialog)));
        }
        const std::string window = JsonLine()
                                       .field("caption", text_of(found))
                                       .field("text", shown_topic_text(found))
                                       .raw("dialogs", "[" + dialogs + "]")
                                       .str();
        return JsonLine().field("ok", true).raw("window", window).str();
    }

    // The help viewer stays behind, hidden, once its question is answered.
    std::string end_foreign() {
        HANDLE foreign = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, foreign_process_id_);
        if (foreign == nullptr)
            return error("no such process");
        TerminateProcess(foreign, 0);
        WaitForSingleObject(foreign, kDefaultWaitMs);
        CloseHandle(foreign);
        foreign_process_id_ = 0;
        return JsonLine().field("ok", true).str();
    }

    void release() {
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
        process_ = {};
        main_ = nullptr;
        last_.clear();
    }

    PROCESS_INFORMATION process_ = {};
    HWND main_ = nullptr;
    std::map<WindowKind, HWND> last_;
    DWORD foreign_process_id_ = 0;
    // The process that start started, which adopt looks under once it has ended.
    DWORD started_process_id_ = 0;
};

Fields split_fields(const std::string& line) {
    Fields fields;
    size_t begin = 0;
    for (;;) {
        const size_t tab = line.find('\t', begin);
        fields.push_back(from_utf8(line.substr(begin, tab - begin)));
        if (tab == std::string::npos)
            return fields;
        begin = tab + 1;
    }
}

}  // namespace
}  // namespace e2e

int main() {
    e2e::Driver driver;
    std::string line;
    for (int c = std::getchar(); c != EOF; c = std::getchar()) {
        if (c != '\n') {
            line += static_cast<char>(c);
            continue;
        }
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string reply =
            line.empty() ? e2e::error("empty command") : driver.run(e2e::split_fields(line));
        std::fputs(reply.c_str(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
        line.clear();
    }
    return 0;
}

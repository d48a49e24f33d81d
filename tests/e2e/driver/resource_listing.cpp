#include "resource_listing.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "json_line.h"
#include "text.h"

namespace e2e {
namespace {

class DataModule {
  public:
    explicit DataModule(const std::wstring& exe)
        : module_(LoadLibraryExW(exe.c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
    ~DataModule() {
        if (module_ != nullptr)
            FreeLibrary(module_);
    }
    DataModule(const DataModule&) = delete;
    DataModule& operator=(const DataModule&) = delete;
    HMODULE get() const { return module_; }

  private:
    HMODULE module_;
};

void list_menu_items(HMENU menu, int depth, std::string& items) {
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        wchar_t text[256] = {};
        MENUITEMINFOW item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU;
        item.dwTypeData = text;
        item.cch = 255;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &item))
            continue;
        const char* kind = item.hSubMenu != nullptr       ? "popup"
                           : (item.fType & MFT_SEPARATOR) ? "separator"
                                                          : "command";
        JsonLine line;
        line.field("depth", static_cast<long long>(depth))
            .field("kind", kind)
            .field("id", item.hSubMenu != nullptr ? -1LL : static_cast<long long>(item.wID))
            .field("text", std::wstring(text))
            .field("enabled", (item.fState & (MFS_DISABLED | MFS_GRAYED)) == 0)
            .field("checked", (item.fState & MFS_CHECKED) != 0);
        if (!items.empty())
            items += ',';
        items += line.str();
        if (item.hSubMenu != nullptr)
            list_menu_items(item.hSubMenu, depth + 1, items);
    }
}

// Reads a plain DLGTEMPLATE: WORDs, NUL-ended UTF-16 strings and ordinals, items on DWORDs.
class TemplateReader {
  public:
    TemplateReader(const std::uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool ok() const { return ok_; }
    std::uint16_t word() {
        std::uint16_t value = 0;
        take(&value, sizeof value);
        return value;
    }
    std::uint32_t dword() {
        std::uint32_t value = 0;
        take(&value, sizeof value);
        return value;
    }
    std::int16_t coordinate() { return static_cast<std::int16_t>(word()); }
    std::wstring string() {
        std::wstring text;
        for (std::uint16_t unit = word(); ok_ && unit != 0; unit = word()) {
            text += static_cast<wchar_t>(unit);
        }
        return text;
    }
    // A string, or an ordinal written as "#n".
    std::wstring string_or_ordinal() {
        if (peek() == 0xFFFF) {
            word();
            return L"#" + std::to_wstring(word());
        }
        return string();
    }
    void skip(size_t bytes) { position_ += bytes; }
    void align_to_dword() { position_ = (position_ + 3) & ~size_t{3}; }

  private:
    std::uint16_t peek() {
        const size_t saved = position_;
        const std::uint16_t value = word();
        position_ = saved;
        return value;
    }
    void take(void* out, size_t bytes) {
        if (position_ + bytes > size_) {
            ok_ = false;
            return;
        }
        std::memcpy(out, data_ + position_, bytes);
        position_ += bytes;
    }

    const std::uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
    bool ok_ = true;
};

std::wstring control_class_name(const std::wstring& class_field) {
    static const struct {
        const wchar_t* ordinal;
        const wchar_t* name;
    } kPredefined[] = {{L"#128", L"Button"},  {L"#129", L"Edit"},      {L"#130", L"Static"},
                       {L"#131", L"ListBox"}, {L"#132", L"ScrollBar"}, {L"#133", L"ComboBox"}};
    for (const auto& predefined : kPredefined) {
        if (class_field == predefined.ordinal)
            return predefined.name;
    }
    return class_field;
}

}  // namespace

std::optional<std::string> list_menu(const std::wstring& exe, const std::wstring& menu_name) {
    DataModule module(exe);
    if (module.get() == nullptr)
        return std::nullopt;
    HMENU menu = LoadMenuW(module.get(), menu_name.c_str());
    if (menu == nullptr)
        return std::nullopt;
    std::string items;
    list_menu_items(menu, 0, items);
    DestroyMenu(menu);
    return "[" + items + "]";
}

std::optional<std::string> list_dialog(const std::wstring& exe, const std::wstring& dialog_name) {
    DataModule module(exe);
    if (module.get() == nullptr)
        return std::nullopt;
    HRSRC found = FindResourceW(module.get(), dialog_name.c_str(), MAKEINTRESOURCEW(5));
    if (found == nullptr)
        return std::nullopt;
    const auto* data =
        static_cast<const std::uint8_t*>(LockResource(LoadResource(module.get(), found)));
    TemplateReader reader(data, SizeofResource(module.get(), found));

    JsonLine dialog;
    const std::uint32_t style = reader.dword();
    if ((style >> 16) == 0xFFFF)
        return std::nullopt;  // an extended template
    const std::uint32_t extended_style = reader.dword();
    const std::uint16_t control_count = reader.word();
    dialog.field("style", static_cast<long long>(style))
        .field("extended_style", static_cast<long long>(extended_style));
    dialog.field("x", static_cast<long long>(reader.coordinate()))
        .field("y", static_cast<long long>(reader.coordinate()))
        .field("cx", static_cast<long long>(reader.coordinate()))
        .field("cy", static_cast<long long>(reader.coordinate()));
    dialog.field("menu", reader.string_or_ordinal())
        .field("class", reader.string_or_ordinal())
        .field("caption", reader.string());
    if (style & DS_SETFONT) {
        dialog.field("font_size", static_cast<long long>(reader.word()))
            .field("font", reader.string());
    }
    std::string controls;
    for (std::uint16_t index = 0; index < control_count && reader.ok(); ++index) {
        reader.align_to_dword();
        JsonLine control;
        control.field("style", static_cast<long long>(reader.dword()))
            .field("extended_style", static_cast<long long>(reader.dword()));
        control.field("x", static_cast<long long>(reader.coordinate()))
            .field("y", static_cast<long long>(reader.coordinate()))
            .field("cx", static_cast<long long>(reader.coordinate()))
            .field("cy", static_cast<long long>(reader.coordinate()));
        control.field("id", static_cast<long long>(static_cast<std::int16_t>(reader.word())));
        control.field("class", control_class_name(reader.string_or_ordinal()))
            .field("text", reader.string_or_ordinal());
        reader.skip(reader.word());
        if (!controls.empty())
            controls += ',';
        controls += control.str();
    }
    if (!reader.ok())
        return std::nullopt;
    dialog.raw("controls", "[" + controls + "]");
    return dialog.str();
}

namespace {

// Pixels of a 32-bit colour bitmap whose alpha is neither opaque nor clear: the anti-aliased edge
// that only an image drawn with alpha has (an image of 16 colours, made into a bitmap of the
// screen's depth, has none).
long long partly_transparent_pixels(HBITMAP colour, const BITMAP& size) {
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = size.bmWidth;
    format.bmiHeader.biHeight = -size.bmHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(static_cast<size_t>(size.bmWidth) * size.bmHeight);
    const HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, colour, 0, static_cast<UINT>(size.bmHeight), pixels.data(),
                               &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    long long partly = 0;
    for (size_t i = 0; rows > 0 && i < pixels.size(); ++i) {
        const std::uint32_t alpha = pixels[i] >> 24;
        partly += alpha > 0 && alpha < 255 ? 1 : 0;
    }
    return partly;
}

}  // namespace

std::optional<std::string> icon_image(const std::wstring& exe, const std::wstring& icon_name,
                                      int size) {
    const DataModule module(exe);
    if (module.get() == nullptr)
        return std::nullopt;
    const auto icon = static_cast<HICON>(
        LoadImageW(module.get(), icon_name.c_str(), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    if (icon == nullptr)
        return std::nullopt;
    ICONINFO info = {};
    BITMAP colour = {};
    const bool read = GetIconInfo(icon, &info) && info.hbmColor != nullptr &&
                      GetObjectW(info.hbmColor, sizeof colour, &colour) != 0;
    const long long partly = read ? partly_transparent_pixels(info.hbmColor, colour) : 0;
    if (info.hbmColor != nullptr)
        DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr)
        DeleteObject(info.hbmMask);
    DestroyIcon(icon);
    if (!read)
        return std::nullopt;
    return JsonLine()
        .field("width", static_cast<long long>(colour.bmWidth))
        .field("height", static_cast<long long>(colour.bmHeight))
        .field("bits", static_cast<long long>(colour.bmBitsPixel))
        .field("partly_transparent", partly)
        .str();
}

}  // namespace e2e

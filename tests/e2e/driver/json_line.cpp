#include "json_line.h"

#include <cstdio>

#include "text.h"

namespace e2e {

JsonLine& JsonLine::place(const RECT& rect) {
    return field("x", static_cast<long long>(rect.left))
        .field("y", static_cast<long long>(rect.top))
        .field("width", static_cast<long long>(rect.right - rect.left))
        .field("height", static_cast<long long>(rect.bottom - rect.top));
}

std::string JsonLine::failure(std::string_view what) {
    return JsonLine().field("ok", false).field("error", what).str();
}

std::string JsonLine::quote(std::string_view utf8) {
    std::string out = "\"";
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

JsonLine& JsonLine::add(std::string_view key, std::string_view json) {
    if (!body_.empty())
        body_ += ',';
    body_ += quote(key);
    body_ += ':';
    body_ += json;
    return *this;
}

JsonLine& JsonLine::field(std::string_view key, std::string_view utf8) {
    return add(key, quote(utf8));
}

JsonLine& JsonLine::field(std::string_view key, const std::wstring& wide) {
    return add(key, quote(to_utf8(wide)));
}

JsonLine& JsonLine::field(std::string_view key, long long number) {
    return add(key, std::to_string(number));
}

JsonLine& JsonLine::field(std::string_view key, bool flag) {
    return add(key, flag ? "true" : "false");
}

JsonLine& JsonLine::raw(std::string_view key, std::string_view json) {
    return add(key, json);
}

}  // namespace e2e

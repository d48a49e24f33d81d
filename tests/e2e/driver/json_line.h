// One reply of the driver: a JSON object on one line, built field by field.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace e2e {

class JsonLine {
  public:
    JsonLine& field(std::string_view key, std::string_view utf8);
    // Without this a string literal would choose the bool overload.
    JsonLine& field(std::string_view key, const char* utf8) {
        return field(key, std::string_view(utf8));
    }
    JsonLine& field(std::string_view key, const std::wstring& wide);
    JsonLine& field(std::string_view key, long long number);
    JsonLine& field(std::string_view key, bool flag);
    // A rectangle as x, y, width and height.
    JsonLine& place(const RECT& rect);
    // A value that is already JSON (an array or object built elsewhere).
    JsonLine& raw(std::string_view key, std::string_view json);
    std::string str() const { return "{" + body_ + "}"; }

    static std::string quote(std::string_view utf8);
    // The reply of a command that failed: {"ok": false, "error": what}.
    static std::string failure(std::string_view what);

  private:
    JsonLine& add(std::string_view key, std::string_view json);
    std::string body_;
};

}  // namespace e2e

#include "reckoning/fixed_texts.h"

#include "embedded_data.h"

namespace tenkari::fixed_texts {
namespace {

// Looked up while compiling: a missing file fails the build rather than a reading.
consteval std::string_view text(std::string_view stem) {
    for (const auto& file : embedded::texts) {
        if (file.stem == stem) {
            return file.bytes;
        }
    }
    throw "no such file under data/texts";
}

}  // namespace

std::string_view missing_input_message() {
    return text("missing_input_message");
}
std::string_view bad_year_message() {
    return text("bad_year_message");
}
std::string_view name_out_of_range_message() {
    return text("name_out_of_range_message");
}
std::string_view age_out_of_range_message() {
    return text("age_out_of_range_message");
}

std::string_view annual_heading_suffix() {
    return text("annual_heading_suffix");
}
std::string_view annual_file_suffix() {
    return text("annual_file_suffix");
}
std::string_view hexagram_file_suffix() {
    return text("hexagram_file_suffix");
}

std::string_view six_harmony_line() {
    return text("relation_six_harmony");
}
std::string_view triple_harmony_line() {
    return text("relation_triple_harmony");
}
std::string_view clash_line() {
    return text("relation_clash");
}

std::string_view verdict_banner(int verdict) {
    switch (verdict) {
        case 1:
            return text("banner_1");
        case 2:
            return text("banner_2");
        case 3:
            return text("banner_3");
        default:
            return {};
    }
}

}  // namespace tenkari::fixed_texts

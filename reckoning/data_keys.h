#pragma once

#include <cstddef>
#include <string_view>

namespace tenkari {

// Data files are named by their keys: "4-2" for the cell (4, 2), "stage-10" for stage 10,
// "cell-6-0" for the cell (6, 0). Returns the index-th number of such a name (0 first), read
// while compiling the tables.
constexpr int key_number(std::string_view stem, int index) {
    int found = -1;
    int value = 0;
    bool in_number = false;
    for (const char c : stem) {
        if (c >= '0' && c <= '9') {
            if (!in_number) {
                ++found;
                value = 0;
                in_number = true;
            }
            value = value * 10 + (c - '0');
        } else {
            if (in_number && found == index) {
                return value;
            }
            in_number = false;
        }
    }
    if (in_number && found == index) {
        return value;
    }
    throw "a data file name lacks a key number";
}

constexpr bool key_starts_with(std::string_view stem, std::string_view prefix) {
    return stem.substr(0, prefix.size()) == prefix;
}

// The length of the longest of a table's files, to size buffers while compiling.
constexpr std::size_t longest_bytes(const auto& files) {
    std::size_t length = 0;
    for (const auto& file : files) {
        length = file.bytes.size() > length ? file.bytes.size() : length;
    }
    return length;
}

}  // namespace tenkari

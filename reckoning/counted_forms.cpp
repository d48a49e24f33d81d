#include "reckoning/counted_forms.h"

#include <algorithm>

#include "embedded_data.h"
#include "reckoning/name_number.h"

namespace tenkari {

std::string_view counted_form(std::uint16_t code) {
    // A line is the character, its counted form and, after a tab, the pair's source; a line
    // that starts with "#" says what the file is.
    std::string_view rest = embedded::counted_forms;
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find('\n'), rest.size());
        const std::string_view line = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        if (line.size() < 4 || line[0] == '#') {
            continue;
        }
        const auto lead = static_cast<unsigned char>(line[0]);
        const auto trail = static_cast<unsigned char>(line[1]);
        if ((lead << 8 | trail) == code) {
            return line.substr(2, 2);
        }
    }
    return {};
}

std::vector<UncountedCharacter> uncounted_characters(const char (&name)[kNameCapacity]) {
    std::vector<UncountedCharacter> found;
    walk_name_pairs(name, [&](const NamePair& pair) {
        if (!pair.whole_character || pair.strokes != 0) {
            return;
        }
        UncountedCharacter character{std::string(name + pair.offset, 2),
                                     std::string(counted_form(pair.code))};
        if (std::find(found.begin(), found.end(), character) == found.end()) {
            found.push_back(std::move(character));
        }
    });
    return found;
}

}  // namespace tenkari

#pragma once

#include <cstdint>

namespace tenkari {

// Why a reading could not be saved, as the box names it to the user.
enum class SaveFailure {
    name_refused,       // the name holds a character that Windows refuses in a file name
    folder_in_the_way,  // a folder of the file's name is where the file would go
    read_only_file,     // an earlier file of that name may not be written over
    disk_full,          // the volume took no more
    other,              // the system's own words for its error
};

// What stood where the file was to go, read before the save was tried.
struct SaveTarget {
    bool is_folder = false;
    bool is_read_only = false;
};

// The cause of a save that could not be made: what stood where the file was to go, for which no
// write is tried (Windows denies access alike to a folder in the way, a read-only file and a
// folder the user may not write to), else the system's error code of the write.
SaveFailure classify_save_failure(SaveTarget target, std::uint32_t error);

}  // namespace tenkari

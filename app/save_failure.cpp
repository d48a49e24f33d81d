#include "app/save_failure.h"

namespace tenkari {
namespace {

// The system's error codes of a volume that took no more.
constexpr std::uint32_t kHandleDiskFull = 39;
constexpr std::uint32_t kDiskFull = 112;

}  // namespace

SaveFailure classify_save_failure(SaveTarget target, std::uint32_t error) {
    if (target.is_folder) {
        return SaveFailure::folder_in_the_way;
    }
    if (target.is_read_only) {
        return SaveFailure::read_only_file;
    }
    if (error == kDiskFull || error == kHandleDiskFull) {
        return SaveFailure::disk_full;
    }
    return SaveFailure::other;
}

}  // namespace tenkari

#pragma once
// Finding the phone-book medium: the first mounted medium whose top folder holds "SorelleTel".

#include <filesystem>
#include <vector>

namespace lookup {

// Where media are mounted: the folders of $TOVANA_MEDIA_ROOTS (separated by ":") when it is
// set, else /media/$USER, /run/media/$USER and /mnt.
std::vector<std::filesystem::path> MediaRoots();

// The first medium under roots, in their order, whose top holds "SorelleTel": a root itself or,
// by name, a folder directly in it. Empty when there is none.
std::filesystem::path FindPhoneBookMedium(const std::vector<std::filesystem::path>& roots);

}  // namespace lookup

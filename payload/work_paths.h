// Paths in the working folder. They are built whole and never cut: a path that the "A" file
// functions cannot take is refused by the operation that needs it, never shortened.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

// MAX_PATH less its terminator: the longest path the "A" file functions accept.
constexpr std::size_t kMaxAnsiPathLength = 259;

// programFiles followed by "\BIOSUPDATE". Nothing when the Program Files query failed or gave an
// empty text: a path built from that would address \BIOSUPDATE at the root of the current drive.
std::optional<std::string> WorkFolderPath(bool queryOk, const std::string& programFiles);

// folder + "\" + name.
std::string FileInFolder(const std::string& folder, const std::string& name);

bool FitsAnsiPath(const std::string& path);

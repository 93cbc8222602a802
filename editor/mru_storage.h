// Where the recent-files list is kept between runs: the section "MRU Items" of the user's
// settings file (INI format, organisation "BRAVOLT"), one key per path, F0 the newest.
#pragma once

#include <memory>
#include <string>
#include <vector>

class QSettings;

namespace relakin {

inline constexpr const char* kMRUOrganisation = "BRAVOLT";
inline constexpr const char* kMRUSection = "MRU Items";

// The user's settings file: BRAVOLT.ini in the user's configuration folder ($XDG_CONFIG_HOME).
std::unique_ptr<QSettings> UserMRUSettings();

// The paths of the section, newest first: the keys "F" + number in the order of their numbers,
// then any other keys by name. Empty values are skipped; a missing section or file gives none.
std::vector<std::string> LoadMRUPaths(QSettings& settings);

// Replaces the section by the keys F0 .. F(n - 1); older keys are removed first. False when the
// file could not be written.
bool SaveMRUPaths(QSettings& settings, const std::vector<std::string>& paths);

}  // namespace relakin

#pragma once

// The keys of the viewer's section of its settings file, named once for the
// reader and the writer alike. The names are those that settings files
// already hold.
namespace SettingsKey {
inline constexpr const char* kUseDefaultFolder = "USE_DefaultFolder";
inline constexpr const char* kUseLastFolder = "USE_LastFolder";
inline constexpr const char* kDefaultFolder = "DefaultFolder";
inline constexpr const char* kFolderAlert = "USE_KR80A_FolderAlert";
inline constexpr const char* kLastFolder = "Folder";
// Keys of this viewer's own, which older readers pass over: "RecentFolder1"
// (newest) to "RecentFolder8".
inline constexpr const char* kRecentFolderPrefix = "RecentFolder";
} // namespace SettingsKey

#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace konwerter::platform {

// Folder and file operations on program paths (see dos_path.h for how they are mapped).

// Creates the folder with every missing parent. Throws IoError when it cannot.
void CreateFolders(std::string_view folder);
// Deletes a file; false when it did not exist or could not be deleted.
bool RemoveFile(std::string_view path);
// Copies a file, replacing the destination; false on failure.
bool CopyFile(std::string_view from, std::string_view to);
bool FileExists(std::string_view path);
bool FolderExists(std::string_view folder);
// Names (cp1250) of the files in a folder, in name order; empty when the folder is missing.
std::vector<std::string> ListFiles(std::string_view folder);

}  // namespace konwerter::platform

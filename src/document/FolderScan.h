#pragma once
// What a directory listing is made of: a folder of the file system, or an
// ISO 9660 disc image read without mounting it, so the label can be made
// before the disc is burned.

#include "DirList.h"

#include <functional>

// Called now and then with the entries found so far; false cancels.
using TScanProgress = std::function<bool(int64_t found)>;

// A path names a disc image when it is a file rather than a folder.
bool IsDiscImage(const QString &path);

// The entries below path, descending into subdirectories when asked; false
// when cancelled. Folders that cannot be read and symbolic links to folders
// are listed without their contents. Throws ELocalizedError when a disc
// image cannot be read.
bool ScanListing(const QString &path, bool withSubdirectories, std::vector<TDirEntry> &out,
                 const TScanProgress &progress = {});

// Entries a disc image may hold; more is taken for damage.
inline constexpr int64_t MaxImageEntries = 200000;
// Characters kept of a name from a disc image.
inline constexpr int MaxImageName = 255;

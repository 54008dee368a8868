#pragma once
// The tree a directory listing keeps: what a scan of a folder or a disc image
// found, stored in the document so the label prints without the disc.

#include <QJsonArray>
#include <QString>
#include <cstdint>
#include <vector>

class TStreamReader;
class TStreamWriter;

inline constexpr uint32_t AttrDirectory = 0x10;
inline constexpr uint32_t AttrVolumeLabel = 0x08;
// Levels a record or a scan may nest: deeper sub-lists of a file are damage,
// deeper folders of a scan are listed without their contents.
inline constexpr int MaxDirDepth = 64;

enum class TDirSort : uint8_t { None = 0, Name = 1, Size = 2, Date = 3, NameIgnoringCase = 4 };

struct TDirEntry
{
    // DOS packed date (high word) and time (low word).
    uint32_t Time = 0;
    int32_t Size = 0;
    uint32_t Attributes = 0;
    QString Name;
    // Whether the entry carries a sub-list; every directory of a scan does,
    // empty when the scan did not descend.
    bool HasSubList = false;
    std::vector<TDirEntry> SubList;

    bool IsDirectory() const { return Attributes & AttrDirectory; }
};

// The root's sort settings hold for every sub-list.
struct TDirTree
{
    std::vector<TDirEntry> Entries;
    TDirSort SortMode = TDirSort::None;
    bool Ascending = true;

    // Sorts every level; mode None keeps the order of the scan.
    void Sort();
    bool Empty() const { return Entries.empty(); }
};

// A list as records store it: count, then each entry with its sub-list.
void WriteDirList(TStreamWriter &out, const std::vector<TDirEntry> &list);
// Throws EStreamError when a count or the nesting cannot be what the
// remaining bytes hold.
std::vector<TDirEntry> ReadDirList(TStreamReader &in, int depth = 0);
QJsonArray DirListJson(const std::vector<TDirEntry> &list);

// "1 KB", "3 MB": the size column's text.
QString SizeText(int64_t bytes);
// The packed time in the short local date and time form.
QString DateText(uint32_t packed);
uint32_t PackDosTime(int year, int month, int day, int hour, int minute, int second);

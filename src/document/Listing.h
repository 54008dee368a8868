#pragma once
// The directory listing: the scanned tree of a folder or disc image as an
// indented tree with folder and file icons, in columns, with optional size
// and date columns.

#include "DirList.h"
#include "FolderScan.h"
#include "FontFrame.h"

class TCDLDIR : public TCDLFontFrame
{
public:
    TCDLDIR(TCDLPage *page, int32_t x, int32_t y);
    static const TFrameKind Descriptor;
    const TFrameKind &Kind() const override { return Descriptor; }
    TRecordLayout RecordLayout() const override;
    QString Verbose() const override;
    // Reading sorts the whole tree by the stored settings.
    void ReadFromStream(TStreamReader &in) override;
    void PaintAt(TPaintContext &c, const TFrameGeometry &g) const override;

    TDirTree Tree;
    int32_t Columns = 1;
    // The chosen folder, ending in a separator, or the disc image's path.
    QString Directory;
    bool WithSubdirectories = false;
    bool ShowFiles = true, ShowDate = false, ShowSize = false;

    // Scans path into the listing; false when cancelled, and the listing
    // stays as it was. Throws ELocalizedError when a disc image is damaged.
    bool InitList(const QString &path, bool withSubdirectories, const TScanProgress &progress = {});
    // Takes the entries of a finished scan of path and sorts them.
    void SetList(const QString &path, bool withSubdirectories, std::vector<TDirEntry> entries);
    // New sort settings for the whole tree.
    void SetSort(TDirSort mode, bool ascending);

    // Height of a line in model units, measured in the frame's font.
    int32_t LineHeight() const;

    // One shown line: the entry, its tree level, where it stands, whether it
    // ends its list and which ancestors' tree lines pass beside it.
    struct TRow
    {
        const TDirEntry *Entry;
        int Level;
        bool Last;
        uint64_t Through;
        int Column = 0, Line = 0;
    };
    // The lines shown when a column holds linesPerColumn of them.
    std::vector<TRow> Rows(int linesPerColumn) const;

private:
    struct TLineKey
    {
        QString FontName;
        int32_t FontSize = -1;
        bool Bold = false, Italic = false, Underline = false;
        int Generation = -1;
        bool operator==(const TLineKey &) const = default;
    };
    mutable TLineKey m_lineKey;
    mutable int32_t m_lineHeight = 0;
};

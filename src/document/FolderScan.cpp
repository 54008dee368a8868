#include "FolderScan.h"

#include "Errors.h"
#include "Strings.h"

#include <QDir>
#include <QFileInfo>
#include <set>

#include <cdio/iso9660.h>

namespace {

// Progress is told every so many entries, so a cancel answers quickly
// without a call per file.
constexpr int64_t kProgressStep = 200;
// Bytes a directory of a disc image may take; a larger one is damage, not
// something to allocate.
constexpr uint32_t kMaxImageDirectory = 16 * 1024 * 1024;

struct TScan
{
    bool Deep = false;
    TScanProgress Progress;
    int64_t Found = 0;
    bool Cancelled = false;

    bool Count()
    {
        ++Found;
        if (Progress && Found % kProgressStep == 0 && !Progress(Found))
            Cancelled = true;
        return !Cancelled;
    }
};

int32_t ClampSize(int64_t size) { return int32_t(std::clamp<int64_t>(size, 0, INT32_MAX)); }

uint32_t PackedTime(const QDateTime &t)
{
    const QDate d = t.date();
    const QTime h = t.time();
    return PackDosTime(d.year(), d.month(), d.day(), h.hour(), h.minute(), h.second());
}

void ScanFolder(TScan &scan, const QString &path, std::vector<TDirEntry> &out, int depth)
{
    const QFileInfoList found =
        QDir(path).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &fi : found) {
        if (!scan.Count())
            return;
        TDirEntry e;
        e.Name = fi.fileName();
        e.Time = PackedTime(fi.lastModified());
        if (fi.isDir()) {
            e.Attributes = AttrDirectory;
            e.HasSubList = true;
            // A link may lead back up the tree: its folder is listed, not entered.
            if (scan.Deep && !fi.isSymLink() && depth + 1 < MaxDirDepth)
                ScanFolder(scan, fi.filePath(), e.SubList, depth + 1);
        } else {
            e.Size = ClampSize(fi.size());
        }
        out.push_back(std::move(e));
        if (scan.Cancelled)
            return;
    }
}

struct TImage
{
    iso9660_t *Iso = nullptr;
    uint8_t Joliet = 0;
    // Directory extents already listed: a crafted image may point a folder
    // at one of its ancestors.
    std::set<lsn_t> Visited;
    ~TImage()
    {
        if (Iso)
            iso9660_close(Iso);
    }
};

[[noreturn]] void ImageDamaged(const QString &path) { throw ELocalizedError(GetText(1112).arg(path)); }

QString ImageName(const TImage &image, const iso9660_stat_t &st)
{
    const char *raw = st.filename;
    const size_t n = strnlen(raw, 4 * MaxImageName);
    QByteArray name(raw, qsizetype(n));
    if (st.rr.b3_rock != yep) {
        // Plain ISO names carry a version (";1") and, without Joliet, upper case.
        QByteArray plain(name.size() + 1, '\0');
        iso9660_name_translate_ext(name.constData(), plain.data(), image.Joliet);
        name = QByteArray(plain.constData());
    }
    return QString::fromUtf8(name).left(MaxImageName);
}

void ScanImageFolder(TScan &scan, TImage &image, const QString &imagePath, const QByteArray &folder,
                     std::vector<TDirEntry> &out, int depth)
{
    CdioList_t *list = iso9660_ifs_readdir(image.Iso, folder.constData());
    if (!list)
        ImageDamaged(imagePath);
    struct TFree
    {
        CdioList_t *List;
        ~TFree() { iso9660_filelist_free(List); }
    } freeList{list};
    CdioListNode_t *node;
    _CDIO_LIST_FOREACH(node, list)
    {
        const auto *st = static_cast<const iso9660_stat_t *>(_cdio_list_node_data(node));
        if (!st || !strcmp(st->filename, ".") || !strcmp(st->filename, ".."))
            continue;
        if (!scan.Count())
            return;
        if (scan.Found > MaxImageEntries)
            ImageDamaged(imagePath);
        TDirEntry e;
        e.Name = ImageName(image, *st);
        struct tm t = st->tm;
        e.Time = PackDosTime(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
        if (st->type == iso9660_stat_s::_STAT_DIR) {
            e.Attributes = AttrDirectory;
            e.HasSubList = true;
            if (st->size > kMaxImageDirectory)
                ImageDamaged(imagePath);
            if (scan.Deep && depth + 1 < MaxDirDepth && image.Visited.insert(st->lsn).second)
                ScanImageFolder(scan, image, imagePath, (folder == "/" ? folder : folder + '/') + st->filename,
                                e.SubList, depth + 1);
        } else {
            e.Size = ClampSize(st->size);
        }
        out.push_back(std::move(e));
        if (scan.Cancelled)
            return;
    }
}

} // namespace

bool IsDiscImage(const QString &path)
{
    const QFileInfo fi(path);
    return fi.exists() && !fi.isDir();
}

bool ScanListing(const QString &path, bool withSubdirectories, std::vector<TDirEntry> &out,
                 const TScanProgress &progress)
{
    TScan scan{withSubdirectories, progress};
    out.clear();
    if (!IsDiscImage(path)) {
        ScanFolder(scan, path, out, 0);
        return !scan.Cancelled;
    }
    TImage image;
    image.Iso = iso9660_open_ext(QFile::encodeName(path).constData(), ISO_EXTENSION_ALL);
    if (!image.Iso)
        ImageDamaged(path);
    image.Joliet = iso9660_ifs_get_joliet_level(image.Iso);
    ScanImageFolder(scan, image, path, QByteArray("/"), out, 0);
    return !scan.Cancelled;
}

#include "FolderScan.h"

#include "Errors.h"
#include "Strings.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstring>
#include <set>

#include <dirent.h>
#include <sys/stat.h>

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

struct TFolderEntry
{
    QByteArray Raw;
    QString Name;
};

// Read with the system's own calls: Qt's listing leaves out names that are
// not valid UTF-8, and a listing must not lose a file of the disc.
std::vector<TFolderEntry> FolderEntries(const QByteArray &path)
{
    std::vector<TFolderEntry> found;
    DIR *dir = opendir(path.constData());
    if (!dir)
        return found;
    while (const dirent *d = readdir(dir))
        if (strcmp(d->d_name, ".") && strcmp(d->d_name, ".."))
            found.push_back({QByteArray(d->d_name), QFile::decodeName(d->d_name)});
    closedir(dir);
    std::sort(found.begin(), found.end(), [](const TFolderEntry &a, const TFolderEntry &b) {
        const int c = QString::compare(a.Name, b.Name);
        return c != 0 ? c < 0 : a.Raw < b.Raw;
    });
    return found;
}

void ScanFolder(TScan &scan, const QByteArray &path, std::vector<TDirEntry> &out, int depth)
{
    for (const TFolderEntry &f : FolderEntries(path)) {
        if (!scan.Count())
            return;
        const QByteArray full = (path.endsWith('/') ? path : path + '/') + f.Raw;
        struct stat link = {}, target = {};
        if (lstat(full.constData(), &link) != 0)
            continue;
        // A broken link is listed as the link itself.
        const struct stat &st = stat(full.constData(), &target) == 0 ? target : link;
        TDirEntry e;
        e.Name = f.Name;
        e.Time = PackedTime(QDateTime::fromSecsSinceEpoch(st.st_mtime));
        if (S_ISDIR(st.st_mode)) {
            e.Attributes = AttrDirectory;
            e.HasSubList = true;
            // A link may lead back up the tree: its folder is listed, not entered.
            if (scan.Deep && !S_ISLNK(link.st_mode) && depth + 1 < MaxDirDepth)
                ScanFolder(scan, full, e.SubList, depth + 1);
        } else {
            e.Size = ClampSize(st.st_size);
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
        ScanFolder(scan, QFile::encodeName(path), out, 0);
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

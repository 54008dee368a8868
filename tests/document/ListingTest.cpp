// The directory listing: its record, the scan of folders and disc images,
// what it shows and where.

#include "DocumentTestSupport.h"

#include "BinaryStream.h"
#include "CreationHost.h"
#include "Listing.h"
#include "Strings.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

namespace {

TDirEntry Entry(const char *name, int32_t size, uint32_t attributes = 0, std::vector<TDirEntry> sub = {})
{
    return {0x5A8B6C21, size, attributes, QLatin1String(name), attributes == AttrDirectory, std::move(sub)};
}

QByteArray EntryBytes(const QByteArray &name, int32_t size, uint32_t attributes, const QByteArray &sub = {})
{
    return Le32(0x5A8B6C21) + Le32(size) + Le32(attributes) + Le16(int(name.size()) + 1) + name + U8(0)
           + U8(sub.isEmpty() ? 0 : 1) + sub;
}

void MakeFile(const QString &path, int size) { ASSERT_TRUE(WriteAll(path, QByteArray(size, 'x'))); }

} // namespace

TEST(Listing, RecordMatchesHandBuiltBytesReadsSortedAndRefusesDamage)
{
    TCDLDIR d(nullptr, 5, 6);
    d.Width = 300;
    d.Height = 200;
    d.ShowSize = true;
    d.Columns = 2;
    d.Directory = QStringLiteral("/media/cd/");
    d.Tree.SortMode = TDirSort::Name;
    d.Tree.Entries.push_back(Entry("sub", 0, AttrDirectory, {Entry("a.txt", 1025)}));
    d.Tree.Entries.push_back(Entry("b", 0));
    const QByteArray list =
        Le32(2) + EntryBytes("sub", 0, 0x10, Le32(1) + EntryBytes("a.txt", 1025, 0)) + EntryBytes("b", 0, 0);
    const QByteArray head = Head(19) + Le32(5) + Le32(6) + Le32(300) + Le32(200) + Le32(0) + Short("Arial") + Le32(10)
                            + QByteArray(3, 0) + Le32(0) + U8(0) + Le32(0) + U8(0) + U8(1) + U8(0) + U8(1) + Le32(2);
    const QByteArray tail = U8(1) + U8(1) + Le16(11) + QByteArray("/media/cd/\0", 11);
    TStreamWriter w;
    d.WriteToStream(w);
    EXPECT_EQ(w.data().toHex().toStdString(), (head + list + tail).toHex().toStdString());

    TCDLDIR back(nullptr, 0, 0);
    TStreamReader in(head + list + tail);
    in.skip(8);
    back.ReadFromStream(in);
    EXPECT_TRUE(in.atEnd());
    ASSERT_EQ(back.Tree.Entries.size(), 2u);
    EXPECT_EQ(back.Tree.Entries[0].Name, QStringLiteral("b")) << "reading sorts by the stored mode";
    EXPECT_EQ((std::tuple{back.Tree.Entries[1].SubList.at(0).Size, back.Directory}), std::tuple(1025, d.Directory));

    // More entries than the bytes can hold, nesting past the bound, a cut record.
    QByteArray deep = Le32(0);
    for (int i = 0; i <= MaxDirDepth; ++i)
        deep = Le32(1) + EntryBytes("d", 0, 0x10, deep);
    for (const QByteArray &bad : {head + Le32(100000) + list.mid(4) + tail, head + deep + tail, head + list}) {
        TStreamReader r(bad);
        r.skip(8);
        TCDLDIR f(nullptr, 0, 0);
        EXPECT_THROW(f.ReadFromStream(r), EStreamError);
    }
}

TEST(Listing, SizeTexts)
{
    const std::pair<int64_t, QString> rows[] = {
        {0, GetText(589)},
        {1, GetText(589)},
        {2, GetText(588)},
        {1024, GetText(588)},
        {1025, QStringLiteral("1 ") + GetText(587)},
        {3 * 1048576 + 1, QStringLiteral("3 ") + GetText(586)},
    };
    for (const auto &[bytes, text] : rows)
        EXPECT_EQ(SizeText(bytes), text) << bytes;
}

// A folder tree with a link back to its top: scanned flat and deep, shown
// with and without files, filling three columns.
TEST(Listing, ScansShowsFilesOrFoldersAndFillsColumns)
{
    QTemporaryDir tmp;
    const QString top = tmp.path();
    ASSERT_TRUE(QDir(top).mkpath(QStringLiteral("d1/s")));
    for (int i = 0; i < 12; ++i)
        MakeFile(top + QStringLiteral("/d1/f%1").arg(i, 2, 10, QLatin1Char('0')), i);
    MakeFile(top + QStringLiteral("/x"), 5000);
    ASSERT_TRUE(QFile::link(top, top + QStringLiteral("/d1/s/loop")));
    // A name that is no UTF-8 is still a file of the disc.
    const int fd = ::open((QFile::encodeName(top) + "/d1/b\xff.txt").constData(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ::close(fd);

    TCDLDIR d(nullptr, 0, 0);
    ASSERT_TRUE(d.InitList(top, false));
    EXPECT_EQ(d.Directory, top + QLatin1Char('/'));
    ASSERT_EQ(d.Tree.Entries.size(), 2u);
    EXPECT_TRUE(d.Tree.Entries[0].HasSubList && d.Tree.Entries[0].SubList.empty());
    EXPECT_EQ(d.Tree.Entries[1].Size, 5000);

    ASSERT_TRUE(d.InitList(top, true));
    const TDirEntry &d1 = d.Tree.Entries[0];
    ::unlink((QFile::encodeName(top) + "/d1/b\xff.txt").constData());
    ASSERT_EQ(d1.SubList.size(), 14u);
    EXPECT_EQ(d1.SubList[0].Name, QStringLiteral("b\uFFFD.txt"));
    const TDirEntry &s = d1.SubList.back();
    ASSERT_EQ(s.SubList.size(), 1u);
    EXPECT_TRUE(s.SubList[0].IsDirectory() && s.SubList[0].SubList.empty()) << "the link is listed, not entered";

    d.ShowFiles = false;
    std::vector<TCDLDIR::TRow> rows = d.Rows(10);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ((std::tuple{rows[2].Entry, rows[2].Level}), std::tuple(&s.SubList[0], 2));

    d.ShowFiles = true;
    d.Columns = 3;
    d.SetSort(TDirSort::Size, false);
    EXPECT_EQ(d.Tree.Entries[0].Name, QStringLiteral("x"));
    rows = d.Rows(5);
    ASSERT_EQ(rows.size(), 15u) << "three columns of five, then the listing stops";
    EXPECT_EQ((std::tuple{rows[14].Column, rows[14].Line, rows[5].Column, rows[5].Line}), std::tuple(2, 4, 1, 0));
}

TEST(Listing, PaintsEachRowAtItsPlace)
{
    TCDLDIR d(nullptr, 100, 50);
    d.Width = 600;
    d.Height = 300;
    d.Columns = 3;
    for (int i = 0; i < 40; ++i)
        d.Tree.Entries.push_back(Entry("WWWW", i, i % 2 ? 0 : AttrDirectory));
    TPaintContext c;
    TTestCanvas canvas(c, 800, 400);
    d.PaintAt(c, d.Geometry(c));
    const QImage &img = canvas.Finish();
    const int lh = d.LineHeight(), perColumn = 300 / lh;
    ASSERT_GT(perColumn, 1);
    for (const TCDLDIR::TRow &r : d.Rows(perColumn)) {
        const int left = 100 + 200 * r.Column, top = 50 + r.Line * lh;
        EXPECT_FALSE(InkBox(img, QRect(left + 44, top + 2, 32, lh - 4)).isEmpty()) << r.Column << "/" << r.Line;
        EXPECT_FALSE(InkBox(img, QRect(left + 80, top, 100, lh)).isEmpty()) << r.Column << "/" << r.Line;
    }
    EXPECT_TRUE(InkBox(img, QRect(0, 50 + perColumn * lh, 800, 400 - 50 - perColumn * lh)).isEmpty());
    EXPECT_TRUE(InkBox(img, QRect(701, 0, 99, 400)).isEmpty());

    // Rows as the frame holds them: a line break in a name stays on its line,
    // a tree deeper than its column ends at the column's edge, and a size
    // wider than its column keeps its leading digits.
    auto paint = [](const TCDLDIR &f) {
        TPaintContext pc;
        TTestCanvas cv(pc, 500, 700);
        f.PaintAt(pc, f.Geometry(pc));
        return cv.Finish().copy();
    };
    TCDLDIR n(nullptr, 0, 0), q(nullptr, 0, 0);
    n.Width = q.Width = 400;
    n.Height = q.Height = 100;
    n.Tree.Entries = {Entry("WW\nWW", 0)};
    q.Tree.Entries = {Entry("WW?WW", 0)};
    EXPECT_EQ(paint(n), paint(q));

    TCDLDIR deep(nullptr, 0, 0);
    deep.Width = 400;
    deep.Height = 650;
    deep.Columns = 2;
    std::vector<TDirEntry> chain = {Entry("f", 0)};
    for (int i = 0; i < 8; ++i)
        chain = {Entry("d", 0, AttrDirectory, std::move(chain))};
    deep.Tree.Entries = std::move(chain);
    ASSERT_GT(650 / deep.LineHeight(), 9);
    EXPECT_TRUE(InkBox(paint(deep), QRect(200, 0, 300, 700)).isEmpty());

    TCDLDIR sized(nullptr, 0, 0);
    sized.Width = 300;
    sized.Height = 100;
    sized.ShowSize = true;
    sized.Tree.Entries = {Entry("W", 999 * 1048576)};
    EXPECT_FALSE(InkBox(paint(sized), QRect(125, 0, 74, 100)).isEmpty()) << "the size's leading digits";
}

// Names as the disc carries them (Joliet and Rock Ridge), read without
// mounting; a file that is no image is a clear error.
TEST(Listing, ListsADiscImage)
{
    const QString maker = QStandardPaths::findExecutable(QStringLiteral("xorriso"));
    if (maker.isEmpty())
        GTEST_SKIP() << "xorriso is not installed";
    QTemporaryDir tmp;
    const QString tree = tmp.filePath(QStringLiteral("tree"));
    ASSERT_TRUE(QDir().mkpath(tree + QStringLiteral("/Bonus Tracks")));
    MakeFile(tree + QStringLiteral("/Bonus Tracks/Live in Köln.flac"), 2048);
    MakeFile(tree + QStringLiteral("/readme.txt"), 10);
    const QString iso = tmp.filePath(QStringLiteral("disc.iso"));
    QProcess p;
    p.start(maker, {QStringLiteral("-as"), QStringLiteral("mkisofs"), QStringLiteral("-quiet"), QStringLiteral("-J"),
                    QStringLiteral("-R"), QStringLiteral("-o"), iso, tree});
    ASSERT_TRUE(p.waitForFinished(30000) && p.exitCode() == 0) << p.readAllStandardError().toStdString();

    TCDLDIR d(nullptr, 0, 0);
    d.Tree.SortMode = TDirSort::Name;
    ASSERT_TRUE(d.InitList(iso, true));
    EXPECT_EQ(d.Directory, iso);
    ASSERT_EQ(d.Tree.Entries.size(), 2u);
    EXPECT_EQ(d.Tree.Entries[0].Name, QStringLiteral("Bonus Tracks"));
    ASSERT_EQ(d.Tree.Entries[0].SubList.size(), 1u);
    EXPECT_EQ(d.Tree.Entries[0].SubList[0].Name, QStringLiteral("Live in Köln.flac"));
    EXPECT_EQ(d.Tree.Entries[0].SubList[0].Size, 2048);
    EXPECT_EQ(d.Tree.Entries[1].Name, QStringLiteral("readme.txt"));

    // The tool's question: a damaged image is reported, a cancelled scan
    // makes nothing; either way the listing stays as it was.
    struct THost : TCreationHost
    {
        QString Path, Failure;
        bool AskFolder(TFolderChoice &c) override
        {
            c.Path = Path;
            c.Progress = [](int64_t) { return false; };
            c.Failed = [this](const QString &m) { Failure = m; };
            return true;
        }
    } host;
    host.Path = tmp.filePath(QStringLiteral("junk.iso"));
    MakeFile(host.Path, 70000);
    const auto ask = TCDLDIR::Descriptor.Tools[0].Ask;
    EXPECT_EQ((std::tuple{ask(d, host), host.Failure.contains(host.Path)}), std::tuple(false, true));
    host.Path = tree;
    for (int i = 0; i < 300; ++i)
        MakeFile(tree + QStringLiteral("/f%1").arg(i), 0);
    EXPECT_EQ((std::tuple{ask(d, host), d.Directory}), std::tuple(false, iso));
}

// The document file, byte for byte, and how damaged files are refused.

#include "BinaryStream.h"
#include "Document.h"
#include "Errors.h"
#include "Shapes.h"
#include "Strings.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

// Hand-made bytes, independent of the writer under test.
struct Bytes
{
    QByteArray b;
    Bytes &u8(int v)
    {
        b.append(char(v));
        return *this;
    }
    Bytes &u16(int v) { return u8(v & 0xFF).u8((v >> 8) & 0xFF); }
    Bytes &i32(int64_t v)
    {
        const uint32_t u = uint32_t(v);
        return u8(u & 0xFF).u8((u >> 8) & 0xFF).u8((u >> 16) & 0xFF).u8(u >> 24);
    }
    Bytes &raw(const char *s)
    {
        b.append(s);
        return *this;
    }
    Bytes &add(const QByteArray &a)
    {
        b.append(a);
        return *this;
    }
};

QByteArray Header(int version = 0x1110) { return Bytes().u16(0xBABE).u8(12).raw("QUARRENDOLIN").u8(0).u16(version).b; }

// A page section with default settings and no snap lines.
QByteArray Section(bool cdLabel, int frames, const QByteArray &records = {}, int marker = 0xBABE, int kind = 1)
{
    Bytes s;
    s.u16(marker).u16(kind).i32(frames).i32(0xFFFFFF);
    if (cdLabel)
        s.i32(-1);
    s.i32(0).i32(40).i32(40).u8(1).u8(0).u8(1);
    if (!cdLabel)
        s.i32(cdLabel ? 0 : -599).i32(-605);
    return s.add(records).b;
}

QByteArray BackSection(int frames = 0, const QByteArray &records = {})
{
    QByteArray s = Section(false, frames, records);
    // The back's origin differs from the front's.
    const QByteArray front = Bytes().i32(-599).i32(-605).b;
    const QByteArray back = Bytes().i32(-753).i32(-590).b;
    s.replace(s.indexOf(front), 8, back);
    return s;
}

QByteArray Trailer() { return Bytes().u16(0xBABE).u16(0xFFFF).i32(0).b; }

QByteArray EmptyFile() { return Header() + Section(true, 0) + Section(false, 0) + BackSection() + Trailer(); }

QByteArray RectRecord()
{
    return Bytes()
        .u16(0xBABE)
        .u16(14)
        .i32(0)
        .i32(-100)
        .i32(50)
        .i32(400)
        .i32(300) // X Y Width Height
        .i32(0x0000FF)
        .i32(0x00FF00) // pen red, fill green
        .u8(0)
        .u8(0) // NoPen NoFill
        .i32(5)
        .i32(30) // PenSize Angle
        .b;
}

QByteArray LineRecord()
{
    return Bytes().u16(0xBABE).u16(13).i32(0).i32(1).i32(2).i32(3).i32(4).i32(0x123456).i32(7).b;
}

QByteArray CircleRecord()
{
    return Bytes()
        .u16(0xBABE)
        .u16(17)
        .i32(0)
        .i32(10)
        .i32(110)
        .i32(20)
        .i32(120)
        .i32(100)
        .i32(100)
        .i32(0)
        .i32(0xFF)
        .u8(1)
        .u8(0)
        .i32(0)
        .b;
}

QByteArray EllipseRecord()
{
    return Bytes()
        .u16(0xBABE)
        .u16(18)
        .i32(0)
        .i32(-5)
        .i32(0)
        .i32(-6)
        .i32(0)
        .i32(200)
        .i32(100)
        .i32(0xABCDEF)
        .i32(0x10203)
        .u8(0)
        .u8(1)
        .i32(3)
        .i32(-45)
        .b;
}

QString ReadError(const QByteArray &data, QStringList *warnings = nullptr)
{
    TCDLDocument doc;
    try {
        doc.FromBytes(data, warnings);
    } catch (const ELocalizedError &e) {
        return e.message();
    }
    return QString();
}

} // namespace

TEST(DocumentFile, EmptyDocumentIsExactly127HandComputedBytes)
{
    TCDLDocument doc;
    const QByteArray bytes = doc.ToBytes();
    EXPECT_EQ(bytes.size(), 127);
    // The reserved header byte is ours to choose; everything else is fixed.
    EXPECT_EQ(bytes.toHex(), EmptyFile().toHex());
}

TEST(DocumentFile, ShapeRecordsMatchHandComputedBytes)
{
    const QByteArray records = RectRecord() + LineRecord() + CircleRecord() + EllipseRecord();
    const QByteArray file = Header() + Section(true, 4, records) + Section(false, 0) + BackSection() + Trailer();
    TCDLDocument doc;
    doc.FromBytes(file, nullptr);
    ASSERT_EQ(doc.Label().FrameCount(), 4);
    const TCDLFrame &r = *doc.Label().FrameAt(0);
    EXPECT_STREQ(r.ClassName(), "TCDLRechteck");
    EXPECT_EQ(r.X, -100);
    EXPECT_EQ(r.Y, 50);
    EXPECT_EQ(r.Width, 400);
    EXPECT_EQ(r.Height, 300);
    EXPECT_EQ(r.PenColor, 0xFFu);
    EXPECT_EQ(r.FillColor, 0xFF00u);
    EXPECT_FALSE(r.NoFill);
    EXPECT_EQ(r.PenSize, 5);
    EXPECT_EQ(r.Angle, 30);
    const TCDLFrame &l = *doc.Label().FrameAt(1);
    // X values come before the Y values in a line record.
    EXPECT_EQ(l.X, 1);
    EXPECT_EQ(l.X2, 2);
    EXPECT_EQ(l.Y, 3);
    EXPECT_EQ(l.Y2, 4);
    EXPECT_EQ(doc.Label().FrameAt(2)->Y2, 120);
    EXPECT_TRUE(doc.Label().FrameAt(2)->NoPen);
    EXPECT_EQ(doc.Label().FrameAt(3)->Angle, -45);
    EXPECT_EQ(doc.ToBytes().toHex(), file.toHex());
}

TEST(DocumentFile, PageSettingsAndSnapLinesRoundTrip)
{
    TCDLDocument doc;
    doc.Label().PaperColorIndex = 3;
    doc.Label().BackColor = 0x112233;
    doc.Label().SnapLines.Add(-200, true);
    doc.Label().SnapLines.Add(150, false);
    doc.Front().SnapX = 25;
    doc.Front().SnapEnabled = true;
    doc.Front().Origin = QPoint(7, -8);
    doc.Back().ShowSnapPoints = false;
    doc.Back().GuideFlag = false;
    doc.Back().AddFrame(std::make_unique<TCDLRechteck>(&doc.Back(), 10, 20));
    const QByteArray first = doc.ToBytes();

    // The snap-line block: count, then size 8, position, orientation, filler.
    const QByteArray lines =
        Bytes().i32(2).i32(8).i32(-200).u8(1).u8(0).u8(0).u8(0).i32(8).i32(150).u8(0).u8(0).u8(0).u8(0).b;
    EXPECT_EQ(first.mid(18 + 16, lines.size()).toHex(), lines.toHex());

    TCDLDocument again;
    again.FromBytes(first, nullptr);
    EXPECT_EQ(again.Label().PaperColorIndex, 3);
    EXPECT_EQ(again.Label().SnapLines.Count(), 2);
    EXPECT_TRUE(again.Label().SnapLines.Get(0).Horizontal);
    EXPECT_EQ(again.Front().SnapX, 25);
    EXPECT_TRUE(again.Front().SnapEnabled);
    EXPECT_EQ(again.Front().Origin, QPoint(7, -8));
    EXPECT_FALSE(again.Back().ShowSnapPoints);
    EXPECT_EQ(again.Back().FrameCount(), 1);
    EXPECT_EQ(again.ToBytes(), first);
}

TEST(DocumentFile, NotADocument)
{
    const QString notDoc = GetText(852);
    ASSERT_FALSE(notDoc.isEmpty());
    QByteArray wrongMarker = EmptyFile();
    wrongMarker[0] = 0;
    EXPECT_EQ(ReadError(wrongMarker), notDoc);
    // Right twelve characters, other length byte.
    QByteArray wrongLength = EmptyFile();
    wrongLength[2] = 11;
    EXPECT_EQ(ReadError(wrongLength), notDoc);
    EXPECT_EQ(ReadError("plain text, not a label"), notDoc);
}

TEST(DocumentFile, OtherVersionWarnsAndReadsOn)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("old.CDL"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(Header(0x1111) + Section(true, 1, LineRecord()) + Section(false, 0) + BackSection() + Trailer());
    f.close();

    TCDLDocument doc;
    QStringList warnings;
    doc.Load(path, &warnings);
    ASSERT_EQ(warnings.size(), 1);
    // The two texts run on without a break.
    EXPECT_EQ(warnings[0], QStringLiteral("Diese Datei wurde mit einer anderen Version erstellt!"
                                          "Möglicherweise können nicht alle Objekte gelesen werden."));
    EXPECT_TRUE(doc.FileName.isEmpty()) << "a later save must ask for a new name";
    EXPECT_EQ(doc.Label().FrameCount(), 1);
    for (int language = 2; language <= 4; ++language) {
        SetLanguageState(language);
        QStringList other;
        TCDLDocument again;
        again.Load(path, &other);
        EXPECT_FALSE(other.value(0).contains(QLatin1Char('\n'))) << other.value(0).toStdString();
        EXPECT_EQ(other.value(0), GetText(853) + GetText(854));
    }
    SetLanguageState(1);
}

TEST(DocumentFile, SectionWithWrongMarkerButKindOneIsAccepted)
{
    const QByteArray file = Header() + Section(true, 0, {}, 0x1234, 1) + Section(false, 0) + BackSection() + Trailer();
    EXPECT_EQ(ReadError(file), QString());
    const QByteArray bad = Header() + Section(true, 0, {}, 0x1234, 2) + Section(false, 0) + BackSection() + Trailer();
    EXPECT_EQ(ReadError(bad), GetText(855));
}

TEST(DocumentFile, TagsOutsideTheKindsAreDamage)
{
    // 16 opens a clipboard block, 20 is the base class, 10 a kind this build
    // may not know yet: none may crash, all give the file's message.
    for (int tag : {0, 9, 16, 20, 21, 0xFACE}) {
        const QByteArray rec = Bytes().u16(0xBABE).u16(tag).i32(0).add(QByteArray(64, '\0')).b;
        const QByteArray file = Header() + Section(true, 1, rec) + Section(false, 0) + BackSection() + Trailer();
        EXPECT_EQ(ReadError(file), GetText(855)) << "tag " << tag;
    }
    QByteArray badMarker = LineRecord();
    badMarker[0] = 0;
    EXPECT_EQ(ReadError(Header() + Section(true, 1, badMarker) + Section(false, 0) + BackSection() + Trailer()),
              GetText(855));
}

TEST(DocumentFile, EveryTruncationIsDamageAndNothingElse)
{
    const QByteArray records = RectRecord() + LineRecord() + CircleRecord() + EllipseRecord();
    QByteArray linesSection = Section(false, 1, LineRecord());
    const QByteArray full = Header() + Section(true, 4, records) + linesSection + BackSection(1, EllipseRecord());
    // The trailer is never read, so only cuts into the sections count.
    for (int n = 0; n < full.size(); ++n)
        ASSERT_EQ(ReadError(full.left(n)), GetText(855)) << "cut at " << n;
    EXPECT_EQ(ReadError(full), QString());
}

TEST(DocumentFile, HostileCountsAllocateNothing)
{
    // A frame count no file can hold, and a snap-line count likewise.
    Bytes manyFrames;
    manyFrames.u16(0xBABE).u16(1).i32(0x7FFFFFFF).i32(0).i32(-1).i32(0).i32(40).i32(40).u8(1).u8(0).u8(1);
    EXPECT_EQ(ReadError(Header() + manyFrames.b), GetText(855));
    Bytes manyLines;
    manyLines.u16(0xBABE).u16(1).i32(0).i32(0).i32(-1).i32(0x40000000);
    EXPECT_EQ(ReadError(Header() + manyLines.b), GetText(855));
    Bytes negative;
    negative.u16(0xBABE).u16(1).i32(-5).i32(0).i32(-1).i32(0).i32(40).i32(40).u8(1).u8(0).u8(1);
    EXPECT_EQ(ReadError(Header() + negative.b), GetText(855));
}

TEST(DocumentFile, MoreThanThirtyThousandFramesEndTheRead)
{
    QByteArray records;
    const QByteArray one = LineRecord();
    records.reserve(one.size() * 30001);
    for (int i = 0; i < 30001; ++i)
        records += one;
    const QString err =
        ReadError(Header() + Section(true, 30001, records) + Section(false, 0) + BackSection() + Trailer());
    EXPECT_TRUE(err.endsWith(GetText(855))) << err.toStdString();
    EXPECT_TRUE(err.startsWith(GetText(568))) << err.toStdString();
}

TEST(DocumentFile, ProgressReachesHundredAndIsSilentForEmptyPages)
{
    const QByteArray file = Header() + Section(true, 4, RectRecord() + LineRecord() + CircleRecord() + EllipseRecord())
                            + Section(false, 0) + BackSection() + Trailer();
    TCDLDocument doc;
    std::vector<int> label, front;
    doc.Label().OnLoadProgress = [&](int p) { label.push_back(p); };
    doc.Front().OnLoadProgress = [&](int p) { front.push_back(p); };
    doc.FromBytes(file, nullptr);
    EXPECT_EQ(label, (std::vector<int>{25, 50, 75, 100}));
    EXPECT_TRUE(front.empty());
}

TEST(DocumentFile, SaveReplacesAtomicallyAndClearsModified)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.CDL"));
    TCDLDocument doc;
    doc.Label().AddFrame(std::make_unique<TCDLKreis>(&doc.Label(), 5, 5));
    doc.Label().Modified = true;
    doc.Save(path);
    EXPECT_FALSE(doc.Modified());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), doc.ToBytes());
    f.close();
    // No temporary file is left beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("a.CDL")});

    TCDLDocument loaded;
    loaded.Load(path, nullptr);
    EXPECT_EQ(loaded.FileName, path);
    EXPECT_EQ(loaded.ToBytes(), doc.ToBytes());
}

TEST(DocumentFile, FailedSaveKeepsTheOldFileAndReports)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("keep.CDL"));
    TCDLDocument doc;
    doc.Save(path);
    const QByteArray before = doc.ToBytes();

    doc.Label().AddFrame(std::make_unique<TCDLLinie>(&doc.Label(), 0, 0));
    doc.Label().Modified = true;
    // A target inside a regular file cannot be created, even as root.
    try {
        doc.Save(path + QStringLiteral("/sub.CDL"));
        FAIL() << "save into a file path succeeded";
    } catch (const ELocalizedError &e) {
        EXPECT_EQ(e.message(), GetText(856));
    }
    EXPECT_TRUE(doc.Modified()) << "unsaved work must still count as unsaved";
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}

TEST(DocumentFile, MissingFileIsAReadFailure)
{
    TCDLDocument doc;
    EXPECT_THROW(doc.Load(QStringLiteral("/nonexistent/x.CDL"), nullptr), ELocalizedError);
}

TEST(DocumentFile, ShortStringsAreWindows1252)
{
    TStreamWriter w;
    w.writeShortString(QStringLiteral("Grüße €"));
    const QByteArray b = w.data();
    ASSERT_EQ(b.size(), 41);
    EXPECT_EQ(uint8_t(b[0]), 7);
    EXPECT_EQ(b.mid(1, 7), QByteArray("Gr\xFC\xDF"
                                      "e \x80"));
    TStreamReader r(b);
    EXPECT_EQ(r.readShortString(), QStringLiteral("Grüße €"));
    // A length byte beyond 40 is clamped, not trusted.
    QByteArray bad = b;
    bad[0] = char(200);
    TStreamReader r2(bad);
    EXPECT_EQ(r2.readShortString().size(), 40);
}

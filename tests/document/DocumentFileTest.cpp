// The document file, byte for byte, and how damaged files are refused.

#include "DocumentTestSupport.h"

#include "BinaryStream.h"
#include "Document.h"
#include "Errors.h"
#include "Shapes.h"
#include "Strings.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <thread>

namespace {

QByteArray Header(int version = 0x1110) { return Le16(0xBABE) + U8(12) + "QUARRENDOLIN" + U8(0) + Le16(version); }

// A page section (0 the label, 1 the front, 2 the back) with default
// settings and no snap lines; the inlays add their origins.
QByteArray Section(int page, int frames = 0, const QByteArray &records = {}, int marker = 0xBABE, int kind = 1)
{
    QByteArray s = Le16(marker) + Le16(kind) + Le32(frames) + Le32(0xFFFFFF) + (page ? QByteArray() : Le32(-1))
                   + Le32(0) + Le32(40) + Le32(40) + U8(1) + U8(0) + U8(1);
    if (page)
        s += page == 1 ? Le32(-599) + Le32(-605) : Le32(-753) + Le32(-590);
    return s + records;
}

QByteArray Trailer() { return Le16(0xBABE) + Le16(0xFFFF) + Le32(0); }

QByteArray File(const QByteArray &label = Section(0), int version = 0x1110)
{
    return Header(version) + label + Section(1) + Section(2) + Trailer();
}

// X Y Width Height, pen red, fill green, NoPen NoFill, PenSize Angle.
QByteArray RectRecord()
{
    return Head(14) + Le32(-100) + Le32(50) + Le32(400) + Le32(300) + Le32(0xFF) + Le32(0xFF00) + U8(0) + U8(0)
           + Le32(5) + Le32(30);
}
QByteArray LineRecord() { return Head(13) + Le32(1) + Le32(2) + Le32(3) + Le32(4) + Le32(0x123456) + Le32(7); }
QByteArray CircleRecord()
{
    return Head(17) + Le32(10) + Le32(110) + Le32(20) + Le32(120) + Le32(100) + Le32(100) + Le32(0) + Le32(0xFF) + U8(1)
           + U8(0) + Le32(0);
}
QByteArray EllipseRecord()
{
    return Head(18) + Le32(-5) + Le32(0) + Le32(-6) + Le32(0) + Le32(200) + Le32(100) + Le32(0xABCDEF) + Le32(0x10203)
           + U8(0) + U8(1) + Le32(3) + Le32(-45);
}
QByteArray FourShapes() { return Section(0, 4, RectRecord() + LineRecord() + CircleRecord() + EllipseRecord()); }

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
    EXPECT_EQ(bytes.toHex(), File().toHex());
}

TEST(DocumentFile, ShapeRecordsMatchHandComputedBytes)
{
    const QByteArray file = File(FourShapes());
    TCDLDocument doc;
    // Progress per frame of the page being read; an empty page says nothing.
    std::vector<int> label, front;
    doc.Label().OnLoadProgress = [&](int p) { label.push_back(p); };
    doc.Front().OnLoadProgress = [&](int p) { front.push_back(p); };
    doc.FromBytes(file, nullptr);
    EXPECT_EQ((std::tuple{label, front.empty()}), std::tuple((std::vector<int>{25, 50, 75, 100}), true));
    ASSERT_EQ(doc.Label().FrameCount(), 4);
    const TCDLFrame &r = *doc.Label().FrameAt(0);
    EXPECT_STREQ(r.ClassName(), "TCDLRechteck");
    using Ints = std::vector<int64_t>;
    EXPECT_EQ((Ints{r.X, r.Y, r.Width, r.Height, r.PenColor, r.FillColor, r.NoFill, r.PenSize, r.Angle}),
              (Ints{-100, 50, 400, 300, 0xFF, 0xFF00, false, 5, 30}));
    // X values come before the Y values in a line record.
    const TCDLFrame &l = *doc.Label().FrameAt(1);
    EXPECT_EQ((std::tuple{(Ints{l.X, l.X2, l.Y, l.Y2}), doc.Label().FrameAt(2)->Y2, doc.Label().FrameAt(2)->NoPen,
                          doc.Label().FrameAt(3)->Angle, doc.ToBytes().toHex()}),
              std::tuple((Ints{1, 2, 3, 4}), 120, true, -45, file.toHex()));
    // Read on a thread that ends first, as a preview is; its frames are freed here.
    std::unique_ptr<TCDLDocument> read;
    std::thread([&] { (read = std::make_unique<TCDLDocument>())->FromBytes(file, nullptr); }).join();
    EXPECT_EQ(read->ToBytes().toHex(), file.toHex());
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
    const QByteArray lines = Le32(2) + Le32(8) + Le32(-200) + Le32(1) + Le32(8) + Le32(150) + Le32(0);
    EXPECT_EQ(first.mid(18 + 16, lines.size()).toHex(), lines.toHex());

    TCDLDocument again;
    again.FromBytes(first, nullptr);
    EXPECT_EQ((std::tuple{again.Label().PaperColorIndex, again.Label().SnapLines.Count(),
                          again.Label().SnapLines.Get(0).Horizontal}),
              std::tuple(3, 2, true));
    EXPECT_EQ((std::tuple{again.Front().SnapX, again.Front().SnapEnabled, again.Front().Origin,
                          again.Back().ShowSnapPoints, again.Back().FrameCount(), again.ToBytes()}),
              std::tuple(25, true, QPoint(7, -8), false, 1, first));
}

TEST(DocumentFile, OtherVersionWarnsAndReadsOn)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("old.CDL"));
    ASSERT_TRUE(WriteAll(path, File(Section(0, 1, LineRecord()), 0x1111)));

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

// Every damage gives the file's message (855), a foreign file the "not a
// document" one (852); none may crash or allocate what the counts claim.
TEST(DocumentFile, DamagedFilesAreRefusedWithTheirMessage)
{
    const QString notDoc = GetText(852), damaged = GetText(855);
    ASSERT_FALSE(notDoc.isEmpty());
    QByteArray wrongMarker = File(), wrongLength = File(), badRecordMarker = LineRecord();
    wrongMarker[0] = 0;
    wrongLength[2] = 11; // right twelve characters, other length byte
    badRecordMarker[0] = 0;
    const QByteArray settings = Le32(0) + Le32(40) + Le32(40) + U8(1) + U8(0) + U8(1);
    const std::pair<QByteArray, QString> rows[] = {
        {wrongMarker, notDoc},
        {wrongLength, notDoc},
        {"plain text, not a label", notDoc},
        // A foreign section marker is accepted while the kind is 1.
        {File(Section(0, 0, {}, 0x1234, 1)), QString()},
        {File(Section(0, 0, {}, 0x1234, 2)), damaged},
        {File(Section(0, 1, badRecordMarker)), damaged},
        // Frame and snap-line counts no file can hold, and a negative one.
        {Header() + Le16(0xBABE) + Le16(1) + Le32(0x7FFFFFFF) + Le32(0) + Le32(-1) + settings, damaged},
        {Header() + Le16(0xBABE) + Le16(1) + Le32(0) + Le32(0) + Le32(-1) + Le32(0x40000000), damaged},
        {Header() + Le16(0xBABE) + Le16(1) + Le32(-5) + Le32(0) + Le32(-1) + settings, damaged},
    };
    for (const auto &[bytes, message] : rows)
        EXPECT_EQ(ReadError(bytes), message) << bytes.left(40).toHex().toStdString();
    // 16 opens a clipboard block, 20 is the base class, 10 a kind this build
    // may not know yet.
    for (int tag : {0, 9, 16, 20, 21, 0xFACE})
        EXPECT_EQ(ReadError(File(Section(0, 1, Head(tag) + QByteArray(64, '\0')))), damaged) << "tag " << tag;

    // The trailer is never read, so only cuts into the sections count.
    const QByteArray full = Header() + FourShapes() + Section(1, 1, LineRecord()) + Section(2, 1, EllipseRecord());
    for (int n = 0; n < full.size(); ++n)
        ASSERT_EQ(ReadError(full.left(n)), damaged) << "cut at " << n;
    EXPECT_EQ(ReadError(full), QString());

    const QByteArray many = LineRecord().repeated(30001);
    const QString err = ReadError(File(Section(0, 30001, many)));
    EXPECT_TRUE(err.endsWith(damaged)) << err.toStdString();
    EXPECT_TRUE(err.startsWith(GetText(568))) << err.toStdString();
}

TEST(DocumentFile, SaveReplacesAtomicallyAndClearsModified)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.CDL"));
    TCDLDocument doc;
    doc.Label().AddFrame(std::make_unique<TCDLKreis>(&doc.Label(), 5, 5));
    doc.Label().Modified = true;
    doc.Save(path);
    EXPECT_EQ((std::tuple{doc.Modified(), ReadAll(path)}), std::tuple(false, doc.ToBytes()));
    // No temporary file is left beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("a.CDL")});

    TCDLDocument loaded;
    loaded.Load(path, nullptr);
    EXPECT_EQ((std::tuple{loaded.FileName, loaded.ToBytes()}), std::tuple(path, doc.ToBytes()));
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
    // Not even root creates a file inside a file; a pipe (or /dev/full) stays one, /dev/zero is no document.
    const QString pipe = dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    for (const QString &bad : {path + QStringLiteral("/sub.CDL"), pipe})
        EXPECT_THROW(doc.Save(bad), ELocalizedError);
    EXPECT_TRUE(doc.Modified()) << "unsaved work must still count as unsaved";
    EXPECT_EQ(ReadAll(path), before);
    for (const QString &bad : {QStringLiteral("/nonexistent/x.CDL"), pipe, QStringLiteral("/dev/zero")})
        EXPECT_THROW(doc.Load(bad, nullptr), ELocalizedError);
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
}

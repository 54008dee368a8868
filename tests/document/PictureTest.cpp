// The picture frame and the imaging layer under it: records by hand, the
// formats Qt cannot read, icons, the size rules, turns and what is painted.

#include "DocumentTestSupport.h"

#include "BinaryStream.h"
#include "Imaging.h"
#include "Picture.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <algorithm>

namespace {

// Left half red, right half blue, so turns and mirrors show.
QImage TwoColours(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::blue);
    QPainter(&img).fillRect(0, 0, w / 2, h, Qt::red);
    return img;
}

QByteArray Encoded(const QImage &img, const char *format)
{
    if (format == std::string("tga")) { // Qt reads it only: 24 bits, top row first
        const QImage bgr = img.convertToFormat(QImage::Format_BGR888);
        return U8(0) + U8(0) + U8(2) + QByteArray(9, '\0') + Le16(img.width()) + Le16(img.height()) + U8(24) + U8(0x20)
               + QByteArray(reinterpret_cast<const char *>(bgr.constBits()), bgr.sizeInBytes());
    }
    QByteArray b;
    QBuffer buf(&b);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, format);
    return b;
}

QByteArray BitmapRecord(int bits, int code, const QByteArray &data, int length = -1)
{
    return Head(15) + Le32(10) + Le32(20) + Le32(300) + Le32(200) + Le32(0xFF) + U8(1) + Le32(3) + U8(1) + Le32(bits)
           + Le32(code) + Le32(length < 0 ? data.size() : length) + data;
}

QByteArray WriteRecord(const TCDLFrame &f)
{
    TStreamWriter w;
    return f.WriteToStream(w), w.take();
}

std::unique_ptr<TCDLBild> ReadRecord(const QByteArray &bytes)
{
    auto f = std::make_unique<TCDLBild>(nullptr, 0, 0);
    TStreamReader in(bytes);
    in.skip(8);
    f->ReadFromStream(in);
    return in.atEnd() ? std::move(f) : nullptr;
}

// A 2 x 1 PCX of three planes, right 1, bottom 0, two bytes a line, run-length
// coded with literal bytes only.
const QByteArray kPcx = QByteArray::fromHex("0a0501080000000001") + QByteArray(56, '\0') + QByteArray::fromHex("030200")
                        + QByteArray(60, '\0') + QByteArray::fromHex("a0a000001010");

// A placeable metafile: a red brush, one rectangle over the whole picture.
const QByteArray kWmf = QByteArray::fromHex(
    "d7cdc69a000000000000d007e803a005000000008956010009000003280000000100070000000000050000000b020000"
    "0000050000000c02e803d00707000000fc020000ff0000000000040000002d010000070000001b04e803d00700000000"
    "030000000000");

} // namespace

TEST(Picture, ReadsByContentWritesTheSameBytesBackAndRefusesDamage)
{
    const QImage img = TwoColours(8, 4);
    // The code field says TIFF and 8 bits: the data is read by what it is.
    for (const char *format : {"png", "bmp", "tga", "jpeg", "tiff"}) {
        SCOPED_TRACE(format);
        const QByteArray rec = BitmapRecord(8, 3, Encoded(img, format));
        const auto f = ReadRecord(rec);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ((std::tuple{f->Picture().size(), WriteRecord(*f)}), std::tuple(QSize(8, 4), rec));
    }
    // A changed picture is written as PNG, with its code and length.
    const auto f = ReadRecord(BitmapRecord(24, 6, Encoded(img, "bmp")));
    f->Mirror(true);
    const QByteArray png = Imaging::EncodePng(f->Picture());
    EXPECT_EQ(WriteRecord(*f), BitmapRecord(24, TCDLBild::PngCode, png));

    // Damaged data is a damaged record; a hostile header no picture.
    for (const QByteArray &bad : {BitmapRecord(24, 75, png, png.size() + 1), BitmapRecord(24, 75, png.left(40)),
                                  BitmapRecord(24, 75, "not a picture at all"), BitmapRecord(24, 75, {})})
        EXPECT_THROW(ReadRecord(bad), EStreamError);
    for (int side : {100000, 0}) {
        QByteArray bomb = Encoded(TwoColours(8, 4), "bmp");
        bomb.replace(18, 8, Le32(side) + Le32(side));
        EXPECT_TRUE(Imaging::LoadFromMemory(bomb).isNull()) << side;
    }
}

TEST(Picture, ReadsPcxAndWmfThroughTheForeignDecoder)
{
    TImageFormat format{};
    const QImage pcx = Imaging::LoadFromMemory(kPcx, &format);
    EXPECT_EQ(format, TImageFormat::Pcx);
    ASSERT_EQ(pcx.size(), QSize(2, 1));
    EXPECT_EQ(QColor(pcx.pixel(1, 0)), QColor(0xA0, 0, 0x10));
    const QImage wmf = Imaging::LoadFromMemory(kWmf, &format);
    EXPECT_EQ(format, TImageFormat::Wmf);
    ASSERT_FALSE(wmf.isNull());
    EXPECT_EQ(QColor(wmf.pixel(wmf.width() / 2, wmf.height() / 2)).blue(), 0);
}

TEST(Picture, AnIconStaysAPlatformPicture)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.ico"));
    ASSERT_TRUE(TwoColours(16, 16).save(path, "ico"));
    TCDLBild f(nullptr, 0, 0);
    ASSERT_TRUE(f.OpenFile(path));
    EXPECT_TRUE(f.IsIcon());
    f.Rotate(90);
    f.Mirror(true);
    EXPECT_EQ(f.Picture().pixel(0, 0), QColor(Qt::red).rgb());
    const QByteArray rec = WriteRecord(f);
    EXPECT_EQ(rec.mid(8 + 25, 8), U8(0) + U8(6) + "TImage");
    EXPECT_EQ(WriteRecord(*ReadRecord(rec)), rec);
    EXPECT_FALSE(f.OpenFile(dir.filePath(QStringLiteral("missing.png"))));
}

TEST(Picture, SizeRulesAndQuarterTurns)
{
    TCDLBild f(nullptr, 0, 0);
    ASSERT_TRUE(f.TakePicture(TwoColours(640, 480)));
    f.SetDefaults();
    f.FitToPicture();
    EXPECT_EQ(QSize(f.Width, f.Height), QSize(640, 480));
    ASSERT_TRUE(f.TakePicture(TwoColours(200, 100)));
    f.Width = f.Height = 100;
    f.FitToPicture();
    EXPECT_EQ(QSize(f.Width, f.Height), QSize(100, 50));

    const QImage before = f.Picture();
    f.Rotate(90);
    EXPECT_EQ(QSize(f.Width, f.Height), QSize(50, 100));
    f.Rotate(-90);
    EXPECT_EQ((std::tuple{QSize(f.Width, f.Height), f.Picture()}), std::tuple(QSize(100, 50), before));
    EXPECT_THROW(f.Rotate(45), ELocalizedError);
}

TEST(Picture, PaintsStretchedAndPrintsOnlyTheVisiblePart)
{
    TCDLBild f(nullptr, 20, 10);
    ASSERT_TRUE(f.TakePicture(TwoColours(10, 10)));
    f.Width = 40, f.Height = 20;
    TPaintContext c;
    TTestCanvas canvas(c, 100, 50, 1.0, {-40, 0});
    f.PaintAt(c, f.Geometry(c));
    const QImage out = canvas.Finish();
    // Device x -20..20: the red half is off the paper, column 0 stays blank.
    EXPECT_EQ((std::tuple{out.pixel(0, 15), QColor(out.pixel(2, 15)).blue(), out.pixel(25, 15)}),
              std::tuple(QColor(Qt::white).rgb(), 255, QColor(Qt::white).rgb()));

    // Three pixels over 40 device pixels, most of the first off the paper:
    // what prints is what the whole picture shows there, at its scale.
    QImage rgb(3, 3, QImage::Format_RGB32);
    for (int x = 0; x < 3; ++x)
        for (int y = 0; y < 3; ++y)
            rgb.setPixel(x, y, QColor(Qt::GlobalColor(Qt::red + x)).rgb());
    ASSERT_TRUE(f.TakePicture(rgb));
    QImage whole[2];
    for (const bool printing : {false, true}) {
        TTestCanvas canvas3(c, 100, 50, 1.0, {-40, 0});
        c.Interactive = !printing;
        f.PaintAt(c, f.Geometry(c));
        whole[printing] = canvas3.Finish();
    }
    for (int x = 2; x <= 20; ++x) {
        const QColor screen(whole[0].pixel(x, 15)), printed(whole[1].pixel(x, 15));
        EXPECT_LE(std::max({std::abs(screen.red() - printed.red()), std::abs(screen.green() - printed.green()),
                            std::abs(screen.blue() - printed.blue())}),
                  4)
            << x;
    }

    // A PDF keeps the picture's pixels as they are: no lossy coding.
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        QPainter p(&writer);
        c.Canvas = &p;
        f.PaintAt(c, f.Geometry(c));
        c.Canvas = nullptr;
    }
    EXPECT_TRUE(pdf.contains("/Subtype /Image") && !pdf.contains("/DCTDecode"));
}

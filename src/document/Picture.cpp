#include "Picture.h"

#include "BinaryStream.h"
#include "CreationHost.h"
#include "Imaging.h"
#include "Page.h"
#include "PageHost.h"
#include "RecordCode.h"
#include "Strings.h"

#include <QCryptographicHash>
#include <QJsonObject>
#include <cmath>

namespace {

using F = TCDLFrame;

constexpr int ClassFieldSize = 64;
constexpr int kReadError = 566;
constexpr int kPasteError = 567;

} // namespace

struct TPictureCodec
{
    static void Write(const TCDLFrame &f, TStreamWriter &out)
    {
        const TCDLBild::TStored &s = static_cast<const TCDLBild &>(f).m_stored;
        out.writeByte(s.Flag);
        if (s.Flag == 1) {
            out.writeInt32(s.Bits);
            out.writeInt32(s.Code);
        } else {
            out.writeBytes(s.ClassField);
        }
        out.writeInt32(int32_t(s.Data.size()));
        out.writeBytes(s.Data);
    }

    // Whatever format the data holds, by its content: the code field comes
    // from other writers and is not trusted.
    static void Read(TCDLFrame &f, TStreamReader &in)
    {
        auto &b = static_cast<TCDLBild &>(f);
        TCDLBild::TStored s;
        s.Flag = in.readByte();
        if (s.Flag == 1) {
            s.Bits = in.readInt32();
            s.Code = in.readInt32();
        } else {
            s.ClassField = in.readBytes(ClassFieldSize);
        }
        const int32_t length = in.readInt32();
        if (length < 0)
            throw FileFormatError();
        s.Data = in.readBytes(length);
        QImage image;
        if (s.Flag == 1 || !s.Data.isEmpty()) {
            image = Imaging::LoadFromMemory(s.Data);
            if (image.isNull())
                throw FileFormatError();
        }
        b.m_image = std::move(image);
        b.m_icon = s.Flag != 1;
        b.m_stored = std::move(s);
    }

    static QJsonValue Json(const TCDLFrame &f)
    {
        const auto &b = static_cast<const TCDLBild &>(f);
        QJsonObject o;
        o.insert(QStringLiteral("form"), b.m_stored.Flag == 1 ? QStringLiteral("bitmap") : QStringLiteral("platform"));
        o.insert(QStringLiteral("width"), b.m_image.width());
        o.insert(QStringLiteral("height"), b.m_image.height());
        o.insert(QStringLiteral("depth"), b.m_stored.Flag == 1 ? b.m_stored.Bits : b.m_image.depth());
        o.insert(QStringLiteral("code"), b.m_stored.Code);
        o.insert(QStringLiteral("bytes"), b.m_stored.Data.size());
        o.insert(QStringLiteral("sha256"),
                 QString::fromLatin1(QCryptographicHash::hash(b.m_stored.Data, QCryptographicHash::Sha256).toHex()));
        return o;
    }
};

namespace {

constexpr TFieldCodec kPictureCodec = {&TPictureCodec::Write, &TPictureCodec::Read, &TPictureCodec::Json};

constexpr TRecordField kPictureLayout[] = {
    QM_FIELD(F, X),        QM_FIELD(F, Y),     QM_FIELD(F, Width),   QM_FIELD(F, Height),
    QM_FIELD(F, PenColor), QM_FIELD(F, NoPen), QM_FIELD(F, PenSize), CustomField("Picture", kPictureCodec),
};

// Undo keeps position, size and border; the picture stays out.
constexpr TPropertyRecord kPictureProperties = {TagBildProperties, 7};

void ShowError(const TCDLFrame &f, int text)
{
    if (f.Page && f.Page->Window)
        f.Page->Window->ShowWarning(GetText(text));
}

constexpr TKindTool kPictureTools[] = {
    {TTool::Picture, nullptr,
     [](TCDLFrame &f, TCreationHost &host) {
         const QString path = host.AskPictureFile();
         return !path.isEmpty() && static_cast<TCDLBild &>(f).OpenFile(path);
     }},
    {TTool::ScannedPicture, nullptr,
     [](TCDLFrame &f, TCreationHost &host) {
         const QImage scan = host.AskScan();
         auto &b = static_cast<TCDLBild &>(f);
         if (scan.isNull())
             return false;
         // The scanner bounds its pages more loosely than pictures are kept.
         if (!b.TakePicture(scan)) {
             ShowError(f, kReadError);
             return false;
         }
         b.FitToPicture();
         return true;
     }},
};

} // namespace

const TFrameKind TCDLBild::Descriptor = {
    TagBild,
    "TCDLBild",
    &MakeFrame<TCDLBild>,
    kPictureTools,
    TPanel::ColorPanel | TPanel::Pen | TPanel::NoPenBox | TPanel::ImageRotate,
    TTextFocus::None,
    TSnapRule::Box,
    &kPictureProperties,
    [](const TClipData &clip) { return clip.HasImage; },
};

TCDLBild::TCDLBild(TCDLPage *page, int32_t x, int32_t y) : TCDLFrame(page, x, y)
{
    NoPen = true;
    SetPicture({}, true);
}

TRecordLayout TCDLBild::RecordLayout() const { return TRecordCode<kPictureLayout>::Layout; }

QString TCDLBild::Verbose() const { return BoxVerbose(565); }

void TCDLBild::SetDefaults()
{
    Width = 0;
    Height = 0;
}

void TCDLBild::SetPicture(QImage image, bool icon)
{
    m_image = std::move(image);
    m_icon = icon;
    m_stored = {};
    m_stored.Data = Imaging::EncodePng(m_image);
    if (icon) {
        QByteArray name = QByteArrayLiteral("\x06TImage");
        name.resize(ClassFieldSize, '\0');
        m_stored.ClassField = name;
    } else {
        m_stored.Flag = 1;
        m_stored.Bits = m_image.hasAlphaChannel() ? 32 : 24;
        m_stored.Code = PngCode;
    }
}

bool TCDLBild::OpenFile(const QString &path)
{
    TImageFormat format = TImageFormat::Unknown;
    QImage image = Imaging::LoadFromFile(path, &format);
    if (image.isNull()) {
        ShowError(*this, kReadError);
        return false;
    }
    SetPicture(std::move(image), format == TImageFormat::Ico);
    FitToPicture();
    return true;
}

bool TCDLBild::TakePicture(const QImage &image)
{
    const QSize s = image.size();
    if (image.isNull() || s.width() > Imaging::MaxSide || s.height() > Imaging::MaxSide
        || qint64(s.width()) * s.height() > Imaging::MaxPixels)
        return false;
    SetPicture(image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32), false);
    return true;
}

void TCDLBild::FitToPicture()
{
    const int w = m_image.width(), h = m_image.height();
    if (Width == 0 || Height == 0 || (Width <= 10 && Height <= 10)) {
        Width = w ? w : 40;
        Height = h ? h : 40;
    } else if (w > 0 && h > 0) {
        const double f = ScaleFactor(Width, Height, w, h);
        Width = int32_t(std::trunc(w * f));
        Height = int32_t(std::trunc(h * f));
    }
}

void TCDLBild::Rotate(int degrees)
{
    if (m_image.isNull() || m_icon)
        return;
    if (degrees % 90 != 0)
        throw InternalError(5);
    const int quarters = degrees / 90;
    SetPicture(Imaging::QuarterTurn(m_image, quarters), false);
    if (quarters % 2)
        std::swap(Width, Height);
}

void TCDLBild::Mirror(bool leftRight)
{
    if (m_image.isNull() || m_icon)
        return;
    SetPicture(Imaging::Mirror(m_image, leftRight), false);
}

void TCDLBild::PaintAt(TPaintContext &c, const TFrameGeometry &g) const
{
    if (!c.Canvas)
        return;
    if (DrawsDragOutline(c))
        return TCDLFrame::PaintAt(c, g);
    const QPoint p1 = g.DragPoints[1], p3 = g.DragPoints[3];
    const QRect target = QRect(p1.x(), p1.y(), p3.x() - p1.x(), p3.y() - p1.y()).normalized();
    c.SetMode(TPenMode::Copy);
    // Output (printers, previews, renders) gets the visible part only, so a
    // picture far beyond the sheet still prints what is on it; a bitmap that
    // wide on a screen would be refused anyway.
    const bool clip = !c.Interactive && !m_icon;
    if (!m_image.isNull() && (clip || target.width() < 32768)) {
        c.Canvas->save();
        c.Canvas->setRenderHint(QPainter::SmoothPixmapTransform);
        // A PDF would otherwise take a picture as JPEG whenever that is
        // smaller, smearing the colours of small or sharp ones.
        c.Canvas->setRenderHint(QPainter::LosslessImageRendering);
        Imaging::DrawStretched(*c.Canvas, m_image, target, clip);
        c.Canvas->restore();
    }
    const QPoint poly[4] = {g.DragPoints[1], g.DragPoints[2], g.DragPoints[3], g.DragPoints[4]};
    c.SetPen(PenColor, TPenMode::Copy, NoPen ? Qt::NoPen : Qt::SolidLine, PenWidth(PenSize));
    c.SetBrush(0, true);
    c.Canvas->drawPolygon(poly, 4);
}

void TCDLBild::CopyToClip(TClipData &clip) const
{
    TCDLFrame::CopyToClip(clip);
    if (!m_image.isNull()) {
        clip.HasImage = true;
        clip.Image = m_image;
    }
}

void TCDLBild::PasteFromClip(const TClipData &clip)
{
    if (!clip.HasImage || !TakePicture(clip.Image))
        throw ELocalizedError(GetText(kPasteError));
    FitToPicture();
}

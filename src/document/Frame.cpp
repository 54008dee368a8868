#include "Frame.h"

#include "BinaryStream.h"
#include "Page.h"
#include "Strings.h"
#include "TextLayout.h"

#include <QJsonArray>
#include <cmath>
#include <cstring>
#include <numbers>

namespace {

QPoint Mid(QPoint a, QPoint b) { return {MidPoint(a.x(), b.x()), MidPoint(a.y(), b.y())}; }

// Trunc of a side length times the sine or cosine of its angle. sin 30 and
// cos 120 come out a hair short of one half in doubles, which would cost
// a unit (400 * sin 30 = 199); the nudge is far below any real fraction.
int64_t TruncSide(double v) { return int64_t(std::trunc(v * (1 + 1e-12))); }

// Whether writing the field's text back gives its bytes: a length within
// bounds and zeros after the text. Every character converts both ways.
bool PlainShortString(const char *field)
{
    const int len = uint8_t(field[0]);
    if (len > ShortStringMax)
        return false;
    for (int i = 1 + len; i < ShortStringSize; ++i)
        if (field[i] != 0)
            return false;
    return true;
}

} // namespace

const TShortStringField *TCDLFrame::StoredShortString(const char *name) const
{
    for (const auto &[n, field] : m_storedShortStrings)
        if (std::strcmp(n, name) == 0)
            return &field;
    return nullptr;
}

void TCDLFrame::KeepShortString(const char *name, const char *field)
{
    auto &list = m_storedShortStrings;
    auto slot =
        std::find_if(list.begin(), list.end(), [name](const auto &s) { return std::strcmp(s.first, name) == 0; });
    if (PlainShortString(field)) {
        if (slot != list.end())
            list.erase(slot);
        return;
    }
    if (slot == list.end())
        slot = list.insert(list.end(), {name, TShortStringField()});
    std::memcpy(slot->second.data(), field, ShortStringSize);
}

const TFrameKind TCDLFrame::Descriptor = {TagBase, "TCDLFrame", nullptr, {}, {}, TTextFocus::None, TSnapRule::Box};

TCDLFrame::TCDLFrame(TCDLPage *page, int32_t x, int32_t y) : X(x), Y(y), Page(page), Id(page ? page->Undo.NextId() : 0)
{
}

TCDLFrame::~TCDLFrame() = default;

void TCDLFrame::SetDefaults()
{
    Width = 400;
    Height = 400;
}

QString TCDLFrame::PositionText(int32_t x, int32_t y) const
{
    const QPoint o = Page ? Page->Origin : QPoint();
    // Wrapped as the int32 model arithmetic wraps, without overflowing.
    return FormatLength(int32_t(int64_t(x) - o.x())) + QStringLiteral(" ; ")
           + FormatLength(int32_t(int64_t(y) - o.y()));
}

QString TCDLFrame::KindWord(int textNumber) const { return GetText(textNumber); }

QString TCDLFrame::Verbose() const { return BoxVerbose(554); }

QString TCDLFrame::BoxVerbose(int kindText) const
{
    return KindWord(kindText) + QStringLiteral("  ( ") + PositionText(X, Y) + QStringLiteral(" )  ") + GetText(555)
           + QStringLiteral(": ") + FormatLength(Width) + QStringLiteral("  ") + GetText(556) + QStringLiteral(": ")
           + FormatLength(Height);
}

void TCDLFrame::CopyToClip(TClipData &clip) const
{
    TStreamWriter w;
    WriteToStream(w);
    clip.HasPrivate = true;
    clip.Private = w.take();
}

void TCDLFrame::WriteRecordHeader(TStreamWriter &out, uint16_t tag) const
{
    out.writeWord(RecordMarker);
    out.writeWord(tag);
    out.writeInt32(0);
}

void TCDLFrame::WriteToStream(TStreamWriter &out) const
{
    const TRecordLayout layout = RecordLayout();
    if (layout.Write)
        return layout.Write(*this, out, TypeTag());
    WriteRecordHeader(out, TypeTag());
    WriteFields(out, layout);
}

void TCDLFrame::ReadFromStream(TStreamReader &in)
{
    const TRecordLayout layout = RecordLayout();
    if (layout.Read)
        return layout.Read(*this, in);
    ReadFields(in, layout);
}

void TCDLFrame::WriteProperties(TStreamWriter &out) const
{
    const TPropertyRecord *p = Kind().Properties;
    if (!p)
        return WriteToStream(out);
    WriteRecordHeader(out, p->Tag);
    WriteFields(out, RecordLayout().first(p->Fields));
}

void TCDLFrame::ReadProperties(TStreamReader &in)
{
    const TPropertyRecord *p = Kind().Properties;
    if (!p)
        return ReadFromStream(in);
    ReadFields(in, RecordLayout().first(p->Fields));
}

void TCDLFrame::WriteFields(TStreamWriter &out, TRecordLayout fields) const
{
    for (const TRecordField &f : fields) {
        switch (f.Type) {
        case TFieldType::Int32: out.writeInt32(f.Ref<int32_t>(*this)); break;
        case TFieldType::Color: out.writeUInt32(f.Ref<TColor>(*this)); break;
        case TFieldType::Bool: out.writeBool(f.Ref<bool>(*this)); break;
        case TFieldType::ShortString: out.writeShortString(f.Ref<QString>(*this), StoredShortString(f.Name)); break;
        case TFieldType::Paragraphs: WriteRecordText(out, f.Ref<QStringList>(*this)); break;
        case TFieldType::Custom: f.Codec->Write(*this, out); break;
        }
    }
}

void TCDLFrame::ReadFields(TStreamReader &in, TRecordLayout fields)
{
    for (const TRecordField &f : fields) {
        switch (f.Type) {
        case TFieldType::Int32: f.Ref<int32_t>(*this) = in.readInt32(); break;
        case TFieldType::Color: f.Ref<TColor>(*this) = in.readUInt32(); break;
        case TFieldType::Bool: f.Ref<bool>(*this) = in.readBool(); break;
        case TFieldType::ShortString: {
            const char *field = in.consume(ShortStringSize);
            f.Ref<QString>(*this) = DecodeShortString(field);
            KeepShortString(f.Name, field);
            break;
        }
        case TFieldType::Paragraphs: f.Ref<QStringList>(*this) = ReadRecordText(in); break;
        case TFieldType::Custom: f.Codec->Read(*this, in); break;
        }
    }
}

void TCDLFrame::ToJson(QJsonObject &o) const
{
    o.insert(QStringLiteral("class"), QLatin1String(ClassName()));
    o.insert(QStringLiteral("tag"), int(TypeTag()));
    for (const TRecordField &f : RecordLayout()) {
        const QString name = QLatin1String(f.Name);
        switch (f.Type) {
        case TFieldType::Int32: o.insert(name, f.Ref<int32_t>(*this)); break;
        case TFieldType::Color: o.insert(name, qint64(f.Ref<TColor>(*this))); break;
        case TFieldType::Bool: o.insert(name, f.Ref<bool>(*this)); break;
        case TFieldType::ShortString: o.insert(name, f.Ref<QString>(*this)); break;
        case TFieldType::Paragraphs: o.insert(name, QJsonArray::fromStringList(f.Ref<QStringList>(*this))); break;
        case TFieldType::Custom: o.insert(name, f.Codec->Json(*this)); break;
        }
    }
}

std::array<QPoint, 4> TCDLFrame::RectCorners() const
{
    const double a = Angle * std::numbers::pi / 180.0;
    const double s = std::sin(a), co = std::cos(a);
    const int64_t w1 = TruncSide(Width * co), w2 = -TruncSide(Width * s);
    const int64_t h1 = TruncSide(Height * s), h2 = TruncSide(Height * co);
    auto at = [this](int64_t dx, int64_t dy) { return QPoint(SaturatedAdd(X, dx), SaturatedAdd(Y, dy)); };
    return {QPoint(X, Y), at(w1, w2), at(w1 + h1, w2 + h2), at(h1, h2)};
}

std::vector<QPoint> TCDLFrame::ModelHandles() const
{
    const auto c = RectCorners();
    std::vector<QPoint> h{c[0], c[1], c[2], c[3], Mid(c[0], c[1]), Mid(c[1], c[2]), Mid(c[2], c[3]), Mid(c[3], c[0])};
    h.resize(size_t(std::clamp(DragPointCount, 0, 8)));
    return h;
}

void TCDLFrame::ShiftBy(int64_t dx, int64_t dy)
{
    X = SaturatedAdd(X, dx);
    Y = SaturatedAdd(Y, dy);
}

void TCDLFrame::ShiftWithSecondPoint(int64_t dx, int64_t dy)
{
    TCDLFrame::ShiftBy(dx, dy);
    X2 = SaturatedAdd(X2, dx);
    Y2 = SaturatedAdd(Y2, dy);
}

void TCDLFrame::RectDragPoints(const TPaintContext &c, TFrameGeometry &g) const
{
    const auto corners = RectCorners();
    for (int i = 0; i < 4; ++i)
        g.DragPoints[i + 1] = c.Map(corners[i].x(), corners[i].y());
    for (int i = 0; i < 4; ++i)
        g.DragPoints[i + 5] = Mid(g.DragPoints[i + 1], g.DragPoints[(i + 1) % 4 + 1]);
}

TFrameGeometry TCDLFrame::Geometry(const TPaintContext &c) const
{
    TFrameGeometry g;
    RectDragPoints(c, g);
    return g;
}

void TCDLFrame::DrawInteractionOutline(TPaintContext &c, TColor color, Qt::PenStyle style) const
{
    c.SetPen(color, TPenMode::Xor, style, 0);
    c.SetBrush(0, true);
}

void TCDLFrame::PaintAt(TPaintContext &c, const TFrameGeometry &g) const
{
    if (!c.Canvas)
        return;
    const QPoint poly[4] = {g.DragPoints[1], g.DragPoints[2], g.DragPoints[3], g.DragPoints[4]};
    if (DrawsDragOutline(c)) {
        DrawInteractionOutline(c, RGBColor(255, 255, 0), Qt::DotLine);
    } else {
        c.SetPen(PenColor, TPenMode::Copy, NoPen ? Qt::NoPen : Qt::SolidLine, PenWidth(PenSize));
        c.SetBrush(FillColor, NoFill);
    }
    c.Canvas->drawPolygon(poly, 4);
    c.SetMode(TPenMode::Copy);
}

void TCDLFrame::PaintDragPointsAt(TPaintContext &c, const TFrameGeometry &g) const
{
    if (!c.Canvas)
        return;
    c.SetMode(TPenMode::Invert);
    for (int i = 1; i <= DragPointCount && i < int(g.DragPoints.size()); ++i) {
        const QPoint p = g.DragPoints[i];
        // Filled without an outline so the invert touches each pixel once.
        c.Canvas->fillRect(QRect(p.x() - 3, p.y() - 3, 7, 7), Qt::black);
    }
    c.SetMode(TPenMode::Copy);
}

QRect TCDLFrame::DragPointsArea(const TFrameGeometry &g) const
{
    QRect area;
    for (int i = 1; i <= DragPointCount && i < int(g.DragPoints.size()); ++i)
        area |= QRect(g.DragPoints[i].x() - 3, g.DragPoints[i].y() - 3, 7, 7);
    return area;
}

int TCDLFrame::TestDPMouseHit(const TFrameGeometry &g, int x, int y) const
{
    const auto &dp = g.DragPoints;
    int hit = -1;
    for (int i = 1; i <= DragPointCount && i < int(dp.size()); ++i) {
        const QPoint p = dp[i];
        if (x >= p.x() - 3 && x <= p.x() + 3 && y >= p.y() - 3 && y <= p.y() + 3)
            hit = i;
    }
    return hit;
}

bool TCDLFrame::TestMouseHit(const TFrameGeometry &g, int x, int y) const
{
    const auto &dp = g.DragPoints;
    const QPoint p1 = dp[1];
    const QPoint m = RotatePoint(QPoint(x, y), p1, -Angle);
    const QPoint p3 = RotatePoint(dp[3], p1, -Angle);
    return m.x() >= std::min(p1.x(), p3.x()) && m.x() <= std::max(p1.x(), p3.x()) && m.y() >= std::min(p1.y(), p3.y())
           && m.y() <= std::max(p1.y(), p3.y());
}

bool TCDLFrame::IsInRect(const TFrameGeometry &g, const TRect &r) const
{
    const auto &dp = g.DragPoints;
    TRect box{dp[1].x(), dp[1].y(), dp[1].x(), dp[1].y()};
    for (int i = 2; i <= DragPointCount && i < int(dp.size()); ++i)
        box.include(dp[i].x(), dp[i].y());
    const int cx = (box.Left + box.Right) / 2, cy = (box.Top + box.Bottom) / 2;
    return r.Left < cx && cx < r.Right && r.Top < cy && cy < r.Bottom;
}

TRect TCDLFrame::GetBoundRect() const
{
    TRect r{X, Y, X, Y};
    // In doubles: X + Width may lie beyond the int32 range.
    const double x = X, y = Y;
    const QPointF o(x, y);
    for (QPointF p : {QPointF(x + Width, y), QPointF(x + Width, y + Height), QPointF(x, y + Height)}) {
        const QPointF q = RotatePointF(p, o, Angle);
        r.include(SaturatedInt(std::round(q.x())), SaturatedInt(std::round(q.y())));
    }
    return r;
}

int TCDLFrame::InkMargin(const TPaintContext &c) const
{
    return std::abs(c.MapLenX(PenSize)) + std::abs(c.MapLenY(PenSize)) + 8;
}

bool TCDLFrame::MouseMove(int32_t x, int32_t y, int32_t dx, int32_t dy, int mode)
{
    if (mode == ModeMove) {
        // A frame at the end of the coordinate range stays there.
        X = SaturatedAdd(x, -int64_t(dx));
        Y = SaturatedAdd(y, -int64_t(dy));
        return true;
    }
    if (mode == ModeCreate) {
        Width = std::max(x - X, 10);
        Height = std::max(y - Y, 10);
        return true;
    }
    if (mode < 1 || mode > 8)
        return true;

    const QPoint origin(X, Y);
    const QPoint local = RotatePoint(QPoint(x, y), origin, -Angle);
    const int32_t lx = local.x(), ly = local.y();
    auto setOrigin = [&](QPoint unrotated) {
        const QPoint p = RotatePoint(unrotated, origin, Angle);
        X = p.x();
        Y = p.y();
    };

    switch (mode) {
    case 1:
    case 2:
    case 3:
    case 4: {
        const int32_t newW = (mode == 1 || mode == 4) ? X + Width - lx : lx - X;
        const int32_t newH = (mode == 1 || mode == 2) ? Y + Height - ly : ly - Y;
        const double f = ScaleFactor(newW, newH, Width, Height);
        if (!(Width * f >= 10 && Height * f > 10))
            break;
        const int32_t oldW = Width, oldH = Height;
        Width = RoundEven(Width * f);
        Height = RoundEven(Height * f);
        if (mode == 1)
            setOrigin(QPoint(X + oldW - Width, Y + oldH - Height));
        else if (mode == 2)
            setOrigin(QPoint(X, Y + oldH - Height));
        else if (mode == 4)
            setOrigin(QPoint(X + oldW - Width, Y));
        break;
    }
    case 5: {
        const int32_t h = Y + Height - ly;
        if (h >= 10) {
            Height = h;
            setOrigin(QPoint(X, ly));
        }
        break;
    }
    case 6: Width = std::max(lx - X, 10); break;
    case 7: Height = std::max(ly - Y, 10); break;
    case 8: {
        const int32_t w = X + Width - lx;
        if (w >= 10) {
            Width = w;
            setOrigin(QPoint(lx, Y));
        }
        break;
    }
    }
    return true;
}

#include "Listing.h"

#include "BinaryStream.h"
#include "CreationHost.h"
#include "RecordCode.h"
#include "Strings.h"
#include "TextLayout.h"

#include <QDir>
#include <QImage>

namespace {

using F = TCDLDIR;

TCDLDIR &Dir(TCDLFrame &f) { return static_cast<TCDLDIR &>(f); }
const TCDLDIR &Dir(const TCDLFrame &f) { return static_cast<const TCDLDIR &>(f); }

constexpr TFieldCodec kEntries = {
    [](const TCDLFrame &f, TStreamWriter &out) { WriteDirList(out, Dir(f).Tree.Entries); },
    [](TCDLFrame &f, TStreamReader &in) { Dir(f).Tree.Entries = ReadDirList(in); },
    [](const TCDLFrame &f) -> QJsonValue { return DirListJson(Dir(f).Tree.Entries); },
};
constexpr TFieldCodec kAscending = {
    [](const TCDLFrame &f, TStreamWriter &out) { out.writeBool(Dir(f).Tree.Ascending); },
    [](TCDLFrame &f, TStreamReader &in) { Dir(f).Tree.Ascending = in.readBool(); },
    [](const TCDLFrame &f) -> QJsonValue { return Dir(f).Tree.Ascending; },
};
constexpr TFieldCodec kSortMode = {
    [](const TCDLFrame &f, TStreamWriter &out) { out.writeByte(uint8_t(Dir(f).Tree.SortMode)); },
    [](TCDLFrame &f, TStreamReader &in) { Dir(f).Tree.SortMode = TDirSort(in.readByte()); },
    [](const TCDLFrame &f) -> QJsonValue { return int(Dir(f).Tree.SortMode); },
};
// A 16-bit length with the terminating zero, then the zero-terminated text.
constexpr TFieldCodec kDirectory = {
    [](const TCDLFrame &f, TStreamWriter &out) {
        const QByteArray b = ToAnsi(Dir(f).Directory).left(0xFFFE);
        out.writeWord(uint16_t(b.size() + 1));
        out.writeBytes(b);
        out.writeByte(0);
    },
    [](TCDLFrame &f, TStreamReader &in) {
        QByteArray b = in.readBytes(in.readWord());
        if (b.indexOf('\0') >= 0)
            b.truncate(b.indexOf('\0'));
        Dir(f).Directory = FromAnsi(b);
    },
    [](const TCDLFrame &f) -> QJsonValue { return Dir(f).Directory; },
};

constexpr TRecordField kDirLayout[] = {
    QM_FIELD(F, X),
    QM_FIELD(F, Y),
    QM_FIELD(F, Width),
    QM_FIELD(F, Height),
    QM_FIELD(F, PenColor),
    QM_FIELD(F, FontName),
    QM_FIELD(F, FontSize),
    QM_FIELD(F, Bold),
    QM_FIELD(F, Italic),
    QM_FIELD(F, Underline),
    QM_FIELD(F, Alignment),
    QM_FIELD(F, Barcode),
    QM_FIELD(F, Angle),
    QM_FIELD(F, WithSubdirectories),
    QM_FIELD(F, ShowFiles),
    QM_FIELD(F, ShowDate),
    QM_FIELD(F, ShowSize),
    QM_FIELD(F, Columns),
    CustomField("Entries", kEntries),
    CustomField("SortMode", kSortMode),
    CustomField("Ascending", kAscending),
    CustomField("Directory", kDirectory),
};

constexpr TColor kDragOutline = 0x00FFFF;
constexpr TColor kScreenOutline = 0x808080;
// Model units a tree level is indented by.
constexpr int32_t kIndent = 40;

const QImage &Icon(bool folder)
{
    static const QImage images[2] = {QImage(QStringLiteral(":/listing/file.png")),
                                     QImage(QStringLiteral(":/listing/folder.png"))};
    return images[folder ? 1 : 0];
}

bool AskListing(TCDLFrame &f, TCreationHost &host)
{
    TCDLDIR &d = Dir(f);
    TFolderChoice choice;
    choice.Path = d.Directory;
    choice.WithSubdirectories = d.WithSubdirectories;
    if (!host.AskFolder(choice))
        return false;
    try {
        return d.InitList(choice.Path, choice.WithSubdirectories, choice.Progress);
    } catch (const ELocalizedError &e) {
        if (choice.Failed)
            choice.Failed(e.message());
        return false;
    }
}

void Flatten(const std::vector<TDirEntry> &list, bool files, int level, uint64_t through,
             std::vector<TCDLDIR::TRow> &rows, size_t limit)
{
    std::vector<const TDirEntry *> shown;
    for (const TDirEntry &e : list)
        if (files || e.IsDirectory())
            shown.push_back(&e);
    for (size_t i = 0; i < shown.size() && rows.size() < limit; ++i) {
        const bool last = i + 1 == shown.size();
        rows.push_back({shown[i], level, last, through});
        if (level + 1 < MaxDirDepth)
            Flatten(shown[i]->SubList, files, level + 1, last ? through : through | uint64_t(1) << level, rows, limit);
    }
}

// A name as it can stand on one line: a file name may hold a line break or
// other control characters, which would cut it short or split the row.
QString ShownName(QString name)
{
    for (QChar &ch : name)
        if (ch.category() == QChar::Other_Control)
            ch = QLatin1Char('?');
    return name;
}

} // namespace

constexpr TKindTool kDirTools[] = {{TTool::DirectoryListing, nullptr, &AskListing}};
const TFrameKind TCDLDIR::Descriptor = {
    TagDir,
    "TCDLDIR",
    &MakeFrame<TCDLDIR>,
    kDirTools,
    TPanel::ColorPanel | TPanel::Font | TPanel::Directory | TPanel::NoAlignment,
    TTextFocus::None,
    TSnapRule::Box,
};

TCDLDIR::TCDLDIR(TCDLPage *page, int32_t x, int32_t y) : TCDLFontFrame(page, x, y) {}

TRecordLayout TCDLDIR::RecordLayout() const { return TRecordCode<kDirLayout>::Layout; }

QString TCDLDIR::Verbose() const { return BoxVerbose(145); }

void TCDLDIR::ReadFromStream(TStreamReader &in)
{
    TCDLFontFrame::ReadFromStream(in);
    Tree.Sort();
}

bool TCDLDIR::InitList(const QString &path, bool withSubdirectories, const TScanProgress &progress)
{
    std::vector<TDirEntry> entries;
    if (!ScanListing(path, withSubdirectories, entries, progress))
        return false;
    SetList(path, withSubdirectories, std::move(entries));
    return true;
}

void TCDLDIR::SetList(const QString &path, bool withSubdirectories, std::vector<TDirEntry> entries)
{
    Directory = path;
    if (!IsDiscImage(path) && !Directory.endsWith(QLatin1Char('/')))
        Directory += QLatin1Char('/');
    WithSubdirectories = withSubdirectories;
    Tree.Entries = std::move(entries);
    Tree.Sort();
}

void TCDLDIR::SetSort(TDirSort mode, bool ascending)
{
    Tree.SortMode = mode;
    Tree.Ascending = ascending;
    Tree.Sort();
}

int32_t TCDLDIR::LineHeight() const
{
    TLineKey key{FontName, FontSize, Bold, Italic, Underline, FontGeneration()};
    if (key != m_lineKey) {
        m_lineHeight = TTextMeasure(*this).LineHeight();
        m_lineKey = std::move(key);
    }
    return m_lineHeight;
}

std::vector<TCDLDIR::TRow> TCDLDIR::Rows(int linesPerColumn) const
{
    std::vector<TRow> rows;
    if (linesPerColumn <= 0)
        return rows;
    const int columns = std::clamp(Columns, 1, 10);
    Flatten(Tree.Entries, ShowFiles, 0, 0, rows, size_t(linesPerColumn) * size_t(columns));
    for (size_t i = 0; i < rows.size(); ++i) {
        rows[i].Column = int(i / size_t(linesPerColumn));
        rows[i].Line = int(i % size_t(linesPerColumn));
    }
    return rows;
}

void TCDLDIR::PaintAt(TPaintContext &c, const TFrameGeometry &g) const
{
    if (!c.Canvas)
        return;
    QPainter &p = *c.Canvas;
    const QPoint poly[4] = {g.DragPoints[1], g.DragPoints[2], g.DragPoints[3], g.DragPoints[4]};
    if (DrawsDragOutline(c)) {
        c.SetPen(kDragOutline, TPenMode::Xor, Qt::DotLine, 0);
        c.SetBrush(0, true);
        p.drawPolygon(poly, 4);
        c.SetMode(TPenMode::Copy);
        return;
    }
    if (c.ShowsEditingAids()) {
        c.SetPen(kScreenOutline, TPenMode::Copy, Qt::DotLine, 0);
        c.SetBrush(0, true);
        p.drawPolygon(poly, 4);
    }
    if (Tree.Empty())
        return;
    const int indent = int(std::trunc(kIndent * c.ScaleX));
    const int advance = int(std::trunc(LineHeight() * c.ScaleY));
    const int width = c.MapLenX(Width), height = c.MapLenY(Height);
    if (advance <= 0 || indent <= 0)
        return;
    const std::vector<TRow> rows = Rows(height / advance);
    if (rows.empty())
        return;

    p.save();
    c.SetMode(TPenMode::Copy);
    // Positions run axis-parallel from the frame's origin; the frame's
    // angle turns the whole listing about it.
    QTransform t;
    t.translate(g.DragPoints[1].x(), g.DragPoints[1].y());
    t.rotate(-Angle);
    p.setTransform(t, true);
    QFont font = CellFont(*this, std::max(1, int(std::trunc(FontSize * c.ScaleY * 4))));
    p.setFont(font);
    const QFontMetrics fm(font, p.device());
    const QColor color = ToQColor(PenColor);
    p.setPen(QPen(color, 0));
    p.setBrush(Qt::NoBrush);
    p.setRenderHint(QPainter::SmoothPixmapTransform);

    const int columns = std::clamp(Columns, 1, 10);
    const int extras = int(ShowSize) + int(ShowDate);
    const int branchFrom = int(std::trunc(1.5 * indent)), branchTo = int(std::trunc(1.2 * indent));
    const int gap = fm.horizontalAdvance(QLatin1Char(' '));
    int clipped = -1;
    for (const TRow &r : rows) {
        const int left = width * r.Column / columns, right = width * (r.Column + 1) / columns;
        const int cw = right - left;
        // Levels deeper than a column is wide end at its edge, within the frame.
        if (r.Column != clipped) {
            if (clipped >= 0)
                p.restore();
            p.save();
            p.setClipRect(QRect(left, 0, cw, height), Qt::IntersectClip);
            clipped = r.Column;
        }
        const int top = r.Line * advance, mid = top + advance / 2, bottom = top + advance - 1;
        const int nameX = left + (r.Level + 2) * indent;
        // Tree lines: this level's down to the branch (on when more follow),
        // and the ancestors' that still have entries to come.
        const int lineX = nameX - branchFrom;
        p.drawLine(lineX, top, lineX, r.Last ? mid : bottom);
        p.drawLine(lineX, mid, nameX - branchTo, mid);
        for (int a = 0; a < r.Level; ++a)
            if (r.Through >> a & 1) {
                const int x = left + (a + 2) * indent - branchFrom;
                p.drawLine(x, top, x, bottom);
            }
        const QRect cell(nameX - indent, top, indent, advance);
        p.drawImage(cell.adjusted(indent / 10, advance / 10, -indent / 10, -advance / 10),
                    Icon(r.Entry->IsDirectory()));

        int nameRight = left + (extras == 0 ? cw : extras == 1 ? cw * 2 / 3 : cw / 2);
        const int sizeRight = extras == 1 ? right : left + cw * 3 / 4;
        if (ShowSize && !r.Entry->IsDirectory() && !(r.Entry->Attributes & AttrVolumeLabel)) {
            // A size wider than its column takes room from the name rather
            // than losing its leading digits.
            const QString size = SizeText(r.Entry->Size);
            const int sizeLeft = std::min(nameRight, sizeRight - fm.horizontalAdvance(size));
            p.drawText(QRect(sizeLeft, top, sizeRight - sizeLeft, advance), Qt::AlignRight | Qt::AlignVCenter, size);
            if (sizeLeft < nameRight)
                nameRight = sizeLeft - gap;
        }
        const QString name = ShownName(r.Entry->Name);
        const int nameWidth = std::max(0, nameRight - nameX);
        p.drawText(QRect(nameX, top, nameWidth, advance), Qt::AlignLeft | Qt::AlignVCenter,
                   fm.elidedText(Barcode ? BarcodeTransform(name) : name, Qt::ElideRight, nameWidth));
        if (ShowDate) {
            const int dateLeft = ShowSize ? sizeRight : left + cw * 2 / 3;
            p.drawText(QRect(dateLeft, top, std::max(0, right - dateLeft), advance), Qt::AlignLeft | Qt::AlignVCenter,
                       DateText(r.Entry->Time));
        }
    }
    if (clipped >= 0)
        p.restore();
    p.restore();
}

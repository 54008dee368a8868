#include "SheetLayout.h"

#include <algorithm>
#include <tuple>

namespace {

struct TSheetTable
{
    QPoint Labels[CDPositions];
    int32_t FrontLeft, BackLeft, Divider;
};

constexpr TSheetTable kA4{{{633, 660}, {1475, 1482}, {633, 2304}}, 473, 320, 1495};
constexpr TSheetTable kLetter{{{630, 675}, {1540, 1400}, {630, 2115}}, 482, 329, 1412};

const TSheetTable &Table(TSheetKind kind) { return kind == TSheetKind::Letter ? kLetter : kA4; }

int ClampPosition(int position, int last) { return std::clamp(position, 1, last); }

} // namespace

TSheetKind SheetKindForPaper(const QPageSize &paper)
{
    return paper.id() == QPageSize::Letter ? TSheetKind::Letter : TSheetKind::A4;
}

QPoint CDLabelCentre(TSheetKind kind, int position)
{
    return Table(kind).Labels[ClampPosition(position, CDPositions) - 1];
}

QSize InlayHalfSize(TPageKind inlay)
{
    if (inlay == TPageKind::InlayRueck)
        return {InlayBackHalfWidth, InlayBackHalfHeight};
    return {InlayFrontHalfWidth, InlayFrontHalfHeight};
}

int32_t InlayLeftEdge(TSheetKind kind, TPageKind inlay)
{
    return inlay == TPageKind::InlayRueck ? Table(kind).BackLeft : Table(kind).FrontLeft;
}

int32_t InlayDividingLine(TSheetKind kind) { return Table(kind).Divider; }

bool InlayIsUpper(TPageKind inlay, int position)
{
    switch (ClampPosition(position, InlayPositions)) {
    case 1: return true;
    case 2: return false;
    default: return inlay != TPageKind::InlayRueck;
    }
}

QPoint InlayCentre(TSheetKind kind, TPageKind inlay, int position)
{
    const QSize half = InlayHalfSize(inlay);
    const int32_t d = InlayDividingLine(kind);
    return {InlayLeftEdge(kind, inlay) + half.width(),
            InlayIsUpper(inlay, position) ? d - half.height() : d + half.height()};
}

std::vector<int> DiscNeighbours(int position)
{
    if (ClampPosition(position, CDPositions) == 2)
        return {1, 3};
    return {2};
}

TCutMarkGeometry CutMarkGeometry(TSheetKind kind, TCutMarks which)
{
    const int32_t d = InlayDividingLine(kind);
    auto corners = [&](TPageKind inlay) {
        const QSize half = InlayHalfSize(inlay);
        return std::make_tuple(InlayLeftEdge(kind, inlay), 2 * half.width(), 2 * half.height());
    };
    TCutMarkGeometry g;
    switch (which) {
    case TCutMarks::None: break;
    case TCutMarks::Fronts:
    case TCutMarks::Backs: {
        const auto [l, w, h] = corners(which == TCutMarks::Fronts ? TPageKind::InlayVorder : TPageKind::InlayRueck);
        for (int32_t x : {l, l + w})
            for (int32_t y : {d - h, d, d + h})
                g.Crosses.emplace_back(x, y);
        break;
    }
    case TCutMarks::FrontAndBack: {
        const auto [lf, wf, hf] = corners(TPageKind::InlayVorder);
        const auto [lb, wb, hb] = corners(TPageKind::InlayRueck);
        g.Crosses = {{lf, d - hf}, {lf + wf, d - hf}, {lb, d}, {lb, d + hb}, {lb + wb, d}, {lb + wb, d + hb}};
        // The front's lower corners lie on the back's upper edge: full crosses
        // there would mark the back, so they get strokes pointing away from it.
        g.Strokes = {{lf, d, lf - CutMarkArm, d},
                     {lf, d, lf, d - CutMarkArm},
                     {lf + wf, d, lf + wf + CutMarkArm, d},
                     {lf + wf, d, lf + wf, d - CutMarkArm}};
        break;
    }
    }
    return g;
}

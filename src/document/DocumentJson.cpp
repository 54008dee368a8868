#include "DocumentJson.h"

#include "Document.h"

#include <QJsonArray>

namespace {

const char *PageName(TPageKind k)
{
    switch (k) {
    case TPageKind::CDLabel: return "cd";
    case TPageKind::InlayVorder: return "front";
    case TPageKind::InlayRueck: return "back";
    }
    return "";
}

} // namespace

QJsonObject PageToJson(const TCDLPage &page)
{
    QJsonObject o;
    o.insert(QStringLiteral("page"), QLatin1String(PageName(page.Kind())));
    o.insert(QStringLiteral("BackColor"), qint64(page.BackColor));
    if (page.Kind() == TPageKind::CDLabel)
        o.insert(QStringLiteral("PaperColorIndex"), static_cast<const TCDLabel &>(page).PaperColorIndex);
    o.insert(QStringLiteral("SnapX"), page.SnapX);
    o.insert(QStringLiteral("SnapY"), page.SnapY);
    o.insert(QStringLiteral("GuideFlag"), page.GuideFlag);
    o.insert(QStringLiteral("SnapEnabled"), page.SnapEnabled);
    o.insert(QStringLiteral("ShowSnapPoints"), page.ShowSnapPoints);
    if (page.Kind() != TPageKind::CDLabel)
        o.insert(QStringLiteral("Origin"), QJsonArray{page.Origin.x(), page.Origin.y()});
    QJsonArray lines;
    for (int i = 0; i < page.SnapLines.Count(); ++i) {
        const TSnapLineRecord &l = page.SnapLines.Get(i);
        lines.append(
            QJsonObject{{QStringLiteral("Position"), l.Position}, {QStringLiteral("Horizontal"), l.Horizontal}});
    }
    o.insert(QStringLiteral("SnapLines"), lines);
    QJsonArray frames;
    for (const auto &f : page.Frames()) {
        QJsonObject fo;
        f->ToJson(fo);
        frames.append(fo);
    }
    o.insert(QStringLiteral("Frames"), frames);
    return o;
}

QJsonObject DocumentToJson(const TCDLDocument &doc)
{
    QJsonArray pages;
    for (int i = 0; i < TCDLDocument::PageCount; ++i)
        pages.append(PageToJson(doc.Page(TPageKind(i))));
    return QJsonObject{{QStringLiteral("pages"), pages}};
}

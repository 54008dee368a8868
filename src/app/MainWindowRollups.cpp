// The main window's three roll-up windows: their places from the settings and
// back, and without a stored place, places that come from the sizes the
// windows take in the present language.

#include "DisplaySession.h"
#include "MainWindow.h"
#include "RollUpContainer.h"
#include "Rollup.h"
#include "Settings.h"
#include "WindowPlacement.h"

#include <QGuiApplication>
#include <QMdiArea>
#include <QScreen>
#include <algorithm>

namespace {

QList<QRect> usableScreens()
{
    QList<QRect> screens;
    for (const QScreen *sc : QGuiApplication::screens())
        screens.append(sc->availableGeometry());
    return screens;
}

} // namespace

QList<QRect> TMDIForm::defaultRollupPlaces() const
{
    // At the right of the client area: the tall object window at the edge,
    // colours and coordinates one below the other beside it, so that none
    // covers another when they are filled.
    constexpr int Margin = 8;
    const QPoint corner = m_mdi->mapToGlobal(QPoint(m_mdi->width(), 0));
    const QSize object = m_rollupProps->SizeFor(QSize(Panels()->ObjectPanelWidth(), 0));
    const QSize colours = m_rollupColors->SizeFor(Panels()->ColorPanelSize());
    const QSize coords = m_rollupCoords->SizeFor(Panels()->CoordsPanelSize());
    const QPoint objectAt(corner.x() - Margin - object.width(), corner.y() + Margin);
    const int column = objectAt.x() - Margin - std::max(colours.width(), coords.width());
    return {QRect(objectAt, object), QRect(QPoint(column, objectAt.y()), colours),
            QRect(QPoint(column, objectAt.y() + colours.height() + Margin), coords)};
}

void TMDIForm::placeRollups()
{
    const TSettings &s = AppSettings();
    const QList<QRect> screens = usableScreens();
    const QList<QRect> defaults = defaultRollupPlaces();
    const std::pair<TRollup *, TRollupPlace> rollups[] = {
        {m_rollupProps, s.RollupProps}, {m_rollupColors, s.RollupColors}, {m_rollupCoords, s.RollupCoords}};
    for (int i = 0; i < 3; ++i) {
        const auto &[r, place] = rollups[i];
        r->SetRolledDown(place.RolledDown);
        // The place must hold the window rolled down and filled.
        const QSize size = defaults[i].size();
        const QPoint fallback = PlaceToolWindow(defaults[i].topLeft(), size, screens, defaults[i].topLeft());
        r->move(PlaceToolWindow(QPoint(place.X, place.Y), size, screens, fallback));
        m_rollupDefaults[size_t(i)] = r->pos() == fallback ? std::optional(fallback) : std::nullopt;
        r->setVisible(place.Visible);
    }
    m_rollupsPlaced = true;
}

void TMDIForm::refitRollups()
{
    if (!m_rollupsPlaced)
        return;
    const QList<QRect> screens = usableScreens();
    const QList<QRect> defaults = defaultRollupPlaces();
    TRollup *rollups[] = {m_rollupProps, m_rollupColors, m_rollupCoords};
    for (int i = 0; i < 3; ++i) {
        std::optional<QPoint> &at = m_rollupDefaults[size_t(i)];
        // One the person has moved stays where it is, as far as its new size
        // lets it stay on the screen.
        if (at != rollups[i]->pos()) {
            at.reset();
            const QPoint here = rollups[i]->pos();
            rollups[i]->move(PlaceToolWindow(here, defaults[i].size(), screens, here));
            continue;
        }
        at = PlaceToolWindow(defaults[i].topLeft(), defaults[i].size(), screens, defaults[i].topLeft());
        rollups[i]->move(*at);
    }
}

void TMDIForm::saveRollupPlaces()
{
    // Before the settings were applied the windows stand nowhere in
    // particular; what the file holds is still true.
    if (!m_rollupsPlaced)
        return;
    TSettings &s = AppSettings();
    // Where the compositor places windows, the places asked for are not
    // where they stand: the file keeps what it holds.
    const bool placed = PlacesTopLevelWindows();
    for (const auto &[r, place] : {std::pair(m_rollupProps, &s.RollupProps), std::pair(m_rollupColors, &s.RollupColors),
                                   std::pair(m_rollupCoords, &s.RollupCoords)})
        *place = {placed ? r->x() : place->X, placed ? r->y() : place->Y, !r->isHidden(), r->IsRolledDown()};
}

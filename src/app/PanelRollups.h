#pragma once
// The property container's side of the main window: its panels go into the
// three roll-up windows; its messages and its file dialog are the program's.

#include "PanelHost.h"

#include <functional>

class TMainPanelHost : public TPanelHost
{
public:
    enum TWhich { Object = 0, Color = 1, Coords = 2 };
    using TPlace = std::function<void(TWhich, QWidget *)>;
    TMainPanelHost(QWidget *owner, TPlace place);

    void SetObjectContent(QWidget *panel) override { m_place(Object, panel); }
    void SetColorContent(QWidget *panel) override { m_place(Color, panel); }
    void SetCoordsContent(QWidget *panel) override { m_place(Coords, panel); }
    void ShowError(const QString &text) override;
    QString AskTextFile(const QString &title, const QString &filter, const QString &dir) override;
    bool AskFolder(TFolderChoice &choice) override;

private:
    QWidget *m_owner;
    TPlace m_place;
};

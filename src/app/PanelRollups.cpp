#include "PanelRollups.h"

#include "DirWnd.h"
#include "FileDialogs.h"
#include "MessageBoxText.h"

TMainPanelHost::TMainPanelHost(QWidget *owner, TPlace place) : m_owner(owner), m_place(std::move(place)) {}

void TMainPanelHost::ShowError(const QString &text) { MessageBoxText(text, mkError, mbOK); }

QString TMainPanelHost::AskTextFile(const QString &title, const QString &filter, const QString &dir)
{
    return AskTextFileName(m_owner, title, dir, filter);
}

bool TMainPanelHost::AskFolder(TFolderChoice &choice) { return AskListingFolder(m_owner, choice); }

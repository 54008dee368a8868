#pragma once
// TDirWnd: the folder a directory listing is made of, picked among the
// mounted volumes (an inserted disc shows under /media or /run/media), or a
// disc image file, with the "with subdirectories" check box.

#include "CreationHost.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QFileSystemModel;
class QLabel;
class QPushButton;
class QListView;
class QTreeView;
class TFileListModel;

class TDirWnd : public QDialog
{
public:
    explicit TDirWnd(QWidget *parent);
    // Starts at path (a folder or a disc image) with the check box as given.
    void Preset(const TFolderChoice &choice);
    TFolderChoice Choice() const { return m_choice; }
    void SetupStrings();

private:
    void showVolume(int index);
    void showFolder(const QModelIndex &index);
    void chooseImage();
    void done(int result) override;

    QComboBox *m_drives;
    QTreeView *m_folders;
    QListView *m_files;
    QCheckBox *m_subdirs;
    QPushButton *m_image;
    QLabel *m_folderLabel, *m_fileLabel, *m_driveLabel;
    QFileSystemModel *m_folderModel;
    TFileListModel *m_fileModel;
    TFolderChoice m_choice;
};

// Asks with a TDirWnd; false when cancelled. On OK, choice holds the path
// and the flag, and a progress window with a Cancel button and an error box
// for the scan that follows.
bool AskListingFolder(QWidget *parent, TFolderChoice &choice);

// Tests answer instead of the dialog: the hook gets the preset choice and
// returns whether it was confirmed.
using TDirWndHook = std::function<bool(TFolderChoice &choice)>;
void SetDirWndHook(TDirWndHook hook);

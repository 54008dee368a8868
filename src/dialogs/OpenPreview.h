#pragma once
// The open dialog with previews: places, folders and .CDL files, and the
// three pages of the file under the cursor, loaded once the selection has
// rested for a second. The file is read on a worker thread; moving on
// cancels it, so neither a large file nor a slow folder holds the window.

#include <QDialog>
#include <QFuture>
#include <memory>
#include <utility>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QFileSystemModel;
class QListView;
class QTimer;
class QTreeView;
class TCDLDocument;
class TFileListModel;
class TPreviewPanel;
class TProgressWnd;

class TOpenPreview : public QDialog
{
    Q_OBJECT
public:
    static constexpr int PreviewDelayMs = 1000;

    // Starts in folder (its nearest existing parent, else the home folder).
    explicit TOpenPreview(QWidget *parent, const QString &folder);
    ~TOpenPreview() override;

    void SetupStrings();
    // The file list's selected file; empty when none is.
    QString FileName() const;
    // A preview is being read.
    bool Loading() const { return m_future.isValid() && !m_future.isFinished(); }

    // The places offered: home, the file system root, the mounted volumes.
    static QStringList Places();

    void flbOpenPreviewChange();
    void TimerTimer();
    void dcbOpenPreviewChange(int index);

signals:
    // The timer started reading path for the previews.
    void previewRequested(const QString &path);

protected:
    void done(int result) override;

private:
    using TResult = std::shared_ptr<TCDLDocument>;
    void setFolder(const QString &path);
    void setPlace(const QString &place);
    void revealFolder(const QString &loaded);
    void cancelLoad();
    void showPreview(const TResult &doc);
    void onLoad(int progress);

    QFileSystemModel *m_dirModel;
    TFileListModel *m_fileModel;
    QTreeView *dlbOpenPreview;
    QListView *flbOpenPreview;
    QComboBox *dcbOpenPreview;
    TPreviewPanel *pnlCDLabel, *pnlInlayFront, *pnlInlayRueck;
    TProgressWnd *m_progress;
    QPushButton *bOK, *BCancel;
    // Each label with its text number.
    std::vector<std::pair<QLabel *, int>> m_texts;
    QTimer *Timer;
    QTimer *m_progressDelay;
    QFuture<TResult> m_future;
    QObject *m_watcher = nullptr;
    // The dialog's own preview pages.
    TResult m_pages;
    QString m_folder;
    // The start folder waits in the folder tree for its parents to load.
    bool m_revealing = true;
};

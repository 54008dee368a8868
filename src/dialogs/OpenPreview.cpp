#include "OpenPreview.h"

#include "Document.h"
#include "FileListModel.h"
#include "PaintContext.h"
#include "PlainFileIcons.h"
#include "Strings.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QFutureWatcher>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QPainter>
#include <QProgressBar>
#include <QPromise>
#include <QPushButton>
#include <QSet>
#include <QStorageInfo>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <thread>

namespace {

namespace Text {
constexpr int Ok = 0, Cancel = 1;
constexpr int Caption = 1500, Folders = 1501, Files = 1502, Places = 1503, Loading = 1504;
constexpr int PageProgress = 122; // + page
constexpr int PanelCaption = 707; // + page
} // namespace Text

constexpr int PanelSide = 140;
// Gauge steps per page.
constexpr int PerPage = 100;
// A load that ends sooner shows no progress window, so it does not flash.
constexpr int ProgressDelayMs = 300;

bool usable(const QString &folder)
{
    const QFileInfo info(folder);
    return info.isDir() && info.isReadable() && info.isExecutable();
}

// The nearest folder of path that exists, else the home folder.
QString existingFolder(const QString &path)
{
    QString probe = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    while (!usable(probe) && probe != QDir::rootPath())
        probe = QFileInfo(probe).absolutePath();
    return usable(probe) ? probe : QDir::homePath();
}

bool under(const QString &path, const QString &place)
{
    return path == place || place == QDir::rootPath() || path.startsWith(place + QLatin1Char('/'));
}

// A volume a person keeps documents on: a block device or a network share,
// not the kernel's file systems, memory disks or packed system images.
bool personalVolume(const QStorageInfo &s)
{
    static const QSet<QByteArray> skipped = {"squashfs", "tmpfs", "devtmpfs", "proc", "sysfs", "overlay"};
    const QByteArray device = s.device();
    const bool real = device.startsWith('/') || device.contains(':');
    return s.isValid() && s.isReady() && real && !skipped.contains(s.fileSystemType()) && usable(s.rootPath());
}

} // namespace

// A page fitted into its panel, drawn once per load into an image.
class TPreviewPanel : public QFrame
{
public:
    TPreviewPanel(const char *name, QWidget *parent) : QFrame(parent)
    {
        setObjectName(QLatin1String(name));
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setFixedSize(PanelSide, PanelSide);
        setAutoFillBackground(true);
        SetPage(nullptr, Qt::white);
    }
    void SetPage(const TCDLPage *page, const QColor &color)
    {
        m_page = page;
        m_image = QImage();
        QPalette p = palette();
        p.setColor(QPalette::Window, color);
        setPalette(p);
        update();
    }

protected:
    void paintEvent(QPaintEvent *e) override
    {
        const QRect inner = contentsRect().adjusted(2, 2, -2, -2);
        if (m_page && !inner.isEmpty()) {
            if (m_image.isNull())
                m_image = render(inner.size());
            QPainter(this).drawImage(inner.topLeft(), m_image);
        }
        QFrame::paintEvent(e);
    }

private:
    QImage render(QSize size) const
    {
        const qreal dpr = devicePixelRatioF();
        QImage image(size * dpr, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        TPaintContext c;
        c.Canvas = &p;
        m_page->FitInto(c, image.width(), image.height(), 1.0);
        const bool shaped = m_page->Kind() == TPageKind::CDLabel;
        m_page->Paint(c, {.Background = true, .ClipToShape = shaped, .Preview = true});
        p.end();
        image.setDevicePixelRatio(dpr);
        return image;
    }

    const TCDLPage *m_page = nullptr;
    QImage m_image;
};

// Stands beside the dialog while a preview loads; it holds nothing up.
class TProgressWnd : public QDialog
{
public:
    explicit TProgressWnd(QWidget *parent) : QDialog(parent, Qt::Tool)
    {
        setObjectName(QStringLiteral("ProgressWnd"));
        Label1 = new QLabel(this);
        Label1->setObjectName(QStringLiteral("Label1"));
        Label1->setAlignment(Qt::AlignCenter);
        Label1->setMinimumWidth(280);
        gProgress = new QProgressBar(this);
        gProgress->setObjectName(QStringLiteral("gProgress"));
        gProgress->setRange(0, 3 * PerPage);
        // Moving on in the lists cancels; the button stays for its place.
        auto *bCancel = new QPushButton(this);
        bCancel->setObjectName(QStringLiteral("bCancel"));
        bCancel->hide();
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(Label1);
        layout->addWidget(gProgress);
    }
    QLabel *Label1;
    QProgressBar *gProgress;
};

TOpenPreview::TOpenPreview(QWidget *parent, const QString &folder) : QDialog(parent)
{
    setObjectName(QStringLiteral("OpenPreview"));
    auto label = [this](int text) {
        auto *l = new QLabel(this);
        m_texts.emplace_back(l, text);
        return l;
    };

    m_fileModel = new TFileListModel(QDir::Files, {QStringLiteral("*.CDL")}, this);
    flbOpenPreview = new QListView(this);
    flbOpenPreview->setObjectName(QStringLiteral("flbOpenPreview"));
    flbOpenPreview->setModel(m_fileModel);
    flbOpenPreview->setMinimumSize(220, 240);

    m_dirModel = new QFileSystemModel(this);
    m_dirModel->setIconProvider(PlainFileIcons());
    m_dirModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    dlbOpenPreview = new QTreeView(this);
    dlbOpenPreview->setObjectName(QStringLiteral("dlbOpenPreview"));
    dlbOpenPreview->setModel(m_dirModel);
    dlbOpenPreview->setHeaderHidden(true);
    for (int column = 1; column < m_dirModel->columnCount(); ++column)
        dlbOpenPreview->hideColumn(column);
    dlbOpenPreview->setMinimumSize(260, 160);

    dcbOpenPreview = new QComboBox(this);
    dcbOpenPreview->setObjectName(QStringLiteral("dcbOpenPreview"));
    for (const QString &place : Places())
        dcbOpenPreview->addItem(QDir::toNativeSeparators(place), place);

    bOK = new QPushButton(this);
    bOK->setObjectName(QStringLiteral("bOK"));
    bOK->setDefault(true);
    BCancel = new QPushButton(this);
    BCancel->setObjectName(QStringLiteral("BCancel"));

    auto *grid = new QGridLayout;
    grid->addWidget(label(Text::Files), 0, 0);
    grid->addWidget(flbOpenPreview, 1, 0, 3, 1);
    grid->addWidget(label(Text::Folders), 0, 1);
    grid->addWidget(dlbOpenPreview, 1, 1);
    grid->addWidget(label(Text::Places), 2, 1);
    grid->addWidget(dcbOpenPreview, 3, 1);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(bOK);
    buttons->addWidget(BCancel);
    buttons->addStretch();
    grid->addLayout(buttons, 1, 2, 3, 1);

    auto *previews = new QHBoxLayout;
    const char *names[] = {"pnlCDLabel", "pnlInlayFront", "pnlInlayRueck"};
    TPreviewPanel **panels[] = {&pnlCDLabel, &pnlInlayFront, &pnlInlayRueck};
    for (int i = 0; i < 3; ++i) {
        auto *column = new QVBoxLayout;
        *panels[i] = new TPreviewPanel(names[i], this);
        column->addWidget(*panels[i], 0, Qt::AlignHCenter);
        column->addWidget(label(Text::PanelCaption + i), 0, Qt::AlignHCenter);
        previews->addLayout(column);
    }
    previews->addStretch();
    grid->addLayout(previews, 4, 0, 1, 2);
    setLayout(grid);

    m_progress = new TProgressWnd(this);
    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setSingleShot(true);
    connect(Timer, &QTimer::timeout, this, &TOpenPreview::TimerTimer);
    m_progressDelay = new QTimer(this);
    m_progressDelay->setSingleShot(true);
    m_progressDelay->setInterval(ProgressDelayMs);
    connect(m_progressDelay, &QTimer::timeout, m_progress, &QWidget::show);

    connect(bOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(BCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(flbOpenPreview, &QListView::doubleClicked, this, &QDialog::accept);
    connect(flbOpenPreview->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TOpenPreview::flbOpenPreviewChange);
    connect(dlbOpenPreview->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid())
                    setFolder(m_dirModel->filePath(current));
            });
    connect(m_dirModel, &QFileSystemModel::directoryLoaded, this, &TOpenPreview::revealFolder);
    connect(dcbOpenPreview, &QComboBox::currentIndexChanged, this, &TOpenPreview::dcbOpenPreviewChange);

    SetupStrings();
    const QString start = existingFolder(folder);
    QString place = QDir::rootPath();
    int placeIndex = -1;
    for (int i = 0; i < dcbOpenPreview->count(); ++i) {
        const QString p = dcbOpenPreview->itemData(i).toString();
        if (under(start, p) && (placeIndex < 0 || p.size() > place.size())) {
            place = p;
            placeIndex = i;
        }
    }
    {
        const QSignalBlocker quiet(dcbOpenPreview);
        dcbOpenPreview->setCurrentIndex(placeIndex);
    }
    setPlace(place);
    setFolder(start);
}

TOpenPreview::~TOpenPreview()
{
    cancelLoad();
    showPreview(nullptr);
}

void TOpenPreview::SetupStrings()
{
    setWindowTitle(GetText(Text::Caption));
    m_progress->setWindowTitle(GetText(Text::Caption));
    for (const auto &[l, text] : m_texts)
        l->setText(GetText(text));
    bOK->setText(GetText(Text::Ok));
    BCancel->setText(GetText(Text::Cancel));
}

QStringList TOpenPreview::Places()
{
    QStringList r = {QDir::homePath(), QDir::rootPath()};
    for (const QStorageInfo &s : QStorageInfo::mountedVolumes())
        if (!r.contains(s.rootPath()) && personalVolume(s))
            r.append(s.rootPath());
    return r;
}

QString TOpenPreview::FileName() const
{
    const QModelIndex i = flbOpenPreview->currentIndex();
    return m_fileModel->IsFile(i) ? m_fileModel->FilePath(i) : QString();
}

void TOpenPreview::setPlace(const QString &place)
{
    m_dirModel->setRootPath(place);
    dlbOpenPreview->setRootIndex(m_dirModel->index(place));
    setFolder(place);
}

void TOpenPreview::setFolder(const QString &path)
{
    if (path == m_folder)
        return;
    m_folder = path;
    Timer->stop();
    cancelLoad();
    showPreview(nullptr);
    flbOpenPreview->setRootIndex(m_fileModel->SetFolder(path));
    const QModelIndex dir = m_dirModel->index(path);
    if (dir != dlbOpenPreview->rootIndex() && dir != dlbOpenPreview->currentIndex()) {
        dlbOpenPreview->setCurrentIndex(dir);
        dlbOpenPreview->scrollTo(dir);
    }
}

void TOpenPreview::revealFolder(const QString &loaded)
{
    if (!m_revealing || !under(m_folder, loaded))
        return;
    const QModelIndex dir = m_dirModel->index(m_folder);
    if (!dir.isValid() || dir == dlbOpenPreview->rootIndex()) {
        m_revealing = !dir.isValid();
        return;
    }
    dlbOpenPreview->setCurrentIndex(dir);
    // Once the tree has its size (before the dialog shows it has none), and
    // again after the model sorts what it loaded.
    auto scroll = [this] {
        dlbOpenPreview->scrollTo(dlbOpenPreview->currentIndex(), QAbstractItemView::PositionAtCenter);
    };
    QMetaObject::invokeMethod(this, scroll, Qt::QueuedConnection);
    connect(m_dirModel, &QAbstractItemModel::layoutChanged, this, scroll, Qt::SingleShotConnection);
    m_revealing = loaded != QFileInfo(m_folder).absolutePath();
}

void TOpenPreview::dcbOpenPreviewChange(int index)
{
    for (int i = std::max(index, 0); i < dcbOpenPreview->count(); ++i) {
        const QString place = dcbOpenPreview->itemData(i).toString();
        if (!usable(place))
            continue;
        if (i != index) {
            const QSignalBlocker quiet(dcbOpenPreview);
            dcbOpenPreview->setCurrentIndex(i);
        }
        setPlace(place);
        return;
    }
    // No place further on works: the lists stay as they are.
}

void TOpenPreview::flbOpenPreviewChange()
{
    Timer->stop();
    Timer->setInterval(PreviewDelayMs);
    Timer->start();
}

void TOpenPreview::TimerTimer()
{
    Timer->stop();
    const QString path = FileName();
    if (path.isEmpty() || !path.toUpper().endsWith(QLatin1String(".CDL")))
        return;
    cancelLoad();
    showPreview(nullptr);
    emit previewRequested(path);

    auto promise = std::make_shared<QPromise<TResult>>();
    promise->setProgressRange(0, 3 * PerPage);
    promise->start();
    m_future = promise->future();
    auto *watcher = new QFutureWatcher<TResult>(this);
    m_watcher = watcher;
    connect(watcher, &QFutureWatcherBase::progressValueChanged, this, &TOpenPreview::onLoad);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher] {
        if (watcher != m_watcher)
            return;
        const QFuture<TResult> f = watcher->future();
        const TResult doc = !f.isCanceled() && f.resultCount() > 0 ? f.result() : nullptr;
        cancelLoad();
        showPreview(doc);
    });
    watcher->setFuture(m_future);
    m_progress->Label1->clear();
    m_progress->gProgress->setValue(0);
    m_progressDelay->start();
    std::thread([promise, path] {
        TResult doc = ReadPreviewDocument(
            path, [&] { return promise->isCanceled(); },
            [&](int page, int percent) { promise->setProgressValue(page * PerPage + percent); });
        if (doc)
            promise->addResult(std::move(doc));
        promise->finish();
    }).detach();
}

void TOpenPreview::onLoad(int progress)
{
    const int page = std::clamp((progress - 1) / PerPage, 0, 2);
    m_progress->Label1->setText(GetText(Text::Loading) + GetText(Text::PageProgress + page));
    m_progress->gProgress->setValue(progress);
}

void TOpenPreview::cancelLoad()
{
    if (m_watcher) {
        m_watcher->disconnect(this);
        m_watcher->deleteLater();
        m_watcher = nullptr;
    }
    if (!m_future.isFinished())
        m_future.cancel();
    m_progressDelay->stop();
    m_progress->hide();
}

void TOpenPreview::showPreview(const TResult &doc)
{
    m_pages = doc;
    if (!doc) {
        for (TPreviewPanel *p : {pnlCDLabel, pnlInlayFront, pnlInlayRueck})
            p->SetPage(nullptr, Qt::white);
        return;
    }
    // The label's panel takes its paper's colour when a paper is chosen.
    pnlCDLabel->SetPage(&doc->Label(), ToQColor(doc->Label().DisplayColor()));
    pnlInlayFront->SetPage(&doc->Front(), ToQColor(doc->Front().BackColor));
    pnlInlayRueck->SetPage(&doc->Back(), ToQColor(doc->Back().BackColor));
}

void TOpenPreview::done(int result)
{
    Timer->stop();
    cancelLoad();
    showPreview(nullptr);
    QDialog::done(result);
}

#include "PrintPreview.h"

#include "KeyboardOrder.h"
#include "SheetPreview.h"
#include "Strings.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

namespace Text {
constexpr int Caption = 1520;
constexpr int Close = 9;
constexpr int Previous = 10;
constexpr int Next = 11;
} // namespace Text

// The sheet's proportions, 210 mm by 297 mm.
constexpr int SheetWidth = 2100, SheetHeight = 2970;
// Room around the display inside its scroll box.
constexpr int DisplayMargin = 4;

} // namespace

// White paper with the current sheet on it.
class TPrintPreview::TDisplay : public QWidget
{
public:
    explicit TDisplay(TPrintPreview &preview) : m_preview(preview)
    {
        setObjectName(QStringLiteral("pDisplay"));
        setAutoFillBackground(false);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        if (m_preview.m_sheets)
            m_preview.m_sheets->Paint(p, size(), m_preview.m_sheet);
        else
            p.fillRect(rect(), Qt::white);
    }

private:
    TPrintPreview &m_preview;
};

TPrintPreview::TPrintPreview(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PrintPreview"));
    pNavigation = new QWidget(this);
    pNavigation->setObjectName(QStringLiteral("pNavigation"));
    auto named = [this](const char *name) {
        auto *b = new QPushButton(pNavigation);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    bClose = named("bClose");
    bPrev = named("bPrev");
    bNext = named("bNext");
    auto *buttons = new QHBoxLayout(pNavigation);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addWidget(bClose);
    buttons->addWidget(bPrev);
    buttons->addWidget(bNext);
    buttons->addStretch();
    connect(bClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(bPrev, &QPushButton::clicked, this, &TPrintPreview::bPrevClick);
    connect(bNext, &QPushButton::clicked, this, &TPrintPreview::bNextClick);

    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("sbDisplay"));
    m_scroll->setAlignment(Qt::AlignCenter);
    pDisplay = new TDisplay(*this);
    m_scroll->setWidget(pDisplay);
    m_scroll->installEventFilter(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(DisplayMargin, DisplayMargin, DisplayMargin, DisplayMargin);
    layout->addWidget(pNavigation);
    layout->addWidget(m_scroll, 1);
    LinkLabelsAndTabOrder(this);
    SetupStrings();
}

TPrintPreview::~TPrintPreview() = default;

void TPrintPreview::SetupStrings()
{
    setWindowTitle(GetText(Text::Caption));
    bClose->setText(GetText(Text::Close));
    bPrev->setText(GetText(Text::Previous));
    bNext->setText(GetText(Text::Next));
}

int TPrintPreview::Execute(TSheetPreview &sheets)
{
    m_sheets = &sheets;
    m_sheet = 1;
    SetupStrings();
    updateButtons();
    const QScreen *s = parentWidget() ? parentWidget()->screen() : screen();
    const int height = std::max(200, s->availableGeometry().height() - 100);
    resize(height * SheetWidth / SheetHeight, height);
    const int result = exec();
    m_sheets = nullptr;
    return result;
}

void TPrintPreview::bNextClick()
{
    if (m_sheets && m_sheet < m_sheets->SheetCount()) {
        ++m_sheet;
        pDisplay->update();
    }
    updateButtons();
}

void TPrintPreview::bPrevClick()
{
    if (m_sheet > 1) {
        --m_sheet;
        pDisplay->update();
    }
    updateButtons();
}

void TPrintPreview::updateButtons()
{
    bPrev->setEnabled(m_sheet >= 2);
    bNext->setEnabled(m_sheets && m_sheet < m_sheets->SheetCount());
}

bool TPrintPreview::eventFilter(QObject *o, QEvent *e)
{
    if (o == m_scroll && e->type() == QEvent::Resize)
        fitDisplay();
    return QDialog::eventFilter(o, e);
}

// The largest sheet the scroll box shows whole: one scale for both axes, so
// labels stay round.
void TPrintPreview::fitDisplay()
{
    const QSize room = m_scroll->maximumViewportSize() - QSize(2 * DisplayMargin, 2 * DisplayMargin);
    int h = std::max(room.height(), 10);
    int w = h * SheetWidth / SheetHeight;
    if (w > room.width()) {
        w = std::max(room.width(), 7);
        h = w * SheetHeight / SheetWidth;
    }
    pDisplay->resize(w, h);
    pDisplay->update();
}

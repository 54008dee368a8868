// rSchriftart: the face, size, alignment and style of the text-like kinds,
// and whether the text is drawn as a bar code.

#include "FontList.h"
#include "PropertyPanel.h"

#include "FontFrame.h"
#include "Strings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// The record's short strings hold no more.
constexpr int MaxShortString = 40;

// Four lines set as the alignment buttons set text, in the colours the
// style gives button text, so that a disabled button looks as disabled as
// its text neighbours: the style's own greying of dark lines hardly shows.
QIcon alignIcon(int alignment, const QPalette &palette)
{
    // Drawn for each usual display scale, so none is an enlarged copy.
    QIcon icon;
    for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled}) {
        const QColor color =
            palette.color(mode == QIcon::Disabled ? QPalette::Disabled : QPalette::Active, QPalette::ButtonText);
        for (const double ratio : {1.0, 1.25, 1.5, 2.0}) {
            QPixmap pm(QSize(16, 16) * ratio);
            pm.setDevicePixelRatio(ratio);
            pm.fill(Qt::transparent);
            QPainter p(&pm);
            p.setPen(QPen(color, 1));
            const int widths[4] = {14, 9, 12, 7};
            for (int k = 0; k < 4; ++k) {
                const int w = alignment == 3 && k < 3 ? 14 : widths[k];
                const int x = alignment == 1 ? (16 - w) / 2 : alignment == 2 ? 15 - w : 1;
                p.drawLine(x, 3 + 3 * k, x + w - 1, 3 + 3 * k);
            }
            p.end();
            icon.addPixmap(pm, mode);
        }
    }
    return icon;
}

class TFontPanel final : public QGroupBox, public TPropertyPanel
{
public:
    explicit TFontPanel(QWidget *parent) : QGroupBox(parent)
    {
        setObjectName(QStringLiteral("rSchriftart"));
        auto *v = new QVBoxLayout(this);
        m_faces = Named(new TFontList(MaxShortString, this), "lbSchriftart");
        m_faces->setFixedHeight(120);
        v->addWidget(m_faces);

        auto *sizeRow = new QHBoxLayout;
        m_sizeLabel = new QLabel(this);
        m_size = Spin(this, "FontSize", 2, 256, 10);
        // A typed size applies once it is complete, not digit by digit.
        m_size->setKeyboardTracking(false);
        m_points = new QLabel(this);
        sizeRow->addWidget(m_sizeLabel);
        sizeRow->addWidget(m_size);
        sizeRow->addWidget(m_points);
        sizeRow->addStretch();
        v->addLayout(sizeRow);

        auto *buttons = new QHBoxLayout;
        buttons->setSpacing(1);
        const char *alignNames[] = {"sbLeft", "sbCenter", "sbRight", "sbBlock"};
        m_align = new QButtonGroup(this);
        for (int k = 0; k < 4; ++k) {
            m_alignButtons[k] = SpeedButton(this, alignNames[k], true);
            m_alignButtons[k]->setIcon(alignIcon(k, m_alignButtons[k]->palette()));
            m_align->addButton(m_alignButtons[k], k);
            buttons->addWidget(m_alignButtons[k]);
        }
        m_alignButtons[0]->setChecked(true);
        buttons->addSpacing(6);
        const char *styleNames[] = {"sbFontBold", "sbFontItalic", "sbFontStroke"};
        const QString glyphs[] = {QStringLiteral("B"), QStringLiteral("I"), QStringLiteral("U")};
        for (int k = 0; k < 3; ++k) {
            QToolButton *b = m_style[k] = SpeedButton(this, styleNames[k], true);
            QFont f = b->font();
            f.setBold(k == 0);
            f.setItalic(k == 1);
            f.setUnderline(k == 2);
            b->setFont(f);
            b->setText(glyphs[k]);
            buttons->addWidget(b);
            connect(b, &QAbstractButton::clicked, this, [this] { Edit(); });
        }
        buttons->addStretch();
        v->addLayout(buttons);
        m_barcode = Named(new QCheckBox(this), "cbBarcode");
        v->addWidget(m_barcode);

        m_fields.Bind("FontSize", m_size);
        m_fields.Bind("Bold", m_style[0]);
        m_fields.Bind("Italic", m_style[1]);
        m_fields.Bind("Underline", m_style[2]);
        connect(m_faces, &TFontList::facePicked, this, [this] { Edit(); });
        connect(m_size, &QSpinBox::valueChanged, this, [this] { Edit(); });
        connect(m_align, &QButtonGroup::idClicked, this, [this] { Edit(); });
        connect(m_barcode, &QAbstractButton::clicked, this, [this] { Edit(); });
    }
    QWidget *Widget() override { return this; }
    TPanels Bits() const override { return TPanel::Font | TPanel::Justify | TPanel::NoAlignment; }

    void Fill(const TCDLFrame &f) override
    {
        m_fields.Fill(f);
        if (const auto *face = StoredValue<QString>(f, "FontName"))
            m_faces->ShowFace(*face);
        if (const auto *a = StoredValue<int32_t>(f, "Alignment"))
            if (QAbstractButton *b = m_align->button(std::clamp(*a, 0, 3)))
                b->setChecked(true);
        if (const auto *t = dynamic_cast<const TCDLFontFrame *>(&f))
            m_barcode->setChecked(t->Barcode);
    }
    void WriteBack(TCDLFrame &f) override
    {
        m_fields.WriteBack(f);
        // Only a face the person picked replaces the frame's.
        if (auto *face = StoredValue<QString>(f, "FontName"); face && !m_faces->Face().isEmpty())
            *face = m_faces->Face();
        if (auto *a = StoredValue<int32_t>(f, "Alignment"))
            *a = std::max(0, m_align->checkedId());
        // Not a stored field of every kind: a serial number keeps it while
        // the program runs.
        if (auto *t = dynamic_cast<TCDLFontFrame *>(&f))
            t->Barcode = m_barcode->isChecked();
    }
    void SetupStrings() override
    {
        setTitle(GetText(1003));
        m_sizeLabel->setText(GetText(1004));
        m_points->setText(GetText(1005));
        m_barcode->setText(GetText(1020));
        for (int k = 0; k < 3; ++k)
            m_style[k]->setToolTip(GetText(220 + k));
        for (int k = 0; k < 4; ++k)
            m_alignButtons[k]->setToolTip(GetText(223 + k));
    }
    void Arrange(TPanels set) override
    {
        m_alignButtons[3]->setEnabled(bool(set & TPanel::Justify));
        for (int k = 0; k < 3; ++k)
            m_alignButtons[k]->setEnabled(!(set & TPanel::NoAlignment));
    }

private:
    TFontList *m_faces;
    QSpinBox *m_size;
    QLabel *m_sizeLabel, *m_points;
    QButtonGroup *m_align;
    QToolButton *m_alignButtons[4];
    QToolButton *m_style[3];
    QCheckBox *m_barcode;
    TFieldControls m_fields;
};

} // namespace

TPropertyPanel *MakeFontPanel(TPanelHost &, QWidget *parent) { return new TFontPanel(parent); }

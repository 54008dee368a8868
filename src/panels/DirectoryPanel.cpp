// rVerzeichnis: directory listings have no controls of their own yet; the
// panel keeps its place in the stack.

#include "PropertyPanel.h"

#include "Strings.h"

#include <QGroupBox>
#include <QVBoxLayout>

namespace {

class TDirectoryPanel final : public QGroupBox, public TPropertyPanel
{
public:
    explicit TDirectoryPanel(QWidget *parent) : QGroupBox(parent)
    {
        setObjectName(QStringLiteral("rVerzeichnis"));
        new QVBoxLayout(this);
    }
    QWidget *Widget() override { return this; }
    TPanels Bits() const override { return TPanel::Directory; }
    void Fill(const TCDLFrame &) override {}
    void WriteBack(TCDLFrame &) override {}
    void SetupStrings() override { setTitle(GetText(1022)); }
};

} // namespace

TPropertyPanel *MakeDirectoryPanel(TPanelHost &, QWidget *parent) { return new TDirectoryPanel(parent); }

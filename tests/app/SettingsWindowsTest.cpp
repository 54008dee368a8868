#include "AppFixture.h"
#include "KeyboardReach.h"
#include "PropertiesDialog.h"
#include "Rollup.h"
#include "Ruler.h"
#include "SettingsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>

namespace {

using namespace Qt::StringLiterals;

template <class T> T *In(QWidget *w, const char *name) { return w->findChild<T *>(QLatin1String(name)); }
void Retype(QLineEdit *e, const QString &text)
{
    e->selectAll();
    QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, text);
    QApplication::sendEvent(e, &typed);
}

// Tab and the labels reach each page's inputs, steps show with the locale's
// separator, a changed step is carried over by a unit switch, a bad one is
// refused with the dialog open, and OK applies the unit to the coordinates
// and rulers at once.
TEST_F(OneDocumentTest, SettingsDialogConvertsStepsAndAppliesTheUnitOnOk)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TCDLPage *p = child->ActivePage();
    p->Activate(AddRect(*p, 254, 0));
    p->AnnounceSelection();
    QLineEdit *edX = main->CoordsRollup()->findChild<QLineEdit *>(u"edX"_s);
    ASSERT_TRUE(edX);
    EXPECT_EQ(edX->text(), u"25,4"_s);
    const QString missing = Path(u"new/pics"_s);
    WhenModal<TFSettings>([&](TFSettings *d) {
        QTabWidget *tabs = In<QTabWidget>(d, "PageControl");
        ExpectKeyboardReach(In<QWidget>(d, "tsDisplay"));
        tabs->setCurrentIndex(1);
        ExpectKeyboardReach(In<QWidget>(d, "tsFolders"));
        EXPECT_EQ(In<QLineEdit>(d, "edCDLDir")->nextInFocusChain(), In<QToolButton>(d, "sbBrowseCDL"));
        tabs->setCurrentIndex(0);
        QLineEdit *x = In<QLineEdit>(d, "edCursorX"), *y = In<QLineEdit>(d, "edCursorY");
        EXPECT_EQ(x->text(), u"4,0"_s);
        In<QRadioButton>(d, "rbInch")->click();
        EXPECT_EQ(x->text(), u"0,16"_s);
        In<QRadioButton>(d, "rbMM")->click();
        EXPECT_EQ(x->text(), u"4,0"_s);
        Retype(x, u"2,5"_s);
        In<QRadioButton>(d, "rbInch")->click();
        EXPECT_EQ(x->text(), u"0,10"_s);
        Retype(y, u"abc"_s);
        In<QLineEdit>(d, "edPicsDir")->setText(missing);
        Answers = {mrOK, mrNo, mrYes};
        In<QPushButton>(d, "bOK")->click(); // the step
        In<QPushButton>(d, "bOK")->click(); // the folder: not created
        EXPECT_EQ((std::tuple{d->isVisible(), y->text()}), std::tuple(true, u"0,16"_s));
        In<QPushButton>(d, "bOK")->click();
    });
    Trigger(*main, "miPRGSettings");
    ASSERT_EQ(Boxes.size(), 3u);
    EXPECT_EQ((std::tuple{Boxes[0].Text.contains(u"abc"_s), QFileInfo(missing).isDir()}), std::tuple(true, true));
    const TSettings &s = AppSettings();
    EXPECT_EQ(std::tuple(s.MoveCursorX, s.MoveCursorY, s.ScaleValue, UnitCode()), std::tuple(25, 40, 160, 160));
    EXPECT_EQ((std::tuple{s.ImageDir, edX->text()}), std::tuple(missing, u"1,00"_s));
    child->HRuler()->repaint();
    bool oneInch = false;
    for (const TRulerMark &m : child->HRuler()->LastMarks())
        oneInch |= (m.Label == u"1"_s || m.Label == u"1,0"_s) && std::abs(m.Pos - p->Context.MapX(254)) <= 1;
    EXPECT_TRUE(oneInch);

    // Cancel keeps everything, the unit included.
    WhenModal<TFSettings>([](TFSettings *d) {
        In<QRadioButton>(d, "rbMM")->click();
        Retype(In<QLineEdit>(d, "edCursorY"), u"9"_s);
        In<QPushButton>(d, "bCancel")->click();
    });
    const TSettings before = AppSettings();
    Trigger(*main, "miPRGSettings");
    EXPECT_EQ(AppSettings(), before);
    SetUnitCode(10);
    QLocale::setDefault(QLocale::c());
}

// Cancel changes nothing; OK writes the paper colour, a spacing never below
// 2 and leaves untouched spacings exact; the label shows its paper colour.
TEST_F(OneDocumentTest, PropertiesWindowWritesGridAndPaperColourBackOnlyOnOk)
{
    TCDLDocument &doc = child->Document();
    TCDLabel &label = doc.Label();
    label.SnapY = 37; // shown rounded as 3,7 would be; in inch as 0,15
    SetUnitCode(160);
    const QByteArray before = doc.ToBytes();
    auto edit = [](TPropWnd *w) {
        In<QRadioButton>(w, "rbCDLPaper")->click();
        In<QComboBox>(w, "cbPaperColor")->setCurrentIndex(2);
        Retype(In<QLineEdit>(w, "edSnapXD"), u"0,004"_s);
        In<QCheckBox>(w, "cbSnapEnable")->setChecked(true);
    };
    WhenModal<TPropWnd>([&](TPropWnd *w) {
        ExpectKeyboardReach(In<QWidget>(w, "tsGrid"));
        edit(w);
        In<QTabWidget>(w, "PageControl")->setCurrentIndex(1);
        ExpectKeyboardReach(In<QWidget>(w, "tsBackground"));
        In<QPushButton>(w, "bCancel")->click();
    });
    Trigger(*main, "miEigenschaften");
    EXPECT_EQ((std::tuple{doc.ToBytes(), doc.Modified()}), std::tuple(before, false));

    WhenModal<TPropWnd>([&](TPropWnd *w) {
        edit(w);
        Retype(In<QLineEdit>(w, "edSnapYDBack"), u"x"_s);
        In<QPushButton>(w, "bOK")->click();
        EXPECT_TRUE(w->isVisible());
        Retype(In<QLineEdit>(w, "edSnapYDBack"), u"0,5"_s);
        In<QPushButton>(w, "bOK")->click();
    });
    Trigger(*main, "miEigenschaften");
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(std::tuple(label.BackColor, label.PaperColorIndex), std::tuple(RGBColor(159, 224, 228), 2));
    EXPECT_EQ(std::tuple(label.SnapX, label.SnapY, label.SnapEnabled), std::tuple(2, 37, true));
    EXPECT_EQ((std::tuple{doc.Back().SnapY, doc.Modified()}), std::tuple(127, true));
    SetUnitCode(10);
    page->repaint();
    const QPoint onLabel = label.Context.Map(13, 397);
    EXPECT_EQ(page->grab().toImage().pixelColor(onLabel), QColor(159, 224, 228));

    // A background colour chosen afterwards ends the paper colour.
    WhenModal<TPropWnd>([](TPropWnd *w) {
        In<QRadioButton>(w, "rbCDLBack")->click();
        In<QPushButton>(w, "bOK")->click();
    });
    Trigger(*main, "miEigenschaften");
    EXPECT_EQ(std::tuple(label.BackColor, label.PaperColorIndex), std::tuple(RGBColor(159, 224, 228), -1));
}

} // namespace

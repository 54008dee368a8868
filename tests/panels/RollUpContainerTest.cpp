#include "FrameRegistry.h"
#include "Listing.h"
#include "PanelWidgets.h"
#include "PanelsFixture.h"
#include "Picture.h"
#include "PropertyPanel.h"
#include "RoundText.h"
#include "SerNo.h"
#include "Shapes.h"
#include "Text.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QJsonDocument>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

QByteArray Record(const TCDLFrame &f)
{
    QJsonObject o;
    f.ToJson(o);
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

void Click(QAbstractButton *b) { b->click(); }

} // namespace

TEST_F(PanelsTest, ACircleShowsThePenAndBothColoursAndItsTwoPoints)
{
    Create(TTool::Circle);
    for (const char *on : {"rStift", "cbOhneStift", "rColorPanel", "rPositionX1Y1", "rPositionX2Y2"})
        EXPECT_TRUE(Shown(on)) << on;
    for (const char *off : {"rSerNo", "rSchriftart", "rDrehung", "rText", "rRundtext", "rVerzeichnis", "rImageRotate",
                            "rPositionXY", "rPositionDim"})
        EXPECT_FALSE(Shown(off)) << off;
    EXPECT_TRUE(Find("sbFuellung")->isEnabled());
    EXPECT_EQ(Find("rPositionX1Y1")->findChildren<QLabel *>().last()->text(), u"mm"_s);

    // The fill choice shows "no fill"; a palette cell colours the fill.
    Click(Find<QToolButton>("sbFuellung"));
    EXPECT_TRUE(Shown("cbOhneFuellung"));
    TCDLFrame *f = page->ActiveFrame();
    const int before = Snapshots();
    emit Find<TColorGrid>("ColorGrid")->cellSelected(5, 15);
    EXPECT_EQ((std::tuple{f->FillColor, Find<QSpinBox>("seG")->value(), Snapshots()}),
              std::tuple(RGBColor(0, 255, 0), 255, before + 1));
    Find<QSpinBox>("seR")->setValue(7);
    EXPECT_EQ(f->FillColor, RGBColor(7, 255, 0));
    Click(Find<QCheckBox>("cbOhneFuellung"));
    EXPECT_EQ(f->NoFill, Find<QCheckBox>("cbOhneFuellung")->isChecked());
}

TEST_F(PanelsTest, ThePaletteIsAGreyRampAndTwelveHuesFromDarkToLight)
{
    EXPECT_EQ(PaletteColor(0, 0), RGBColor(0, 0, 0));
    EXPECT_EQ((std::tuple{PaletteColor(0, 15), PaletteColor(1, 0), PaletteColor(2, 1), PaletteColor(12, 15)}),
              std::tuple(RGBColor(255, 255, 255), RGBColor(45, 0, 0), RGBColor(59, 29, 0), RGBColor(255, 0, 127)));
}

TEST_F(PanelsTest, ATextFrameTakesJustifiedAndActsOnThePenColourOnly)
{
    Click(Find<QToolButton>("sbFuellung"));
    Create(TTool::Text);
    EXPECT_TRUE(Find("sbBlock")->isEnabled());
    EXPECT_EQ((std::tuple{Find("sbLeft")->isEnabled(), Find("sbFuellung")->isEnabled(),
                          Find<QToolButton>("sbStift")->isChecked(), Shown("cbOhneFuellung"), Shown("rStift")}),
              std::tuple(true, false, true, false, false));
    // Stacked top to bottom in their order, the apply button last while
    // changes are not shown at once.
    const int font = Find("rSchriftart")->y(), turn = Find("rDrehung")->y(), text = Find("rText")->y();
    EXPECT_TRUE(Shown("rZuweisen"));
    EXPECT_LT(font, turn);
    EXPECT_LT(turn, text);
    EXPECT_LT(text, Find("rZuweisen")->y());
    EXPECT_EQ((std::tuple{Shown("rPositionXY"), Shown("rPositionDim")}), std::tuple(true, true));

    emit Find<TColorGrid>("ColorGrid")->cellSelected(9, 15);
    EXPECT_EQ(page->ActiveFrame()->PenColor, RGBColor(0, 0, 255));
    EXPECT_EQ(page->ActiveFrame()->FillColor, RGBColor(0, 0, 0));

    // Another language relabels the panels in place.
    SetLanguageState(2);
    container->SetupStrings();
    EXPECT_EQ((std::tuple{Find<QGroupBox>("rSchriftart")->title(), Find<QPushButton>("btZuweisen")->text(),
                          Shown("rZuweisen")}),
              std::tuple(u"Font"_s, u"Show Changes"_s, true));
    page->Activate(page->FrameAt(page->AddFrame(CreateFrameByTag(TCDLDIR::Descriptor.Tag, page))));
    page->AnnounceShownFrame();
    const QToolButton *left = Find<QToolButton>("sbLeft");
    EXPECT_EQ((std::tuple{left->isEnabled(), left->icon().pixmap(16, QIcon::Disabled).toImage().pixelColor(5, 3)}),
              std::tuple(false, left->palette().color(QPalette::Disabled, QPalette::ButtonText)));
}

TEST_F(PanelsTest, ARunOfTypingIsOneUndoStepAndLeavingEndsIt)
{
    auto *t = static_cast<TCDLText *>(Create(TTool::Text));
    auto *memo = Find<QPlainTextEdit>("mText");
    const int before = Snapshots();
    Type(memo, u"Live 2027!"_s);
    EXPECT_EQ((std::tuple{t->Values, Snapshots()}), std::tuple(QStringList{u"Live 2027!"_s}, before + 1));
    Leave(memo);
    Type(memo, u"\nx"_s);
    EXPECT_EQ((std::tuple{t->Values, Snapshots()}), std::tuple((QStringList{u"Live 2027!"_s, u"x"_s}), before + 2));

    page->Undo.Undo();
    t = static_cast<TCDLText *>(page->ActiveFrame());
    ASSERT_TRUE(t);
    EXPECT_EQ((std::tuple{t->Values, memo->toPlainText()}), std::tuple(QStringList{u"Live 2027!"_s}, u"Live 2027!"_s));
    // Typing after an undo starts a new step even without leaving.
    Type(memo, u"?"_s);
    EXPECT_EQ(Snapshots(), before + 2);
    // A non-breaking blank reaches the frame as one, not as a blank lines break at.
    Type(memo, u"1\u00A0kg"_s);
    EXPECT_TRUE(t->Values.join(QString()).contains(u"1\u00A0kg"_s)) << t->Values.join(u'|').toStdString();
}

TEST_F(PanelsTest, TextBeyondTheRecordIsRefusedWholeAsTypedOrPasted)
{
    auto *t = static_cast<TCDLText *>(Create(TTool::Text));
    auto *memo = Find<QPlainTextEdit>("mText");
    Type(memo, u"ab"_s);
    memo->moveCursor(QTextCursor::End);
    QKeyEvent paste(QEvent::KeyPress, 0, Qt::NoModifier, QString(MaxRecordTextBytes, QLatin1Char('x')));
    QApplication::sendEvent(memo, &paste);
    EXPECT_EQ((std::tuple{t->Values, memo->toPlainText()}), std::tuple(QStringList{u"ab"_s}, u"ab"_s));
    ASSERT_EQ(rollups.errors.size(), 1u);
    EXPECT_EQ(rollups.errors[0], GetText(1052).arg(MaxRecordTextBytes));
    // Up to the limit is taken, and the frame still saves.
    QKeyEvent fits(QEvent::KeyPress, 0, Qt::NoModifier, QString(MaxRecordTextBytes - 2, QLatin1Char('y')));
    QApplication::sendEvent(memo, &fits);
    EXPECT_EQ(t->Values.join(QString()).size(), MaxRecordTextBytes);
    EXPECT_NO_THROW(doc->ToBytes());
}

TEST_F(PanelsTest, CoordinatesAreTypedInTheUnitClampedAndUndone)
{
    // A locale that groups thousands: a field shows none, so it reads back what it shows.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    TCDLFrame *f = Create(TTool::Rectangle);
    f->X = 100;
    f->Y = 50;
    container->ShowCoordinates();
    auto *edX = Find<QLineEdit>("edX");
    EXPECT_EQ((std::tuple{edX->text(), Find<QLineEdit>("edHeight")->text()}), std::tuple(u"10.0"_s, u"40.0"_s));
    const int before = Snapshots(), repaints = win.repaints;
    Retype(edX, u"2000"_s);
    EXPECT_EQ(f->X, 16384);
    EXPECT_GT(win.repaints, repaints);
    EXPECT_TRUE(page->Modified);
    Retype(Find<QLineEdit>("edY"), u"-2,5"_s);
    EXPECT_EQ(f->Y, -25);
    // Not a number: nothing happens.
    for (const char *bad : {"abc", "1e999", "-"}) {
        Retype(edX, QLatin1String(bad));
        EXPECT_EQ(f->X, 16384) << bad;
    }
    // Leaving the box shows the frame's value again.
    Leave(edX);
    EXPECT_EQ((std::tuple{edX->text(), Snapshots()}), std::tuple(u"1638.4"_s, before + 2));
    page->Undo.Undo();
    page->Undo.Undo();
    f = page->ActiveFrame();
    ASSERT_TRUE(f);
    EXPECT_EQ((std::tuple{QPoint(f->X, f->Y), Find<QLineEdit>("edX")->text()}), std::tuple(QPoint(100, 50), u"10.0"_s));

    // True inches of 254 units with two decimals, relative to the page's origin.
    SetUnitCode(160);
    page->Origin = QPoint(-154, 0);
    container->ShowCoordinates();
    EXPECT_EQ(edX->text(), u"1.00"_s);
    Retype(Find<QLineEdit>("edWidth"), u"1.5"_s);
    EXPECT_EQ(f->Width, 381);
    Retype(edX, u"2"_s);
    EXPECT_EQ(f->X, 354);

    // A moved frame shows its new place.
    editor->Layout();
    f->ShiftBy(254, 0);
    page->AnnounceShownFrame();
    EXPECT_EQ(edX->text(), u"3.00"_s);

    // The locale's separator is written and read; a point still reads as one.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    container->ShowCoordinates();
    EXPECT_EQ(edX->text(), u"3,00"_s);
    Retype(edX, u"4,5"_s);
    EXPECT_EQ(f->X, 989);
    Retype(edX, u"1.234"_s);
    EXPECT_EQ(f->X, 159);
}

TEST_F(PanelsTest, WithoutShowingAtOnceAFontChangeIsStoredButShownOnRequest)
{
    auto *t = static_cast<TCDLText *>(Create(TTool::Text));
    const int repaints = win.repaints;
    auto *size = Find<QSpinBox>("FontSize");
    size->setValue(24);
    Click(Find<QToolButton>("sbFontBold"));
    EXPECT_EQ((std::tuple{t->FontSize, t->Bold, win.repaints}), std::tuple(24, true, repaints));
    Click(Find<QPushButton>("btZuweisen"));
    EXPECT_EQ(win.repaints, repaints + 1);
    size->setValue(1000);
    EXPECT_EQ(t->FontSize, 256);

    AppSettings().ApplyImmediately = true;
    container->ApplyImmediatelyChanged();
    EXPECT_FALSE(Shown("rZuweisen"));
    Click(Find<QToolButton>("sbCenter"));
    EXPECT_EQ((std::tuple{t->Alignment, win.repaints}), std::tuple(1, repaints + 2));
}

TEST_F(PanelsTest, AGroupAndAFrameThatIsGoneLeaveTheRollUpsEmpty)
{
    TCDLFrame *a = Create(TTool::Rectangle, -200, 0);
    TCDLFrame *b = Create(TTool::Ellipse, 200, 0);
    ASSERT_TRUE(rollups.content[0]);
    editor->Layout();
    page->AddToSelection(a);
    page->AddToSelection(b);
    page->DropActive();
    page->AnnounceShownFrame();
    for (const auto &c : rollups.content)
        EXPECT_FALSE(c);
    EXPECT_FALSE(container->ShownFrame());

    // Delete the shown frame, then work its panels: nothing happens.
    page->ClearGroup();
    page->Activate(b);
    page->AnnounceShownFrame();
    auto *edX = Find<QLineEdit>("edX");
    auto *grid = Find<TColorGrid>("ColorGrid");
    auto *spin = Find<QSpinBox>("seStift");
    page->DeleteSelected();
    EXPECT_FALSE(container->ShownFrame());
    const int snapshots = Snapshots();
    Retype(edX, u"5"_s);
    emit grid->cellSelected(1, 1);
    spin->setValue(9);
    container->PropertiesChanged();
    EXPECT_EQ(Snapshots(), snapshots);

    // Undoing a creation and closing the document leave nothing shown.
    Create(TTool::Text);
    page->Undo.Undo();
    EXPECT_FALSE(container->ShownFrame());
    Create(TTool::Text);
    ASSERT_TRUE(container->ShownFrame());
    editor.reset();
    doc.reset();
    EXPECT_FALSE(container->ShownFrame());
    Type(Find<QPlainTextEdit>("mText"), u"x"_s);
    for (const auto &c : rollups.content)
        EXPECT_FALSE(c);
}

TEST_F(PanelsTest, SerialNumbersLoadAValueListAndRefuseBadInput)
{
    auto *n = KindCast<TCDLSerNo>(Create(TTool::SerialNumber));
    ASSERT_TRUE(n);
    EXPECT_EQ((std::tuple{Shown("rSerNo"), Shown("rText")}), std::tuple(true, false));
    auto *start = Find<QLineEdit>("eStartwert");
    Retype(start, u"42"_s);
    Retype(Find<QLineEdit>("eFormat"), u"CD-####"_s);
    EXPECT_EQ(n->FrameText(), u"CD-0042"_s);
    rollups.windows[0]->activateWindow();
    QApplication::processEvents();
    start->setFocus();
    ASSERT_TRUE(start->hasFocus());
    Retype(start, u"4x"_s);
    QApplication::processEvents();
    EXPECT_EQ((std::tuple{n->Counter, rollups.errors, start->hasFocus()}),
              std::tuple(42, std::vector<QString>{GetText(1050)}, true));

    QTemporaryDir dir;
    const QString list = dir.filePath(u"list.txt"_s), bad = dir.filePath(u"bad.bin"_s);
    ASSERT_TRUE(WriteAll(list, "A-1\r\nB-2\nC-3") && WriteAll(bad, QByteArray("\x01\x00\x02", 3)));
    AppSettings().SerialNumberDir = dir.path();
    Click(Find<QRadioButton>("rbWerteliste"));
    EXPECT_TRUE(n->UseValueList);
    ASSERT_TRUE(Shown("sbSerNoLaden"));
    rollups.answers = {list};
    Click(Find<QToolButton>("sbSerNoLaden"));
    EXPECT_EQ((std::tuple{rollups.askedTitle, rollups.askedFilter, rollups.askedDir}),
              std::tuple(GetText(582), GetText(583), dir.path()));
    EXPECT_EQ((std::tuple{n->Values, n->Counter}), std::tuple((QStringList{u"A-1"_s, u"B-2"_s, u"C-3"_s}), 0));
    rollups.answers = {bad};
    Click(Find<QToolButton>("sbSerNoLaden"));
    EXPECT_EQ((std::tuple{rollups.errors.back(), n->Values.size()}), std::tuple(GetText(1051), 3));

    // A start beyond the list selects its last line; a click selects a line.
    Retype(start, u"7"_s);
    EXPECT_EQ(Find<QListWidget>("lbSerNo")->currentRow(), 2);
    auto *lb = Find<QListWidget>("lbSerNo");
    emit lb->itemClicked(lb->item(1));
    EXPECT_EQ((std::tuple{n->Counter, n->FrameText()}), std::tuple(1, u"B-2"_s));
}

TEST_F(PanelsTest, AFaceThatIsNotInstalledStaysTheFramesOwn)
{
    for (const QString &family : container->FontList()) {
        EXPECT_TRUE(QFontDatabase::isSmoothlyScalable(family)) << family.toStdString();
        EXPECT_LE(family.size(), 40);
    }
    auto *t = static_cast<TCDLText *>(Create(TTool::Text));
    t->FontName = u"No Such Face Here"_s;
    page->DropActive();
    page->AnnounceShownFrame();
    page->Activate(t);
    page->AnnounceShownFrame();
    Find<QSpinBox>("seDrehung")->setValue(90);
    EXPECT_EQ((std::tuple{t->Angle, t->FontName}), std::tuple(90, u"No Such Face Here"_s));
    EXPECT_TRUE(Find<QRadioButton>("rb90")->isChecked());
    ASSERT_FALSE(container->FontList().isEmpty());

    // Shown on top as the frame's own; focus and the program's selection pick nothing.
    const QString own = t->FontName;
    auto *list = Find<QListWidget>("lbSchriftart");
    ASSERT_TRUE(list->currentItem());
    EXPECT_TRUE(list->currentItem()->text().startsWith(own));
    EXPECT_TRUE(list->currentItem()->font().italic());
    QFocusEvent in(QEvent::FocusIn, Qt::BacktabFocusReason);
    QApplication::sendEvent(list, &in);
    list->setCurrentRow(2);
    EXPECT_EQ(t->FontName, own);
    // Keys pick: down to the first installed face, up back to the frame's own.
    list->setCurrentRow(0);
    for (auto [key, face] : {std::pair{Qt::Key_Down, container->FontList().first()}, std::pair{Qt::Key_Up, own}}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(list, &press);
        EXPECT_EQ(t->FontName, face);
    }
}

TEST_F(PanelsTest, ANewTextLikeFrameTakesTheFocusIntoItsInput)
{
    for (const auto &[tool, input] :
         {std::pair{TTool::Text, "mText"}, std::pair{TTool::Barcode, "mText"}, std::pair{TTool::RoundText, "mRundtext"},
          std::pair{TTool::SerialNumber, "eStartwert"}}) {
        SCOPED_TRACE(input);
        rollups.windows[0]->activateWindow();
        Create(tool, 0, 0);
        QApplication::processEvents();
        EXPECT_TRUE(Find(input)->hasFocus());
        EXPECT_NE(Find(input)->property("tabChangesFocus"), QVariant(false)); // Tab leaves it, as any input
        Find(input)->clearFocus();
    }
}

// Per kind, the controls set their fields (that every field a panel edits is
// stored is the kinds' tests' part).
TEST_F(PanelsTest, EveryKindsControlsSetTheirFields)
{
    AppSettings().ApplyImmediately = true;

    auto *t = static_cast<TCDLText *>(Create(TTool::Text, -300, -300));
    Type(Find<QPlainTextEdit>("mText"), u"Live 2027"_s);
    QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier);
    QApplication::sendEvent(Find<QListWidget>("lbSchriftart"), &end);
    EXPECT_EQ(t->FontName, container->FontList().value(container->FontList().size() - 1, t->FontName));
    Find<QSpinBox>("FontSize")->setValue(24);
    Click(Find<QToolButton>("sbFontBold"));
    Click(Find<QToolButton>("sbFontItalic"));
    Click(Find<QToolButton>("sbFontStroke"));
    Click(Find<QToolButton>("sbBlock"));
    Click(Find<QRadioButton>("rb270"));
    emit Find<TColorGrid>("ColorGrid")->cellSelected(9, 10);
    Retype(Find<QLineEdit>("edWidth"), u"55.5"_s);
    EXPECT_EQ((std::tuple{t->Alignment, t->Angle, t->Width, t->Bold && t->Italic && t->Underline}),
              std::tuple(3, 270, 555, true));

    auto *code = static_cast<TCDLText *>(Create(TTool::Barcode, 300, -300));
    Click(Find<QCheckBox>("cbBarcode"));
    EXPECT_FALSE(code->Barcode);
    Type(Find<QPlainTextEdit>("mText"), u"123"_s);

    auto *r = static_cast<TCDLRText *>(Create(TTool::RoundText, 100, 100));
    Type(Find<QPlainTextEdit>("mRundtext"), u"round"_s);
    Click(Find<QCheckBox>("cbRTextRichtung"));
    Click(Find<QPushButton>("btRTextMittelpunkt"));
    EXPECT_EQ((std::tuple{r->Angle, QPoint(r->X2, r->Y2)}), std::tuple(180, QPoint(0, 0)));
    EXPECT_EQ(r->Values, QStringList{u"round"_s});

    auto *n = static_cast<TCDLSerNo *>(Create(TTool::SerialNumber, -300, 300));
    Retype(Find<QLineEdit>("eStartwert"), u"17"_s);
    Retype(Find<QLineEdit>("eFormat"), u"~~#"_s);
    Find<QSpinBox>("seDrehung")->setValue(-45);
    EXPECT_EQ((std::tuple{n->Counter, n->Angle}), std::tuple(17, -45));

    for (TTool shape : {TTool::Rectangle, TTool::Ellipse, TTool::Circle, TTool::Line}) {
        TCDLFrame *f = Create(shape, 200, 200);
        Find<QSpinBox>("seStift")->setValue(12);
        if (Shown("cbOhneStift"))
            Click(Find<QCheckBox>("cbOhneStift"));
        if (Find("sbFuellung")->isEnabled()) {
            Click(Find<QToolButton>("sbFuellung"));
            emit Find<TColorGrid>("ColorGrid")->cellSelected(3, 8);
            Click(Find<QCheckBox>("cbOhneFuellung"));
            Click(Find<QToolButton>("sbStift"));
        }
        Find<QSpinBox>("seB")->setValue(200);
        if (Shown("rDrehung"))
            Find<QSpinBox>("seDrehung")->setValue(30);
        Retype(Find<QLineEdit>(Shown("edX") ? "edX" : "edX2"), u"-3,5"_s);
        EXPECT_EQ((std::tuple{f->PenSize, f->PenColor & 0xFF0000u}), std::tuple(12, RGBColor(0, 0, 200)));
    }
}

// Every panel bit a kind declares has a panel, and a frame's panels filled
// from it and written back leave its record as it was.
TEST_F(PanelsTest, EveryKindsPanelsWriteBackWhatTheyShow)
{
    std::vector<TPropertyPanel *> panels;
    for (QWidget *w : container->findChildren<QWidget *>())
        if (auto *p = dynamic_cast<TPropertyPanel *>(w))
            panels.push_back(p);
    for (const TFrameKind *k : FrameKinds()) {
        SCOPED_TRACE(k->ClassName);
        std::unique_ptr<TCDLFrame> f = CreateFrameByTag(k->Tag, page);
        // Unlike any default, inside every control's range (a counter at its longest), a face not installed.
        for (const TRecordField &r : f->RecordLayout()) {
            switch (r.Type) {
            case TFieldType::Int32: r.Ref<int32_t>(*f) = r.Name == "Counter"_ba ? INT32_MIN : 3; break;
            case TFieldType::Color: r.Ref<TColor>(*f) = 0x123456; break;
            case TFieldType::Bool: r.Ref<bool>(*f) = true; break;
            case TFieldType::ShortString: r.Ref<QString>(*f) = u"No Such Face ~#"_s; break;
            case TFieldType::Paragraphs: r.Ref<QStringList>(*f) = {u"a"_s, QString()}; break;
            case TFieldType::Custom: break;
            }
        }
        // A sort mode of a damaged or newer file, which the box cannot show.
        if (auto *d = KindCast<TCDLDIR>(f.get()))
            d->Tree.SortMode = TDirSort(9);
        const QByteArray before = Record(*f);
        TPanels answered;
        for (TPropertyPanel *p : panels) {
            answered |= p->Bits();
            if (!p->Bits() || (p->Bits() & k->Panels)) {
                p->Fill(*f);
                p->WriteBack(*f);
            }
        }
        EXPECT_EQ((std::tuple{answered | k->Panels, Record(*f)}), std::tuple(answered, before));
    }
}

TEST_F(PanelsTest, ATurnedOrMirroredPictureIsUndoneAndRedoneWhole)
{
    QImage image(2, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(255, 0, 0));
    image.setPixel(1, 0, qRgb(0, 0, 255));
    auto made = std::make_unique<TCDLBild>(page, 0, 0);
    ASSERT_TRUE(made->TakePicture(image));
    TCDLBild *b = made.get();
    page->AddFrame(std::move(made));
    page->SelectOnly({b});
    page->AnnounceSelection();
    const QSize size(b->Width, b->Height);
    Find<QToolButton>("sbRotateRight")->click();
    Find<QToolButton>("sbMirror")->click();
    EXPECT_EQ((std::tuple{QSize(b->Width, b->Height), b->Picture().size()}),
              std::tuple(size.transposed(), QSize(1, 2)));
    page->Undo.Undo();
    page->Undo.Undo();
    ASSERT_EQ(page->ActiveFrame(), b);
    EXPECT_EQ(QSize(b->Width, b->Height), size);
    EXPECT_EQ(b->Picture().convertToFormat(QImage::Format_RGB32), image);
    page->Undo.Redo();
    EXPECT_EQ(b->Picture().convertToFormat(QImage::Format_RGB32), image.transformed(QTransform().rotate(90)));
}

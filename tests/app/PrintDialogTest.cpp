#include "AppFixture.h"

#include "CalibrationDialog.h"
#include "Document.h"
#include "Errors.h"
#include "FileSizeLimit.h"
#include "KeyboardReach.h"
#include "PrintCommand.h"
#include "PrintDialog.h"
#include "PrintingWindow.h"
#include "SheetPicture.h"
#include "printing/PrintTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>

namespace {

using namespace Qt::StringLiterals;

template <class T> T *Control(QWidget *d, const char *name)
{
    T *w = d->findChild<T *>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

void Click(QWidget *d, const char *name) { Control<QAbstractButton>(d, name)->click(); }

class PrintDialogTest : public OneDocumentTest
{
protected:
    void SetUp() override
    {
        OneDocumentTest::SetUp();
        dialog = &main->Printing().Dialog();
        TPrinterAccess &a = access;
        a = TPrinterAccess::System();
        a.Queues = [this] { return Queues; };
        a.DefaultQueue = [this] { return Queues.value(0); };
        a.QueueTarget = [this](const QString &queue, QPageSize paper) -> std::unique_ptr<TPrintTarget> {
            if (QueueFails)
                throw ELocalizedError(u"queue %1 refused"_s.arg(queue));
            TRecordingTarget::TOptions o = Target;
            o.Name = queue;
            o.Paper = Printed = paper;
            auto t = std::make_unique<TRecordingTarget>(o);
            t->OnEvent = [this](const QString &e) {
                Events.append(e);
                if (OnEvent)
                    OnEvent(e);
            };
            ++TargetsMade;
            return t;
        };
        a.Describe = [](const QString &queue) { return u"driver of %1"_s.arg(queue); };
        a.DefaultPaper = [](const QString &) { return QPageSize(QPageSize::A4); };
        dialog->SetPrinterAccess(a);
    }

    // Opens the dialog from the menu; answer runs with it up and must close it.
    void WithDialog(std::function<void(TDrucken *)> answer)
    {
        bool answered = false;
        WhenModal<TDrucken>([&](TDrucken *d) {
            answered = true;
            answer(d);
            if (d->isVisible())
                Click(d, "Abbrechen");
        });
        Trigger(*main, "miDrucken");
        EXPECT_TRUE(answered);
    }

    TCDLDocument &Doc() { return child->Document(); }
    QStringList BoxTexts() const
    {
        QStringList r;
        for (const TShownBox &b : Boxes)
            r.append(b.Text);
        return r;
    }

    TDrucken *dialog = nullptr;
    TPrinterAccess access;
    QPageSize Printed;
    TRecordingTarget::TOptions Target;
    QStringList Queues{u"Laser"_s, u"Inkjet"_s};
    bool QueueFails = false;
    QStringList Events;
    int TargetsMade = 0;
    std::function<void(const QString &)> OnEvent;
};

TEST_F(PrintDialogTest, ControlsFollowModeAndWhatAndShowTheSheets)
{
    TChildWin *second = main->New();
    Process();
    WithDialog([&](TDrucken *d) {
        auto *printers = Control<QComboBox>(d, "PrinterSelect");
        ASSERT_EQ(printers->count(), 3);
        EXPECT_EQ((std::tuple{printers->currentText(), printers->itemText(2)}), std::tuple(u"Laser"_s, GetText(1090)));
        EXPECT_FALSE(Control<QLabel>(d, "lblKeinDrucker")->isVisibleTo(d));

        // Modes 1 and 3 on their page; CD labels take the trim options.
        EXPECT_TRUE(Control<QRadioButton>(d, "Wie1")->isChecked());
        EXPECT_EQ(Control<QStackedWidget>(d, "NotebookWie")->currentIndex(), 1);
        EXPECT_EQ((std::tuple{Control<QGroupBox>(d, "gbClipTyp")->isVisibleTo(d),
                              Control<QGroupBox>(d, "gbSchnittmarken")->isVisibleTo(d),
                              Control<QCheckBox>(d, "cbSchnittmarken")->isChecked()}),
                  std::tuple(true, false, true));
        auto *count = Control<QSpinBox>(d, "AnzahlEtiketten");
        EXPECT_EQ((std::tuple{count->minimum(), count->maximum()}), std::tuple(1, 1000));
        EXPECT_EQ(Control<QSpinBox>(d, "AnzahlSeiten")->maximum(), 99);
        ExpectKeyboardReach(d);

        // 4 labels from place 2: places 2 and 3, then 1 and 2.
        count->setValue(4);
        Click(d, "Ab2");
        EXPECT_EQ((std::tuple{d->SheetCount(), Control<QLabel>(d, "lblBoegen")->text(),
                              Control<TSheetPicture>(d, "pbBogen13")->Filled()}),
                  std::tuple(2, GetText(1095).arg(2), (std::set<int>{2, 3})));

        // Every open document: 4 x 2 labels from place 2 fill 3 sheets.
        Click(d, "Wie3");
        EXPECT_EQ(d->SheetCount(), 3);

        Click(d, "Was22");
        EXPECT_FALSE(Control<QRadioButton>(d, "Ab2")->isEnabled());
        EXPECT_FALSE(Control<QGroupBox>(d, "gbClipTyp")->isVisibleTo(d));
        EXPECT_EQ((std::tuple{Control<QGroupBox>(d, "gbSchnittmarken")->isVisibleTo(d), d->SheetCount(),
                              Control<TSheetPicture>(d, "pbBogen13")->What()}),
                  std::tuple(true, 4, TPrintWhat::InlayFront));
        Click(d, "Was24");
        EXPECT_EQ(d->SheetCount(), 8);

        // Mode 2: a document per place, the first documents chosen.
        Click(d, "Wie2");
        EXPECT_EQ((std::tuple{Control<QStackedWidget>(d, "NotebookWie")->currentIndex(),
                              Control<QStackedWidget>(d, "NotebookWas")->currentIndex(),
                              Control<QGroupBox>(d, "gbClipTyp")->isVisibleTo(d)}),
                  std::tuple(0, 0, true));
        auto *cb13 = Control<QComboBox>(d, "cb13");
        EXPECT_EQ((std::tuple{cb13->count(), cb13->itemText(0)}), std::tuple(3, GetText(757)));
        EXPECT_EQ(Control<QComboBox>(d, "cb11")->currentText(), child->Caption());
        EXPECT_EQ((std::tuple{Control<QComboBox>(d, "cb12")->currentText(), cb13->currentIndex(),
                              Control<TSheetPicture>(d, "pbBogen2")->Filled()}),
                  std::tuple(second->Caption(), 0, (std::set<int>{1, 2})));
        Control<QSpinBox>(d, "AnzahlSeiten")->setValue(5);
        EXPECT_EQ(d->SheetCount(), 5);
        Click(d, "Was13");
        EXPECT_EQ(Control<QStackedWidget>(d, "NotebookWas")->currentIndex(), 2);
        EXPECT_TRUE(Control<QGroupBox>(d, "gbSchnittmarken")->isVisibleTo(d));
    });
    EXPECT_EQ(TargetsMade, 0);
}

// Without printers only the PDF file is offered.
TEST_F(PrintDialogTest, TrimModeIsRememberedAndABadStoredValueFallsBack)
{
    Queues.clear();
    WithDialog([&](TDrucken *d) {
        auto *printers = Control<QComboBox>(d, "PrinterSelect");
        ASSERT_EQ(printers->count(), 1);
        EXPECT_EQ(printers->currentText(), GetText(1090));
        EXPECT_TRUE(Control<QLabel>(d, "lblKeinDrucker")->isVisibleTo(d));
        Control<QComboBox>(d, "cbDruckPara")->setCurrentIndex(1);
    });
    EXPECT_EQ(ReadPrintTrimMode(), 1);
    WithDialog([&](TDrucken *d) {
        EXPECT_EQ(Control<QComboBox>(d, "cbDruckPara")->currentIndex(), 1);
        Control<QComboBox>(d, "cbDruckPara")->setCurrentIndex(2);
    });
    EXPECT_EQ(ReadPrintTrimMode(), 2);
    WritePrintTrimMode(7);
    WithDialog([&](TDrucken *d) { EXPECT_EQ(Control<QComboBox>(d, "cbDruckPara")->currentIndex(), 0); });
    EXPECT_EQ(ReadPrintTrimMode(), 0);

    // A settings file that cannot take the choice says so and stays.
    {
        const TFileSizeLimit full(10);
        WithDialog([&](TDrucken *d) { Control<QComboBox>(d, "cbDruckPara")->setCurrentIndex(1); });
    }
    EXPECT_EQ(ReadPrintTrimMode(), 0);
    ASSERT_FALSE(Boxes.empty());
    EXPECT_EQ(Boxes.back().Text, GetText(1100).arg(SettingsFilePath()));
}

TEST_F(PrintDialogTest, RefusalsPrintNothingAndKeepCounters)
{
    TCDLSerNo *s = AddSerialNumber(Doc().Label(), INT32_MAX - 2);
    WithDialog([&](TDrucken *d) {
        Control<QSpinBox>(d, "AnzahlEtiketten")->setValue(5);
        Click(d, "OK");
        EXPECT_EQ((std::tuple{d->isVisible(), BoxTexts().value(0)}), std::tuple(true, GetText(751)));

        // The queue went away after it was chosen.
        Control<QSpinBox>(d, "AnzahlEtiketten")->setValue(1);
        Queues.removeAll(u"Laser"_s);
        Click(d, "OK");
        EXPECT_EQ((std::tuple{BoxTexts().value(1), Control<QComboBox>(d, "PrinterSelect")->count(),
                              Control<QComboBox>(d, "PrinterSelect")->currentText()}),
                  std::tuple(GetText(1082).arg(u"Laser"_s), 2, u"Inkjet"_s));

        // The queue refuses the job.
        QueueFails = true;
        Click(d, "OK");
        EXPECT_EQ(BoxTexts().value(2), u"queue Inkjet refused"_s);

        // The PDF file: a cancelled file dialog, then a folder that is not there.
        auto *printers = Control<QComboBox>(d, "PrinterSelect");
        printers->setCurrentIndex(printers->count() - 1);
        Click(d, "OK");
        EXPECT_EQ(BoxTexts().value(3), GetText(1092));
        DialogAnswers.push_back(Path(u"no/such/folder/out.pdf"_s));
        Click(d, "OK");
        EXPECT_EQ(BoxTexts().value(4), GetText(1080).arg(Path(u"no/such/folder/out.pdf"_s)));
        EXPECT_TRUE(d->isVisible());
    });
    EXPECT_EQ((std::tuple{Boxes.size(), TargetsMade, s->Counter, Doc().Modified()}),
              std::tuple(5u, 0, INT32_MAX - 2, false));
    EXPECT_FALSE(QFile::exists(Path(u"no/such/folder/out.pdf"_s)));
}

// A document per place: different paper colours ask and No closes without
// printing; a document closed after it was chosen is reported, then the
// remaining choice prints.
TEST_F(PrintDialogTest, ADocumentPerPlaceAsksForPaperColoursAndReportsOneClosed)
{
    TChildWin *second = main->New();
    Process();
    const QString caption = second->Caption();
    Doc().Label().PaperColorIndex = 1;
    Answers.push_back(mrNo);
    WithDialog([&](TDrucken *d) {
        Click(d, "Wie2");
        Click(d, "OK");
        EXPECT_FALSE(d->isVisible());
    });
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ((std::tuple{Boxes[0].Text, Boxes[0].Kind, second->Document().Modified()}),
              std::tuple(GetText(760).left(255), mkWarning, false));
    Doc().Label().PaperColorIndex = 0;
    Boxes.clear();

    WithDialog([&](TDrucken *d) {
        Click(d, "Wie2");
        ASSERT_EQ(Control<QComboBox>(d, "cb12")->currentText(), caption);
        second->CloseDocument();
        Process();
        EXPECT_EQ(Control<QComboBox>(d, "cb12")->currentIndex(), 0);
        EXPECT_EQ(Control<QComboBox>(d, "cb12")->count(), 2);
        Click(d, "OK");
        EXPECT_EQ((std::tuple{d->isVisible(), BoxTexts(), TargetsMade}),
                  std::tuple(true, QStringList{GetText(1093).arg(caption)}, 0));
        Click(d, "OK");
    });
    EXPECT_EQ(Events.join(u' '), u"begin cd@1 end"_s);
}

TEST_F(PrintDialogTest, PrintingAdvancesSerialNumbersAndMarksOnlyThatDocument)
{
    TChildWin *second = main->New();
    Process();
    TCDLSerNo *s = AddSerialNumber(Doc().Label(), 10);
    Doc().SetModified(false);
    WithDialog([&](TDrucken *d) {
        Click(d, "Wie3");
        Control<QSpinBox>(d, "AnzahlEtiketten")->setValue(2);
        Click(d, "OK");
    });
    EXPECT_EQ(Events.join(u' '), u"begin cd@1 cd@2 cd@3 page cd@1 end"_s);
    EXPECT_EQ((std::tuple{s->Counter, Doc().Modified()}), std::tuple(12, true));
    // Nothing of the other document changed by printing it.
    EXPECT_EQ((std::tuple{second->Document().Modified(), main->Printing().Dialog().isVisible()}),
              std::tuple(false, false));
}

// The always-on-top progress window makes way for the second-pass message
// and comes back for the second pass.
TEST_F(PrintDialogTest, TheSecondPassMessageIsNotHiddenUnderTheProgressWindow)
{
    auto *progress = main->findChild<TPrinting *>(u"Printing"_s);
    ASSERT_NE(progress, nullptr);
    QStringList seen;
    SetMessageBoxHook([&](const QString &text, TMsgKind, int) {
        seen << text + (progress->isVisible() ? u" under the progress window"_s : QString());
        return int(mrOK);
    });
    OnEvent = [&](const QString &e) {
        if (e.startsWith(u"cd@"_s))
            seen << e + (progress->isVisible() ? QString() : u" unseen"_s);
    };
    WithDialog([&](TDrucken *d) {
        Control<QComboBox>(d, "cbDruckPara")->setCurrentIndex(1);
        Control<QSpinBox>(d, "AnzahlEtiketten")->setValue(2);
        Click(d, "OK");
    });
    EXPECT_EQ(seen, (QStringList{u"cd@1"_s, GetText(759), u"cd@2"_s}));
}

// The label after the cancel point still goes on the sheet just begun.
TEST_F(PrintDialogTest, CancelFromTheProgressWindowStopsTheJob)
{
    TCDLSerNo *s = AddSerialNumber(Doc().Label(), 1);
    QString shownWhileCancelling;
    OnEvent = [&](const QString &e) {
        if (e != u"page"_s)
            return;
        auto *progress = main->findChild<TPrinting *>(u"Printing"_s);
        ASSERT_NE(progress, nullptr);
        EXPECT_TRUE(progress->isVisible());
        EXPECT_EQ(Control<QLabel>(progress, "Label2")->text(), ProgressLine(2, 3));
        Click(progress, "Abbrechen");
        shownWhileCancelling = Control<QLabel>(progress, "Label1")->text();
    };
    WithDialog([&](TDrucken *d) {
        Control<QSpinBox>(d, "AnzahlEtiketten")->setValue(9);
        Click(d, "OK");
    });
    EXPECT_EQ(Events.join(u' '), u"begin cd@1 cd@2 cd@3 page cd@1 end"_s);
    EXPECT_EQ((std::tuple{shownWhileCancelling, s->Counter}), std::tuple(GetText(650), 5));
    EXPECT_FALSE(main->findChild<TPrinting *>(u"Printing"_s)->isVisible());
    EXPECT_TRUE(Boxes.empty());
}

// Three CD labels from place 2 into a PDF file through the dialog: two
// pages (where the labels sit on them is the printing tests' part).
TEST_F(PrintDialogTest, PrintsIntoAPdfFileFromThePlaceChosen)
{
    const QString pdf = Path(u"labels.pdf"_s);
    DialogAnswers.push_back(pdf);
    WithDialog([&](TDrucken *d) {
        auto *printers = Control<QComboBox>(d, "PrinterSelect");
        printers->setCurrentIndex(printers->count() - 1);
        Control<QSpinBox>(d, "AnzahlEtiketten")->setValue(3);
        Click(d, "Ab2");
        Click(d, "OK");
    });
    EXPECT_TRUE(Boxes.empty()) << BoxTexts().join(u'|').toStdString();
    EXPECT_EQ(RasterisePdf(pdf, Path(u"page"_s), 10).size(), 2u);
    // An untitled document proposes its caption.
    ASSERT_EQ(Proposed.size(), 1);
    EXPECT_EQ(QFileInfo(Proposed[0]).fileName(), child->Caption() + u".pdf"_s);
}

// The paper chosen in a queue's properties picks the sheet of the picture,
// heads the diagnostic report and goes to the printer; another queue keeps
// its own. The report shows as many whole lines of what the system tells as
// the box takes, and Abort there closes without printing.
TEST_F(PrintDialogTest, PropertiesPaperReachesPictureReportAndPrinter)
{
    AppSettings().PrintDebug = true;
    access.Describe = [](const QString &queue) {
        return u"Driver: %1\n"_s.arg(queue) + u"A fact of forty characters, give or take\n"_s.repeated(8);
    };
    access.Properties = [](QWidget *, const QString &queue, const QPageSize &) -> std::optional<QPageSize> {
        if (queue == u"Laser"_s)
            return QPageSize(QPageSize::Letter);
        return std::nullopt;
    };
    dialog->SetPrinterAccess(access);
    Answers.push_back(mrCancel); // Abort
    WithDialog([&](TDrucken *d) {
        EXPECT_EQ(Control<TSheetPicture>(d, "pbBogen13")->Kind(), TSheetKind::A4);
        Click(d, "btEigenschaften");
        EXPECT_EQ(Control<TSheetPicture>(d, "pbBogen13")->Kind(), TSheetKind::Letter);
        Control<QComboBox>(d, "PrinterSelect")->setCurrentIndex(1);
        EXPECT_EQ(Control<TSheetPicture>(d, "pbBogen13")->Kind(), TSheetKind::A4);
        Control<QComboBox>(d, "PrinterSelect")->setCurrentIndex(0);
        Click(d, "OK");
        EXPECT_FALSE(d->isVisible());
    });
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Kind, mkInformation);
    EXPECT_TRUE(Boxes[0].Text.startsWith(u"Papersize: Letter \nDriver: Laser\nA fact"_s))
        << Boxes[0].Text.toStdString();
    EXPECT_TRUE(Boxes[0].Text.endsWith(u"take"_s)) << Boxes[0].Text.toStdString();
    EXPECT_LE(Boxes[0].Text.size(), 255);
    EXPECT_EQ(TargetsMade, 0);

    WithDialog([&](TDrucken *d) {
        Click(d, "btEigenschaften");
        Click(d, "OK");
    });
    EXPECT_EQ((std::tuple{TargetsMade, Printed.id()}), std::tuple(1, QPageSize::Letter));
}

// A printer that does not take the document is reported once the progress
// window is gone (the numbers it gives back are the job's part).
TEST_F(PrintDialogTest, AFailingPrinterIsReported)
{
    OnEvent = [](const QString &e) {
        if (e == u"end"_s)
            throw ELocalizedError(u"paper jam"_s);
    };
    WithDialog([&](TDrucken *d) { Click(d, "OK"); });
    EXPECT_EQ(BoxTexts(), QStringList{GetText(756) + u" paper jam"_s});
    EXPECT_FALSE(main->findChild<TPrinting *>(u"Printing"_s)->isVisible());
}

TEST_F(PrintDialogTest, CalibrationStoresWhatIsANumberUnderTheQueuesOwnName)
{
    const QString odd = Queues[1] = u"Büro [2. OG] = Tinte; \"A4\""_s;
    Target.Dpi = 600;
    Target.PhysicalOffset = {150, 100};
    bool answered = false;
    WhenModal<TDrucken>([&](TDrucken *print) {
        WhenModal<TKalibrieren>([&](TKalibrieren *d) {
            answered = true;
            auto *printers = d->findChild<QComboBox *>(u"PrinterSelect"_s);
            auto *x = d->findChild<QLineEdit *>(u"XKalib"_s);
            auto *y = d->findChild<QLineEdit *>(u"YKalib"_s);
            auto *ok = d->findChild<QPushButton *>(u"OK"_s);
            ASSERT_EQ(printers->currentText(), u"Laser"_s);
            // Uncalibrated: 0.25 and 1/6 inch at 600 dpi, measured from the paper edge.
            EXPECT_EQ((std::tuple{x->text(), y->text()}), std::tuple(u"-64"_s, u"-42"_s));

            d->findChild<QPushButton *>(u"Drucken"_s)->click();
            EXPECT_EQ(Events, QStringList({u"copies 1"_s, u"begin"_s, u"end"_s}));
            QueueFails = true;
            d->findChild<QPushButton *>(u"Drucken"_s)->click();
            ASSERT_FALSE(Boxes.empty());
            EXPECT_EQ(Boxes.back().Text, GetText(454) + u"\nqueue Laser refused"_s);
            QueueFails = false;

            printers->setCurrentIndex(1);
            EXPECT_EQ(d->CurrentPrinter(), odd);
            x->setText(u"12a"_s);
            ok->click();
            EXPECT_EQ((std::tuple{Boxes.back().Text, ReadPrinterOffset(odd, 7, 7)}),
                      std::tuple(GetText(450), QPoint(7, 7)));
            x->setText(u" -35"_s);
            y->setText(u"2O"_s);
            ok->click();
            EXPECT_EQ((std::tuple{Boxes.back().Text, ReadPrinterOffset(odd, 7, 7), d->isVisible()}),
                      std::tuple(GetText(450), QPoint(-35, 7), true));
            y->setText(u"20"_s);
            d->findChild<QSpinBox *>(u"YMassstab"_s)->setValue(-3);
            ok->click();
            EXPECT_FALSE(d->isVisible());
        });
        print->findChild<QPushButton *>(u"DruckerKalibrieren"_s)->click();
        EXPECT_EQ(print->findChild<QComboBox *>(u"PrinterSelect"_s)->currentText(), u"Laser"_s);
        EXPECT_EQ(print->Calibration().CurrentPrinter(), u"Laser"_s);
        print->findChild<QPushButton *>(u"Abbrechen"_s)->click();
    });
    Trigger(*main, "miDrucken");
    EXPECT_EQ((std::tuple{answered, ReadPrinterOffset(odd, 0, 0), ReadPrinterScale(odd)}),
              std::tuple(true, QPoint(-35, 20), QPoint(0, -3)));
    // Nothing was stored for the other queue, nor for a name one character off.
    EXPECT_EQ(ReadPrinterOffset(u"Laser"_s, 1, 1), QPoint(1, 1));
    EXPECT_EQ(ReadPrinterOffset(odd.chopped(1), 1, 1), QPoint(1, 1));
}

} // namespace

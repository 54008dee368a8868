// The calibration dialog from the print dialog: its defaults from the queue's
// offsets, what it stores and refuses, the sheet it prints, and the printer
// that is current again afterwards.

#include "AppFixture.h"

#include "CalibrationDialog.h"
#include "Errors.h"
#include "PrintCommand.h"
#include "PrintDialog.h"
#include "RecordingTarget.h"
#include "Settings.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {

using namespace Qt::StringLiterals;

class CalibrationDialogTest : public OneDocumentTest
{
protected:
    void SetUp() override
    {
        OneDocumentTest::SetUp();
        TPrinterAccess a = TPrinterAccess::System();
        a.Queues = [this] { return Queues; };
        a.DefaultQueue = [this] { return Queues.value(0); };
        a.QueueTarget = [this](const QString &queue, QPageSize) -> std::unique_ptr<TPrintTarget> {
            if (QueueFails)
                throw ELocalizedError(u"queue %1 refused"_s.arg(queue));
            TRecordingTarget::TOptions o;
            o.Name = queue;
            o.Dpi = 600;
            o.PhysicalOffset = {150, 100};
            auto t = std::make_unique<TRecordingTarget>(o);
            t->OnEvent = [this](const QString &e) { Events.append(e); };
            return t;
        };
        main->Printing().Dialog().SetPrinterAccess(a);
    }

    QStringList Queues{u"Laser"_s, u"Büro [2. OG] = Tinte; \"A4\""_s};
    bool QueueFails = false;
    QStringList Events;
};

TEST_F(CalibrationDialogTest, StoresWhatIsANumberUnderTheQueuesOwnName)
{
    const QString odd = Queues[1];
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
            EXPECT_EQ(x->text(), u"-64"_s);
            EXPECT_EQ(y->text(), u"-42"_s);

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
            EXPECT_EQ(Boxes.back().Text, GetText(450));
            EXPECT_EQ(ReadPrinterOffset(odd, 7, 7), QPoint(7, 7));
            x->setText(u" -35"_s);
            y->setText(u"2O"_s);
            ok->click();
            EXPECT_EQ(Boxes.back().Text, GetText(450));
            EXPECT_EQ(ReadPrinterOffset(odd, 7, 7), QPoint(-35, 7));
            EXPECT_TRUE(d->isVisible());
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
    EXPECT_TRUE(answered);
    EXPECT_EQ(ReadPrinterOffset(odd, 0, 0), QPoint(-35, 20));
    EXPECT_EQ(ReadPrinterScale(odd), QPoint(0, -3));
    // Nothing was stored for the other queue, nor for a name one character off.
    EXPECT_EQ(ReadPrinterOffset(u"Laser"_s, 1, 1), QPoint(1, 1));
    EXPECT_EQ(ReadPrinterOffset(odd.chopped(1), 1, 1), QPoint(1, 1));
}

} // namespace

#include "AppFixture.h"
#include "MessageBoxText.h"
#include "Strings.h"

#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>

using namespace Qt::StringLiterals;

TEST(MessageBoxText, ButtonSetsAreNormalised)
{
    struct Case
    {
        int in, shown;
        bool abort, yes;
    } cases[] = {
        {mbYes | mbNo, mbYes | mbNo, false, false},
        {mbYes | mbNo | mbCancel, mbYes | mbNo | mbCancel, false, false},
        {mbAbort | mbRetry | mbIgnore, mbAbort | mbRetry | mbIgnore, false, false},
        {mbOK | mbCancel, mbOK | mbCancel, false, false},
        {mbRetry | mbCancel, mbRetry | mbCancel, false, false},
        {mbYes | mbCancel, mbOK | mbCancel, false, true},
        {mbAbort | mbRetry, mbRetry | mbCancel, true, false},
        {mbYes | mbNo | mbAbort, mbOK, false, false},
        {mbIgnore, mbOK, false, false},
        {0, mbOK, false, false},
    };
    for (const Case &c : cases) {
        const TMsgButtons b = NormaliseButtons(c.in);
        EXPECT_EQ((std::tuple{b.Shown, b.CancelMeansAbort, b.OkMeansYes}), std::tuple(c.shown, c.abort, c.yes)) << c.in;
    }
}

TEST(MessageBoxText, AnswersAreMappedBackAndTextIsCut)
{
    QString seen;
    int shown = 0;
    SetMessageBoxHook([&](const QString &t, TMsgKind, int b) {
        seen = t;
        shown = b;
        return b & mbCancel ? int(mrCancel) : int(mrOK);
    });
    EXPECT_EQ(MessageBoxText(QString(300, QLatin1Char('x')), mkWarning, mbYes | mbCancel), mrCancel);
    EXPECT_EQ((std::tuple{seen.size(), MessageBoxText(u"a"_s, mkWarning, mbAbort | mbRetry)}),
              std::tuple(255, mrAbort));
    SetMessageBoxHook([](const QString &, TMsgKind, int) { return int(mrOK); });
    EXPECT_EQ(MessageBoxText(u"a"_s, mkWarning, mbYes | mbCancel), mrYes);
    SetMessageBoxHook({});
}

// The real box: title and icon by kind, the button pressed comes back as its code.
TEST(MessageBoxText, RealBoxShowsKindAndReturnsPressedButton)
{
    SetLanguageState(1);
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    WhenModal<QMessageBox>([&](QMessageBox *box) {
        title = box->windowTitle();
        icon = box->icon();
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(MessageBoxText(u"Frage"_s, mkConfirmation, mbYes | mbNo | mbCancel), mrNo);
    EXPECT_EQ((std::tuple{title, icon}), std::tuple(GetText(53), QMessageBox::Question));
}

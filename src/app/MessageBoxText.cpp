#include "MessageBoxText.h"

#include "Strings.h"

#include <QMessageBox>
#include <QPointer>

namespace {

QPointer<QWidget> &owner()
{
    static QPointer<QWidget> w;
    return w;
}

TMessageBoxHook &hook()
{
    static TMessageBoxHook h;
    return h;
}

bool offered(int set)
{
    static constexpr int kSets[] = {
        mbYes | mbNo, mbYes | mbNo | mbCancel, mbAbort | mbRetry | mbIgnore, mbOK, mbOK | mbCancel, mbRetry | mbCancel,
    };
    for (int s : kSets)
        if (s == set)
            return true;
    return false;
}

constexpr struct
{
    int flag;
    QMessageBox::StandardButton button;
    int code;
} kButtons[] = {
    {mbYes, QMessageBox::Yes, mrYes},
    {mbNo, QMessageBox::No, mrNo},
    {mbOK, QMessageBox::Ok, mrOK},
    {mbCancel, QMessageBox::Cancel, mrCancel},
    {mbAbort, QMessageBox::Abort, mrAbort},
    {mbRetry, QMessageBox::Retry, mrRetry},
    {mbIgnore, QMessageBox::Ignore, mrIgnore},
};

int runBox(const QString &text, TMsgKind kind, int shown)
{
    static constexpr QMessageBox::Icon kIcons[] = {QMessageBox::Warning, QMessageBox::Critical,
                                                   QMessageBox::Information, QMessageBox::Question};
    QMessageBox box(kIcons[kind], GetText(50 + kind), text, QMessageBox::NoButton, owner());
    box.setWindowModality(Qt::ApplicationModal);
    for (const auto &b : kButtons)
        if (shown & b.flag)
            box.addButton(b.button);
    box.raise();
    box.activateWindow();
    const int answer = box.exec();
    for (const auto &b : kButtons)
        if (answer == b.button)
            return b.code;
    // Closed with Escape or the title bar: the box's escape button.
    return (shown & mbCancel) ? mrCancel : (shown & mbNo) ? mrNo : mrOK;
}

} // namespace

TMsgButtons NormaliseButtons(int buttons)
{
    TMsgButtons r;
    if (offered(buttons)) {
        r.Shown = buttons;
        return r;
    }
    int set = buttons;
    if (set & mbAbort) {
        set = (set & ~mbAbort) | mbCancel;
        r.CancelMeansAbort = true;
    }
    if (set & mbYes) {
        set = (set & ~mbYes) | mbOK;
        r.OkMeansYes = true;
    }
    if (set == (mbYes | mbNo | mbCancel) || set == (mbOK | mbCancel) || set == (mbRetry | mbCancel)) {
        r.Shown = set;
        return r;
    }
    return TMsgButtons{};
}

int MessageBoxText(const QString &text, TMsgKind kind, int buttons)
{
    const TMsgButtons b = NormaliseButtons(buttons);
    const QString shownText = text.left(255);
    const TMsgKind k = (kind >= mkWarning && kind <= mkConfirmation) ? kind : mkWarning;
    int answer = hook() ? hook()(shownText, k, b.Shown) : runBox(shownText, k, b.Shown);
    if (b.CancelMeansAbort && answer == mrCancel)
        answer = mrAbort;
    if (b.OkMeansYes && answer == mrOK)
        answer = mrYes;
    return answer;
}

void SetMessageBoxOwner(QWidget *w) { owner() = w; }

void SetMessageBoxHook(TMessageBoxHook h) { hook() = std::move(h); }

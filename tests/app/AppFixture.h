#pragma once
// Shared by the window tests: a private settings file and working folder,
// message boxes and file dialogs answered by the test, helpers to find
// controls by object name.

#include "ChildWin.h"
#include "FileDialogs.h"
#include "MainWindow.h"
#include "MessageBoxText.h"
#include "QtTranslations.h"
#include "Settings.h"
#include "Shapes.h"
#include "Strings.h"

#include "base/TestSupport.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPointer>
#include <QTemporaryDir>
#include <deque>
#include <memory>

#include "IniFile.h"
#include "PageWidget.h"
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMouseEvent>
#include <QScrollBar>
#include <QThread>
#include <QTimer>
#include <QToolBar>

// A mouse event at p in w; held is the buttons down after it.
// Processes events until done() holds or timeoutMs have passed; done()'s last answer.
template <class F> bool WaitFor(F done, int timeoutMs = 5000)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < timeoutMs)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

// The main window, shown as at the program's start.
struct TShownMainWindow : TMDIForm
{
    TShownMainWindow() { show(); }
};

inline void Mouse(QWidget *w, QEvent::Type t, QPoint p, Qt::MouseButton b, Qt::MouseButtons held,
                  Qt::KeyboardModifiers m = Qt::NoModifier)
{
    QMouseEvent e(t, QPointF(p), w->mapToGlobal(QPointF(p)), b, held, m);
    QApplication::sendEvent(w, &e);
}
inline void Click(QWidget *w, QPoint p)
{
    Mouse(w, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
    Mouse(w, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
}
// Press, two moves and release with the left button.
inline void Drag(QWidget *w, QPoint from, QPoint to)
{
    Mouse(w, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    Mouse(w, QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton);
    Mouse(w, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    Mouse(w, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}
inline void Key(QWidget *w, QEvent::Type t, int key, Qt::KeyboardModifiers m = Qt::NoModifier)
{
    QKeyEvent e(t, key, m);
    QApplication::sendEvent(w, &e);
}
// Press and release.
inline void Key(QWidget *w, int key)
{
    Key(w, QEvent::KeyPress, key);
    Key(w, QEvent::KeyRelease, key);
}

// Answers the next modal window of type T once it is up: a fixed delay races
// with a busy machine and leaves the window open when it fires too early.
template <class T, class F> void WhenModal(F answer, int timeoutMs = 20000)
{
    auto *poll = new QTimer;
    auto *waited = new int(0);
    QObject::connect(poll, &QTimer::timeout, [=] {
        if (auto *w = qobject_cast<T *>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            delete waited;
            answer(w);
        } else if ((*waited += poll->interval()) > timeoutMs) {
            poll->stop();
            poll->deleteLater();
            delete waited;
            ADD_FAILURE() << "no modal window of the expected kind appeared";
        }
    });
    poll->start(10);
}

// A document with a guide line on its label, saved by the document layer itself.
inline void WriteDocument(const QString &path)
{
    TCDLDocument d;
    d.Label().SnapLines.Add(100, true);
    d.Save(path);
}

// A rectangle of the default size at (x, y).
inline TCDLFrame *AddRect(TCDLPage &p, int32_t x, int32_t y)
{
    auto f = std::make_unique<TCDLRechteck>(&p, x, y);
    f->SetDefaults();
    TCDLFrame *raw = f.get();
    p.AddFrame(std::move(f));
    return raw;
}

struct TShownBox
{
    QString Text;
    TMsgKind Kind;
    int Buttons;
};

class AppTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_oldCwd = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        qputenv("QUELMARK_SETTINGS", Path(QStringLiteral("ZYRELL.INI")).toUtf8());
        SetLanguageState(1);
        AppSettings() = TSettings();
        SetMessageBoxHook([this](const QString &t, TMsgKind k, int b) {
            Boxes.push_back({t, k, b});
            if (Answers.empty())
                return int(mrOK);
            const int a = Answers.front();
            Answers.pop_front();
            return a;
        });
        SetFileDialogHook([this](bool /*save*/, const QString &, const QString &proposed) {
            Proposed.append(proposed);
            if (DialogAnswers.empty())
                return QString();
            const QString a = DialogAnswers.front();
            DialogAnswers.pop_front();
            return a;
        });
    }
    void TearDown() override
    {
        QList<QPointer<QWidget>> tops;
        for (QWidget *w : QApplication::topLevelWidgets())
            tops.append(w);
        for (const QPointer<QWidget> &w : tops)
            if (auto *m = qobject_cast<TMDIForm *>(w.data()); m && m->testAttribute(Qt::WA_DeleteOnClose)) {
                for (TChildWin *c : m->Children())
                    c->Closing = true;
                delete m;
            }
        SetMessageBoxHook({});
        SetFileDialogHook({});
        QDir::setCurrent(m_oldCwd);
        SetLanguageState(1);
        // Qt's own texts back to English, as every test starts.
        ApplyQtTranslations(0);
    }

    QString Path(const QString &name) const { return m_dir.filePath(name); }
    static QStringList Captions(const TMDIForm &m)
    {
        QStringList r;
        for (TChildWin *c : m.Children())
            r.append(c->Caption());
        return r;
    }
    static void Process()
    {
        QApplication::processEvents();
        QApplication::processEvents();
    }
    static void Trigger(TMDIForm &m, const char *name)
    {
        m.Action(QLatin1String(name))->trigger();
        Process();
    }
    static bool Enabled(TMDIForm &m, const char *name) { return m.Action(QLatin1String(name))->isEnabled(); }
    static QString Status(TMDIForm &m) { return m.findChild<QLabel *>(QStringLiteral("Statuszeile"))->text(); }

    std::vector<TShownBox> Boxes;
    std::deque<int> Answers;
    std::deque<QString> DialogAnswers;
    QStringList Proposed;

private:
    QTemporaryDir m_dir;
    QString m_oldCwd;
};

// A main window of 1000 x 800 with one new document maximised in it, its CD
// label shown; documents close without asking at the end.
class OneDocumentTest : public AppTest
{
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        main = std::make_unique<TMDIForm>();
        main->resize(1000, 800);
        main->show();
        child = main->New();
        child->parentWidget()->showMaximized();
        Process();
        page = child->PageControl();
    }
    void TearDown() override
    {
        for (TChildWin *c : main->Children())
            c->Closing = true;
        main.reset();
        AppTest::TearDown();
    }

    std::unique_ptr<TMDIForm> main;
    TChildWin *child = nullptr;
    TPageWidget *page = nullptr;
};

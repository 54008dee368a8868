#pragma once
// The property container between a document under the editor and three
// stand-in roll-up windows. Scenarios create frames with the tools, work the
// panels' controls by object name and look at the frames and the undo.

#include "Document.h"
#include "PageEditor.h"
#include "PanelHost.h"
#include "RollUpContainer.h"
#include "Settings.h"
#include "Strings.h"
#include "Units.h"

#include "base/TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <memory>

// Three small windows that borrow a panel each, as the roll-up windows do.
struct TStandInRollups : TPanelHost
{
    std::unique_ptr<QWidget> windows[3];
    QPointer<QWidget> content[3];
    QPointer<QWidget> formerParent[3];
    std::vector<QString> errors;
    std::vector<QString> answers;
    QString askedTitle, askedFilter, askedDir;

    TStandInRollups()
    {
        for (auto &w : windows) {
            w = std::make_unique<QWidget>();
            w->resize(260, 400);
            w->show();
        }
    }
    void set(int i, QWidget *p)
    {
        if (content[i] == p)
            return;
        if (content[i]) {
            content[i]->hide();
            content[i]->setParent(formerParent[i]);
        }
        content[i] = p;
        if (p) {
            formerParent[i] = p->parentWidget();
            p->setParent(windows[size_t(i)].get());
            p->move(3, 22);
            p->show();
        }
    }
    void SetObjectContent(QWidget *p) override { set(0, p); }
    void SetColorContent(QWidget *p) override { set(1, p); }
    void SetCoordsContent(QWidget *p) override { set(2, p); }
    void ShowError(const QString &t) override
    {
        errors.push_back(t);
        // A real box takes the focus.
        if (QWidget *w = QApplication::focusWidget())
            w->clearFocus();
    }
    QString AskTextFile(const QString &title, const QString &filter, const QString &dir) override
    {
        askedTitle = title;
        askedFilter = filter;
        askedDir = dir;
        if (answers.empty())
            return {};
        const QString a = answers.front();
        answers.erase(answers.begin());
        return a;
    }
};

// The document window's part: announcements go to the container, repaints
// are counted.
struct TPanelWindow : TPageHost, TEditorHost
{
    TRollUpContainer *panels = nullptr;
    TTool tool = TTool::Edit;
    int repaints = 0;

    void ShownFrameChanged(TCDLPage &p, TCDLFrame *f) override
    {
        if (panels)
            panels->ShowFrame(f ? &p : nullptr, f);
    }
    void RepaintPage() override { ++repaints; }
    TTool CurrentTool() const override { return tool; }
    void ToolUsed() override { tool = TTool::Edit; }
    void FocusTextInput(TCDLFrame *f) override
    {
        if (panels)
            panels->FocusTextInput(f);
    }
};

class PanelsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetLanguageState(1);
        AppSettings() = TSettings();
        // Changes wait for "show changes" unless a test says otherwise.
        AppSettings().ApplyImmediately = false;
        SetUnitCode(10);
        container = std::make_unique<TRollUpContainer>(rollups);
        win.panels = container.get();
        doc = std::make_unique<TCDLDocument>(&win);
        page = &doc->Label();
        page->Context.Interactive = true;
        page->Context.Printing = false;
        editor = std::make_unique<TPageEditor>(*page, &win);
        editor->SetControlSize(QSize(640, 640));
        editor->Layout();
    }
    void TearDown() override
    {
        editor.reset();
        doc.reset();
        container.reset();
        SetUnitCode(10);
        QLocale::setDefault(QLocale::c());
    }
    // A frame of the tool's kind clicked onto the page at model (x, y).
    TCDLFrame *Create(TTool t, int x = 0, int y = 0)
    {
        win.tool = t;
        editor->Layout();
        const QPoint d = page->Context.Map(x, y);
        editor->MouseDown(Qt::LeftButton, Qt::NoModifier, d);
        editor->MouseUp(Qt::LeftButton, d);
        return page->ActiveFrame();
    }

    template <class W = QWidget> W *Find(const char *name) const
    {
        W *w = container->findChild<W *>(QLatin1String(name));
        for (int i = 0; !w && i < 3; ++i)
            if (QWidget *c = rollups.content[i])
                w = c->objectName() == QLatin1String(name) ? qobject_cast<W *>(c)
                                                           : c->findChild<W *>(QLatin1String(name));
        if (!w)
            ADD_FAILURE() << "no control " << name;
        return w;
    }
    // Shown in its roll-up window, as the person sees it.
    bool Shown(const char *name) const
    {
        QWidget *w = Find(name);
        return w && w->isVisible();
    }
    static void Type(QWidget *w, const QString &text)
    {
        for (QChar c : text) {
            const bool enter = c == QLatin1Char('\n');
            QKeyEvent press(QEvent::KeyPress, enter ? Qt::Key_Return : 0, Qt::NoModifier,
                            enter ? QString() : QString(c));
            QApplication::sendEvent(w, &press);
        }
    }
    static void Leave(QWidget *w)
    {
        QFocusEvent out(QEvent::FocusOut, Qt::OtherFocusReason);
        QApplication::sendEvent(w, &out);
    }
    // Replaces the line's text in one edit, as a paste over the selection.
    static void Retype(QLineEdit *e, const QString &text)
    {
        e->selectAll();
        QKeyEvent paste(QEvent::KeyPress, 0, Qt::NoModifier, text);
        QApplication::sendEvent(e, &paste);
    }
    int Snapshots() const { return page->Undo.Snapshots.Count(); }

    TStandInRollups rollups;
    TPanelWindow win;
    std::unique_ptr<TRollUpContainer> container;
    std::unique_ptr<TCDLDocument> doc;
    TCDLPage *page = nullptr;
    std::unique_ptr<TPageEditor> editor;
};

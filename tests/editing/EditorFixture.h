#pragma once
// A page under the editor with a window that records what is asked of it.
// Scenarios drive the editor's mouse and key entry points with device points
// computed from model points through the page's own mapping.

#include "CreationHost.h"
#include "Page.h"
#include "PageEditor.h"
#include "Shapes.h"

#include "base/TestSupport.h"
#include "document/DocumentTestSupport.h"

#include <gtest/gtest.h>

struct TRecordingWindow : TPageHost, TEditorHost
{
    TTool tool = TTool::Edit;
    QString status, pointer, warning;
    std::vector<TCDLFrame *> panels, focused;
    bool undoEnabled = false;
    bool redoEnabled = false;
    int toolUses = 0;

    void ShownFrameChanged(TCDLPage &, TCDLFrame *f) override { panels.push_back(f); }
    void ShowStatus(const QString &t) override { status = t; }
    void SetUndoEnabled(bool e) override { undoEnabled = e; }
    void SetRedoEnabled(bool e) override { redoEnabled = e; }
    void ShowWarning(const QString &t) override { warning = t; }
    TTool CurrentTool() const override { return tool; }
    void ToolUsed() override
    {
        ++toolUses;
        tool = TTool::Edit;
    }
    void SetPointerText(const QString &t) override { pointer = t; }
    void FocusTextInput(TCDLFrame *f) override { focused.push_back(f); }
    // Answers a listing's question with the test data folder, a scan with Scan.
    struct TAsker : TCreationHost
    {
        QImage Scan;
        QImage AskScan() override { return Scan; }
        bool AskFolder(TFolderChoice &c) override
        {
            c.Path = QStringLiteral(QM_TEST_DATA_DIR);
            return true;
        }
    } asker;
    TCreationHost *CreationHost() override { return &asker; }
};

class EditorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        page = CreatePage(TPageKind::InlayVorder, &win);
        page->Context.Interactive = true;
        page->Context.Printing = false;
        editor = std::make_unique<TPageEditor>(*page, &win);
        editor->SetControlSize(QSize(640, 640));
        editor->Layout();
    }

    // Device point of a model point under the current mapping.
    QPoint D(int x, int y)
    {
        editor->Layout();
        return page->Context.Map(x, y);
    }
    // Device point of handle i (1-based) as a person aims at it: where the
    // model puts it under the current mapping.
    QPoint H(const TCDLFrame *f, int i)
    {
        const QPoint m = f->ModelHandles().at(size_t(i - 1));
        return D(m.x(), m.y());
    }
    TCDLFrame *AddRect(int x, int y, int w = 400, int h = 400)
    {
        TCDLFrame *raw = Put(*page, Make<TCDLRechteck>(page.get(), x, y, w, h));
        editor->Layout();
        return raw;
    }
    void Click(QPoint p, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        editor->MouseDown(Qt::LeftButton, m, p);
        editor->MouseUp(Qt::LeftButton, p);
    }
    // Press, move in steps, release: what a person's drag delivers.
    void Drag(QPoint from, QPoint to, int steps = 4)
    {
        editor->MouseDown(Qt::LeftButton, Qt::NoModifier, from);
        for (int i = 1; i <= steps; ++i)
            editor->MouseMove(Qt::LeftButton, from + (to - from) * i / steps);
        editor->MouseUp(Qt::LeftButton, to);
    }
    int Snapshots() const { return page->Undo.Snapshots.Count(); }

    TRecordingWindow win;
    std::unique_ptr<TCDLPage> page;
    std::unique_ptr<TPageEditor> editor;
};

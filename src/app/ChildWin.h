#pragma once
// A document window: the three pages on a notebook with rulers, zero-point
// button and scroll bars; open, save and the close query with its prompts.
// It reports to its host alone, so it stands without the main window.

#include "ActiveDocument.h"
#include "Document.h"
#include "EditorHost.h"

#include <QWidget>
#include <memory>

class QScrollBar;
class QTabWidget;
class QToolButton;
class TPageEditor;
class TPageWidget;
class TRuler;

class TChildWin : public QWidget, public TActiveDocument, public TPageHost, public TEditorHost
{
    Q_OBJECT
public:
    // Without a host the window reports nowhere.
    TChildWin(TDocumentHost *host, const QString &caption);
    ~TChildWin() override;

    // TActiveDocument
    TCDLDocument &Document() override { return m_doc; }
    const QString &FileName() const override { return m_doc.FileName; }
    QString Caption() const override { return windowTitle(); }
    TCDLPage *ActivePage() const override;
    int PageIndex() const override;
    void ShowPage(int tag) override;
    // The mouse and key editing of the shown page.
    TPageEditor &Editor() const override;
    void UndoLast() override;
    void RedoLast() override;
    bool Save() override;
    bool SaveAs() override;
    void CloseDocument() override;
    void ZoomIn() override;
    void ZoomOut() override;
    void ZoomTo(int tag) override;
    void StandardZoom() override;
    void SetupStrings() override;
    void Verbose() override;

    // False when the window has to close (not a document, damaged).
    bool LoadFromFile(const QString &path);
    bool SaveToFile(const QString &path);

    TPageWidget *PageControl() const;
    TRuler *HRuler() const { return m_hRuler; }
    TRuler *VRuler() const { return m_vRuler; }

    // Close without asking (the query already agreed or the load failed).
    bool Closing = false;

    // TPageHost
    void ShowStatus(const QString &text) override;
    void RepaintPage() override;
    void RepaintRulers() override;
    void ShowWarning(const QString &text) override;
    void CommandStatesChanged() override;
    void SetUndoEnabled(bool) override { CommandStatesChanged(); }
    void SetRedoEnabled(bool) override { CommandStatesChanged(); }
    void ShownFrameChanged(TCDLPage &page, TCDLFrame *frame) override;

    // TEditorHost
    TTool CurrentTool() const override;
    void ToolUsed() override;
    void SetPointerText(const QString &text) override;
    void FocusTextInput(TCDLFrame *frame) override;
    TCreationHost *CreationHost() override;

protected:
    void closeEvent(QCloseEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    bool CloseQuery();
    void updateScrollRanges();
    // How far the shown page may scroll each way at its present zoom.
    QPoint scrollLimits() const;
    // Zoom level `level`, keeping the model point at `anchor` (page control
    // pixels) where it is as far as scrolling allows.
    void zoomKeeping(int level, QPoint anchor);
    void pageWheel(QPoint pos, QPoint angleDelta, Qt::KeyboardModifiers mods);
    void scrollBy(QPoint delta);
    void pointerMoved(QPoint p);
    void guideDragged(bool horizontal, int pos, bool finished);
    bool zeroDrag(QEvent *e);

    TDocumentHost *m_host;
    TCDLDocument m_doc;
    QTabWidget *m_notebook;
    TPageWidget *m_pages[TCDLDocument::PageCount];
    TRuler *m_hRuler, *m_vRuler;
    QToolButton *m_setZero;
    QScrollBar *m_sBarH, *m_sBarV;
    bool m_zeroDragging = false;
    // Wheel turns short of a whole notch (fine-grained wheels and pads).
    int m_wheelZoomRest = 0;
    QPoint m_wheelScrollRest;
    // After the document: they go first, while their pages still exist.
    std::unique_ptr<TPageEditor> m_editors[TCDLDocument::PageCount];
};

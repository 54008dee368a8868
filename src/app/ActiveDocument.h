#pragma once
// The two sides between the main window and a document window. The main
// window's commands, dialogs and panels reach the active document through
// TActiveDocument; a document window reports back through TDocumentHost and
// needs nothing else of the window around it.

#include "Tools.h"

#include <QString>

class TCDLDocument;
class TCDLFrame;
class TCDLPage;
class TPageEditor;
class QWidget;

class TActiveDocument
{
public:
    virtual ~TActiveDocument() = default;

    virtual TCDLDocument &Document() = 0;
    virtual QString Caption() const = 0;
    // Empty for an untitled document.
    virtual const QString &FileName() const = 0;

    // The shown page: 0 CD label, 1 inlay front, 2 inlay back.
    virtual int PageIndex() const = 0;
    virtual TCDLPage *ActivePage() const = 0;
    virtual void ShowPage(int tag) = 0;
    // The shown page's editor: every editing command goes through it.
    virtual TPageEditor &Editor() const = 0;
    virtual void UndoLast() = 0;
    virtual void RedoLast() = 0;

    virtual bool Save() = 0;
    virtual bool SaveAs() = 0;
    // Closes the window as the person would; a modified document asks first.
    virtual void CloseDocument() = 0;

    virtual void ZoomIn() = 0;
    virtual void ZoomOut() = 0;
    // Levels 1 to 7; others are ignored.
    virtual void ZoomTo(int level) = 0;
    virtual void StandardZoom() = 0;

    // The shown page's selection into the status bar.
    virtual void Verbose() = 0;
    virtual void SetupStrings() = 0;
};

class TDocumentHost
{
public:
    virtual ~TDocumentHost() = default;

    // The drawing tool chosen on the tool bar; a creation is one use of it.
    virtual TTool CurrentTool() const { return TTool::Edit; }
    virtual void ToolUsed() {}
    virtual void ShowStatus(const QString & /*text*/) {}
    virtual void ShowPointer(const QString & /*text*/) {}
    // Selection, undo or zoom of d changed: enable and check states follow.
    virtual void CommandStatesChanged(TActiveDocument & /*d*/) {}
    virtual void PageShown(TActiveDocument & /*d*/) {}
    // The notice of one of d's pages: its active frame, or none.
    virtual void ShownFrameChanged(TActiveDocument & /*d*/, TCDLPage & /*page*/, TCDLFrame * /*frame*/) {}
    // A new frame of d wants the panel input its kind names.
    virtual QWidget *FocusTextInput(TActiveDocument & /*d*/, TCDLFrame * /*frame*/) { return nullptr; }
    // Another open document holds exactly this file; Save As refuses the name.
    virtual bool IsOpenElsewhere(const QString & /*path*/, const TActiveDocument & /*except*/) const { return false; }
    // The close query agreed; the window goes once the platform lets it.
    virtual void DocumentClosed(TActiveDocument & /*d*/) {}
    // d is being destroyed with its pages: nothing of it may be kept.
    virtual void DocumentDestroyed(TActiveDocument & /*d*/) {}
};

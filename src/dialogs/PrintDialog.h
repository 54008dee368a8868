#pragma once
// The print dialog: printer, mode, what and how many, with a picture of the
// sheet; OK checks the request and the printer, and the job runs once the
// dialog has closed, with the progress window up. The windows around it are
// reached through TPrintDialogHost.

#include "PrintRequest.h"
#include "PrinterAccess.h"

#include <QDialog>
#include <QHash>
#include <QPageSize>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class TScreenFitArea;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class TCDLDocument;
class TKalibrieren;
class TPrintTarget;
class TPrintPreview;
class TPrinting;
struct TPrintFacts;
struct TPrintFinding;
class TSheetPicture;

struct TPrintDocument
{
    QString Caption;
    TCDLDocument *Document = nullptr;
};

class TPrintDialogHost
{
public:
    virtual ~TPrintDialogHost() = default;
    // The open documents in window order, and the active one.
    virtual std::vector<TPrintDocument> OpenDocuments() const = 0;
    virtual TCDLDocument *ActiveDocument() const = 0;
    virtual void ShowError(const QString &text) = 0;
    virtual void ShowInformation(const QString &text) = 0;
    // A warning with Yes and No.
    virtual bool AskYesNo(const QString &text) = 0;
    // Information with OK and Abort; true for OK.
    virtual bool AskOkAbort(const QString &text) = 0;
    // Empty when cancelled.
    virtual QString AskPdfFileName(const QString &proposed) = 0;
    // Printing advanced the serial numbers of document, which is now modified.
    virtual void DocumentPrinted(TCDLDocument & /*document*/) {}
};

class TDrucken : public QDialog
{
    Q_OBJECT
public:
    explicit TDrucken(TPrintDialogHost &host, QWidget *parent = nullptr);
    ~TDrucken() override;

    void SetPrinterAccess(TPrinterAccess access)
    {
        m_access = std::move(access);
        m_papers.clear();
    }
    void SetupStrings();

    // Shows the dialog modally and prints what it was closed with. True when
    // a job ran (printed, cancelled or failed).
    bool Execute();

    // A document window is going: no choice may name it any more; OK then
    // says so before anything is printed.
    void DocumentGone(TCDLDocument *document);

    // The request as the controls stand.
    TPrintRequest Request() const;
    int SheetCount() const;
    // The paper of the chosen printer entry.
    QPageSize Paper() const;
    TPrinting *ProgressWindow() const { return m_progress; }

    void OKClick();
    void btEigenschaftenClick();
    // The sheets of the request as the controls stand, after the checks.
    void bPrintPreviewClick();
    void DruckerKalibrierenClick();
    // The calibration dialog on the print dialog's printers and message boxes.
    TKalibrieren &Calibration();

protected:
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;

private:
    struct TPrepared
    {
        TPrintRequest Request;
        std::unique_ptr<TPrintTarget> Target;
    };

    void build();
    void FormShow();
    void FormHide();
    void fillPrinters(bool keepChoice);
    void fillDocumentLists();
    void modeChanged();
    void update();
    TPrintMode mode() const;
    TPrintWhat what() const;
    bool isPdfEntry() const;
    QString chosenQueue() const;
    TCDLDocument *documentOf(const QComboBox *cb) const;
    QString diagnosticReport() const;
    QString proposedPdfName() const;
    TPrintFacts facts() const;
    bool prepare();
    bool present(const TPrintFinding &finding);
    void runPrepared();

    TPrintDialogHost &m_host;
    TPrinterAccess m_access;
    std::vector<TPrintDocument> m_documents;
    TCDLDocument *m_active = nullptr;
    // Captions of chosen documents closed while the dialog was open.
    QStringList m_lost;
    // Per queue (empty: the PDF file), as chosen in its properties.
    mutable QHash<QString, QPageSize> m_papers;
    std::unique_ptr<TPrepared> m_prepared;
    bool m_shown = false;
    bool m_fitted = false;
    TScreenFitArea *m_body = nullptr;
    bool m_built = false;

    QGroupBox *GroupBox1, *GroupBox4, *GroupBox7, *GroupBox8, *GroupBox2, *GroupBox3, *gbClipTyp, *gbSchnittmarken;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *lblKeinDrucker, *lblBoegen;
    QComboBox *PrinterSelect, *cbDruckPara;
    QPushButton *btEigenschaften, *bPrintPreview, *OK, *Abbrechen, *DruckerKalibrieren;
    QRadioButton *Wie1, *Wie2, *Wie3;
    QRadioButton *Was21, *Was22, *Was23, *Was24, *Was11, *Was12, *Was13;
    QRadioButton *Ab1, *Ab2, *Ab3;
    QSpinBox *AnzahlEtiketten, *AnzahlSeiten;
    QComboBox *cb11, *cb12, *cb13, *cb21, *cb22, *cb31, *cb32;
    QStackedWidget *NotebookWie, *NotebookWas;
    QCheckBox *cbSchnittmarken;
    TSheetPicture *pbBogen13, *pbBogen2;
    TPrinting *m_progress;
    TPrintPreview *m_preview = nullptr;
    TKalibrieren *m_calibration = nullptr;
};

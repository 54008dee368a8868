#pragma once
// Everything that stands between a print request and its job, as data in the
// order a person meets it. A front end (the print dialog, quelmark-cli, a
// preview) only decides how to present a finding: a box, a question, a line
// and an exit code, or an answer given beforehand (--yes).

#include "PrintRequest.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

struct TPrintFinding
{
    enum class TKind {
        Refusal,  // no job: say Text and stop
        Question, // Yes goes on, No gives the job up
        Report,   // the diagnostic report (OK or Abort); its text is the front end's
        Notice,   // the job goes on; say Text first
    };
    TKind Kind = TKind::Refusal;
    int Text = 0;     // string-table number; 0 for the report
    QString Argument; // fills the text's %1

    QString Message() const;
    bool operator==(const TPrintFinding &) const = default;
};

// What a front end knows beyond the request; what it leaves unset is not checked.
struct TPrintFacts
{
    // Captions of chosen documents closed since they were chosen (1093).
    QStringList Closed;
    // The chosen queue must still be one of these (1082); none for the PDF file.
    QString Queue;
    std::optional<QStringList> Queues;
    // The diagnostic setting is on: the report comes before the request's checks.
    bool Diagnostic = false;
};

// In order: closed documents, paper colours (760, a question), the queue,
// the report, then nothing to print (750) or too few serial numbers (751),
// then the characters the printed bar codes leave out (1053, a notice).
std::vector<TPrintFinding> PrintFindings(const TPrintRequest &request, const TPrintFacts &facts = {});

// The first refusal of PrintFindings without facts: what no job may run with.
std::optional<TPrintFinding> Refusal(const TPrintRequest &request);

// The output file, once it is named: never one of the documents, by any path
// (1097); and, when asked for, a file that can be written (1080).
std::vector<TPrintFinding> OutputFindings(const QString &path, const QStringList &documents, bool mustBeWritable);

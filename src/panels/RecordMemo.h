#pragma once
// A memo of a frame's paragraphs that refuses, whole, a text the record
// cannot store, as typed or pasted, and tells the person why.

#include <QPlainTextEdit>

class TPanelHost;

class TRecordMemo : public QPlainTextEdit
{
public:
    TRecordMemo(TPanelHost &host, QWidget *parent);
    // Shows the frame's paragraphs as the text last accepted.
    void ShowParagraphs(const QStringList &values);
    // After a change: whether the text fits; if not, the text accepted last
    // is back and the person was told.
    bool Accept();

private:
    TPanelHost &m_host;
    QString m_accepted;
};

// The memo's text with its line breaks as "\n" and every other character,
// non-breaking blanks included, as it stands.
QString MemoText(const QPlainTextEdit &memo);

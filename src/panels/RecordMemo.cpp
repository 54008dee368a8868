#include "RecordMemo.h"

#include "Errors.h"
#include "PanelHost.h"
#include "TextLayout.h"

#include <QSignalBlocker>
#include <QTextDocument>
#include <algorithm>

TRecordMemo::TRecordMemo(TPanelHost &host, QWidget *parent) : QPlainTextEdit(parent), m_host(host)
{
    // Tab goes on to the next control, as from every other input of the
    // roll-ups; a tab the text needs comes in by pasting.
    setTabChangesFocus(true);
}

void TRecordMemo::ShowParagraphs(const QStringList &values)
{
    m_accepted = values.join(QLatin1Char('\n'));
    setPlainText(m_accepted);
}

QString MemoText(const QPlainTextEdit &memo)
{
    // Not toPlainText: it makes non-breaking blanks, which a record keeps,
    // plain ones that lines break at.
    QString text = memo.document()->toRawText();
    for (QChar &c : text)
        switch (c.unicode()) {
        case QChar::ParagraphSeparator:
        case QChar::LineSeparator:
        case 0xFDD0: // the beginning and end of a text frame
        case 0xFDD1: c = QLatin1Char('\n'); break;
        default: break;
        }
    return text;
}

bool TRecordMemo::Accept()
{
    const QString text = MemoText(*this);
    try {
        CheckRecordText(JoinParagraphs(SplitParagraphs(text)));
    } catch (const ELocalizedError &e) {
        // The record's length is 16 bits.
        const int grown = int(text.size() - m_accepted.size());
        const int at = textCursor().position() - std::max(grown, 0);
        {
            const QSignalBlocker block(this);
            setPlainText(m_accepted);
            QTextCursor c = textCursor();
            c.setPosition(std::clamp(at, 0, int(m_accepted.size())));
            setTextCursor(c);
        }
        m_host.ShowError(e.message());
        return false;
    }
    m_accepted = text;
    return true;
}

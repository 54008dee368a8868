#pragma once
// The serial-number frame: a text frame whose text is a running number or
// the current entry of a value list, advanced label by label when printing.

#include "Text.h"

class TCDLSerNo : public TCDLText
{
public:
    TCDLSerNo(TCDLPage *page, int32_t x, int32_t y);
    static const TFrameKind Descriptor;
    const TFrameKind &Kind() const override { return Descriptor; }
    TRecordLayout RecordLayout() const override;
    QString Verbose() const override;
    // The record has no bar-code flag: a frame read from it has none.
    void ReadFromStream(TStreamReader &in) override;
    // Only the record: the shown number is no text of the frame's own.
    void CopyToClip(TClipData &clip) const override { TCDLFrame::CopyToClip(clip); }
    void PasteFromClip(const TClipData &) override {}

    // What the frame shows for its current Counter.
    QString FrameText() const;

    // The value list instead of the running number.
    bool UseValueList = false;
    // The running number, or the index of the current entry of Values.
    int32_t Counter = 1;
    // Counter as it was before a preview, which must not use numbers up.
    int32_t SavedCounter = 1;
    QString NumberFormat = QStringLiteral("########");

    // Whether `labels` more labels each get a number of their own.
    bool Suffices(int32_t labels) const;
    // On to the next label's number; the last int32 stays where it is.
    void Advance();

protected:
    QStringList LayoutParagraphs() const override { return {FrameText()}; }
};

// The number by the picture string: "#" a digit or 0, "~" a digit or a
// blank, from the right; other characters stand as they are.
QString FormatSerialNumber(int32_t n, const QString &format);

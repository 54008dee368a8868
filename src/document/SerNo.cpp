#include "SerNo.h"

#include "RecordCode.h"
#include "Strings.h"

namespace {

using F = TCDLSerNo;
constexpr TRecordField kSerNoLayout[] = {
    QM_FIELD(F, X),
    QM_FIELD(F, Y),
    QM_FIELD(F, Width),
    QM_FIELD(F, Height),
    QM_FIELD(F, PenColor),
    QM_FIELD(F, FontName),
    QM_FIELD(F, FontSize),
    QM_FIELD(F, Bold),
    QM_FIELD(F, Italic),
    QM_FIELD(F, Underline),
    QM_FIELD(F, Alignment),
    QM_FIELD(F, Angle),
    QM_FIELD(F, UseValueList),
    QM_FIELD(F, Counter),
    QM_FIELD(F, NumberFormat),
    QM_FIELD(F, Values),
};

} // namespace

constexpr TKindTool kSerNoTools[] = {{TTool::SerialNumber, nullptr}};
// Its text is made, not typed: the serial-number panel instead of the text
// panel, and a new one takes the focus there.
const TFrameKind TCDLSerNo::Descriptor = {
    TagSerNo,
    "TCDLSerNo",
    &MakeFrame<TCDLSerNo>,
    kSerNoTools,
    TPanel::ColorPanel | TPanel::Rotation | TPanel::Font | TPanel::SerialNumber,
    TTextFocus::SerialNumber,
    TSnapRule::Box,
};

TCDLSerNo::TCDLSerNo(TCDLPage *page, int32_t x, int32_t y) : TCDLText(page, x, y) {}

TRecordLayout TCDLSerNo::RecordLayout() const { return TRecordCode<kSerNoLayout>::Layout; }

QString TCDLSerNo::Verbose() const { return BoxVerbose(560); }

void TCDLSerNo::ReadFromStream(TStreamReader &in)
{
    Barcode = false;
    TCDLText::ReadFromStream(in);
}

bool TCDLSerNo::Suffices(int32_t labels) const
{
    if (UseValueList)
        return !Values.isEmpty() && int64_t(Values.size()) - labels >= Counter;
    return int64_t(2147483647) - labels >= Counter;
}

void TCDLSerNo::Advance()
{
    if (Counter < INT32_MAX)
        ++Counter;
}

QString TCDLSerNo::FrameText() const
{
    if (!UseValueList) {
        const QString s = FormatSerialNumber(Counter, NumberFormat);
        return Barcode ? BarcodeTransform(s) : s;
    }
    if (Counter >= Values.size())
        return GetText(562);
    return Counter < 0 ? GetText(561) : Values[Counter];
}

QString FormatSerialNumber(int32_t n, const QString &format)
{
    const QString digits = QString::number(n);
    qsizetype next = digits.size();
    QString out(format.size(), QChar());
    for (qsizetype i = format.size() - 1; i >= 0; --i) {
        const QChar f = format[i];
        if (f == QLatin1Char('#'))
            out[i] = next > 0 ? digits[--next] : QLatin1Char('0');
        else if (f == QLatin1Char('~'))
            out[i] = next > 0 ? digits[--next] : QLatin1Char(' ');
        else
            out[i] = f;
    }
    return out;
}

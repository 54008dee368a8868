#include "SerNo.h"

#include "Strings.h"

namespace {

using F = TCDLFrame;
constexpr TRecordField kSerNoLayout[] = {
    {"X", &F::X},
    {"Y", &F::Y},
    {"Width", &F::Width},
    {"Height", &F::Height},
    {"PenColor", &F::PenColor},
    {"FontName", TShortString{&F::FontName}},
    {"FontSize", &F::FontSize},
    {"Bold", &F::Bold},
    {"Italic", &F::Italic},
    {"Underline", &F::Underline},
    {"Alignment", &F::Alignment},
    {"Angle", &F::Angle},
    {"UseValueList", &F::UseValueList},
    {"Counter", &F::Counter},
    {"NumberFormat", TShortString{&F::NumberFormat}},
};

} // namespace

TCDLSerNo::TCDLSerNo(TCDLPage *page, int32_t x, int32_t y) : TCDLText(page, x, y) { PanelSet = 0x00B2; }

TRecordLayout TCDLSerNo::RecordLayout() const { return kSerNoLayout; }

QString TCDLSerNo::Verbose() const { return BoxVerbose(560); }

void TCDLSerNo::ReadFromStream(TStreamReader &in)
{
    Barcode = false;
    TCDLText::ReadFromStream(in);
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

#include "TextLayout.h"

#include "Barcode.h"
#include "BinaryStream.h"
#include "FontFrame.h"
#include "ReferenceContext.h"
#include "Settings.h"
#include "Strings.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHash>
#include <QLoggingCategory>
#include <QSet>
#include <QtDebug>
#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// The program's own remarks, told apart from Qt's by their category.
Q_LOGGING_CATEGORY(lcFonts, "quelmark.fonts")

int g_fontGeneration = 0;

QFont StyledFont(const TCDLFontFrame &f)
{
    QFont font(f.FontName);
    font.setBold(f.Bold);
    font.setItalic(f.Italic);
    font.setUnderline(f.Underline);
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// Whether the font database has the face under any foundry.
bool Installed(const QString &family)
{
    const QStringList families = QFontDatabase::families();
    const QString name = FontFamilyName(family);
    return std::any_of(families.begin(), families.end(),
                       [&](const QString &f) { return FontFamilyName(f).compare(name, Qt::CaseInsensitive) == 0; });
}

// Ascent plus descent per pixel of size; fonts differ, and the cell height
// is what the file's sizes mean.
double CellRatio(const QFont &styled)
{
    static QHash<QString, double> cache;
    static int generation = -1;
    if (generation != FontGeneration()) {
        cache.clear();
        generation = FontGeneration();
    }
    const QString key = styled.key();
    auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;
    QFont probe = styled;
    probe.setPixelSize(1000);
    const QFontMetricsF fm(probe);
    double r = (fm.ascent() + fm.descent()) / 1000.0;
    if (!(r > 0.1 && r < 10))
        r = 1.0;
    cache.insert(key, r);
    return r;
}

// Once per face: a document's font that is not installed is named with the
// face drawn instead.
void ReportSubstitute(const QFont &styled)
{
    static QSet<QString> checked;
    if (checked.contains(styled.family()))
        return;
    checked.insert(styled.family());
    const QString used = FontFamilyName(QFontInfo(styled).family());
    if (used.compare(FontFamilyName(styled.family()), Qt::CaseInsensitive) != 0 && !Installed(styled.family()))
        qCInfo(lcFonts).noquote()
            << QStringLiteral("font \"%1\" is not installed; using \"%2\"").arg(styled.family(), used);
}

} // namespace

QString FontFamilyName(const QString &family)
{
    const qsizetype bracket = family.lastIndexOf(QStringLiteral(" ["));
    return bracket > 0 && family.endsWith(QLatin1Char(']')) ? family.left(bracket) : family;
}

int FontGeneration()
{
    static bool connected = false;
    if (!connected && qGuiApp) {
        connected = true;
        QObject::connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, [] { ++g_fontGeneration; });
    }
    return g_fontGeneration;
}

// One font object per face, style and cell, shared by the frames that use
// it: a font finds its glyphs' engine once, and a new object would look it
// up again for every frame. Beside it the same font on the reference
// context, made when a layout first asks.
struct TCellEntry
{
    QString Name;
    int Cell, Style;
    QFont Font;
    QFont Reference;
    int32_t LineHeight = -1;
    // Kept: metrics made anew for a device look the font up again.
    std::optional<QFontMetrics> Metrics;
    std::shared_ptr<std::array<int32_t, 256>> Latin;
};

namespace {

TCellEntry &CellEntry(const TCDLFontFrame &f, int cellHeight)
{
    // A bar code without its font is drawn as bars, not in a substitute.
    const bool report = !f.Barcode || BarcodeFontInstalled(f.FontName);
    thread_local std::vector<TCellEntry> cache;
    thread_local int generation = -1;
    const int style = int(f.Bold) | int(f.Italic) << 1 | int(f.Underline) << 2 | int(report) << 3;
    if (generation != FontGeneration() || cache.size() >= 128) {
        cache.clear();
        generation = FontGeneration();
    }
    for (TCellEntry &e : cache)
        if (e.Cell == cellHeight && e.Style == style && e.Name == f.FontName)
            return e;
    QFont font = StyledFont(f);
    if (report)
        ReportSubstitute(font);
    font.setPixelSize(std::max(1, int(std::lround(std::max(1, cellHeight) / CellRatio(font)))));
    cache.push_back({f.FontName, cellHeight, style, font, QFont(), -1, std::nullopt, nullptr});
    return cache.back();
}

const TCellEntry &MeasureEntry(const TCDLFontFrame &f)
{
    TCellEntry &e = CellEntry(f, 16 * std::max(1, f.FontSize));
    if (e.LineHeight < 0) {
        const QPaintDevice *device = ReferenceContext().Canvas->device();
        e.Reference = QFont(e.Font, device);
        // Whole-pixel ascent and descent may each lose most of a pixel; the
        // exact height stays within a fraction of the requested cell.
        e.LineHeight = int32_t(std::lround(QFontMetricsF(e.Reference, device).height() / 4));
        e.Metrics.emplace(e.Reference, device);
        e.Latin = std::make_shared<std::array<int32_t, 256>>();
        e.Latin->fill(-1);
    }
    return e;
}

} // namespace

QFont CellFont(const TCDLFontFrame &f, int cellHeight) { return CellEntry(f, cellHeight).Font; }

int CellPixels(int32_t fontSize, double scaleY)
{
    // Bounded: a size from a file may be any int32.
    return int(std::clamp(std::trunc(fontSize * scaleY * 4), 1.0, double(1 << 24)));
}

TTextMeasure::TTextMeasure(const TCDLFontFrame &f) : TTextMeasure(MeasureEntry(f)) {}

TTextMeasure::TTextMeasure(const TCellEntry &e) : m_metrics(*e.Metrics), m_latin(e.Latin), m_lineHeight(e.LineHeight) {}

QString BarcodeTransform(QString text, const QString &start, const QString &space)
{
    static const std::pair<const char16_t *, const char *> kUmlauts[] = {
        {u"ä", "ae"}, {u"ö", "oe"}, {u"ü", "ue"}, {u"Ä", "Ae"}, {u"Ö", "Oe"}, {u"Ü", "Ue"}, {u"ß", "ss"},
    };
    for (const auto &[from, to] : kUmlauts)
        text.replace(QString::fromUtf16(from), QLatin1String(to));
    text.replace(QLatin1Char(' '), space);
    const QChar s = start.isEmpty() ? QChar() : start.front();
    if (text.isEmpty() || text.front() != s)
        text.prepend(start);
    if (text.isEmpty() || text.back() != s)
        text.append(start);
    return text;
}

QString BarcodeTransform(const QString &text)
{
    const TSettings &s = AppSettings();
    return BarcodeTransform(text, s.BarcodeStart, s.BarcodeSpace);
}

std::vector<TWordInfo> SplitWords(const QStringList &paragraphs, const TTextMeasure &m)
{
    std::vector<TWordInfo> words;
    for (const QString &p : paragraphs) {
        bool inWord = false;
        for (QChar ch : p) {
            if (ch == QLatin1Char(' ')) {
                words.push_back({QStringLiteral(" "), {}, TWordKind::Space, m.CharWidth(ch)});
                inWord = false;
                continue;
            }
            if (!inWord)
                words.push_back({QString(), {}, TWordKind::Word, 0});
            inWord = true;
            TWordInfo &w = words.back();
            const int32_t cw = m.CharWidth(ch);
            w.Text.append(ch);
            w.Widths.push_back(cw);
            w.TotalWidth += cw;
        }
        words.push_back({QString(), {}, TWordKind::ParagraphEnd, 0});
    }
    return words;
}

std::vector<TLineInfo> BreakLines(const QStringList &paragraphs, const TTextMeasure &m, int32_t width)
{
    std::vector<TLineInfo> lines;
    const QChar blank = QLatin1Char(' ');
    for (const QString &p : paragraphs) {
        const QChar *s = p.constData();
        const qsizetype n = p.size();
        // The open line is [start, end); every character joins a line in
        // order, so the next one starts where the last ended.
        qsizetype start = 0, end = 0;
        int64_t current = 0;
        auto emitLine = [&](bool paragraphEnd) {
            qsizetype e = end;
            while (e > start && s[e - 1] == blank)
                --e;
            lines.push_back({QStringView(s + start, e - start), paragraphEnd});
            start = end;
            current = 0;
        };
        for (qsizetype i = 0; i < n;) {
            if (s[i] == blank) {
                current += m.CharWidth(blank);
                end = ++i;
                continue;
            }
            qsizetype j = i;
            int64_t word = 0;
            while (j < n && s[j] != blank)
                word += m.CharWidth(s[j++]);
            if (current + word > width && end > start)
                emitLine(false);
            if (current + word <= width) {
                current += word;
                end = i = j;
                continue;
            }
            for (; i < j; ++i) {
                const int32_t cw = m.CharWidth(s[i]);
                if (current + cw > width && end > start)
                    emitLine(false);
                current += cw;
                end = i + 1;
            }
        }
        emitLine(true);
    }
    return lines;
}

QString JoinParagraphs(const QStringList &paragraphs) { return paragraphs.join(QStringLiteral("\r\n")); }

QStringList SplitParagraphs(const QString &given)
{
    // A zero ends the stored text, so one taken in from a paste or a memo
    // would cut off all that follows it at the next load.
    const QString text = given.contains(QChar(0)) ? QString(given).remove(QChar(0)) : given;
    if (text.isEmpty())
        return {};
    // Paragraphs end at CR LF, CR or LF.
    QStringList out;
    const QChar *s = text.constData();
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (s[i] != QLatin1Char('\r') && s[i] != QLatin1Char('\n'))
            continue;
        out.append(text.sliced(start, i - start));
        if (s[i] == QLatin1Char('\r') && i + 1 < n && s[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    // One paragraph shares the text.
    out.append(start == 0 ? text : text.sliced(start));
    return out;
}

void CheckRecordText(const QString &joined)
{
    if (joined.size() > MaxRecordTextBytes)
        throw ELocalizedError(GetText(1052).arg(MaxRecordTextBytes));
}

void WriteRecordText(TStreamWriter &out, const QStringList &paragraphs)
{
    const QString joined = JoinParagraphs(paragraphs);
    // Refused here too: a wrapped length would corrupt every record after it.
    CheckRecordText(joined);
    out.writeWord(uint16_t(joined.size() + 1));
    out.writeAnsi(joined);
    out.writeByte(0);
}

QStringList ReadRecordText(TStreamReader &in)
{
    const uint16_t n = in.readWord();
    // Decoded where it stands, up to its zero.
    const char *bytes = in.consume(n);
    const qsizetype length = std::find(bytes, bytes + n, '\0') - bytes;
    return SplitParagraphs(FromAnsi(QByteArray::fromRawData(bytes, length)));
}

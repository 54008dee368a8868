// Bar codes drawn without their font: a real reader must get the frame's
// text back from the rendered page, upright and rotated.

#include "Barcode.h"
#include "Document.h"
#include "PageRenderer.h"
#include "Settings.h"
#include "Strings.h"
#include "Text.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

// What zbarimg reads from the front inlay holding one bar-code frame.
QString Decode(const QString &text, int angle)
{
    TCDLDocument doc;
    TCDLPage &page = doc.Page(TPageKind::InlayVorder);
    auto f = CreateBarcodeFrame(&page, -500, angle ? 450 : -200);
    f->Width = 1000;
    f->Height = 250;
    f->Angle = angle;
    f->Values = QStringList{text};
    page.AddFrame(std::move(f));
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("bc.png"));
    QImage img = RenderPageImage(page, 300);
    // A reader wants paper behind the code, not transparency.
    QImage flat(img.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter(&flat).drawImage(0, 0, img);
    EXPECT_TRUE(flat.save(png));
    QProcess zbar;
    zbar.start(QStringLiteral("zbarimg"), {QStringLiteral("-q"), png});
    EXPECT_TRUE(zbar.waitForFinished(30000));
    return QString::fromUtf8(zbar.readAllStandardOutput()).trimmed();
}

} // namespace

TEST(Barcode, Code39DataFromTheTransformedText)
{
    QString rejected;
    EXPECT_EQ(Code39Data(QStringLiteral("!Groesse*1!"), &rejected), QStringLiteral("GROESSE 1"));
    EXPECT_TRUE(rejected.isEmpty());
    EXPECT_EQ(Code39Data(QStringLiteral("!a_b#c!"), &rejected), QStringLiteral("ABC"));
    EXPECT_EQ(rejected, QStringLiteral("_#"));
}

TEST(Barcode, RenderedCodeDecodesToTheTextInUpperCase)
{
    if (QStandardPaths::findExecutable(QStringLiteral("zbarimg")).isEmpty())
        GTEST_SKIP() << "zbarimg is not installed";
    ASSERT_FALSE(BarcodeFontInstalled(AppSettings().BarcodeFont));
    EXPECT_EQ(Decode(QStringLiteral("Größe 1"), 0), QStringLiteral("CODE-39:GROESSE 1"));
    EXPECT_EQ(Decode(QStringLiteral("CD-2024/7"), 90), QStringLiteral("CODE-39:CD-2024/7"));
}

TEST(Barcode, TheToolTakesItsFaceFromTheSettings)
{
    const QString saved = AppSettings().BarcodeFont;
    AppSettings().BarcodeFont = QStringLiteral("Some Code 39");
    const auto f = CreateBarcodeFrame(nullptr, 1, 2);
    AppSettings().BarcodeFont = saved;
    EXPECT_TRUE(f->Barcode);
    EXPECT_EQ(f->FontName, QStringLiteral("Some Code 39"));
}

TEST(Barcode, CharactersCode39CannotCarryAreReportedInTheStatusText)
{
    TCDLText t(nullptr, 0, 0);
    t.Barcode = true;
    t.FontName = QStringLiteral("C39HrP60DmTt");
    t.Values = QStringList{QStringLiteral("a_b")};
    EXPECT_TRUE(t.Verbose().contains(GetText(1053).arg(QStringLiteral("_"))));
    t.Values = QStringList{QStringLiteral("ab")};
    EXPECT_FALSE(t.Verbose().contains(GetText(1053).arg(QString())));
}

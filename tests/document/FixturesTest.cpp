// The files of tests/data, written byte by byte by make_fixtures.py from the
// file layout: every document opens and saves back to its own bytes, the
// selection file goes through the selection reader and writer unchanged, and
// the committed files are what the generator writes today.

#include "Clipboard.h"
#include "Document.h"
#include "Strings.h"
#include "base/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cctype>
#include <string>
#include <vector>

namespace {

const QDir &Data()
{
    static const QDir dir(QStringLiteral(QM_TEST_DATA_DIR));
    return dir;
}

// As std::string, which test names and failure messages print.
std::vector<std::string> Documents()
{
    std::vector<std::string> names;
    for (const QString &n : Data().entryList({QStringLiteral("*.CDL")}, QDir::Files, QDir::Name))
        names.push_back(n.toStdString());
    return names;
}

const QString OtherVersion = QStringLiteral("other-version.CDL");

class Fixture : public ::testing::TestWithParam<std::string>
{
protected:
    QString name() const { return QString::fromStdString(GetParam()); }
};

std::string TestName(const ::testing::TestParamInfo<std::string> &info)
{
    std::string s = info.param;
    for (char &c : s)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return s;
}

} // namespace

// Open and Save as the document window does them.
TEST_P(Fixture, OpensAndSavesBackByteForByte)
{
    const QString path = Data().filePath(name());
    const QByteArray original = ReadAll(path);
    ASSERT_FALSE(original.isEmpty());

    TCDLDocument doc;
    QStringList warnings;
    doc.Load(path, &warnings);
    EXPECT_FALSE(doc.Modified());
    QByteArray expected = original;
    if (name() == OtherVersion) {
        // Read with today's layout after one warning; saved as today's version.
        EXPECT_EQ(warnings, QStringList{GetText(DocumentText::OtherVersion) + GetText(DocumentText::MaybeNotAll)});
        EXPECT_TRUE(doc.FileName.isEmpty());
        ASSERT_EQ(expected.mid(16, 2), QByteArray("\x11\x11", 2));
        expected[16] = 0x10;
    } else {
        EXPECT_TRUE(warnings.isEmpty()) << warnings.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(doc.FileName, path);
    }

    QTemporaryDir dir;
    const QString saved = dir.filePath(QStringLiteral("saved.CDL"));
    doc.Save(saved);
    EXPECT_EQ(ReadAll(saved).toHex(' '), expected.toHex(' '));
}

INSTANTIATE_TEST_SUITE_P(Documents, Fixture, ::testing::ValuesIn(Documents()), TestName);

// The selection holds one frame of every kind, the same records as the front
// page of all-kinds.CDL. Loaded, they land one paste step right and down;
// moved back, they are written out as the file was.
TEST(Fixtures, SelectionFileLoadsAndSavesBack)
{
    TCDLDocument reference;
    reference.Load(Data().filePath(QStringLiteral("all-kinds.CDL")), nullptr);
    const TCDLPage &copied = reference.Front();

    TCDLDocument doc;
    TCDLPage &page = doc.Back();
    const QString path = Data().filePath(QStringLiteral("selection.CDS"));
    ASSERT_TRUE(LoadSelectionFile(page, path));
    ASSERT_EQ(page.FrameCount(), copied.FrameCount());
    EXPECT_EQ((std::tuple{page.Selection().Count(), page.ActiveFrame(), page.SelectionClip.ClipId}),
              std::tuple(page.FrameCount(), nullptr, 4711));
    for (int i = 0; i < page.FrameCount(); ++i) {
        TCDLFrame *f = page.FrameAt(i);
        const TCDLFrame *ref = copied.FrameAt(i);
        EXPECT_EQ(f->X, ref->X + PasteStep) << f->ClassName();
        EXPECT_EQ(f->Y, ref->Y + PasteStep) << f->ClassName();
        f->ShiftBy(-PasteStep, -PasteStep);
        QJsonObject a, b;
        f->ToJson(a);
        ref->ToJson(b);
        EXPECT_EQ(a, b) << i << ' ' << f->ClassName();
    }

    QTemporaryDir dir;
    const QString saved = dir.filePath(QStringLiteral("saved.CDS"));
    SaveSelectionFile(page, saved);
    EXPECT_EQ(ReadAll(saved).toHex(' '), ReadAll(path).toHex(' '));
}

// The committed files are the generator's output: a change to either shows.
TEST(Fixtures, CommittedFilesAreWhatTheGeneratorWrites)
{
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    ASSERT_FALSE(python.isEmpty()) << "python3 is needed to check the fixtures (scripts/install-deps.sh installs it)";
    QTemporaryDir out;
    QProcess p;
    p.start(python, {Data().filePath(QStringLiteral("make_fixtures.py")), out.path()});
    ASSERT_TRUE(p.waitForFinished(60000));
    ASSERT_EQ(p.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().constData();

    const QStringList made = QDir(out.path()).entryList(QDir::Files, QDir::Name);
    const QStringList committed =
        Data().entryList({QStringLiteral("*.CDL"), QStringLiteral("*.CDS")}, QDir::Files, QDir::Name);
    EXPECT_EQ((std::tuple{made, made.contains(OtherVersion)}), std::tuple(committed, true));
    for (const QString &name : made)
        EXPECT_EQ(ReadAll(out.filePath(name)), ReadAll(Data().filePath(name))) << name.toStdString();
}

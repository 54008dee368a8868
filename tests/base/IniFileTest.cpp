#include "IniFile.h"

#include "FileSizeLimit.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace {

using namespace Qt::StringLiterals;

using IniFileTest = TScratchFileTest;

TEST_F(IniFileTest, HeaderRunsToTheLastBracket)
{
    put("  [a]b] \n k = v1 \n[a]\nk=v2\n[ spaced ]\nk=v3\n");
    TIniFile ini(path());
    EXPECT_EQ(ini.ReadString(u"a]b"_s, u"K"_s, QString()), u"v1"_s);
    EXPECT_EQ((std::tuple{ini.ReadString(u"a"_s, u"k"_s, QString()), ini.ReadString(u" spaced "_s, u"k"_s, QString()),
                          ini.ReadString(u"spaced"_s, u"k"_s, u"def"_s)}),
              std::tuple(u"v2"_s, u"v3"_s, u"def"_s));
}

TEST_F(IniFileTest, LookupIgnoresCaseAndWritingKeepsTheFilesSpelling)
{
    put("[Misc]\nRox = 12\n\n; the directories\n[Dir]\nCdl=/home\n");
    TIniFile ini(path());
    EXPECT_EQ((std::tuple{ini.ReadInteger(u"MISC"_s, u"ROX"_s, 0), ini.ReadInteger(u"mIsC"_s, u"rox"_s, 0),
                          ini.ReadSection(u"misc"_s)}),
              std::tuple(12, 12, QStringList{u"Rox"_s}));

    ASSERT_TRUE(ini.WriteInteger(u"MISC"_s, u"ROX"_s, 5) && ini.WriteString(u"MISC"_s, u"RFX"_s, u"a=b"_s)
                && ini.WriteString(u"NEW"_s, u"Key"_s, u"Büro"_s));
    EXPECT_EQ(get(), QByteArray("[Misc]\nRox = 5\nRFX=a=b\n\n; the directories\n[Dir]\nCdl=/home\n"
                                "\n[NEW]\nKey=Büro\n"));
    EXPECT_EQ(ini.ReadString(u"misc"_s, u"rfx"_s, QString()), u"a=b"_s);
}

TEST_F(IniFileTest, EverythingElseSurvivesByteForByte)
{
    // A BOM, CRLF endings, comments, keys outside sections, other programs'
    // keys, garbage and a last line without a line break.
    const QByteArray before = "\xEF\xBB\xBF"
                              "stray=1\r\n"
                              "[Toolbar Symbolleiste]\r\n"
                              "Docked = 1\r\n"
                              "   ; comment with [brackets] = and so on\r\n"
                              "garbage line without equals\r\n"
                              "[MISC]\r\n"
                              "ROX=1\r\n"
                              "\xFF\xFE not UTF-8\r\n"
                              "\r\n"
                              "[other]\r\n"
                              "Last=x";
    put(before);
    TIniFile ini(path());
    ASSERT_TRUE(ini.WriteInteger(u"MISC"_s, u"ROY"_s, 60) && ini.WriteInteger(u"other"_s, u"More"_s, 2));
    // The new keys go at the ends of their sections, with the file's line ends.
    QByteArray after = before + "\r\nMore=2\r\n";
    after.insert(after.indexOf("\r\n\r\n[other]") + 2, "ROY=60\r\n");
    EXPECT_EQ((std::tuple{get(), ini.ReadString(u"MISC"_s, u"stray"_s, u"-"_s), ini.ReadSections()}),
              std::tuple(after, u"-"_s, (QStringList{u"Toolbar Symbolleiste"_s, u"MISC"_s, u"other"_s})));

    // Writing a value that is already there does not touch the file.
    const QByteArray now = get();
    ASSERT_TRUE(ini.WriteInteger(u"misc"_s, u"roy"_s, 60));
    EXPECT_EQ(get(), now);
}

TEST_F(IniFileTest, NumbersAndBooleans)
{
    put("[n]\nplain=42\nblanks=\t -7  \nplus=+3\nhex=0x10\ntail=12abc\nempty=\nbig=99999999999\n"
        "two=2\nzero=0\nword=yes\n");
    TIniFile ini(path());
    const QString n = u"n"_s;
    EXPECT_EQ((std::tuple{ini.ReadInteger(n, u"plain"_s, -1), ini.ReadInteger(n, u"blanks"_s, -1),
                          ini.ReadInteger(n, u"plus"_s, -1)}),
              std::tuple(42, -7, 3));
    for (const char *k : {"hex", "tail", "empty", "big", "absent"})
        EXPECT_EQ(ini.ReadInteger(n, QLatin1String(k), -1), -1) << k;
    EXPECT_EQ(ini.ReadString(n, u"empty"_s, u"def"_s), QString());

    EXPECT_EQ((std::tuple{ini.ReadBool(n, u"two"_s, false), ini.ReadBool(n, u"zero"_s, true),
                          ini.ReadBool(n, u"word"_s, true), ini.ReadBool(n, u"word"_s, false)}),
              std::tuple(true, false, true, false));

    ASSERT_TRUE(ini.WriteBool(n, u"flag"_s, true) && ini.WriteBool(n, u"zero"_s, false));
    EXPECT_TRUE(get().endsWith("zero=0\nword=yes\nflag=1\n"));
}

// As typed by hand around a folder with blanks; what the program writes
// comes back as written.
TEST_F(IniFileTest, QuotesAroundAValueAreNotPartOfIt)
{
    put("[s]\nn=\"2\"\ndir = '/a b' \nodd=\"x\none=\"\nmixed=\"x'\n");
    TIniFile ini(path());
    const QString s = u"s"_s;
    EXPECT_EQ(
        (std::tuple{ini.ReadInteger(s, u"n"_s, 0), ini.ReadString(s, u"dir"_s, {}), ini.ReadString(s, u"odd"_s, {}),
                    ini.ReadString(s, u"one"_s, {}), ini.ReadString(s, u"mixed"_s, {})}),
        std::tuple(2, u"/a b"_s, u"\"x"_s, u"\""_s, u"\"x'"_s));
    ASSERT_TRUE(ini.WriteInteger(s, u"n"_s, 3) && ini.WriteString(s, u"new"_s, u"'q'"_s));
    EXPECT_EQ((std::tuple{ini.ReadInteger(s, u"n"_s, 0), ini.ReadString(s, u"new"_s, {})}), std::tuple(3, u"'q'"_s));
    EXPECT_TRUE(get().startsWith("[s]\nn=3\n"));
}

TEST_F(IniFileTest, GarbageReadsAsDefaults)
{
    QByteArray junk;
    for (int i = 0; i < 4096; ++i)
        junk += char((i * 7919) % 251);
    junk.replace('[', 'x'); // no accidental section headers
    put(junk);
    TIniFile ini(path());
    EXPECT_EQ((std::tuple{ini.ReadInteger(u"MISC"_s, u"ROX"_s, 440), ini.ReadSections().isEmpty()}),
              std::tuple(440, true));
    // and writing keeps the junk in front of the new section
    ASSERT_TRUE(ini.WriteInteger(u"MISC"_s, u"ROX"_s, 1));
    EXPECT_EQ((std::tuple{get().startsWith(junk), ini.ReadInteger(u"MISC"_s, u"ROX"_s, 440)}), std::tuple(true, 1));
}

TEST_F(IniFileTest, DuplicatesUseTheFirstAndEraseRemovesAll)
{
    put("[A]\nk=1\nk=2\n[FILES]\nCDL1=old\n; note\n\n[B]\nb=1\n[files]\nCDL9=x\n");
    TIniFile ini(path());
    EXPECT_EQ(ini.ReadInteger(u"A"_s, u"k"_s, 0), 1);
    ASSERT_TRUE(ini.WriteInteger(u"a"_s, u"K"_s, 3));
    EXPECT_EQ(ini.ReadSection(u"A"_s), QStringList{u"k"_s});

    ASSERT_TRUE(ini.EraseSection(u"Files"_s) && ini.EraseSection(u"not there"_s));
    EXPECT_EQ(get(), QByteArray("[A]\nk=3\nk=2\n[B]\nb=1\n"));
}

TEST_F(IniFileTest, ValuesThatWouldBreakTheFileAreRefused)
{
    put("[S]\nk=1\n");
    TIniFile ini(path());
    // A file name with a line break must not be able to forge sections.
    EXPECT_FALSE(ini.WriteString(u"S"_s, u"k"_s, u"a\n[LANGUAGE]\nNUMBER=2"_s));
    EXPECT_EQ((std::tuple{ini.WriteString(u"S"_s, u"k"_s, u"a\rb"_s), ini.WriteString(u"S\n"_s, u"k"_s, u"v"_s),
                          ini.WriteString(QString(), u"k"_s, u"v"_s)}),
              std::tuple(false, false, false));
    EXPECT_EQ((std::tuple{ini.WriteString(u"S"_s, u"a=b"_s, u"v"_s), ini.WriteString(u"S"_s, u"  "_s, u"v"_s),
                          ini.WriteString(u"S"_s, u";k"_s, u"v"_s), ini.WriteString(u"S"_s, u"[k]"_s, u"v"_s)}),
              std::tuple(false, false, false, false));
    EXPECT_EQ(get(), QByteArray("[S]\nk=1\n"));
}

TEST_F(IniFileTest, WritesThatCannotHappenFailWithoutDamage)
{
    // A regular file where a folder should be, and a path under /dev/null.
    put("keep me", "file");
    for (const QString &p : {dir.filePath(u"file/settings.ini"_s), u"/dev/null/x"_s}) {
        TIniFile ini(p);
        EXPECT_FALSE(ini.WriteInteger(u"S"_s, u"k"_s, 1)) << qPrintable(p);
        EXPECT_EQ(ini.ReadInteger(u"S"_s, u"k"_s, 9), 9);
    }
    EXPECT_EQ(get("file"), QByteArray("keep me"));

    // A folder or a pipe in place of the file: nothing reads from or replaces them.
    TIniFile folder(dir.path());
    EXPECT_EQ((std::tuple{folder.WriteInteger(u"S"_s, u"k"_s, 1), QFileInfo(dir.path()).isDir()}),
              std::tuple(false, true));

    const QString fifo = path("fifo");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    TIniFile pipe(fifo);
    EXPECT_EQ(pipe.ReadInteger(u"S"_s, u"k"_s, 9), 9);
    EXPECT_FALSE(pipe.WriteInteger(u"S"_s, u"k"_s, 1));
    struct stat st = {};
    ASSERT_EQ(::stat(QFile::encodeName(fifo).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));

    // A file too large to read is not replaced.
    const QByteArray big = "[S]\nk=1\n" + QByteArray(5 * 1024 * 1024, ';');
    put(big);
    TIniFile ini(path());
    EXPECT_EQ(
        (std::tuple{ini.ReadInteger(u"S"_s, u"k"_s, 9), ini.WriteInteger(u"S"_s, u"k"_s, 2), QFileInfo(path()).size()}),
        std::tuple(9, false, big.size()));
}

TEST_F(IniFileTest, AFullDiskLeavesTheFileAsItWas)
{
    // Small enough to fail only when the file's buffer is flushed at the
    // end, and large enough to fail while it is written.
    for (const int size : {2000, 200000}) {
        const QByteArray old = "[S]\nk=1\n" + QByteArray(size, ';') + '\n';
        put(old);
        TIniFile ini(path());
        {
            const TFileSizeLimit full(size / 2);
            EXPECT_FALSE(ini.WriteInteger(u"S"_s, u"k"_s, 2)) << size;
        }
        EXPECT_EQ(get(), old);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"test.ini"_s}) << "no temporary left";
    }
}

TEST_F(IniFileTest, ASymlinkedFileStaysALink)
{
    put("[S]\nk=1\n", "real.ini");
    ASSERT_TRUE(QFile::link(path("real.ini"), path("link.ini")));
    TIniFile ini(path("link.ini"));
    ASSERT_TRUE(ini.WriteInteger(u"S"_s, u"k"_s, 2));
    EXPECT_TRUE(QFileInfo(path("link.ini")).isSymLink());
    EXPECT_EQ(get("real.ini"), QByteArray("[S]\nk=2\n"));
}

} // namespace

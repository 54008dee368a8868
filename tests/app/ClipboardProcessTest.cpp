// Copy in one running program, paste in another, on a real X server: the
// private format really is on the system clipboard under its name.

#include "AppFixture.h"

#include "Shapes.h"

#include <QProcess>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

bool WaitUntil(const std::function<bool()> &done, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms)
            return false;
        QThread::msleep(10);
    }
    return true;
}

// An X server of its own on a display nobody uses, stopped with the test.
class TXvfb
{
public:
    bool Start()
    {
        const QString xvfb = QStandardPaths::findExecutable(u"Xvfb"_s);
        if (xvfb.isEmpty())
            return false;
        for (int n = 90; n < 140; ++n) {
            const QString socket = u"/tmp/.X11-unix/X%1"_s.arg(n);
            if (QFileInfo::exists(socket) || QFileInfo::exists(u"/tmp/.X%1-lock"_s.arg(n)))
                continue;
            m_proc.start(xvfb, {u":%1"_s.arg(n), u"-nolisten"_s, u"tcp"_s, u"-screen"_s, u"0"_s, u"800x600x24"_s});
            if (!m_proc.waitForStarted(3000))
                return false;
            if (WaitUntil([&] { return QFileInfo::exists(socket) || m_proc.state() != QProcess::Running; }, 5000)
                && m_proc.state() == QProcess::Running) {
                Display = u":%1"_s.arg(n);
                return true;
            }
            m_proc.kill();
            m_proc.waitForFinished(1000);
        }
        return false;
    }
    ~TXvfb()
    {
        if (m_proc.state() != QProcess::NotRunning) {
            m_proc.terminate();
            if (!m_proc.waitForFinished(3000))
                m_proc.kill();
            m_proc.waitForFinished(1000);
        }
    }
    QString Display;

private:
    QProcess m_proc;
};

} // namespace

TEST_F(AppTest, FramesCopiedInOneProgramArriveInASecondOne)
{
    if (QStandardPaths::findExecutable(u"Xvfb"_s).isEmpty())
        GTEST_SKIP() << "Xvfb is not installed";
    TXvfb x;
    ASSERT_TRUE(x.Start());

    TCDLDocument doc;
    auto line = std::make_unique<TCDLLinie>(&doc.Label(), 10, 20);
    line->X2 = 300;
    line->Y2 = 40;
    doc.Label().AddFrame(std::move(line));
    AddRect(doc.Label(), -200, -100);
    doc.Save(Path(u"quelle.CDL"_s));

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"DISPLAY"_s, x.Display);
    env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    env.insert(u"QUELMARK_SETTINGS"_s, Path(u"peer.ini"_s));
    QProcess copier, paster;
    copier.setProcessEnvironment(env);
    paster.setProcessEnvironment(env);
    copier.start(QStringLiteral(QM_CLIPBOARD_PEER), {u"copy"_s, Path(u"quelle.CDL"_s)});
    ASSERT_TRUE(copier.waitForStarted(5000));
    QByteArray said;
    ASSERT_TRUE(WaitUntil(
        [&] {
            copier.waitForReadyRead(50);
            said += copier.readAllStandardOutput();
            return said.contains("copied") || copier.state() != QProcess::Running;
        },
        10000));
    ASSERT_TRUE(said.contains("copied")) << copier.readAllStandardError().toStdString();

    // Another X client sees the format by its name.
    const QString xclip = QStandardPaths::findExecutable(u"xclip"_s);
    if (!xclip.isEmpty()) {
        QProcess targets;
        targets.setProcessEnvironment(env);
        targets.start(xclip, {u"-o"_s, u"-selection"_s, u"clipboard"_s, u"-t"_s, u"TARGETS"_s});
        ASSERT_TRUE(targets.waitForFinished(5000));
        EXPECT_TRUE(targets.readAllStandardOutput().contains("ZORarur32 Objekt"));
    }

    paster.start(QStringLiteral(QM_CLIPBOARD_PEER), {u"paste"_s, Path(u"ziel.CDL"_s)});
    ASSERT_TRUE(paster.waitForFinished(15000));
    EXPECT_EQ(paster.exitCode(), 0) << paster.readAllStandardError().toStdString();
    copier.closeWriteChannel();
    EXPECT_TRUE(copier.waitForFinished(5000));

    TCDLDocument pasted;
    pasted.Load(Path(u"ziel.CDL"_s), nullptr);
    const TCDLPage &p = pasted.Label();
    ASSERT_EQ(p.FrameCount(), 2);
    EXPECT_EQ(p.FrameAt(0)->TypeTag(), TagLinie);
    EXPECT_EQ(QPoint(p.FrameAt(0)->X, p.FrameAt(0)->Y), QPoint(60, 70));
    EXPECT_EQ((std::tuple{QPoint(p.FrameAt(0)->X2, p.FrameAt(0)->Y2), p.FrameAt(1)->TypeTag(),
                          QPoint(p.FrameAt(1)->X, p.FrameAt(1)->Y)}),
              std::tuple(QPoint(350, 90), TagRechteck, QPoint(-150, -50)));
}

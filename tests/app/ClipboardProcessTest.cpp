// Copy in one running program, paste in another, on a real X server: the
// private format really is on the system clipboard under its name.

#include "AppFixture.h"

#include "Shapes.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

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
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty())
            return false;
        for (int n = 90; n < 140; ++n) {
            const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(n);
            if (QFileInfo::exists(socket) || QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
                continue;
            m_proc.start(xvfb, {QStringLiteral(":%1").arg(n), QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                                QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("800x600x24")});
            if (!m_proc.waitForStarted(3000))
                return false;
            if (WaitUntil([&] { return QFileInfo::exists(socket) || m_proc.state() != QProcess::Running; }, 5000)
                && m_proc.state() == QProcess::Running) {
                Display = QStringLiteral(":%1").arg(n);
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
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
        GTEST_SKIP() << "Xvfb is not installed";
    TXvfb x;
    ASSERT_TRUE(x.Start());

    TCDLDocument doc;
    auto line = std::make_unique<TCDLLinie>(&doc.Label(), 10, 20);
    line->X2 = 300;
    line->Y2 = 40;
    doc.Label().AddFrame(std::move(line));
    AddRect(doc.Label(), -200, -100);
    doc.Save(Path(QStringLiteral("quelle.CDL")));

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), x.Display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("QUELMARK_SETTINGS"), Path(QStringLiteral("peer.ini")));
    QProcess copier, paster;
    copier.setProcessEnvironment(env);
    paster.setProcessEnvironment(env);
    copier.start(QStringLiteral(QM_CLIPBOARD_PEER), {QStringLiteral("copy"), Path(QStringLiteral("quelle.CDL"))});
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
    const QString xclip = QStandardPaths::findExecutable(QStringLiteral("xclip"));
    if (!xclip.isEmpty()) {
        QProcess targets;
        targets.setProcessEnvironment(env);
        targets.start(xclip, {QStringLiteral("-o"), QStringLiteral("-selection"), QStringLiteral("clipboard"),
                              QStringLiteral("-t"), QStringLiteral("TARGETS")});
        ASSERT_TRUE(targets.waitForFinished(5000));
        EXPECT_TRUE(targets.readAllStandardOutput().contains("ZORarur32 Objekt"));
    }

    paster.start(QStringLiteral(QM_CLIPBOARD_PEER), {QStringLiteral("paste"), Path(QStringLiteral("ziel.CDL"))});
    ASSERT_TRUE(paster.waitForFinished(15000));
    EXPECT_EQ(paster.exitCode(), 0) << paster.readAllStandardError().toStdString();
    copier.closeWriteChannel();
    EXPECT_TRUE(copier.waitForFinished(5000));

    TCDLDocument pasted;
    pasted.Load(Path(QStringLiteral("ziel.CDL")), nullptr);
    const TCDLPage &p = pasted.Label();
    ASSERT_EQ(p.FrameCount(), 2);
    EXPECT_EQ(p.FrameAt(0)->TypeTag(), TagLinie);
    EXPECT_EQ(QPoint(p.FrameAt(0)->X, p.FrameAt(0)->Y), QPoint(60, 70));
    EXPECT_EQ(QPoint(p.FrameAt(0)->X2, p.FrameAt(0)->Y2), QPoint(350, 90));
    EXPECT_EQ(p.FrameAt(1)->TypeTag(), TagRechteck);
    EXPECT_EQ(QPoint(p.FrameAt(1)->X, p.FrameAt(1)->Y), QPoint(-150, -50));
}

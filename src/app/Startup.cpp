#include "Startup.h"

#include "MainWindow.h"
#include "QtTranslations.h"
#include "Settings.h"
#include "Strings.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>
#include <QTimer>

#include <cstdio>
#include <utility>

namespace {

// Runs then once, just after the window's first paint (its children paint in
// the same pass), or after a second if no paint came (a window that is never
// exposed still finishes the start).
class TAfterFirstPaint : public QObject
{
public:
    TAfterFirstPaint(QWidget *w, std::function<void()> then) : QObject(w), m_then(std::move(then))
    {
        w->installEventFilter(this);
        QTimer::singleShot(1000, this, &TAfterFirstPaint::run);
    }

    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Paint) {
            o->removeEventFilter(this);
            QTimer::singleShot(0, this, &TAfterFirstPaint::run);
        }
        return false;
    }

private:
    // Both the paint and the fallback timer call it; then may run a modal
    // dialog whose loop outlives the timer, so nothing of this is touched
    // after then starts.
    void run()
    {
        const auto then = std::exchange(m_then, nullptr);
        if (!then)
            return;
        deleteLater();
        then();
    }

    std::function<void()> m_then;
};

// With QUELMARK_REPORT_FIRST_PAINT set (the start benchmark sets it) the
// program writes "painted WxH" to stdout once the main window has painted;
// unset, nothing is written.
void reportFirstPaint(const QWidget *main)
{
    if (qEnvironmentVariableIsEmpty("QUELMARK_REPORT_FIRST_PAINT"))
        return;
    std::printf("painted %dx%d\n", main->width(), main->height());
    std::fflush(stdout);
}

} // namespace

TSplashWnd::TSplashWnd(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("SplashWnd"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(480, 280);
    if (const QScreen *s = QGuiApplication::primaryScreen())
        move(s->geometry().center() - rect().center());
}

void TSplashWnd::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QSvgRenderer(QStringLiteral(":/icons/splash.svg")).render(&p, rect());
    p.setPen(Qt::white);
    QFont f = font();
    f.setPixelSize(18);
    f.setBold(true);
    p.setFont(f);
    p.drawText(rect().adjusted(20, 0, -20, -30), Qt::AlignHCenter | Qt::AlignBottom, LoadText(20));
}

TStartOptions ParseCommandLine(const QStringList &args)
{
    TStartOptions o;
    for (const QString &a : args) {
        if (a == QLatin1String("--no-splash"))
            o.SplashDelayMs = 0;
        else
            o.Documents.append(a);
    }
    return o;
}

TMDIForm *StartProgram(const TStartOptions &options)
{
    ReadSettingsEarly(AppSettings());
    ApplyQtTranslations(Language());
    auto *main = new TMDIForm;
    main->setAttribute(Qt::WA_DeleteOnClose);
    // Without the splash the window shows once, maximized.
    TSplashWnd *splash = nullptr;
    if (options.SplashDelayMs > 0) {
        main->showMinimized();
        splash = new TSplashWnd;
        splash->show();
    }
    const QStringList documents = options.Documents;
    const auto started = options.Started;
    QTimer::singleShot(options.SplashDelayMs, main, [main, splash, documents, started] {
        // Without a window manager nothing maximizes: fill the screen ourselves.
        if (const QScreen *sc = main->screen())
            main->setGeometry(sc->availableGeometry());
        main->showMaximized();
        ReadSettingsMain(AppSettings());
        main->ApplyToolBarSettings();
        // The splash goes as soon as messages run, even while the language dialog is up.
        if (splash)
            QTimer::singleShot(1, splash, &QWidget::close);
        const bool firstStart = AppSettings().FirstStart;
        // The document shows in the first paint; on a first start it waits
        // for the language.
        if (!firstStart)
            main->OpenInitialDocument(documents);
        // The property panels and their roll-up windows are built just
        // after the window first shows, where a person cannot tell.
        new TAfterFirstPaint(main, [main, documents, started, firstStart] {
            reportFirstPaint(main);
            main->ApplyRollupSettings();
            if (firstStart) {
                main->ShowLanguageDialog();
                main->OpenInitialDocument(documents);
            }
            if (started)
                started(main);
        });
    });
    return main;
}

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
    main->showMinimized();
    auto *splash = new TSplashWnd;
    splash->show();
    const QStringList documents = options.Documents;
    const auto started = options.Started;
    QTimer::singleShot(options.SplashDelayMs, main, [main, splash, documents, started] {
        // Without a window manager nothing maximizes: fill the screen ourselves.
        if (const QScreen *sc = main->screen())
            main->setGeometry(sc->availableGeometry());
        main->showMaximized();
        ReadSettingsMain(AppSettings());
        main->ApplySettings();
        // The splash goes as soon as messages run, even while the language dialog is up.
        QTimer::singleShot(1, splash, &QWidget::close);
        if (AppSettings().FirstStart)
            main->ShowLanguageDialog();
        main->OpenInitialDocument(documents);
        if (started)
            started(main);
    });
    return main;
}

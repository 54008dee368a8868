#pragma once
// The program's start: early settings, main window, splash window, then
// after the splash delay the maximized main window, the main settings, the
// language dialog on a first start and the initial document.

#include <QStringList>
#include <QWidget>
#include <functional>

class TMDIForm;

class TSplashWnd : public QWidget
{
    Q_OBJECT
public:
    explicit TSplashWnd(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *) override;
};

struct TStartOptions
{
    int SplashDelayMs = 4000;
    QStringList Documents;
    // Called once the main window is up with its first document.
    std::function<void(TMDIForm *)> Started;
};

// Parses the command line (without the program name): "--no-splash" skips
// the splash delay, the first other argument names a document.
TStartOptions ParseCommandLine(const QStringList &args);

// Reads the early settings, creates the main window and shows the splash
// window; the rest follows from the event loop.
TMDIForm *StartProgram(const TStartOptions &options);

// quelmark: for now a plain window showing a document's three pages.

#include "Document.h"
#include "Errors.h"
#include "PageWidget.h"
#include "Strings.h"

#include <QApplication>
#include <QFileInfo>
#include <QMainWindow>
#include <QMessageBox>
#include <QStatusBar>
#include <QTabWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow win;
    win.setWindowTitle(LoadText(21));
    auto *tabs = new QTabWidget(&win);
    win.setCentralWidget(tabs);

    // One host per page so each page repaints its own widget.
    TPageWidget *widgets[TCDLDocument::PageCount];
    for (auto *&w : widgets)
        w = new TPageWidget(tabs);
    // The pages report to the first widget's host until the document window
    // exists; each widget paints its own page.
    TCDLDocument doc(widgets[0]);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (!args.isEmpty()) {
        QStringList warnings;
        try {
            doc.Load(args.first(), &warnings);
            for (const QString &w : warnings)
                QMessageBox::warning(&win, GetText(50), w);
            win.setWindowTitle(LoadText(21) + QStringLiteral(" - ") + QFileInfo(args.first()).fileName());
        } catch (const ELocalizedError &e) {
            QMessageBox::warning(&win, GetText(50), e.message());
        }
    }
    const int titles[] = {217, 218, 219};
    for (int i = 0; i < TCDLDocument::PageCount; ++i) {
        TCDLPage &page = doc.Page(TPageKind(i));
        page.Window = widgets[i];
        widgets[i]->setPage(&page);
        tabs->addTab(widgets[i], GetText(titles[i]));
        QObject::connect(widgets[i], &TPageWidget::statusChanged, win.statusBar(),
                         [&win](const QString &t) { win.statusBar()->showMessage(t); });
    }
    win.resize(1000, 800);
    win.show();
    return app.exec();
}

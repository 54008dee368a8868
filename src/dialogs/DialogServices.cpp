#include "DialogServices.h"

#include "Strings.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

TDialogServices TDialogServices::Standard(QWidget *parent)
{
    TDialogServices s;
    s.Error = [parent](const QString &text) { QMessageBox::warning(parent, QString(), text); };
    s.AskYesNo = [parent](const QString &question) {
        return QMessageBox::question(parent, QString(), question) == QMessageBox::Yes;
    };
    s.ChooseColor = [parent](TColor current) -> std::optional<TColor> {
        const QColor c = QColorDialog::getColor(ToQColor(current), parent);
        return c.isValid() ? std::optional<TColor>(FromQColor(c)) : std::nullopt;
    };
    s.ChooseFolder = [parent](const QString &start) {
        return QFileDialog::getExistingDirectory(parent, GetText(1326), start,
                                                 QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    };
    return s;
}

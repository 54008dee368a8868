#include "PlainFileIcons.h"

#include <QAbstractFileIconProvider>
#include <QFileInfo>

namespace {

class TPlainIcons : public QAbstractFileIconProvider
{
public:
    QIcon icon(const QFileInfo &info) const override { return icon(info.isDir() ? Folder : File); }
    using QAbstractFileIconProvider::icon;
    QString type(const QFileInfo &info) const override
    {
        return info.isDir() ? QStringLiteral("Folder") : QStringLiteral("File");
    }
};

} // namespace

QAbstractFileIconProvider *PlainFileIcons()
{
    static auto *const icons = new TPlainIcons;
    return icons;
}

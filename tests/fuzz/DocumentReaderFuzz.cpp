// Any byte string handed to the document reader either opens or is refused
// with the file's message; nothing else may happen.

#include "Document.h"
#include "Errors.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>

namespace {
QGuiApplication *g_app = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    g_app = new QGuiApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TCDLDocument doc;
    QStringList warnings;
    try {
        doc.FromBytes(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)), &warnings);
    } catch (const ELocalizedError &) {
        return 0;
    }
    // What was read must write again and read back to the same bytes.
    const QByteArray once = doc.ToBytes();
    TCDLDocument again;
    again.FromBytes(once, &warnings);
    if (again.ToBytes() != once)
        std::abort();
    return 0;
}

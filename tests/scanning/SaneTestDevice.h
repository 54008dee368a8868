#pragma once
// A private SANE configuration that offers only the virtual test scanner
// (nothing else is loaded and no network is asked), its page 20 mm square.
// SANE reads the folder's name once per process, so every instance writes
// the same folder.

#include "Scanner.h"

#include <QFile>
#include <QTemporaryDir>

class TSaneTestDevice
{
public:
    // settings: lines appended to the test scanner's configuration; no
    // device at all without withDevice.
    explicit TSaneTestDevice(const QByteArray &settings = {}, bool withDevice = true)
    {
        static QTemporaryDir dir;
        QFile dll(dir.filePath(QStringLiteral("dll.conf"))), conf(dir.filePath(QStringLiteral("test.conf")));
        QFile stock(QStringLiteral("/etc/sane.d/test.conf"));
        if (dll.open(QIODevice::WriteOnly) && conf.open(QIODevice::WriteOnly) && stock.open(QIODevice::ReadOnly)) {
            dll.write(withDevice ? "test\n" : "");
            conf.write(stock.readAll() + "\ngeometry_max 20.0\n" + settings + '\n');
        }
        qputenv("SANE_CONFIG_DIR", dir.path().toLocal8Bit());
        ShutDownScanning();
    }
    ~TSaneTestDevice() { ShutDownScanning(); }
};

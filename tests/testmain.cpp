// Shared test entry: a GUI application object on the offscreen platform (fonts
// and painting need one) and a fixed C locale so number formatting is stable.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QLocale>
#include <clocale>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(QLocale::c());
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

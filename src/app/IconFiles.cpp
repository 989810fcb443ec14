// Writes the program's icon as the PNG files of the hicolor theme, for installation:
//   veskor-icons DIR SIZE...   →   DIR/<SIZE>x<SIZE>/apps/veskor.png
#include "ui/AppIcon.h"

#include <QDir>
#include <QGuiApplication>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    // Drawn off screen: the build machine needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::cerr << "usage: veskor-icons DIR SIZE...\n";
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    for (int i = 2; i < argc; ++i) {
        const int size = std::stoi(argv[i]);
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        const QString file = root.filePath(folder + "/veskor.png");
        if (!root.mkpath(folder) || !veskor::appIconImage(size).save(file, "PNG")) {
            std::cerr << "veskor-icons: cannot write " << file.toStdString() << '\n';
            return 1;
        }
    }
    return 0;
}

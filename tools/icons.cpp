// Writes the program's icon for the desktop in every size it is installed in:
//   garagon_icons <folder>   gives <folder>/<size>x<size>/<name>.png
#include "identity.hpp"
#include "window_icon.hpp"

#include <QDir>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " folder\n";
        return 2;
    }
    for (const int size : {16, 32, 48, 256}) {
        const QString folder =
            QStringLiteral("%1/%2x%2").arg(QString::fromLocal8Bit(argv[1])).arg(size);
        const QString file = folder + QLatin1Char('/') + QString::fromUtf8(garagon::DesktopId) +
                             QStringLiteral(".png");
        if (!QDir().mkpath(folder) || !garagon::carDrawing(size).save(file)) {
            std::cerr << "cannot write " << file.toStdString() << "\n";
            return 1;
        }
    }
    return 0;
}

// Opens the demo savegame in the window and saves a picture of it:
//   garagon_screenshot <folder with Cardata.txt and Demo-Spielstand.sav> <picture.png>
#include "dialogs.hpp"
#include "identity.hpp"
#include "start.hpp"

#include <QApplication>
#include <QPushButton>
#include <iostream>

namespace {

class DemoDialoge : public garagon::Dialoge {
  public:
    explicit DemoDialoge(QString pfad) : pfad_(std::move(pfad)) {}
    QString waehleSpielstand(QWidget*) override { return pfad_; }
    void meldung(QWidget*, const QString& titel, const QString& text) override {
        std::cerr << titel.toStdString() << ": " << text.toStdString() << "\n";
    }

  private:
    QString pfad_;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: " << argv[0] << " folder picture.png\n";
        return 2;
    }
    QApplication app(argc, argv);
    garagon::applyProgramIdentity();
    const std::filesystem::path folder = argv[1];
    DemoDialoge dialoge(QString::fromStdString((folder / "Demo-Spielstand.sav").string()));
    const auto fenster = garagon::starteFenster(dialoge, folder);
    if (!fenster) {
        return 1;
    }
    fenster->show();
    fenster->findChild<QPushButton*>(QStringLiteral("cmdOpen"))->click();
    QApplication::processEvents();
    return fenster->grab().save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}

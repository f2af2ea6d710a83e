// Opens the demo savegame in the window and saves a picture of it:
//   garagon_screenshot <folder with Cardata.txt and Demo-Spielstand.sav> <picture.png>
#include "dialogs.hpp"
#include "identity.hpp"
#include "start.hpp"

#include <QApplication>
#include <QPushButton>
#include <iostream>

namespace {

class DemoDialogs : public garagon::Dialogs {
  public:
    explicit DemoDialogs(QString path) : path_(std::move(path)) {}
    QString chooseSavegame(QWidget*) override { return path_; }
    void showMessage(QWidget*, const QString& title, const QString& text) override {
        std::cerr << title.toStdString() << ": " << text.toStdString() << "\n";
    }
    std::optional<std::size_t> chooseBackup(QWidget*, const garagon::BackupChoice&) override {
        return std::nullopt;
    }
    std::optional<std::size_t> chooseCar(QWidget*, garagon::CarFinder&) override {
        return std::nullopt;
    }

  private:
    QString path_;
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
    DemoDialogs dialogs(QString::fromStdString((folder / "Demo-Spielstand.sav").string()));
    const auto window = garagon::startWindow(dialogs, garagon::loadCatalogueAhead(folder));
    if (!window) {
        return 1;
    }
    window->show();
    window->findChild<QPushButton*>(QStringLiteral("cmdOpen"))->click();
    QApplication::processEvents();
    return window->grab().save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}

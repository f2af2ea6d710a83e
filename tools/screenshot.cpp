// Opens the demo savegame in the window and saves a picture of it:
//   garagon_screenshot <folder with Cardata.txt and Demo-Spielstand.sav> <picture.png>
#include "frmVelox.hpp"
#include "identity.hpp"

#include <QApplication>
#include <QPushButton>
#include <iostream>

namespace {

// The window with the demo savegame as the file dialog's answer, its messages on the console.
class DemoWindow : public garagon::frmVelox {
  public:
    explicit DemoWindow(std::filesystem::path savegame) : savegame_(std::move(savegame)) {}
    std::optional<std::filesystem::path> chooseSavegame() override { return savegame_; }
    void showMessage(const std::string& title, const std::string& text) override {
        std::cerr << title << ": " << text << "\n";
    }

  private:
    std::filesystem::path savegame_;
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
    DemoWindow window(folder / "Demo-Spielstand.sav");
    if (!window.Form_Load(garagon::loadCatalogueAhead(folder).get())) {
        return 1;
    }
    window.show();
    window.findChild<QPushButton*>(QStringLiteral("cmdOpen"))->click();
    QApplication::processEvents();
    return window.grab().save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}

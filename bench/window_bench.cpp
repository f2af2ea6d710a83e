// The window on the offscreen platform: opening a savegame, a category click and the
// start, each until the list or the window is drawn.
#include "bench_data.hpp"
#include "car_finder.hpp"
#include "frmVelox.hpp"
#include "list_dialog.hpp"
#include "list_dialog_view.hpp"
#include "scripted_port.hpp"
#include "test_folder.hpp"
#include "window_mapping.hpp"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTreeView>
#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>

using namespace garagon;
using namespace garagon::bench;

namespace {

// Everything the event loop has pending is done and the window is drawn.
void drawn(QWidget& window) {
    QApplication::processEvents();
    window.repaint();
}

// A folder with a catalogue of 32,767 cars and the savegame of the largest list.
struct LargestListFolder {
    test::TestFolder folder;
    QString savegame = QString::fromStdString(folder.file("liste.sav"));

    LargestListFolder() {
        const LargestList list = largestList(1);
        test::writeFile(folder.file("Cardata.txt"), catalogueTextWithCodes(32767, list.codes));
        test::writeFile(savegame.toStdString(), list.data);
    }
};

std::unique_ptr<frmVelox> shownWindow(test::Script& dialogs, const std::filesystem::path& folder) {
    auto catalogue = loadCatalogueAhead(folder);
    auto window = std::make_unique<test::ScriptedPort<frmVelox>>(dialogs);
    window->Form_Load(catalogue.get());
    window->show();
    drawn(*window);
    return window;
}

int listRows(QWidget& window) {
    return window.findChild<QTreeView*>(QStringLiteral("lvCars"))->model()->rowCount();
}

void click(QWidget& window, const char* name) {
    window.findChild<QAbstractButton*>(QString::fromLatin1(name))->click();
}

void openSavegame(benchmark::State& state) {
    LargestListFolder data;
    test::Script dialogs;
    const auto window = shownWindow(dialogs, data.folder.path());
    for (auto _ : state) {
        dialogs.paths.push_back(data.savegame.toStdString());
        click(*window, "cmdOpen");
        drawn(*window);
    }
    state.counters["rows"] = listRows(*window);
}
BENCHMARK(openSavegame)->Unit(benchmark::kMillisecond);

void categoryClick(benchmark::State& state) {
    LargestListFolder data;
    test::Script dialogs;
    const auto window = shownWindow(dialogs, data.folder.path());
    dialogs.paths.push_back(data.savegame.toStdString());
    click(*window, "cmdOpen");
    for (auto _ : state) {
        click(*window, "optShop");
        drawn(*window);
    }
    state.counters["rows"] = listRows(*window);
}
BENCHMARK(categoryClick)->Unit(benchmark::kMillisecond);

// The resident memory of this process, in MB, as the system counts it.
double residentMegabytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmRSS:")) {
            return std::stod(line.substr(6)) / 1024;
        }
    }
    return 0;
}

// 32,767 names of one code and 5,299 records of it: 173 million rows, of which the list
// shows the first million.
void hostilePairOpen(benchmark::State& state) {
    const HostilePair pair = hostilePair(32767, 5299);
    test::TestFolder folder;
    test::writeFile(folder.file("Cardata.txt"), pair.catalogue);
    const QString savegame = QString::fromStdString(folder.file("feindlich.sav"));
    test::writeFile(savegame.toStdString(), pair.data);
    test::Script dialogs;
    const auto window = shownWindow(dialogs, folder.path());
    for (auto _ : state) {
        dialogs.paths.push_back(savegame.toStdString());
        click(*window, "cmdOpen");
        drawn(*window);
    }
    state.counters["rows"] = listRows(*window);
    state.counters["resident_mb"] = residentMegabytes();
}
BENCHMARK(hostilePairOpen)->Unit(benchmark::kMillisecond);

// One keystroke in "Wagen suchen" with 32,767 cars: the search, the new list and its
// line, until drawn. Each keystroke changes the query, one letter more or less.
void carSearchKeystroke(benchmark::State& state) {
    const auto cars = distinctCars(32767);
    CarFinder finder(cars);
    CarSearchDialog search(finder);
    ListDialogView dialog(search, nullptr);
    dialog.show();
    auto* query = dialog.findChild<QLineEdit*>(QStringLiteral("searchText"));
    query->setText(QStringLiteral("wagen")); // the first search folds the names
    drawn(dialog);
    const QString queries[] = {QStringLiteral("wagen 1"), QStringLiteral("wagen 12"),
                               QStringLiteral("wagen 123"), QStringLiteral("wagen 12")};
    std::size_t next = 0;
    for (auto _ : state) {
        query->setText(queries[next++ % std::size(queries)]);
        drawn(dialog);
    }
}
BENCHMARK(carSearchKeystroke)->Unit(benchmark::kMillisecond);

// The demo catalogue itself for 20 cars, else one made for the count.
void placeCatalogue(const test::TestFolder& folder, std::size_t count) {
    if (count == 20) {
        std::filesystem::copy_file(GARAGON_DEMO_CATALOGUE, folder.file("Cardata.txt"));
    } else {
        test::writeFile(folder.file("Cardata.txt"), catalogueText(count));
    }
}

// In this process: the window's own work, from its creation to it being drawn.
void windowCreatedToShown(benchmark::State& state) {
    test::TestFolder folder;
    placeCatalogue(folder, static_cast<std::size_t>(state.range(0)));
    test::Script dialogs;
    for (auto _ : state) {
        auto window = shownWindow(dialogs, folder.path());
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(windowCreatedToShown)->Arg(20)->Arg(32767)->Unit(benchmark::kMillisecond);

// As the player sees it: the program started on the X display until its window is
// mapped, with a copy of the program beside the catalogue.
void startToWindowShown(benchmark::State& state) {
    test::TestFolder folder;
    placeCatalogue(folder, static_cast<std::size_t>(state.range(0)));
    const std::string program = folder.file("garagon");
    std::filesystem::copy_file(GARAGON_PROGRAM, program);
    std::filesystem::permissions(program, std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    WindowMappingWatch display;
    for (auto _ : state) {
        const auto elapsed = display.startToWindowMapped({program});
        if (!elapsed) {
            state.SkipWithError("no X display: run under xvfb-run");
            return;
        }
        state.SetIterationTime(elapsed->count());
    }
}
BENCHMARK(startToWindowShown)
    ->Arg(20)
    ->Arg(32767)
    ->UseManualTime()
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

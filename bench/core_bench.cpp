// The catalogue parser and the search, with the scan per car as the reference.
#include "backup_choice.hpp"
#include "bench_data.hpp"
#include "per_car_search.hpp"
#include "replacement.hpp"
#include "test_folder.hpp"

#include <benchmark/benchmark.h>

using namespace garagon;
using namespace garagon::bench;

namespace {

void catalogueParsing(benchmark::State& state) {
    const std::string text = catalogueText(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(parseCatalogue(text));
    }
}
BENCHMARK(catalogueParsing)->Arg(20)->Arg(32767)->Unit(benchmark::kMicrosecond);

// Arguments: codes in the catalogue, records in the savegame (0: all zero bytes), category.
void search(benchmark::State& state) {
    const auto cars = distinctCars(static_cast<std::size_t>(state.range(0)));
    const auto records = static_cast<std::size_t>(state.range(1));
    const Bytes data = records == 0 ? Bytes(SavegameSize, 0) : savegameWithRecords(cars, records);
    const auto category = static_cast<Category>(state.range(2));
    const CodeIndex index(cars);
    for (auto _ : state) {
        benchmark::DoNotOptimize(findRecords(data, index, category));
    }
    // The reference, timed the same way in the same run.
    const int repeats = cars.size() > 1000 ? 1 : 20;
    const double perCar = meanMicroseconds(
        repeats, [&] { benchmark::DoNotOptimize(test::perCarSearch(data, cars, category)); });
    const double onePass = meanMicroseconds(
        100, [&] { benchmark::DoNotOptimize(findRecords(data, index, category)); });
    state.counters["rows"] = static_cast<double>(findRecords(data, index, category).size());
    state.counters["per_car_us"] = perCar;
    state.counters["one_pass_us"] = onePass;
    state.counters["ratio"] = perCar / onePass;
}
BENCHMARK(search)
    ->ArgsProduct({{20, 300, 32767}, {10, 4000}, {1, 2, 4}})
    ->ArgsProduct({{20, 300, 32767}, {0}, {1}})
    ->Unit(benchmark::kMicrosecond);

// A replacement followed by the new search and its rows, as "Ersetzen" does.
void replaceAndSearch(benchmark::State& state) {
    const auto cars = distinctCars(32767);
    Bytes data = savegameWithRecords(cars, 4000);
    const CodeIndex index(cars);
    const std::size_t position = findRecords(data, index, Category::Shop)[0].recordStart + 4;
    for (auto _ : state) {
        replaceCode(data, position, cars[state.iterations() % cars.size()].Kennung);
        benchmark::DoNotOptimize(resultRows(data, cars, findRecords(data, index, Category::Shop)));
    }
}
BENCHMARK(replaceAndSearch)->Unit(benchmark::kMicrosecond);

// The texts of the largest list a savegame can hold.
void largestListRows(benchmark::State& state) {
    const LargestList list = largestList(1);
    auto cars = distinctCars(32767);
    for (std::size_t i = 0; i < list.codes.size(); ++i) {
        cars[i].Kennung = list.codes[i];
    }
    const CodeIndex index(cars);
    const auto matches = findRecords(list.data, index, Category::Shop);
    for (auto _ : state) {
        benchmark::DoNotOptimize(resultRows(list.data, cars, matches));
    }
    state.counters["rows"] = static_cast<double>(matches.size());
}
BENCHMARK(largestListRows)->Unit(benchmark::kMicrosecond);

// The search over the hostile pair: 173 million rows, kept as 5,299 positions.
void hostilePairSearch(benchmark::State& state) {
    const HostilePair pair = hostilePair(32767, 5299);
    auto cars = parseCatalogue(pair.catalogue).cars;
    cars.erase(cars.begin());
    const CodeIndex index(cars);
    for (auto _ : state) {
        benchmark::DoNotOptimize(findRecords(pair.data, index, Category::Shop));
    }
    state.counters["rows"] =
        static_cast<double>(findRecords(pair.data, index, Category::Shop).size());
}
BENCHMARK(hostilePairSearch)->Unit(benchmark::kMicrosecond);

// A folder of 5,000 backups, as years of saving leave: listed, and the dialog opened with
// the rows of its first screen compared, which is all that opening the dialog does.
void backupsOfFiveThousand(benchmark::State& state) {
    const test::TestFolder folder;
    const auto cars = distinctCars(32767);
    const Bytes data = savegameWithRecords(cars, 4000);
    const auto savegame = folder.path() / "save.sav";
    test::writeFile(savegame, data);
    Bytes older = data;
    replaceCode(older, findRecords(data, CodeIndex(cars), Category::Shop)[0].recordStart + 4,
                cars[1].Kennung);
    test::writeFile(folder.path() / "save.sav.~1", older);
    for (int number = 2; number <= 5000; ++number) {
        std::filesystem::create_hard_link(folder.path() / "save.sav.~1",
                                          folder.path() / ("save.sav.~" + std::to_string(number)));
    }
    const CodeIndex index(cars);
    const bool open = state.range(0) == 1;
    for (auto _ : state) {
        if (!open) {
            benchmark::DoNotOptimize(findBackups(savegame));
            continue;
        }
        const BackupChoice choice(savegame, findBackups(savegame), false, index, cars);
        for (std::size_t row = 0; row < 20; ++row) {
            benchmark::DoNotOptimize(choice.cellText(row, 2));
        }
    }
}
BENCHMARK(backupsOfFiveThousand)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

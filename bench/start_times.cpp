// Starts programs in turn on the X display and writes, for each start, the milliseconds
// until its first window is mapped. The X server reports the mapping, so nothing polls
// and competes with the starting program for the machine.
// Usage: garagon_start_times RUNS OUTPUT_PREFIX COMMAND... (each command one argument,
// its words apart by spaces); OUTPUT_PREFIX.N.times gets the Nth command's times.
#include "window_mapping.hpp"

#include <chrono>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

std::vector<std::string> wordsOf(const std::string& command) {
    std::istringstream words(command);
    return {std::istream_iterator<std::string>(words), std::istream_iterator<std::string>()};
}

} // namespace

int main(int argc, char** argv) {
    using namespace std::chrono;
    if (argc < 4) {
        std::cerr << "usage: garagon_start_times RUNS OUTPUT_PREFIX COMMAND...\n";
        return 2;
    }
    const int runs = std::stoi(argv[1]);
    std::vector<std::vector<std::string>> commands;
    std::vector<std::ofstream> times;
    for (int n = 3; n < argc; ++n) {
        commands.push_back(wordsOf(argv[n]));
        times.emplace_back(std::string(argv[2]) + "." + std::to_string(n - 3) + ".times");
    }
    garagon::bench::WindowMappingWatch display;
    // The first start after a server starts is slower than all others: not counted. Then
    // the commands take turns, so that the machine's ups and downs meet all alike.
    for (int run = -1; run < runs; ++run) {
        for (std::size_t n = 0; n < commands.size(); ++n) {
            const auto elapsed = display.startToWindowMapped(commands[n]);
            if (!elapsed) {
                std::cerr << "no window from " << argv[n + 3] << "\n";
                return 1;
            }
            if (run >= 0) {
                times[n] << std::fixed << std::setprecision(1)
                         << duration<double, std::milli>(*elapsed).count() << "\n";
            }
            std::this_thread::sleep_for(milliseconds(500)); // the server cleans up after it
        }
    }
    return 0;
}

// Feeds every file under the given folders (or the given files) to a fuzz target's entry
// point, so that the normal build keeps every seed and every past finding passing without
// clang. A crash or sanitizer report fails the test; times are reported, never asserted,
// since the machine running the suite decides them.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);
// Defined only by targets with start-up work of their own, as libFuzzer allows.
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int *argc, char ***argv);

namespace fs = std::filesystem;

int main(int argc, char **argv)
{
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        std::error_code ec;
        const fs::path given(argv[i]);
        if (fs::is_regular_file(given, ec)) {
            inputs.push_back(given);
            continue;
        }
        if (!fs::is_directory(given, ec))
            continue; // no findings yet for this parser
        for (const auto &entry : fs::recursive_directory_iterator(given, ec))
            if (entry.is_regular_file() && entry.path().filename().string().front() != '.')
                inputs.push_back(entry.path());
    }
    std::sort(inputs.begin(), inputs.end());

    if (LLVMFuzzerInitialize != nullptr)
        LLVMFuzzerInitialize(&argc, &argv);
    using Clock = std::chrono::steady_clock;
    double slowest = 0;
    fs::path slowestInput;
    for (const fs::path &input : inputs) {
        std::ifstream in(input, std::ios::binary);
        const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
        if (!in.good() && !in.eof()) {
            std::fprintf(stderr, "cannot read %s\n", input.c_str());
            return 1;
        }
        const auto start = Clock::now();
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size());
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        if (seconds > slowest) {
            slowest = seconds;
            slowestInput = input;
        }
        // The fuzzers stop an input at one second; say so when a replay comes near.
        if (seconds >= 0.25)
            std::printf("slow: %s took %.3f s (fuzzing limit 1 s)\n", input.c_str(), seconds);
    }
    std::printf("replayed %zu inputs; slowest %s at %.3f s\n", inputs.size(),
                slowestInput.empty() ? "-" : slowestInput.filename().c_str(), slowest);
    return 0;
}

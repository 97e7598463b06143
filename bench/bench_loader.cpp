// The value file loader on a file of the size users keep (300 types) and on a
// generated 10 MB file, from memory and from disk. Targets: under 1 ms for
// 300 types, at least 100 MB/s.
#include "tables/BendValueLoader.h"
#include "tables/MemorySettingsStore.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// A value file with realistic rows: names with umlauts (as the encoding
// chooses), values with a point, ten types per table.
std::string MakeValueFile(size_t minimumBytes, size_t maximumTypes, bool ansi) {
    const std::string umlaut = ansi ? "\xE4" : "\xC3\xA4";
    std::string file = "Biegewerte Werkstatt\r\nUnit: mm\r\n";
    size_t types = 0;
    for (int table = 1; file.size() < minimumBytes && types < maximumTypes; ++table) {
        file += "Begin: Blechst" + umlaut + "rke " + std::to_string(table) + "; Werkstoff\r\n";
        for (int row = 0; row < 10 && file.size() < minimumBytes && types < maximumTypes; ++row) {
            const std::string t = std::to_string(1 + row) + "." + std::to_string(row * 5 % 10);
            file += "St" + umlaut + "hle " + t + " DIN;" + t + ";" + t + ";0.44;2.5;1.25\r\n";
            ++types;
        }
        file += "End:\r\n";
    }
    return file;
}

struct Fixture {
    psm::MemorySettingsStore settings;
    const std::string app = "ORNA\\psm";
    const std::string section = "general";
    psm::LoaderContext Context() { return psm::LoaderContext{settings, app, section, {}}; }
};

void LoadFromMemory(benchmark::State& state, const std::string& file, int expectedTypes) {
    Fixture fixture;
    const psm::LoaderContext context = fixture.Context();
    psm::TableModel model;
    for (auto _ : state) {
        psm::LoadBendValuesFromBytes(file, context, model);
        benchmark::DoNotOptimize(model.TypeList.data());
    }
    if (expectedTypes > 0 && model.TypeCount != expectedTypes) {
        state.SkipWithError("wrong number of types");
    }
    state.counters["types"] = model.TypeCount;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(file.size()));
}

void LoadFromDisk(benchmark::State& state, const std::string& file) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("psm-bench-" + std::to_string(file.size()) + ".txt");
    std::ofstream(path, std::ios::binary)
        .write(file.data(), static_cast<std::streamsize>(file.size()));
    Fixture fixture;
    const psm::LoaderContext context = fixture.Context();
    psm::TableModel model;
    for (auto _ : state) {
        if (!psm::LoadBendValues(path.string(), context, model).Read) {
            state.SkipWithError("value file not found");
            break;
        }
        benchmark::DoNotOptimize(model.TypeList.data());
    }
    state.counters["types"] = model.TypeCount;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(file.size()));
    std::filesystem::remove(path);
}

constexpr size_t TenMegabytes = 10 * 1000 * 1000;

void BM_Load300TypesUtf8(benchmark::State& state) {
    LoadFromMemory(state, MakeValueFile(SIZE_MAX, 300, false), 300);
}
void BM_Load300TypesAnsi(benchmark::State& state) {
    LoadFromMemory(state, MakeValueFile(SIZE_MAX, 300, true), 300);
}
void BM_Load300TypesFromDisk(benchmark::State& state) {
    LoadFromDisk(state, MakeValueFile(SIZE_MAX, 300, true));
}
void BM_Load10MBUtf8(benchmark::State& state) {
    LoadFromMemory(state, MakeValueFile(TenMegabytes, SIZE_MAX, false), 0);
}
void BM_Load10MBAnsi(benchmark::State& state) {
    LoadFromMemory(state, MakeValueFile(TenMegabytes, SIZE_MAX, true), 0);
}
void BM_Load10MBFromDisk(benchmark::State& state) {
    LoadFromDisk(state, MakeValueFile(TenMegabytes, SIZE_MAX, false));
}

BENCHMARK(BM_Load300TypesUtf8)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Load300TypesAnsi)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Load300TypesFromDisk)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Load10MBUtf8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load10MBAnsi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load10MBFromDisk)->Unit(benchmark::kMillisecond);

} // namespace

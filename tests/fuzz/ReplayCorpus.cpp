// Runs every file of a corpus folder through the fuzz entry point once, so the seeds and every
// input the fuzzer ever crashed on stay tested in ordinary builds.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "support/ReadFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_FOLDER\n", argv[0]);
        return 2;
    }
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(argv[1])) {
        if (!entry.is_regular_file()) continue;
        const std::string bytes = tinsori::testing_support::ReadFile(entry.path());
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        ++count;
    }
    if (count == 0) {
        std::fprintf(stderr, "no inputs in %s\n", argv[1]);
        return 1;
    }
    std::printf("%d passed, 0 failed\n", count);
    return 0;
}

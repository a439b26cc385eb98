// libFuzzer target on the model of copies sharing one settings file
// (tests/unit/shared_file_model.cpp): the fuzzer's bytes choose the copies,
// their steps and the faults of every file operation. A broken promise
// aborts with the steps that led to it.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/unit/shared_file_model.h"

namespace {

std::string folder;

void remove_folder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    for (const char* base : {"/dev/shm", "/tmp"}) {
        std::string pattern = std::string(base) + "/glimmets-fuzz-model-XXXXXX";
        if (mkdtemp(&pattern[0]) != nullptr) {
            folder = pattern;
            std::atexit(remove_folder);
            return 0;
        }
    }
    std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    ByteChoices choices(data + 1, size - 1);
    const std::string failure = run_shared_file_model(choices, folder, 2 + data[0] % 2, 200);
    if (!failure.empty()) {
        std::fprintf(stderr, "fuzz_shared_file: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}

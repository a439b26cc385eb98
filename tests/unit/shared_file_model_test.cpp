// Two and three copies of the game on one settings file, through thousands
// of seeded random interleavings with faults at every step (the model is in
// shared_file_model.cpp). A failure prints its seed and the steps to it; the
// fuzz target fuzz_shared_file runs the same model on a fuzzer's choices.
#include <gtest/gtest.h>

#include <string>

#include "tests/unit/shared_file_model.h"
#include "tests/unit/storage_test_support.h"

namespace {

// Under the sanitizers the model looks for faults of memory, not of order:
// a tenth of the interleavings is enough there.
#if defined(__SANITIZE_ADDRESS__)
constexpr std::uint64_t SEEDS = 100;
#else
constexpr std::uint64_t SEEDS = 1000;
#endif

void run_seed(const TempFolder& folder, std::uint64_t seed, int copies) {
    SeededChoices choices(seed);
    const int steps = copies == 2 ? 40 : 60;
    const std::string failure = run_shared_file_model(choices, folder.path(), copies, steps);
    ASSERT_EQ(failure, "") << "seed " << seed << ", " << copies << " copies";
}

// Seeds whose interleavings found a fault of an earlier design of the
// shared file, each its first for two and for three copies.
struct FoundFault {
    const char* fault;
    std::uint64_t two_copies, three_copies;
};
const FoundFault FOUND[] = {
    {"a kept file taken in twice", 497, 100229},
    {"one kept name for every copy", 8, 100002},
    {"a stale kept file brings back removed scores", 68, 100030},
    {"the settings of a kept file dropped", 27, 100022},
    {"a refused read taken as this copy's last view", 345, 100039},
    {"a lost update without the lock", 2, 100025},
    {"a stale table decides", 1, 100000},
};

TEST(SharedSettingsFile, SeedsThatFoundFaults) {
    TempFolder folder;
    for (const FoundFault& found : FOUND) {
        SCOPED_TRACE(found.fault);
        run_seed(folder, found.two_copies, 2);
        run_seed(folder, found.three_copies, 3);
    }
}

TEST(SharedSettingsFile, TwoCopies) {
    TempFolder folder;
    for (std::uint64_t seed = 1; seed <= SEEDS; ++seed) run_seed(folder, seed, 2);
}

TEST(SharedSettingsFile, ThreeCopies) {
    TempFolder folder;
    for (std::uint64_t seed = 100000; seed < 100000 + SEEDS; ++seed) run_seed(folder, seed, 3);
}

}  // namespace

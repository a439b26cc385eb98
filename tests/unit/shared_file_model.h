// Copies of the game sharing one settings file, driven through random
// interleavings of what players and the system do to them (scores entered
// and named, Reset scores, a change of settings or options, the exit, a
// restart) while the file operations are refused, fail after their work is
// done, or end the copy at any step. After every step the file is checked
// against what it must hold: a score a copy entered is in the file after
// that copy's next write, unless 24 better ones pushed it out; a score that
// left the file never comes back; no score is there twice; a copy's write
// leaves its settings and options in the file; whether a score enters is
// decided against the file of that moment; a starting copy takes the
// settings that the last copy to close without writing kept.
//
// Shared by the unit tests (seeded) and a fuzz target (a fuzzer's bytes).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Where the run's choices come from.
class Choices {
public:
    virtual ~Choices() = default;
    // A number from 0 to n - 1.
    virtual unsigned pick(unsigned n) = 0;
    // False once a fuzzer's bytes are used up: the run stops there.
    virtual bool more() const { return true; }
};

// A small fast generator for the seeded runs.
class SeededChoices : public Choices {
public:
    explicit SeededChoices(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ULL + 1) {}
    unsigned pick(unsigned n) override;

private:
    std::uint64_t state_;
};

// A fuzzer's bytes, one per choice.
class ByteChoices : public Choices {
public:
    ByteChoices(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    unsigned pick(unsigned n) override;
    bool more() const override { return at_ < size_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// Runs `steps` steps of `copies` copies (2 or 3) on a settings file in
// `folder` (emptied first). Returns "" when every check held, else what
// broke and the steps that led there.
std::string run_shared_file_model(Choices& choices, const std::string& folder, int copies, int steps);

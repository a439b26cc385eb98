// The program's formatter against the C library's: random formats made of
// the conversions the texts use, with random values, give the same bytes,
// also when the result is cut to a small buffer.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <random>
#include <string>

#include "storage/format_text.h"

namespace {

TEST(FormatText, SameAsTheCLibraryForTheTextsConversions) {
    std::mt19937 random(7);
    const int numbers[] = {0, 7, -7, 42, 59, 100, 576600, INT_MAX, INT_MIN, -1};
    const char* words[] = {"", "Ann", "Zo\xE9", "a name of twenty-four ch"};
    const char* int_forms[] = {"%d", "%02d", "%06d", "%9d"};
    const char* unsigned_forms[] = {"%u", "%010u"};
    const char* between[] = {"x'", "%%", "\n", " ", "%c"};
    for (int round = 0; round < 5000; ++round) {
        const int a = numbers[random() % 10], b = numbers[random() % 10];
        const unsigned u = static_cast<unsigned>(random());
        const char* s = words[random() % 4];
        // Two integers, an unsigned and a text, the order turned by `turn`;
        // a %c after the first, always given 'Q'.
        const std::string forms[4] = {int_forms[random() % 4], int_forms[random() % 4],
                                      unsigned_forms[random() % 2], "%s"};
        const unsigned turn = random() % 4;
        std::string format;
        for (unsigned i = 0; i < 4; ++i) format += forms[(i + turn) % 4] + (i == 0 ? "%c" : between[random() % 4]);
        char expected[64], got[64];
        const std::size_t size = 1 + random() % sizeof expected;
        const char* f = format.c_str();
        switch (turn) {
            case 0:
                std::snprintf(expected, size, f, a, 'Q', b, u, s);
                format_text(got, size, f, a, 'Q', b, u, s);
                break;
            case 1:
                std::snprintf(expected, size, f, b, 'Q', u, s, a);
                format_text(got, size, f, b, 'Q', u, s, a);
                break;
            case 2:
                std::snprintf(expected, size, f, u, 'Q', s, a, b);
                format_text(got, size, f, u, 'Q', s, a, b);
                break;
            default:
                std::snprintf(expected, size, f, s, 'Q', a, b, u);
                format_text(got, size, f, s, 'Q', a, b, u);
                break;
        }
        ASSERT_STREQ(got, expected) << format << " in " << size << " bytes";
    }
}

}  // namespace

// Board numbers as the player types them: plain decimal digits within the
// 32 bits of a deal's seed. Read here rather than by the system, whose
// readers take signs and stop quietly at the first letter.
#include "control/board_number.h"

bool parse_board_number(const char* text, std::uint32_t& number) {
    constexpr std::uint64_t LARGEST = 0xFFFFFFFFu;
    std::uint64_t value = 0;
    const char* p = text;
    for (; *p >= '0' && *p <= '9'; ++p) {
        if (p - text == BOARD_NUMBER_DIGITS) return false;
        value = value * 10 + static_cast<unsigned>(*p - '0');
        if (value > LARGEST) return false;
    }
    if (p == text || *p != '\0') return false;
    number = static_cast<std::uint32_t>(value);
    return true;
}

// A formatter for the program's texts: "%d'%02d", "%06d, %s", the keys of the
// settings file, the congratulations text.
#include "storage/format_text.h"

#include <cstdarg>
#include <cstring>

namespace {

class Output {
public:
    Output(char* out, std::size_t size) : out_(out), size_(size) {}
    void put(char c) {
        if (length_ + 1 < size_) out_[length_++] = c;
    }
    int finish() {
        if (size_ > 0) out_[length_] = '\0';
        return static_cast<int>(length_);
    }

private:
    char* out_;
    std::size_t size_;
    std::size_t length_ = 0;
};

// A number in decimal, at least `width` characters, padded with zeros or spaces.
void put_number(Output& out, unsigned long long magnitude, bool negative, int width, bool zeros) {
    char digits[24];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    int pad = width - count - (negative ? 1 : 0);
    if (!zeros)
        for (; pad > 0; --pad) out.put(' ');
    if (negative) out.put('-');
    for (; pad > 0; --pad) out.put('0');
    while (count > 0) out.put(digits[--count]);
}

}  // namespace

int format_text(char* out, std::size_t size, const char* format, ...) {
    Output output(out, size);
    va_list arguments;
    va_start(arguments, format);
    for (const char* p = format; *p != '\0'; ++p) {
        if (*p != '%') {
            output.put(*p);
            continue;
        }
        const char* start = p++;
        const bool zeros = *p == '0';
        int width = 0;
        for (; *p >= '0' && *p <= '9'; ++p) width = width * 10 + (*p - '0');
        switch (*p) {
            case 'd': {
                const long long value = va_arg(arguments, int);
                put_number(output, static_cast<unsigned long long>(value < 0 ? -value : value), value < 0, width, zeros);
                break;
            }
            case 'u': put_number(output, va_arg(arguments, unsigned), false, width, zeros); break;
            case 's':
                for (const char* s = va_arg(arguments, const char*); *s != '\0'; ++s) output.put(*s);
                break;
            case 'c': output.put(static_cast<char>(va_arg(arguments, int))); break;
            case '%': output.put('%'); break;
            default:  // not one of ours: as it stands
                for (; start <= p && *start != '\0'; ++start) output.put(*start);
                if (*p == '\0') --p;
                break;
        }
    }
    va_end(arguments);
    return output.finish();
}

#include "ui/NumberText.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace app {

namespace {

// The text without the spaces around it.
std::string Trimmed(const std::string& text) {
    const char* spaces = " \t\r\n\v\f";
    const size_t first = text.find_first_not_of(spaces);
    return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(spaces) - first + 1);
}

size_t DigitsFrom(const std::string& text, size_t i) {
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
        ++i;
    return i;
}

size_t SignAt(const std::string& text, size_t i) {
    return i < text.size() && (text[i] == '+' || text[i] == '-') ? i + 1 : i;
}

}  // namespace

bool NumberText::ReadWhole(const std::string& text, int32_t* value) {
    const std::string number = Trimmed(text);
    const size_t digits = SignAt(number, 0);
    if (digits == number.size() || DigitsFrom(number, digits) != number.size() || number.size() - digits > 11)
        return false;
    const long long whole = std::strtoll(number.c_str(), nullptr, 10);
    if (whole < INT32_MIN || whole > INT32_MAX)
        return false;
    *value = static_cast<int32_t>(whole);
    return true;
}

bool NumberText::ReadDecimal(const std::string& text, double* value) {
    const std::string number = Trimmed(text);
    const size_t first = SignAt(number, 0);
    size_t end = DigitsFrom(number, first);
    bool anyDigit = end > first;
    if (end < number.size() && number[end] == '.') {
        const size_t fraction = DigitsFrom(number, end + 1);
        anyDigit = anyDigit || fraction > end + 1;
        end = fraction;
    }
    if (anyDigit && end < number.size() && (number[end] == 'e' || number[end] == 'E')) {
        const size_t exponent = SignAt(number, end + 1);
        end = DigitsFrom(number, exponent) > exponent ? DigitsFrom(number, exponent) : number.size() + 1;
    }
    if (!anyDigit || end != number.size())
        return false;
    const double read = std::strtod(number.c_str(), nullptr);
    if (!std::isfinite(read))
        return false;
    *value = read;
    return true;
}

}  // namespace app

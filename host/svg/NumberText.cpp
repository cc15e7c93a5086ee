#include "host/svg/NumberText.h"

#include <charconv>
#include <system_error>

namespace tavrix::svg {
namespace {

// "1e+06" as "1e6", "1.5e-07" as "1.5e-7", and zero without a sign.
std::string Tidy(const char* begin, const char* end) {
  std::string text(begin, end);
  if (text == "-0") return "0";
  const size_t e = text.find('e');
  if (e == std::string::npos) return text;
  std::string exponent = text.substr(e + 1);
  const bool negative = !exponent.empty() && exponent[0] == '-';
  if (!exponent.empty() && (exponent[0] == '-' || exponent[0] == '+')) exponent.erase(0, 1);
  const size_t digits = exponent.find_first_not_of('0');
  exponent = digits == std::string::npos ? "0" : exponent.substr(digits);
  return text.substr(0, e + 1) + (negative ? "-" : "") + exponent;
}

}  // namespace

std::string ShortestText(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return Tidy(buffer, result.ptr);
}

std::string TextWithDigits(double value, int digits) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
  // The rounded number, written again in its shortest form: 150 at two digits is "150", not
  // "1.5e2" as the general format would have it.
  double rounded = 0;
  std::from_chars(buffer, result.ptr, rounded);
  return ShortestText(rounded);
}

}  // namespace tavrix::svg

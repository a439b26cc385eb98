/* The help generator's way of failing loudly without exceptions: every step
   that can meet bad input returns a Result, either a value or a message that
   says what was wrong and where, which main() prints before exiting non-zero. */
#ifndef GLIMMETS_HELPGEN_RESULT_H
#define GLIMMETS_HELPGEN_RESULT_H

#include <optional>
#include <string>
#include <utility>

namespace helpgen {

template <class T>
struct Result {
  std::optional<T> value;
  std::string error;

  static Result success(T v) { return Result{std::move(v), {}}; }
  static Result failure(std::string message) { return Result{std::nullopt, std::move(message)}; }
  bool ok() const { return value.has_value(); }
};

}  // namespace helpgen

#endif

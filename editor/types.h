// Screen points, the fixed-size arrays of both programs and their constants.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace korvane {

struct Point {
  std::int16_t x = 0;
  std::int16_t y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// Thrown when an index falls outside a fixed array: the construction that
// needed it is abandoned by its caller.
struct CapacityExceeded {};

// A fixed array whose every access is checked against its size.
template <typename T, int N>
class Fixed {
 public:
  static constexpr int kSize = N;
  T& operator[](int i) {
    check(i);
    return data_[static_cast<std::size_t>(i)];
  }
  const T& operator[](int i) const {
    check(i);
    return data_[static_cast<std::size_t>(i)];
  }
  static constexpr bool holds(int i) { return i >= 0 && i < N; }

 private:
  static void check(int i) {
    if (!holds(i)) throw CapacityExceeded{};
  }
  std::array<T, N> data_{};
};

constexpr int kCapacity = 1000;
using PointArray = Fixed<Point, kCapacity>;
using IntArray = Fixed<int, kCapacity>;
using TagArray = Fixed<char, kCapacity>;
using SlopeArray = Fixed<double, kCapacity>;
using StrokeArray = Fixed<Point, 300>;

// The point of a chain with last index `last` at index i, if there is one.
inline std::optional<Point> PointAt(const PointArray& a, int last, int i) {
  if (i < 0 || i > last) return std::nullopt;
  return a[i];
}

// True only when both points exist and are equal.
inline bool Same(const std::optional<Point>& a, const std::optional<Point>& b) { return a && b && *a == *b; }
// True only when both points exist and differ.
inline bool Differ(const std::optional<Point>& a, const std::optional<Point>& b) { return a && b && !(*a == *b); }

constexpr int CrossArm = 8;
constexpr int Xgrid = 12;
constexpr int Ygrid = 12;
constexpr int Wiper = 2;
constexpr int WiperDelay = 6;
constexpr int Xconst = 123456789;
constexpr char Enter = '\r';

// Message line position.
constexpr int xtext = 12;
constexpr int ytext = 12;

}  // namespace korvane

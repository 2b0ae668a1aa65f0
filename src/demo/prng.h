#pragma once
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

// The demo week's own random numbers: splitmix64, so that a seed gives the same week on every
// compiler and library (std:: distributions differ between library versions).
namespace radadovur::demo {

inline uint64_t Mix64(uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

// A stream keyed by the seed and a few numbers, so that one thing (a past race, a horse) is the
// same whatever was generated before it.
inline uint64_t KeyOf(uint64_t seed, std::initializer_list<uint64_t> parts) {
  uint64_t h = Mix64(seed ^ 0x5241444144u);
  for (uint64_t p : parts) h = Mix64(h ^ p);
  return h;
}

class Rng {
 public:
  explicit Rng(uint64_t state) : state_(state) {}
  uint64_t Next() {
    state_ += 0x9E3779B97F4A7C15ull;
    uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // 0 .. n-1 (n > 0).
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }
  // lo .. hi inclusive.
  int Range(int lo, int hi) { return lo + Below(hi - lo + 1); }
  // [0, 1) with 53 bits.
  double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
  bool Percent(int p) { return Below(100) < p; }
  // An index drawn with the given (non-negative, not all zero) weights.
  int Weighted(std::initializer_list<int> weights) {
    int total = 0;
    for (int w : weights) total += w;
    int r = Below(total), i = 0;
    for (int w : weights) {
      if (r < w) return i;
      r -= w;
      ++i;
    }
    return i - 1;
  }
  template <typename T>
  const T& Pick(const std::vector<T>& items) { return items[static_cast<size_t>(Below(static_cast<int>(items.size())))]; }
  template <typename T>
  void Shuffle(std::vector<T>& items) {
    for (size_t i = items.size(); i > 1; --i) std::swap(items[i - 1], items[static_cast<size_t>(Below(static_cast<int>(i)))]);
  }

 private:
  uint64_t state_;
};

}  // namespace radadovur::demo

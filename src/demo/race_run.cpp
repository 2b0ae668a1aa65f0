#include "demo/race_run.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace radadovur::demo {
namespace {

// Margin code of a gap in tenths of a second to the horse in front.
std::string MarginCode(int gap, Rng& rng) {
  if (gap <= 0) return std::array<const char*, 3>{"H  ", "A  ", "K  "}[static_cast<size_t>(rng.Below(3))];
  if (gap == 1) return rng.Percent(50) ? " 12" : " 34";
  if (gap == 2) return rng.Percent(50) ? "1  " : "114";
  if (gap == 3) return rng.Percent(50) ? "112" : "134";
  if (gap == 4) return "2  ";
  if (gap == 5) return "212";
  if (gap == 6) return "3  ";
  if (gap <= 8) return rng.Percent(50) ? "312" : "4  ";
  if (gap <= 10) return "5  ";
  if (gap <= 13) return rng.Percent(50) ? "6  " : "7  ";
  if (gap <= 17) return std::array<const char*, 3>{"8  ", "9  ", "10 "}[static_cast<size_t>(rng.Below(3))];
  return "Z  ";
}

int GapTenths(Rng& rng, bool jump) {
  const int r = rng.Below(100);
  int gap = r < 28 ? 0 : r < 62 ? rng.Range(1, 2) : r < 84 ? rng.Range(3, 5) : r < 96 ? rng.Range(6, 10) : rng.Range(11, 25);
  if (jump) gap = gap * 2 + rng.Below(3);
  return gap;
}

// Winner's speed in km/h.
double WinnerSpeed(const Race& race, Rng& rng) {
  const RaceSpec& s = race.spec;
  const double d = s.distance;
  double v;
  if (s.surface == Surface::Turf) {
    v = 62.6 - 2.4 * (d - 1200) / 1000;
    v -= std::array<double, 5>{0, 0, 0.6, 1.3, 2.0}[static_cast<size_t>(race.turf_going - '0')];
  } else if (s.surface == Surface::Dirt) {
    v = std::max(55.0, 60.4 - 3.0 * (d - 1200) / 1000);
    v += std::array<double, 5>{0, 0, 0.4, 0.7, 0.9}[static_cast<size_t>(race.dirt_going - '0')];
  } else {
    v = 55.0 - 1.5 * (d - 3000) / 1000;
    v -= std::array<double, 5>{0, 0, 0.4, 0.8, 1.2}[static_cast<size_t>(race.turf_going - '0')];
  }
  v += 0.2 * std::min(s.level, 7);
  if (s.ages == Ages::Two) v -= 0.8;
  v += (rng.Unit() - 0.5) * 1.2;
  return v;
}

void MakeLaps(Race& race, Rng& rng, int total) {
  const int d = race.spec.distance;
  race.laps.clear();
  if (race.spec.surface == Surface::Hurdle) {
    const int mile = static_cast<int>(std::lround(total * 1609.0 / d));
    race.hurdle_mile = mile;
    return;
  }
  const bool piece = d % 200 == 100;
  const int n = d / 200 + (piece ? 1 : 0);
  std::vector<double> shape(static_cast<size_t>(n));
  // Turf races quicken over the last three furlongs; dirt races slow down at the end.
  const bool turf = race.spec.surface == Surface::Turf;
  const std::array<double, 3> finish = turf ? std::array<double, 3>{0.95, 0.94, 0.97} : std::array<double, 3>{1.0, 1.01, 1.04};
  for (int i = 0; i < n; ++i) {
    double w = (turf ? 1.04 : 0.99) + (rng.Unit() - 0.5) * 0.05;
    if (i == 0) w = piece ? 0.55 : 1.05;
    if (i == 1) w = 0.93;
    if (i >= n - 3 && i >= 2) w = finish[static_cast<size_t>(i - (n - 3))] + (rng.Unit() - 0.5) * 0.03;
    shape[static_cast<size_t>(i)] = w;
  }
  const double sum = std::accumulate(shape.begin(), shape.end(), 0.0);
  int used = 0;
  for (int i = 0; i < n; ++i) {
    const int lap = static_cast<int>(std::lround(total * shape[static_cast<size_t>(i)] / sum));
    race.laps.push_back(lap);
    used += lap;
  }
  race.laps[static_cast<size_t>(n / 2)] += total - used;
  auto sum_of = [&](int from, int count) {
    int s = 0;
    for (int i = from; i < from + count && i < n; ++i) s += race.laps[static_cast<size_t>(std::max(i, 0))];
    return s;
  };
  race.first3f = sum_of(0, 3);
  race.first4f = sum_of(0, 4);
  race.last3f = sum_of(n - 3, 3);
  race.last4f = sum_of(n - 4, 4);
}

// Corners passed: none on a straight course, the last two in a sprint, else all four.
std::vector<int> CornersOf(const RaceSpec& s) {
  if (s.track == "10") return {};
  if (s.surface != Surface::Hurdle && s.distance <= 1400) return {3, 4};
  return {1, 2, 3, 4};
}

std::string PassingText(const std::vector<int>& umabans, Rng& rng) {
  std::string text;
  for (size_t i = 0; i < umabans.size(); ++i) {
    if (i > 0) text += rng.Percent(35) ? "-" : ",";
    text += std::to_string(umabans[i]);
  }
  return text.substr(0, 70);
}

}  // namespace

int WakubanOf(int umaban, int n) {
  if (n <= 8) return umaban;
  // Brackets 1..k hold one horse, the rest two (three in brackets 8, or 7 and 8, of 17 and 18).
  std::array<int, 9> size{};
  for (int b = 1; b <= 8; ++b) size[static_cast<size_t>(b)] = 1;
  int extra = n - 8;
  for (int b = 8; extra > 0; b = b == 1 ? 8 : b - 1, --extra) ++size[static_cast<size_t>(b)];
  int first = 1;
  for (int b = 1; b <= 8; ++b) {
    if (umaban < first + size[static_cast<size_t>(b)]) return b;
    first += size[static_cast<size_t>(b)];
  }
  return 8;
}

void DrawField(Race& race, Rng& rng, int n) {
  race.runners.assign(static_cast<size_t>(n), Runner{});
  for (int u = 1; u <= n; ++u) {
    Runner& r = race.runners[static_cast<size_t>(u - 1)];
    r.umaban = u;
    r.wakuban = WakubanOf(u, n);
    r.truth = std::exp((rng.Unit() - 0.5) * 3.0);
    r.style = rng.Unit();
  }
}

void PriceRace(Race& race, Rng& rng) {
  double total = 0;
  for (auto& r : race.runners) {
    r.market = r.scratched ? 0 : r.truth * std::exp((rng.Unit() - 0.5) * 0.5);
    total += r.market;
  }
  for (auto& r : race.runners) {
    r.market /= total;
    r.odds = r.scratched ? 0 : std::clamp(static_cast<int>(8.0 / r.market), 10, 9999);
  }
  std::vector<int> ranked;
  for (auto& r : race.runners)
    if (!r.scratched) ranked.push_back(r.umaban);
  std::stable_sort(ranked.begin(), ranked.end(), [&](int a, int b) {
    return race.runners[static_cast<size_t>(a - 1)].market > race.runners[static_cast<size_t>(b - 1)].market;
  });
  for (size_t i = 0; i < ranked.size(); ++i) race.runners[static_cast<size_t>(ranked[i] - 1)].popularity = static_cast<int>(i) + 1;
}

void DrawGoing(Race& race, Rng& rng) {
  const int w = rng.Weighted({50, 30, 10, 10});
  race.weather = static_cast<char>('1' + w);
  const bool wet = w >= 2;
  auto going = [&](int dry_good) {
    if (wet) return static_cast<char>('2' + rng.Below(3));
    return rng.Percent(dry_good) ? '1' : '2';
  };
  race.turf_going = going(85);
  race.dirt_going = going(70);
}

void RunRace(Race& race, Rng& rng, bool may_fail) {
  const RaceSpec& s = race.spec;
  const bool jump = s.surface == Surface::Hurdle;
  if (race.weather == '0') DrawGoing(race, rng);
  // Placings: draw the winner by weight among those left, then the next, and so on.
  std::vector<int> left;
  for (const auto& r : race.runners)
    if (!r.scratched) left.push_back(r.umaban);
  race.order.clear();
  while (!left.empty()) {
    double total = 0;
    for (int u : left) total += race.runners[static_cast<size_t>(u - 1)].truth;
    double x = rng.Unit() * total;
    size_t pick = left.size() - 1;
    for (size_t i = 0; i < left.size(); ++i) {
      x -= race.runners[static_cast<size_t>(left[i] - 1)].truth;
      if (x < 0) {
        pick = i;
        break;
      }
    }
    race.order.push_back(left[pick]);
    left.erase(left.begin() + static_cast<std::ptrdiff_t>(pick));
  }
  if (may_fail && race.order.size() > 5 && rng.Percent(4)) {
    Runner& out = race.runners[static_cast<size_t>(race.order.back() - 1)];
    out.abnormal = true;
    race.order.pop_back();
  }

  const int total = static_cast<int>(std::lround(s.distance / WinnerSpeed(race, rng) * 36.0));
  MakeLaps(race, rng, total);
  const int race_last3f = jump ? 0 : race.last3f;
  const int n = static_cast<int>(race.order.size());
  int time = total;
  int previous_gap = 0;
  for (int place = 1; place <= n; ++place) {
    Runner& r = race.runners[static_cast<size_t>(race.order[static_cast<size_t>(place - 1)] - 1)];
    const int gap = place == 1 ? 0 : GapTenths(rng, jump);
    time += gap;
    r.finish = place;
    r.time = time;
    r.margin = place == 1 ? "   " : MarginCode(gap, rng);
    r.time_diff = time - total;
    if (place == 2) previous_gap = gap;
    if (jump) {
      r.last3f = static_cast<int>(std::lround(time * 200.0 / s.distance));
      r.last4f = 0;
    } else {
      const int own = race_last3f + (time - total) * 35 / 100 + static_cast<int>((0.5 - r.style) * -8.0) + rng.Range(-4, 6);
      r.last3f = std::clamp(own, race_last3f - 12, race_last3f + 40);
      r.last4f = r.last3f + (race.last4f - race.last3f) + rng.Range(-3, 3);
    }
  }
  if (n > 0) race.runners[static_cast<size_t>(race.order[0] - 1)].time_diff = -previous_gap;

  // Corner positions: early on by running style, later more and more by the final placing.
  const std::vector<int> corners = CornersOf(s);
  race.passing = {};
  race.passing_corner = {};
  std::vector<int> running;
  for (const auto& r : race.runners)
    if (!r.scratched) running.push_back(r.umaban);
  for (size_t c = 0; c < corners.size(); ++c) {
    const double w = static_cast<double>(c + 1) / static_cast<double>(corners.size() + 1);
    std::vector<std::pair<double, int>> score;
    for (int u : running) {
      const Runner& r = race.runners[static_cast<size_t>(u - 1)];
      const double fin = r.finish > 0 ? static_cast<double>(r.finish - 1) / std::max(1, n - 1) : 1.0;
      score.push_back({r.style * (1 - w) + fin * w + (rng.Unit() - 0.5) * 0.2, u});
    }
    std::sort(score.begin(), score.end());
    std::vector<int> in_order;
    for (size_t i = 0; i < score.size(); ++i) {
      race.runners[static_cast<size_t>(score[i].second - 1)].corners[static_cast<size_t>(corners[c] - 1)] = static_cast<int>(i) + 1;
      in_order.push_back(score[i].second);
    }
    race.passing[c] = PassingText(in_order, rng);
    race.passing_corner[c] = corners[c];
  }
  for (int u : running) {
    Runner& r = race.runners[static_cast<size_t>(u - 1)];
    const int first = corners.empty() ? r.finish : r.corners[static_cast<size_t>(corners[0] - 1)];
    const double f = static_cast<double>(std::max(first, 1)) / std::max<size_t>(running.size(), 1);
    r.style_code = f <= 0.1 ? 1 : f <= 0.4 ? 2 : f <= 0.75 ? 3 : 4;
  }
  race.run = true;
}

bool MakeDeadHeat(Race& race, int place) {
  if (!race.run || place < 1 || static_cast<size_t>(place) + 1 > race.order.size()) return false;
  auto runner = [&](size_t i) -> Runner& { return race.runners[static_cast<size_t>(race.order[i] - 1)]; };
  Runner& ahead = runner(static_cast<size_t>(place - 1));
  Runner& tied = runner(static_cast<size_t>(place));
  const int gap = tied.time - ahead.time;
  tied.finish = ahead.finish;
  tied.time = ahead.time;
  tied.margin = "D  ";
  tied.last3f = ahead.last3f;
  tied.last4f = ahead.last4f;
  if (place == 1) {
    // Neither winner is ahead of the other.
    ahead.time_diff = 0;
    tied.time_diff = 0;
  } else {
    tied.time_diff = ahead.time_diff;
  }
  for (size_t i = static_cast<size_t>(place) + 1; i < race.order.size(); ++i) {
    Runner& r = runner(i);
    r.time -= gap;
    r.time_diff -= gap;
  }
  return true;
}

}  // namespace radadovur::demo

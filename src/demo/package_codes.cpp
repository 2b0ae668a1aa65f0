#include "demo/package_codes.h"

#include <string_view>

namespace radadovur::demo {
namespace {

using engine::ModelSurface;

std::string Two(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }
std::string Three(int n) { return std::string(n < 100 ? "0" : "") + Two(n); }

void Range(std::vector<std::string>& out, int from, int to, int step = 1) {
  for (int n = from; n <= to; n += step) out.push_back(std::to_string(n));
}

// Item 2: venue letter, weekday, horse or bracket number and track, by the track's layout.
std::vector<std::string> KijunSpeedCodes(ModelSurface surface) {
  std::vector<std::string> codes;
  static constexpr std::string_view kVenues = "123456789A";
  for (char v : kVenues)
    for (char w : {'1', '2'}) {
      const std::string vw = {v, w};
      if (surface == ModelSurface::kTurf) {
        for (const char* track : {"11", "12", "17", "18"})
          for (int waku = 1; waku <= 8; ++waku) codes.push_back(vw + std::to_string(waku) + track);
        if (v == '4')
          for (int umaban = 1; umaban <= 18; ++umaban) codes.push_back(vw + Two(umaban) + "10");
      } else if (surface == ModelSurface::kDirt) {
        for (int waku = 1; waku <= 8; ++waku) codes.push_back(vw + std::to_string(waku));
      } else {
        for (int track = 51; track <= 59; ++track) codes.push_back(std::string(1, v) + std::to_string(track) + w);
      }
    }
  return codes;
}

// Item 3: grade, surface of the earlier run and distance change; first runs by their condition.
std::vector<std::string> EarlierRunCodes() {
  std::vector<std::string> codes;
  for (char g : std::string_view(" ABCDEFGHL"))
    for (char s : std::string_view("123AB"))
      for (char f : std::string_view("12D")) codes.push_back(std::string{g, s, f});
  for (const char* condition : {"000", "701", "703", "005", "010", "016", "999"}) codes.push_back(std::string(condition) + "01");
  return codes;
}

// Item 12: sex digit and age in months (groups of three months above 42).
std::vector<std::string> AgeCodes(ModelSurface surface) {
  std::vector<std::string> codes;
  const int youngest = surface == ModelSurface::kHurdle ? 40 : 27;
  for (char sex : {'1', '2', '3'})
    for (int m = youngest; m <= 59; ++m) {
      if (sex == '3' && m >= 27 && m <= 33) continue;  // geldings that young are grouped as 334
      codes.push_back(sex + Two(m));
    }
  return codes;
}

// Item 14: same racecourse or not, and the interval in weeks with the long-rest marks.
std::vector<std::string> IntervalCodes() {
  std::vector<std::string> codes;
  for (char v : {'1', '2'}) {
    for (int e = 1; e <= 39; ++e) codes.push_back(v + std::to_string(1000 + 10 * e));
    for (int e : {52, 78}) codes.push_back(v + std::to_string(1000 + 10 * e));
  }
  return codes;
}

std::vector<std::string> RaceNumberCodes(ModelSurface surface) {
  std::vector<std::string> codes;
  if (surface != ModelSurface::kHurdle)
    for (int n = 1; n <= 12; ++n)
      for (char g : std::string_view(" ABCLE")) codes.push_back(Two(n) + g);
  if (surface != ModelSurface::kTurf)
    for (char g : std::string_view(" EFGH")) codes.push_back(std::string(1, g));
  return codes;
}

std::vector<std::string> DistanceCodes(ModelSurface surface) {
  std::vector<std::string> codes;
  if (surface == ModelSurface::kTurf) Range(codes, 1000, 3600, 100);
  else if (surface == ModelSurface::kDirt) Range(codes, 1000, 2500, 50);
  else codes = {"2800", "2900", "3500", "4000"};
  return codes;
}

std::vector<std::string> MarginCodes() {
  std::vector<std::string> codes = {"0099", "0001", "0002", "0003", "0004", "0005", "0006", "0007"};
  for (int n = 8; n <= 57; ++n) codes.push_back("00" + Two(n));
  for (const char* margin : {"H  ", "A  ", "K  ", " 12", " 34", "1  "}) codes.push_back(std::string("+") + margin);
  return codes;
}

}  // namespace

ItemCodeLists DemoItemCodes(ModelSurface surface) {
  ItemCodeLists c;
  const bool hurdle = surface == ModelSurface::kHurdle;
  Range(c[1], 2011, 2024);
  c[2] = KijunSpeedCodes(surface);
  c[3] = EarlierRunCodes();
  Range(c[4], hurdle ? 580 : 440, hurdle ? 640 : 620, 10);
  c[5] = {"00"};
  Range(c[5], 1, 66);
  c[6] = {"00", "02", "A0", "A1", "A2", "A3", "B0", "C0", "E0", "N0", "N1", "N2"};
  Range(c[7], 10, 19);
  Range(c[8], 0, 25);
  for (int n = 1; n <= 60; ++n) c[9].push_back(Three(n));
  for (int base : {0, 200})
    for (int e = 96; e <= 114; e += 2) c[10].push_back(Three(base + e));
  c[11] = {"50"};
  Range(c[11], 52, 70);
  c[12] = AgeCodes(surface);
  c[13] = {"00"};
  Range(c[13], 30, 75);
  c[14] = IntervalCodes();
  Range(c[15], 10, 39);
  for (int going = 1; going <= 4; ++going)
    for (int figure = 0; figure <= 15; ++figure) c[16].push_back(std::to_string(going) + std::to_string(figure));
  Range(c[17], 0, 15);
  for (const char* band : {"20", "23", "28", "33", "38", "43"})
    for (char apprentice : {'0', '1', '2', '3'}) c[18].push_back(std::string("0") + band + apprentice);
  Range(c[19], 10, 19);
  c[19].push_back("110");
  c[20] = {"0"};
  Range(c[20], 25, 46);
  c[21] = RaceNumberCodes(surface);
  c[22] = DistanceCodes(surface);
  c[23] = {"10"};
  Range(c[23], 11, 19);
  Range(c[23], 21, 29);
  Range(c[23], 31, 39);
  if (hurdle) {
    for (int n = 1; n <= 14; ++n) c[24].push_back(Two(n));
  } else {
    for (int n = 1; n <= 18; ++n) c[24].push_back(Two(n) + "1");
  }
  c[25] = {"03", "04", "07"};
  for (int month = 1; month <= 12; ++month) c[25].push_back(Two(month) + "1");
  c[26] = MarginCodes();
  for (int kaiji = 1; kaiji <= 5; ++kaiji)
    for (int nichiji = 1; nichiji <= 12; ++nichiji) c[27].push_back(Two(kaiji) + Two(nichiji));
  for (int n = 8; n <= (hurdle ? 14 : 18); ++n) c[28].push_back(Two(n));
  Range(c[29], 0, 15);
  // Earnings figures as two digits, and the run number where the horse has none.
  Range(c[30], 1, 19);
  for (int n = 1; n <= 9; ++n) c[30].push_back(Two(n));
  Range(c[30], 20, 60);
  return c;
}

}  // namespace radadovur::demo

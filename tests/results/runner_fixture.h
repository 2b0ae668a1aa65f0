#pragma once
#include <string>
#include <vector>

#include "common/cp932.h"
#include "engine/ex_record.h"
#include "results/runner_record.h"

// Hand-made runner records of the per-race runner files.
namespace radadovur::testing {

struct RunnerSpec {
  std::string umaban = "01";  // empty: a record without an entry (zero bytes)
  std::string waku = "1";
  std::string name = "HORSE";  // UTF-8
  std::string kishu = "ABCDEFGH", trainer = "TRAINER";  // UTF-8
  std::string sex = "1", age = "03", futan = "560";
  std::string track = "17", kyori = "1600";
  std::string run_time = "1345", last3f = "345";
  std::string arrival = "03", final_order = "03", popularity = "02";
  std::vector<std::string> counts = {"0000073", "0000073", "0000073", "0000073", "0000073"};
  float speed = 60, observed = 59, last_furlongs = 60;
};

inline std::string RunnerRec(const RunnerSpec& s) {
  namespace rr = results::rr;
  std::string r = rr::EmptyRecord();
  if (s.umaban.empty()) return r;
  const auto text = [&](const jvdata::Field& f, const std::string& utf8) {
    std::string bytes = common::ToCp932(utf8);
    bytes.resize(f.width, ' ');
    rr::Put(r, f, bytes, 0);
  };
  text(rr::Umaban, s.umaban);
  text(rr::Wakuban, s.waku);
  text(rr::HorseName, s.name);
  text(rr::KishuName, s.kishu);
  text(rr::TrainerName, s.trainer);
  text(rr::SexCode, s.sex);
  if (!s.age.empty()) text(rr::RunnerAge, s.age);
  text(rr::Futanjuryou, s.futan);
  text(rr::TrackCode, s.track);
  text(rr::Kyori, s.kyori);
  text(rr::RunTime, s.run_time);
  text(rr::Last3F, s.last3f);
  text(rr::ArrivalOrder, s.arrival);
  text(rr::FinalOrder, s.final_order);
  text(rr::WinPopularity, s.popularity);
  for (uint32_t k = 0; k < 5; ++k) rr::Put(r, rr::RunnerSampleCounts, s.counts[k], k);
  const auto real = [&](uint32_t k, float v) {
    char bytes[4];
    engine::PutReal(bytes, v);
    rr::Put(r, rr::RunSpeedResults, std::string_view(bytes, 4), k, 0);
  };
  real(2, s.observed);
  real(3, s.last_furlongs);
  real(6, s.speed);
  rr::Put(r, rr::LineEnd, "\r\n");
  return r;
}

}  // namespace radadovur::testing

// libFuzzer target: the readers of past meeting days over arbitrary bytes: the item stream of the
// documents and tables (and a tagged line's text items read back through it), the line check of
// a tagged line and of a whole result document, the speed export's and the hit list's reading of
// a result document, the meeting-day detail view, the past runs of a horse and the code table.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/names.h"
#include "common/tagged_line.h"
#include "history/day_detail.h"
#include "history/hit_list.h"
#include "history/items.h"
#include "history/past_results.h"
#include "history/past_runs.h"
#include "history/result_document.h"
#include "results/code_table.h"
#include "fuzz_folder.h"

using namespace radadovur;

namespace {

constexpr std::string_view kKey = "20240922060407";

void Documents(const std::string& bytes) {
  history::ItemStream items(bytes);
  std::string_view item;
  size_t count = 0;
  while (items.Next(item))
    if (++count > bytes.size() + 1) __builtin_trap();  // every item but an empty last one takes a byte
  // A text item of a tagged line is one item whatever bytes it holds.
  common::TaggedLine line("XX");
  line.Text(bytes).Nothing().Text(bytes);
  history::ItemStream tagged(line.Str());
  size_t tagged_items = 0;
  while (tagged.Next(item)) ++tagged_items;
  if (tagged_items != 4) __builtin_trap();
  // The line check splits what TaggedLine wrote into the items it was given.
  std::vector<std::string_view> split;
  const std::string written = line.Str();
  if (!common::SplitTaggedLine(std::string_view(written).substr(0, written.size() - 2), split).ok() ||
      split.size() != 4 || split[1] != common::FullWidthSeparators(bytes) || !split[2].empty())
    __builtin_trap();
  (void)common::SplitTaggedLine(bytes, split);
  if (history::CheckResultDocument("lupRCM.txt", bytes).ok() && !bytes.empty() && !bytes.ends_with("\r\n"))
    __builtin_trap();  // a whole document ends with a line end

  history::ItemStream speed(bytes);
  for (const history::SpeedRace& race : history::ReadSpeedRaces(speed, kKey)) (void)history::SpeedLine(race);
  history::ItemStream hits(bytes);
  history::HitList list;
  std::string file;
  history::ReadHitDay(hits, {"2024", "09", "22", "a", "04", "07"}, file, list);
  if (list.rows.size() > static_cast<size_t>(history::kHitListRows)) __builtin_trap();
}

void Files(FuzzedDataProvider& in) {
  const std::string& folder = fuzz::EmptyFuzzFolder();
  for (const char* name : {"tekichu.txt", "kaiteki.txt", "tekichuPC.txt", "kaitekiPC.txt", "lupRCM.txt"})
    fuzz::PutFile("TEKICHU/" + std::string(kKey) + name, in.ConsumeRandomLengthString());
  fuzz::PutFile(common::names::kCodeTableFile, in.ConsumeRandomLengthString());
  const std::string list_item = in.ConsumeRandomLengthString(64) + std::string(kKey);
  (void)history::LoadDayDetail(folder, list_item);

  results::CodeTable table;
  (void)results::LoadCodeTable(folder, table);
  (void)results::LookupCodeTable(table, in.ConsumeRandomLengthString(6), in.ConsumeRandomLengthString(4),
                                 in.ConsumeIntegralInRange<int>(-1, 8));

  const std::string cell = in.ConsumeRandomLengthString(24) + "2020101234EX.dat";
  fuzz::PutFile(std::string(common::names::kUmagotoExFolder) + "/2020101234EX.dat", in.ConsumeRemainingBytesAsString());
  (void)history::LoadPastRuns(folder, cell);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  if (in.ConsumeBool()) {
    Documents(in.ConsumeRemainingBytesAsString());
  } else {
    Files(in);
  }
  return 0;
}

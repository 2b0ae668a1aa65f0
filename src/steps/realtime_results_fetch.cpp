#include "steps/realtime_results_fetch.h"

#include "jvdata/record.h"
#include "steps/delivered_record.h"
#include "store/realtime_files.h"

namespace radadovur::steps {
namespace {

// What a JV-Link failure is filed under (its text says the rest).
constexpr std::string_view kJvLinkFailure = "JV-Link";
constexpr std::string_view kJvLinkAdvice = "JV-Linkの記録を、下の説明のとおりに確かめてください。";

// Reads one day's records until the service says it is done. The service reports "read again"
// results that may repeat for ever (a missing recording, a request that did not open), so the
// read gives up after kRealtimeReadTries of them in a row.
void ReadDay(jvlink::JvLink& link, const std::string& date, common::StepHost& host, store::RealtimeRecords& records,
             common::StepFailures& failures) {
  std::string buffer(jvlink::kJvReadBufferSize, '\0');
  int32_t size = jvlink::kJvReadBufferSize;
  std::string file_name;
  int without_record = 0;
  int64_t delivered = 0;
  for (;;) {
    const int32_t rc = link.JVRead(buffer, size, file_name);
    if (rc > 0) {
      without_record = 0;
      const std::string_view record = std::string_view(buffer).substr(0, static_cast<size_t>(rc));
      // A damaged record is left out: kept, it would shift the realtime file it goes to.
      if (common::Status s = CheckDeliveredRecord(kRealtimeResultsDataspec, file_name, ++delivered, record); !s.ok()) {
        failures.Add(std::move(s));
        continue;
      }
      const jvdata::RecordType type = jvdata::TypeOf(record);
      switch (type) {
        case jvdata::RecordType::RA: records.races.push_back(jvdata::StoredForm(type, record)); break;
        case jvdata::RecordType::SE: records.entries.push_back(jvdata::StoredForm(type, record)); break;
        case jvdata::RecordType::HR: records.payouts.push_back(jvdata::StoredForm(type, record)); break;
        default: break;  // the realtime results keep no other record type
      }
      continue;
    }
    if (rc == jvlink::jvread::kEnd || rc == jvlink::jvread::kRealtimeEnd) return;
    if (++without_record < kRealtimeReadTries) continue;
    const std::string message = jvlink::ErrorMessage(
        link, "JVReadエラー。 RC=" + std::to_string(rc) + "（" + std::string(kRealtimeResultsDataspec) + " " +
                  common::Shown(date) + " の読み込みを打ち切りました）", rc);
    host.Message(message);
    failures.Add(common::Status::IoError("JV-Link", message));
    return;
  }
}

}  // namespace

const common::Status* FirstJvLinkFailure(const common::StepFailures& failures) {
  for (const common::Status& status : failures.items)
    if (!status.IsSkipped() && status.path() == kJvLinkFailure) return &status;
  return nullptr;
}

std::string_view RealtimeFileAdvice(const common::StepFailures& failures) {
  for (const common::Status& status : failures.items)
    if (store::IsDamagedRealtimeFile(status)) return store::kDamagedRealtimeFileRemedy;
  // A JV-Link failure tells what to do in its own text: the advice for files (disk space,
  // running again) would send the user the wrong way when the recordings are missing.
  for (const common::Status& status : failures.items) {
    if (status.IsSkipped()) continue;
    if (status.path() == kJvLinkFailure) return kJvLinkAdvice;
    break;
  }
  return {};
}

common::Status FetchRealtimeResults(const std::string& app_path, jvlink::JvLink& link, common::StepHost& host,
                                   common::StepFailures& failures, std::vector<std::string>* dates_asked) {
  std::vector<std::string> dates;
  if (common::Status s = store::CollectRealtimeDates(app_path, dates); !s.ok()) return s;
  if (dates_asked) *dates_asked = dates;
  for (const std::string& date : dates) {
    if (const int32_t rc = link.JVInit(std::string(kRealtimeResultsSoftwareId)); rc != 0) {
      const std::string message = jvlink::ErrorMessage(link, "JVInitエラー。RC=" + std::to_string(rc), rc);
      host.Message(message);
      failures.Add(common::Status::IoError("JV-Link", message));
    }
    // A request that does not open (the recording folder missing or unreadable, a bad date) has
    // no reads to retry, and the next day would meet the same: its cause is told once.
    if (const int32_t rc = link.JVRTOpen(std::string(kRealtimeResultsDataspec), date); rc < 0) {
      link.JVClose();
      return common::Status::IoError(
          "JV-Link", jvlink::ErrorMessage(link, "速報着順等（" + std::string(kRealtimeResultsDataspec) + " " +
                                                    common::Shown(date) + "）: JVRTOpenエラー。RC=" + std::to_string(rc),
                                          rc));
    }
    store::RealtimeRecords records;
    ReadDay(link, date, host, records, failures);
    link.JVClose();
    // The records read before a read error are kept, as they would have been one by one.
    if (common::Status s = store::AppendRealtimeRecords(app_path, records); !s.ok()) return s;
  }
  return common::Status::OK();
}

}  // namespace radadovur::steps

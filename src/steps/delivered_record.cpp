#include "steps/delivered_record.h"

#include "jvdata/record.h"

namespace radadovur::steps {

common::Status CheckDeliveredRecord(std::string_view dataspec, std::string_view file_name, int64_t number,
                                    std::string_view record) {
  const std::string fault = jvdata::DeliveredRecordFault(record);
  if (fault.empty()) return common::Status::OK();
  const std::string recording = std::string(dataspec) + "/" + common::Shown(file_name);
  return common::Status::Corruption(recording, "配信データ " + recording + " の " + std::to_string(number) +
                                                   " 件目のレコードは壊れているため取り込みませんでした: " + fault +
                                                   "。");
}

}  // namespace radadovur::steps

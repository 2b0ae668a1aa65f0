#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "common/status.h"

// The check a fetch (this week's odds, the realtime deliveries) makes on each record JV-Link
// delivers before it keeps it: a record with a byte put in or lost, cut short or run into the
// next would be stored shifted and break every later read of the file it goes to.
namespace radadovur::steps {

// OK for a record that can be kept (jvdata::DeliveredRecordFault); else Corruption naming the
// recording ("<dataspec>/<file_name>"), the record's place in the delivery (from 1) and what is
// wrong. The fetch skips such a record and goes on.
common::Status CheckDeliveredRecord(std::string_view dataspec, std::string_view file_name, int64_t number,
                                    std::string_view record);

}  // namespace radadovur::steps

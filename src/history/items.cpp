#include "history/items.h"

namespace radadovur::history {

ItemStream ItemStream::Open(const std::string& path) {
  std::string bytes;
  if (!common::ReadWholeFile(path, bytes).ok()) bytes.clear();
  return ItemStream(std::move(bytes));
}

bool ItemStream::Next(std::string_view& item) { return reader_.Next(item); }

common::Status ItemStream::Read(const std::string& path, ItemStream& stream) {
  std::string bytes;
  common::Status status = common::ReadWholeFile(path, bytes);
  if (!status.ok()) bytes.clear();
  stream = ItemStream(std::move(bytes));
  return status;
}

std::string_view ItemStream::NextOr() {
  std::string_view item;
  return Next(item) ? item : std::string_view();
}

void ItemStream::Skip(int n) {
  std::string_view item;
  for (int i = 0; i < n && Next(item); ++i) {
  }
}

}  // namespace radadovur::history

#include "history/items.h"

#include "common/text_file.h"

namespace radadovur::history {
namespace {

bool Blank(char c) { return c == ' ' || c == '\t'; }
bool LineEnd(char c) { return c == '\r' || c == '\n'; }

}  // namespace

ItemStream ItemStream::Open(const std::string& path) {
  std::string bytes;
  if (!common::ReadWholeFile(path, bytes).ok()) bytes.clear();
  return ItemStream(std::move(bytes));
}

common::Status ItemStream::Read(const std::string& path, ItemStream& stream) {
  std::string bytes;
  common::Status status = common::ReadWholeFile(path, bytes);
  if (!status.ok()) bytes.clear();
  stream = ItemStream(std::move(bytes));
  return status;
}

bool ItemStream::AtEnd() {
  if (line_start_)
    while (pos_ < bytes_.size() && LineEnd(bytes_[pos_])) ++pos_;
  return pos_ >= bytes_.size();
}

bool ItemStream::Next(std::string_view& item) {
  if (AtEnd()) return false;
  const std::string_view all(bytes_);
  while (pos_ < all.size() && Blank(all[pos_])) ++pos_;
  if (pos_ < all.size() && all[pos_] == '"') {
    size_t close = all.find('"', pos_ + 1);
    if (close == std::string_view::npos) close = all.size();
    item = all.substr(pos_ + 1, close - pos_ - 1);
    pos_ = close < all.size() ? close + 1 : close;
    while (pos_ < all.size() && all[pos_] != ',' && !LineEnd(all[pos_])) ++pos_;
  } else {
    const size_t start = pos_;
    while (pos_ < all.size() && all[pos_] != ',' && !LineEnd(all[pos_])) ++pos_;
    item = all.substr(start, pos_ - start);
    while (!item.empty() && Blank(item.back())) item.remove_suffix(1);
  }
  line_start_ = pos_ >= all.size() || all[pos_] != ',';
  if (pos_ < all.size() && all[pos_] == ',') ++pos_;
  return true;
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

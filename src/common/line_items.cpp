#include "common/line_items.h"

namespace radadovur::common {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
// A byte no item may hold: the C0 controls but the tab, and DEL. CP932 trail bytes are 0x40 and
// above, so a byte test is enough.
bool IsControl(char c) {
  const auto b = static_cast<unsigned char>(c);
  return (b < 0x20 && c != '\t') || b == 0x7F;
}
bool AllDigits(std::string_view t) {
  if (t.empty()) return false;
  for (const char c : t)
    if (c < '0' || c > '9') return false;
  return true;
}

}  // namespace

std::vector<TextLine> LinesOf(std::string_view text) {
  std::vector<TextLine> lines;
  size_t start = 0;
  while (start < text.size()) {
    TextLine line;
    line.number = lines.size() + 1;
    const size_t lf = text.find('\n', start);
    if (lf == std::string_view::npos) {
      line.text = text.substr(start);
      lines.push_back(line);
      break;
    }
    size_t end = lf;
    line.ended = true;
    if (end > start && text[end - 1] == '\r') {
      --end;
      line.crlf = true;
    }
    line.text = text.substr(start, end - start);
    lines.push_back(line);
    start = lf + 1;
  }
  return lines;
}

bool SplitLineItems(std::string_view line, std::vector<std::string_view>& items, std::string* reason,
                    std::vector<bool>* quoted) {
  items.clear();
  if (quoted) quoted->clear();
  const auto fail = [&](std::string text) {
    items.clear();
    if (quoted) quoted->clear();
    if (reason) *reason = std::move(text);
    return false;
  };
  for (const char c : line)
    if (IsControl(c)) return fail(c == '\r' ? "行の途中に CR があります" : "制御文字 " + Shown(std::string(1, c)) + " があります");
  size_t pos = 0;
  while (true) {
    while (pos < line.size() && IsBlank(line[pos])) ++pos;
    if (pos < line.size() && line[pos] == '"') {
      const size_t close = line.find('"', pos + 1);
      if (close == std::string_view::npos) return fail(std::to_string(items.size() + 1) + " 番目の項目の引用符が閉じていません");
      items.push_back(line.substr(pos + 1, close - pos - 1));
      if (quoted) quoted->push_back(true);
      pos = close + 1;
      while (pos < line.size() && IsBlank(line[pos])) ++pos;
      if (pos < line.size() && line[pos] != ',')
        return fail(std::to_string(items.size()) + " 番目の項目の引用符のあとに余分な文字があります");
    } else {
      const size_t comma = std::min(line.find(',', pos), line.size());
      std::string_view item = line.substr(pos, comma - pos);
      if (item.find('"') != std::string_view::npos)
        return fail(std::to_string(items.size() + 1) + " 番目の項目に対になっていない引用符があります");
      while (!item.empty() && IsBlank(item.back())) item.remove_suffix(1);
      items.push_back(item);
      if (quoted) quoted->push_back(false);
      pos = comma;
    }
    if (pos >= line.size()) return true;
    ++pos;  // the comma: another item follows, an empty one at the line's end
  }
}

Status LineFailure(const std::string& path, size_t line, std::string_view reason) {
  return Status::Corruption(path, path + " の " + std::to_string(line) + " 行目が壊れています: " + std::string(reason));
}

Status CheckLineEnd(const std::string& path, const TextLine& line, const LineRules& rules) {
  if (!line.ended && rules.last_line_ended) return LineFailure(path, line.number, "行末がありません（行が途中で切れています）");
  if (line.ended && !line.crlf && rules.crlf_only) return LineFailure(path, line.number, "行末が CR LF ではありません");
  if (line.text.empty() && !rules.blank_lines) return LineFailure(path, line.number, "空の行です");
  return Status::OK();
}

Status ForEachLine(const std::string& path, std::string_view text, const LineRules& rules,
                   const std::function<Status(const TextLine&, const std::vector<std::string_view>&,
                                              const std::vector<bool>&)>& take) {
  std::vector<std::string_view> items;
  std::vector<bool> quoted;
  std::string reason;
  for (const TextLine& line : LinesOf(text)) {
    if (Status s = CheckLineEnd(path, line, rules); !s.ok()) return s;
    if (line.text.empty()) continue;
    if (!SplitLineItems(line.text, items, &reason, &quoted)) return LineFailure(path, line.number, reason);
    if (Status s = take(line, items, quoted); !s.ok()) return s;
  }
  return Status::OK();
}

bool IsDecimalNumber(std::string_view t) {
  if (!t.empty() && (t.front() == '+' || t.front() == '-')) t.remove_prefix(1);
  const size_t e = t.find_first_of("eE");
  std::string_view mantissa = t.substr(0, e);
  if (e != std::string_view::npos) {
    std::string_view exponent = t.substr(e + 1);
    if (!exponent.empty() && (exponent.front() == '+' || exponent.front() == '-')) exponent.remove_prefix(1);
    if (!AllDigits(exponent)) return false;
  }
  const size_t point = mantissa.find('.');
  if (point == std::string_view::npos) return AllDigits(mantissa);
  const std::string_view whole = mantissa.substr(0, point), fraction = mantissa.substr(point + 1);
  if (whole.empty() && fraction.empty()) return false;
  return (whole.empty() || AllDigits(whole)) && (fraction.empty() || AllDigits(fraction));
}

}  // namespace radadovur::common

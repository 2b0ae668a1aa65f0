#pragma once
#include <string>
#include <string_view>
#include <vector>

// The outcome of a file or record operation, with its reason; never dropped unread. A step tells a missing file, an
// unreadable one and a short or misaligned record apart where it treats them apart; its failure
// list is made of these.
namespace radadovur::common {

class [[nodiscard]] Status {
 public:
  // kSkipped: work not done because an earlier failure left its inputs unfit; the failure
  // list shows it apart from the failures themselves.
  enum class Code { kOk, kNotFound, kIoError, kCorruption, kInvalidArgument, kSkipped };

  Status() = default;  // OK

  static Status OK() { return Status(); }
  // `path`: the file (or, for InvalidArgument, what was wrong). `detail`: the text the step
  // reports for it, naming the path where the report needs it; empty: the path alone.
  static Status NotFound(std::string path, std::string detail = {}) {
    return Status(Code::kNotFound, std::move(path), std::move(detail));
  }
  static Status IoError(std::string path, std::string detail) {
    return Status(Code::kIoError, std::move(path), std::move(detail));
  }
  // A short record, a file whose length is not a whole number of records, bytes that do not
  // line up with a layout.
  static Status Corruption(std::string path, std::string detail) {
    return Status(Code::kCorruption, std::move(path), std::move(detail));
  }
  static Status InvalidArgument(std::string what, std::string detail) {
    return Status(Code::kInvalidArgument, std::move(what), std::move(detail));
  }
  // Work left undone because of an earlier failure (outputs kept as they were).
  static Status Skipped(std::string what, std::string detail) {
    return Status(Code::kSkipped, std::move(what), std::move(detail));
  }
  // The same, left undone because of `cause` (a failure listed on its own): it keeps the cause's
  // file and errno, so that the work one cause left undone is listed as one.
  static Status SkippedBecause(const Status& cause, std::string detail) {
    Status s(Code::kSkipped, cause.path_, std::move(detail));
    s.error_number_ = cause.error_number_;
    return s;
  }
  // A failed system call on `path`: "<path> <action>（<what the error means>）", `action` the
  // Japanese verb with its particle ("に書き込めません"); ENOENT is NotFound, anything else an
  // IoError. Pass errno as it was right after the call; it is kept for grouping.
  static Status FromErrno(std::string_view action, std::string path, int error);

  bool ok() const { return code_ == Code::kOk; }
  bool IsNotFound() const { return code_ == Code::kNotFound; }
  bool IsIoError() const { return code_ == Code::kIoError; }
  bool IsCorruption() const { return code_ == Code::kCorruption; }
  bool IsInvalidArgument() const { return code_ == Code::kInvalidArgument; }
  bool IsSkipped() const { return code_ == Code::kSkipped; }
  Code code() const { return code_; }
  // The errno of a failed system call (FromErrno), else 0.
  int error_number() const { return error_number_; }
  // The same failure (kind, path, errno) told with another text.
  Status WithDetail(std::string detail) const {
    Status s = *this;
    if (!ok()) s.detail_ = std::move(detail);
    return s;
  }

  const std::string& path() const { return path_; }
  // The text a failure list shows: the detail, or the path when there is none; "OK" when ok.
  std::string ToString() const;

 private:
  Status(Code code, std::string path, std::string detail)
      : code_(code), path_(std::move(path)), detail_(std::move(detail)) {}

  Code code_ = Code::kOk;
  std::string path_;
  std::string detail_;
  int error_number_ = 0;
};

// What a system error means, in a few Japanese words ("フォルダではありません"); a value without
// its own text gives its number ("システムエラー 71").
std::string ErrnoText(int error);

// A value for a failure text: control bytes (NUL, line ends, DEL) shown as "\xNN", so that a
// message is never cut or broken by them. Everything else passes unchanged.
std::string Shown(std::string_view value);

// What went wrong in a step that skips failing items: the step goes on and says at its end
// which items failed. The command line exits non-zero when it is not empty.
struct StepFailures {
  std::vector<Status> items;
  // The step did not run at all: what it needs from an earlier step is missing, and it changed
  // nothing. Its finished text is never shown.
  bool refused = false;
  // The user stopped the step at a horse or race boundary (a window closed while it ran): it is
  // not finished, what it did not reach is left as it was, and no failure list is shown.
  bool stopped = false;

  void Add(Status status) {
    if (!status.ok()) items.push_back(std::move(status));
  }
  bool empty() const { return items.empty(); }
  // The failures proper: the work left undone because of them (`Skipped`) is not counted.
  size_t Failed() const;
  // Each failure's ToString(), in order.
  std::vector<std::string> Texts() const;
};

}  // namespace radadovur::common

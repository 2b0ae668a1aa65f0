#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/text_file.h"
#include "jvdata/layout_ra.h"
#include "jvlink/jv_link.h"
#include "jvlink/replay_codes.h"
#include "support/record_builder.h"
#include "support/temp_folder.h"

// A recording folder in a fresh temporary folder, written by the test itself, and a reader
// that turns a JvLink's results into short texts: "RA r1" for a record (type and the tag the
// test put into its created-date field), or the result code for anything else.
namespace radadovur::testing {

class RecordingFixture : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directories(folder_); }

  void Write(const std::string& relative, const std::string& bytes) {
    const std::string path = folder_ + "/" + relative;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    ASSERT_TRUE(common::WriteFileAtomic(path, bytes).ok());
  }
  void WriteFaults(const std::string& text) { Write("faults.txt", text); }

  // A delivered record of full length whose created-date field carries `tag`.
  static std::string Rec(jvdata::RecordType type, const std::string& tag) { return MakeRecord(type, {{jvdata::ra::CreatedDate, tag}}); }
  static std::string Join(const std::vector<std::string>& records) {
    std::string all;
    for (const auto& r : records) all += r;
    return all;
  }

  TempFolder temp_{"jvlink-test-"};
  std::string root_ = temp_.path();
  std::string folder_ = root_ + "/JVDATA";
};

// One JVRead as text.
inline std::string ReadOne(jvlink::JvLink& link, std::string* file_name = nullptr) {
  std::string buffer(jvlink::kJvReadBufferSize, '\0');
  int32_t size = jvlink::kJvReadBufferSize;
  std::string name;
  int32_t rc = link.JVRead(buffer, size, name);
  if (file_name) *file_name = name;
  if (rc <= 0) return std::to_string(rc);
  EXPECT_EQ(buffer.size(), static_cast<size_t>(rc));
  std::string tag = buffer.size() >= 11 ? buffer.substr(3, 8) : std::string();
  while (!tag.empty() && tag.back() == ' ') tag.pop_back();
  return buffer.substr(0, 2) + " " + tag;
}

// Reads until 0, -203 or an error (at most `limit` reads); the stopping result is included.
inline std::vector<std::string> ReadAll(jvlink::JvLink& link, int limit = 1000) {
  std::vector<std::string> out;
  for (int i = 0; i < limit; ++i) {
    out.push_back(ReadOne(link));
    const std::string& last = out.back();
    if (last[0] == '-' && last != "-1") break;
    if (last == "0") break;
  }
  return out;
}

}  // namespace radadovur::testing

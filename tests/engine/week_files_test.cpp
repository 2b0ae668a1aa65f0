// Step ②'s horse and dam lists as steps ④ and ⑤ read them: every line is checked before an id
// is taken, so a damaged line names the list and the line instead of dropping a horse.
#include "engine/week_files.h"

#include <gtest/gtest.h>

#include "common/text_file.h"
#include "support/temp_folder.h"

namespace radadovur::engine {
namespace {

class IdListTest : public ::testing::Test {
 protected:
  common::Status Read(const std::string& bytes, IdList list, std::vector<std::string>& ids) {
    EXPECT_TRUE(common::WriteFileAtomic(path_, bytes).ok());
    return ReadIdList(path_, list, ids);
  }
  radadovur::testing::TempFolder folder_{"radadovur_idlist"};
  const std::string path_ = folder_.app_path() + "KETTONUMTHISWEEKN.dat";
};

TEST_F(IdListTest, ReadsOneQuotedIdALineAndNothingFromAMissingList) {
  std::vector<std::string> ids = {"stale"};
  ASSERT_TRUE(ReadIdList(path_, IdList::kHorses, ids).ok());
  EXPECT_TRUE(ids.empty());
  ASSERT_TRUE(Read("\"2019100001\"\r\n\"2019100002\"\r\n\"2019100001\"\r\n", IdList::kHorses, ids).ok());
  EXPECT_EQ(ids, (std::vector<std::string>{"2019100001", "2019100002", "2019100001"}));  // repeats kept
  // A horse without a dam is listed with blanks, as step ② lists it.
  ASSERT_TRUE(Read("\"          \"\r\n\"2010100001\"\r\n", IdList::kDams, ids).ok());
  EXPECT_EQ(ids, (std::vector<std::string>{"          ", "2010100001"}));
}

// The damage a byte does to a sound list, each named with the list's file and line; no id is
// taken from a damaged list.
TEST_F(IdListTest, ADamagedLineIsNamedWithFileAndLine) {
  const std::string sound = "\"2019100001\"\r\n\"2019100002\"\r\n\"2019100003\"\r\n";
  const std::string not_id = "」は 10 桁の血統登録番号ではありません";
  const struct {
    const char* what;
    std::string bytes;
    IdList list;
    std::string expected;  // after "<file> の "
  } cases[] = {
      {"byte in", "\"2019100001\"\r\n\"20191x00002\"\r\n\"2019100003\"\r\n", IdList::kHorses,
       "2 行目が壊れています: 「20191x00002" + not_id},
      {"byte out", "\"2019100001\"\r\n\"201910002\"\r\n\"2019100003\"\r\n", IdList::kHorses,
       "2 行目が壊れています: 「201910002" + not_id},
      {"cut line", sound.substr(0, sound.size() - 5), IdList::kHorses,
       "3 行目が壊れています: 行末がありません（行が途中で切れています）"},
      {"CR LF inside", "\"2019100001\"\r\n\"20191\r\n00002\"\r\n\"2019100003\"\r\n", IdList::kHorses,
       "2 行目が壊れています: 1 番目の項目の引用符が閉じていません"},
      {"quote lost", "\"2019100001\"\r\n2019100002\"\r\n\"2019100003\"\r\n", IdList::kHorses,
       "2 行目が壊れています: 1 番目の項目に対になっていない引用符があります"},
      {"unquoted", "\"2019100001\"\r\n2019100002\r\n", IdList::kHorses,
       "2 行目が壊れています: 引用符で囲んだ値が 1 つだけの行ではありません"},
      {"two on a line", "\"2019100001\",\"2019100002\"\r\n", IdList::kHorses,
       "1 行目が壊れています: 引用符で囲んだ値が 1 つだけの行ではありません"},
      {"relative path", "\"2019100001\"\r\n\"../../x\"\r\n", IdList::kHorses, "2 行目が壊れています: 「../../x" + not_id},
      {"absolute path", "\"/etc/passwd\"\r\n", IdList::kHorses, "1 行目が壊れています: 「/etc/passwd" + not_id},
      {"NUL line", "\"2019100001\"\r\n" + std::string(3, '\0') + "\r\n", IdList::kHorses,
       "2 行目が壊れています: 制御文字 \\x00 があります"},
      {"300 digits", "\"" + std::string(300, '7') + "\"\r\n", IdList::kHorses,
       "1 行目が壊れています: 「" + std::string(300, '7') + not_id},
      {"empty line", "\"2019100001\"\r\n\r\n\"2019100003\"\r\n", IdList::kHorses, "2 行目が壊れています: 空の行です"},
      {"blank horse", "\"          \"\r\n", IdList::kHorses, "1 行目が壊れています: 「          " + not_id},
      {"dam: byte in", "\"          \"\r\n\"201010x0001\"\r\n", IdList::kDams, "2 行目が壊れています: 「201010x0001" + not_id},
      {"dam: LF alone", "\"2010100001\"\n", IdList::kDams, "1 行目が壊れています: 行末が CR LF ではありません"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> ids = {"stale"};
    const common::Status s = Read(c.bytes, c.list, ids);
    EXPECT_TRUE(s.IsCorruption()) << c.what;
    EXPECT_EQ(s.ToString(), path_ + " の " + c.expected) << c.what;
    EXPECT_TRUE(ids.empty()) << c.what;
  }
}

}  // namespace
}  // namespace radadovur::engine

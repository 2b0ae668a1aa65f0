#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <optional>

#include "common/record_file.h"
#include "common/text_file.h"
#include "support/file_size_limit.h"
#include "support/temp_folder.h"

namespace radadovur {
namespace {

class FilesTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  size_t EntryCount() const {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(dir_), {}));
  }
  testing::TempFolder folder_{"rdv_files_"};
  std::filesystem::path dir_ = folder_.path();
};

TEST_F(FilesTest, RecordFileNumbersFromOneAndCreatesMissingFiles) {
  common::RecordFile f;
  ASSERT_TRUE(f.Open(Path("A.dat"), 4));
  EXPECT_EQ(f.Count(), 0);
  EXPECT_TRUE(common::FileExists(Path("A.dat")));
  ASSERT_TRUE(f.Append("aaa\n"));
  ASSERT_TRUE(f.Append("bbb\n"));
  ASSERT_TRUE(f.Write(1, "AAA\n"));  // in place, after buffered appends
  ASSERT_TRUE(f.Write(4, "ddd\n"));  // past the end extends the file
  EXPECT_EQ(f.Count(), 4);
  std::string r;
  ASSERT_TRUE(f.Read(1, r));
  EXPECT_EQ(r, "AAA\n");
  ASSERT_TRUE(f.Read(2, r));
  EXPECT_EQ(r, "bbb\n");
  EXPECT_FALSE(f.Read(0, r));
  EXPECT_FALSE(f.Read(5, r));
  EXPECT_FALSE(f.Write(1, "toolong\n"));
  ASSERT_TRUE(f.Close());
  EXPECT_EQ(std::filesystem::file_size(Path("A.dat")), 16u);
}

TEST_F(FilesTest, RecordCountIgnoresATrailingPartialRecord) {
  ASSERT_TRUE(common::WriteFileAtomic(Path("B.dat"), "1234567").ok());
  common::RecordFile f;
  ASSERT_TRUE(f.Open(Path("B.dat"), 3));
  EXPECT_EQ(f.Count(), 2);
}

TEST_F(FilesTest, ReplacingKeepsTheOldFileUntilCommit) {
  ASSERT_TRUE(common::WriteFileAtomic(Path("C.dat"), "old!").ok());
  {
    common::RecordFile f;
    ASSERT_TRUE(f.OpenReplacing(Path("C.dat"), 4));
    ASSERT_TRUE(f.Append("new!"));
    // abandoned: destructor without Commit
  }
  EXPECT_EQ(*common::ReadWholeFile(Path("C.dat")), "old!");
  EXPECT_EQ(EntryCount(), 1u);  // no temporary left behind
  common::RecordFile f;
  ASSERT_TRUE(f.OpenReplacing(Path("C.dat"), 4));
  ASSERT_TRUE(f.Append("new!"));
  ASSERT_TRUE(f.Append("two!"));
  ASSERT_TRUE(f.Commit());
  EXPECT_EQ(*common::ReadWholeFile(Path("C.dat")), "new!two!");
  EXPECT_EQ(EntryCount(), 1u);
}

// The disk refuses writes past 10 records (a file size limit stands in for a full disk).
class DiskFullTest : public FilesTest {
 protected:
  void SetUp() override { limit_.emplace(10 * 100); }
  void TearDown() override { limit_.reset(); }
  // Appends 25 records of 100 bytes to a replaced file and commits it.
  bool WriteTwentyFive(common::RecordFile::AfterFailure after, int64_t& dropped) {
    common::RecordFile f;
    EXPECT_TRUE(f.OpenReplacing(Path("R.dat"), 100));
    for (int i = 0; i < 25; ++i) f.Append(std::string(100, static_cast<char>('a' + i)));
    const bool ok = f.Commit(after);
    dropped = f.dropped_records();
    EXPECT_FALSE(f.status().ok());
    return ok;
  }
  std::optional<testing::FileSizeLimit> limit_;
};

TEST_F(DiskFullTest, RecordsThatReachedTheDiskAreKeptWholeOrTheOldFileStays) {
  ASSERT_TRUE(common::WriteFileAtomic(Path("R.dat"), std::string(100, 'o')).ok());
  int64_t dropped = 0;
  EXPECT_FALSE(WriteTwentyFive(common::RecordFile::AfterFailure::kDiscard, dropped));
  EXPECT_EQ(dropped, 15);
  EXPECT_EQ(*common::ReadWholeFile(Path("R.dat")), std::string(100, 'o'));
  EXPECT_EQ(EntryCount(), 1u);

  EXPECT_FALSE(WriteTwentyFive(common::RecordFile::AfterFailure::kKeepWritten, dropped));
  EXPECT_EQ(dropped, 15);
  const std::string kept = *common::ReadWholeFile(Path("R.dat"));
  ASSERT_EQ(kept.size(), 1000u);
  EXPECT_EQ(kept.substr(900), std::string(100, 'j'));
  EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(DiskFullTest, AnAppendGoesInWholeOrNotAtAll) {
  ASSERT_TRUE(common::AppendToFile(Path("O.dat"), std::string(900, 'o')).ok());
  const common::Status cut = common::AppendToFile(Path("O.dat"), std::string(300, 'n'));
  EXPECT_FALSE(cut.ok());
  EXPECT_NE(cut.ToString().find("O.dat"), std::string::npos) << cut.ToString();
  EXPECT_EQ(*common::ReadWholeFile(Path("O.dat")), std::string(900, 'o'));
  ASSERT_TRUE(common::AppendToFile(Path("O.dat"), std::string(100, 'n')).ok());  // one that fits
  EXPECT_EQ(std::filesystem::file_size(Path("O.dat")), 1000u);
}

TEST_F(FilesTest, AppendingWritesOnlyRegularFiles) {
  ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0644), 0);  // no reader: a blocking open would wait for ever
  ASSERT_TRUE(std::filesystem::create_directory(Path("dir")));
  for (const char* name : {"fifo", "dir"}) EXPECT_FALSE(common::AppendToFile(Path(name), "x").ok()) << name;
  const common::Status device = common::AppendToFile("/dev/null", "x");
  EXPECT_NE(device.ToString().find("通常のファイルではありません"), std::string::npos) << device.ToString();
  // A link to it is refused before its kind is looked at.
  std::filesystem::create_symlink("/dev/null", Path("null"));
  const common::Status link = common::AppendToFile(Path("null"), "x");
  EXPECT_NE(link.ToString().find("シンボリックリンク"), std::string::npos) << link.ToString();
}

TEST_F(FilesTest, FailuresAreReportedNotHidden) {
  common::RecordFile f;
  EXPECT_FALSE(f.Open(Path("no/such/folder/D.dat"), 4));
  EXPECT_TRUE(f.status().IsNotFound()) << f.status().ToString();
  const common::Status written = common::WriteFileAtomic(Path("no/such/E.txt"), "x");
  EXPECT_TRUE(written.IsNotFound());
  EXPECT_NE(written.ToString().find("（ありません）"), std::string::npos) << written.ToString();
  std::string bytes;
  EXPECT_TRUE(common::ReadWholeFile(Path("missing.txt"), bytes).IsNotFound());
  EXPECT_TRUE(common::ReadWholeFile(dir_.string(), bytes).IsIoError());  // a folder is no file
  EXPECT_FALSE(common::ReadWholeFile(Path("missing.txt")));
}

TEST_F(FilesTest, LinesHaveNoLengthLimit) {
  const std::string long_line(83283, 'x');
  auto lines = common::SplitLines(long_line + "\r\nsecond\r\nthird");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].size(), 83283u);
  EXPECT_EQ(lines[1], "second");
  EXPECT_EQ(lines[2], "third");
  EXPECT_TRUE(common::SplitLines("").empty());
}

TEST_F(FilesTest, QuotedLinesRoundTrip) {
  const std::vector<std::string> values = {"2019104567", "", "  blanks  ", "2020101234"};
  ASSERT_TRUE(common::WriteQuotedLines(Path("K.dat"), values).ok());
  EXPECT_EQ(*common::ReadWholeFile(Path("K.dat")), "\"2019104567\"\r\n\"\"\r\n\"  blanks  \"\r\n\"2020101234\"\r\n");
  EXPECT_EQ(common::ReadQuotedValues(Path("K.dat")), values);
  EXPECT_TRUE(common::ReadQuotedValues(Path("missing.dat")).empty());
  ASSERT_TRUE(common::AppendToFile(Path("K.dat"), common::QuotedLine("x")).ok());
  EXPECT_EQ(common::ReadQuotedValues(Path("K.dat")).back(), "x");
}

TEST_F(FilesTest, CommaSeparatedItemsQuoteTextsOnly) {
  const std::string line = common::CsvLine().Text("RC").Whole(3).Number(12.5).Number(0.1f).Text("").Str();
  EXPECT_EQ(line, "\"RC\",3,12.5,0.1,\"\"\r\n");
  common::CsvItemReader reader(line + "\"a,b\", 7 \r\n");
  std::vector<std::string> items;
  std::string item;
  while (reader.Next(item)) items.push_back(item);
  EXPECT_EQ(items, (std::vector<std::string>{"RC", "3", "12.5", "0.1", "", "a,b", "7"}));
}

TEST_F(FilesTest, ItemsAreOneStreamWhereACommaBeforeALineEndLeavesAnEmptyItem) {
  const struct {
    const char* text;
    std::vector<std::string> items;
  } cases[] = {
      {"\"2009\",\"10\",,\r\n\"x\"", {"2009", "10", "", "", "x"}},
      {"a,\nb,\r\n,c", {"a", "", "b", "", "", "c"}},
      {"a\r\n\r\n\nb\r\n", {"a", "b"}},  // blank lines separate, they hold no item
      {"a, \"q\" ,\r\n", {"a", "q", ""}},
      {"", {}},
  };
  for (const auto& c : cases) {
    common::CsvItemReader reader(c.text);
    std::vector<std::string> items;
    std::string item;
    while (reader.Next(item)) items.push_back(item);
    EXPECT_EQ(items, c.items) << c.text;
  }
}

}  // namespace
}  // namespace radadovur

namespace radadovur {
namespace {

// Nothing that is not a regular file is read or written as one: a FIFO would block for ever,
// a device gives nothing, and the reason is the real one.
TEST_F(FilesTest, OnlyRegularFilesAreOpened) {
  ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0644), 0);
  std::filesystem::create_symlink("/dev/null", Path("null"));
  for (const char* name : {"fifo", "null"}) {
    std::string bytes;
    const common::Status read = common::ReadWholeFile(Path(name), bytes);
    EXPECT_TRUE(read.IsIoError()) << name;
    EXPECT_THAT(read.ToString(), ::testing::HasSubstr("通常のファイルではありません")) << name;
    // A link in the file's place is refused for writing before its kind is looked at.
    const char* why = std::string(name) == "fifo" ? "通常のファイルではありません" : "シンボリックリンク";
    common::RecordFile f;
    EXPECT_FALSE(f.Open(Path(name), 4)) << name;
    EXPECT_THAT(f.status().ToString(), ::testing::HasSubstr(why)) << name;
    const common::Status appended = common::AppendToFile(Path(name), "record");
    EXPECT_THAT(appended.ToString(), ::testing::HasSubstr(why)) << name;
  }
  // Nor is a stale temporary file of a replacement waited on: it is removed and made anew.
  ASSERT_EQ(::mkfifo(Path("R.dat.new~").c_str(), 0644), 0);
  EXPECT_TRUE(common::WriteFileAtomic(Path("R.dat"), "bytes").ok());
  EXPECT_EQ(common::ReadWholeFile(Path("R.dat")), "bytes");
  ASSERT_EQ(::mkfifo(Path("S.dat.new~").c_str(), 0644), 0);
  common::RecordFile replacing;
  ASSERT_TRUE(replacing.OpenReplacing(Path("S.dat"), 4));
  EXPECT_TRUE(replacing.Append("abcd") && replacing.Commit());
  EXPECT_EQ(common::ReadWholeFile(Path("S.dat")), "abcd");
}

// No write goes through a symbolic link put into the folder: a temporary file's name taken by
// a link is removed and made anew, a final name that is a link is replaced by the file (the link
// goes, its target stays), and a file appended to or opened for writing in place that is a link
// is a failure naming it. Links among the folders above are followed as usual.
TEST_F(FilesTest, NoWriteGoesThroughALink) {
  const std::string victim = Path("victim");
  const auto link = [&](const std::string& target, const std::string& name) {
    std::filesystem::create_symlink(target, Path(name));
  };
  const auto replace_records = [&](const std::string& name) {
    common::RecordFile f;
    const bool ok = f.OpenReplacing(Path(name), 4) && f.Append("abcd") && f.Commit();
    return ok ? common::Status::OK() : f.status();
  };
  const auto open_records = [&](const std::string& name) {
    common::RecordFile f;
    const bool ok = f.Open(Path(name), 4) && f.Append("abcd") && f.Close();
    return ok ? common::Status::OK() : f.status();
  };
  struct Case {
    const char* what;
    std::function<void()> put;                          // the links put in place
    std::function<common::Status()> write;              // the write tried
    std::optional<std::string> bytes;                   // what R.dat holds after; nullopt: the write fails
  };
  const Case cases[] = {
      {"temporary a link", [&] { link(victim, "R.dat.new~"); }, [&] { return common::WriteFileAtomic(Path("R.dat"), "new"); }, "new"},
      {"record temporary a link", [&] { link(victim, "R.dat.new~"); }, [&] { return replace_records("R.dat"); }, "abcd"},
      {"temporary a dangling link", [&] { link(Path("made"), "R.dat.new~"); }, [&] { return common::WriteFileAtomic(Path("R.dat"), "new"); }, "new"},
      {"target a link", [&] { link(victim, "R.dat"); }, [&] { return common::WriteFileAtomic(Path("R.dat"), "new"); }, "new"},
      {"record target a link", [&] { link(victim, "R.dat"); }, [&] { return replace_records("R.dat"); }, "abcd"},
      {"quoted lines, both links", [&] { link(victim, "R.dat"); link(victim, "R.dat.new~"); },
       [&] { return common::WriteQuotedLines(Path("R.dat"), {"x"}); }, "\"x\"\r\n"},
      {"append target a link", [&] { link(victim, "R.dat"); }, [&] { return common::AppendToFile(Path("R.dat"), "new"); }, std::nullopt},
      {"append target a dangling link", [&] { link(Path("made"), "R.dat"); }, [&] { return common::AppendToFile(Path("R.dat"), "new"); }, std::nullopt},
      {"record file in place a link", [&] { link(victim, "R.dat"); }, [&] { return open_records("R.dat"); }, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (const char* name : {"R.dat", "R.dat.new~", "made"}) std::filesystem::remove(Path(name));
    ASSERT_TRUE(common::WriteFileAtomic(victim, "victim").ok());
    c.put();
    const common::Status status = c.write();
    EXPECT_EQ(common::ReadWholeFile(victim), "victim");
    EXPECT_FALSE(std::filesystem::exists(Path("made")));
    if (c.bytes) {
      EXPECT_TRUE(status.ok()) << status.ToString();
      EXPECT_FALSE(std::filesystem::is_symlink(Path("R.dat")));
      EXPECT_EQ(common::ReadWholeFile(Path("R.dat")), *c.bytes);
      EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(Path("R.dat.new~"))));
    } else {
      EXPECT_FALSE(status.ok());
      EXPECT_THAT(status.ToString(), ::testing::HasSubstr(Path("R.dat")));
      EXPECT_THAT(status.ToString(), ::testing::HasSubstr("シンボリックリンク"));
      EXPECT_TRUE(std::filesystem::is_symlink(Path("R.dat")));
    }
  }

  // A program folder that is itself a link, with a linked working folder inside: every writer works.
  std::filesystem::create_directories(Path("real/store"));
  std::filesystem::create_directories(Path("elsewhere"));
  link(Path("real"), "app");
  std::filesystem::create_symlink(Path("elsewhere"), Path("real/linked"));
  for (const std::string folder : {"app/store/", "app/linked/"}) {
    SCOPED_TRACE(folder);
    EXPECT_TRUE(common::WriteFileAtomic(Path(folder + "T.txt"), "t").ok());
    EXPECT_TRUE(common::AppendToFile(Path(folder + "T.txt"), "u").ok());
    EXPECT_EQ(common::ReadWholeFile(Path(folder + "T.txt")), "tu");
    EXPECT_TRUE(replace_records(folder + "R.dat").ok());
    EXPECT_TRUE(open_records(folder + "R.dat").ok());
    EXPECT_EQ(common::ReadWholeFile(Path(folder + "R.dat")), "abcdabcd");
  }
  EXPECT_EQ(common::ReadWholeFile(Path("elsewhere/T.txt")), "tu");
}

// A replacing write that fails names the file the user knows, never its temporary file, with
// the system's reason.
TEST_F(FilesTest, FailuresNameTheFileTheyConcern) {
  std::filesystem::create_directory(Path("R.dat.new~"));  // the temporary file cannot be made
  ASSERT_TRUE(common::WriteFileAtomic(Path("KAIME"), "").ok());  // a file where a folder belongs
  struct Case {
    std::string file;
    std::string why;
  } cases[] = {
      {"R.dat", "（同じフォルダに、書き込みの途中に使う名前のフォルダがあります）"},
      {"KAIME/R.dat", "（途中にフォルダでないものがあります）"},
  };
  for (const Case& c : cases) {
    common::RecordFile f;
    EXPECT_FALSE(f.OpenReplacing(Path(c.file), 4));
    const common::Status written = common::WriteFileAtomic(Path(c.file), "bytes");
    for (const common::Status& s : {f.status(), written}) {
      EXPECT_EQ(s.path(), Path(c.file));
      EXPECT_EQ(s.ToString(), Path(c.file) + " に書き込めません" + c.why);
    }
  }
  // A failure text shows control bytes instead of being cut at them.
  EXPECT_EQ(common::Shown(std::string("a\0b\r\n", 5)), "a\\x00b\\x0D\\x0A");
}

// A quoted line holds a value only when reading it back gives that value again.
TEST_F(FilesTest, QuotedLinesRefuseValuesThatWouldReadBackAsOthers) {
  ASSERT_TRUE(common::WriteQuotedLines(Path("K.dat"), {"2019104567"}).ok());
  for (const std::string bad : {"20191\"4567", "2019\r\n4567"}) {
    const common::Status s = common::WriteQuotedLines(Path("K.dat"), {"2019100001", bad});
    EXPECT_TRUE(s.IsInvalidArgument()) << bad;
    EXPECT_EQ(*common::ReadWholeFile(Path("K.dat")), "\"2019104567\"\r\n") << "nothing written for " << bad;
  }
}

}  // namespace
}  // namespace radadovur

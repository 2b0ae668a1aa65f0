#include "jvlink/replay_jv_link.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "support/recording_fixture.h"

namespace radadovur::testing {
namespace {

using ::testing::ElementsAre;

constexpr const char* kWeek = "TOKURACETCVNRCVN";
constexpr const char* kOdds = "TOKURACETCOVRCOV";

class ReplayJvLinkTest : public RecordingFixture {
 protected:
  // Three download files of the week: mixed types, one file without records.
  void WriteWeek() {
    Write("TOKURACETCVNRCVN/0001.jvd", Join({Rec(jvdata::RecordType::RA, "a1"), Rec(jvdata::RecordType::SE, "a2"),
                                            Rec(jvdata::RecordType::SE, "a3"), Rec(jvdata::RecordType::UM, "a4")}));
    Write("TOKURACETCVNRCVN/0002.jvd", Join({Rec(jvdata::RecordType::KS, "b1"), Rec(jvdata::RecordType::HR, "b2")}));
    Write("TOKURACETCVNRCVN/0003.jvd", Join({Rec(jvdata::RecordType::RA, "c1")}));
  }
  int32_t Open(jvlink::JvLink& link, const std::string& dataspec = kWeek) {
    return link.JVOpen(dataspec, "00000000000000", 2, read_count_, download_count_, timestamp_);
  }
  int32_t read_count_ = -99;
  int32_t download_count_ = -99;
  std::string timestamp_;
};

TEST_F(ReplayJvLinkTest, ReplaysFilesInOrderWithBoundariesAndEnd) {
  WriteWeek();
  Write("TOKURACETCVNRCVN/notes.txt", "not a download file");
  jvlink::ReplayJvLink link(folder_);
  ASSERT_EQ(link.JVInit("SA730215/SD918342/VELTRAN/ver.2020.7.21"), 0);
  ASSERT_EQ(Open(link), 0);
  EXPECT_EQ(read_count_, 3);
  EXPECT_EQ(download_count_, 3);
  EXPECT_THAT(ReadAll(link), ElementsAre("RA a1", "SE a2", "SE a3", "UM a4", "-1", "KS b1", "HR b2", "-1", "RA c1",
                                         "-1", "0"));
  EXPECT_EQ(ReadOne(link), "0");  // stays at the end

  // The buffer holds exactly the record, CR LF included; the file name is the recording file's.
  ASSERT_EQ(Open(link), 0);
  std::string buffer(jvlink::kJvReadBufferSize, '\0');
  int32_t size = jvlink::kJvReadBufferSize;
  std::string name;
  const std::string expected = Rec(jvdata::RecordType::RA, "a1");
  EXPECT_EQ(link.JVRead(buffer, size, name), static_cast<int32_t>(expected.size()));
  EXPECT_EQ(buffer, expected);
  EXPECT_EQ(name, "0001.jvd");
  EXPECT_EQ(size, jvlink::kJvReadBufferSize);
  EXPECT_EQ(link.JVClose(), 0);
}

TEST_F(ReplayJvLinkTest, DownloadsOncePerInstanceAndAgainWhenAFileChanges) {
  WriteWeek();
  jvlink::ReplayJvLink link(folder_);
  ASSERT_EQ(Open(link), 0);
  EXPECT_EQ(download_count_, 3);
  std::vector<int32_t> status;
  for (int i = 0; i < 5; ++i) status.push_back(link.JVStatus());
  EXPECT_THAT(status, ElementsAre(1, 2, 3, 3, 3));
  link.JVClose();

  ASSERT_EQ(Open(link), 0);
  EXPECT_EQ(download_count_, 0);
  EXPECT_EQ(link.JVStatus(), 0);
  link.JVClose();

  Write("TOKURACETCVNRCVN/0002.jvd", Join({Rec(jvdata::RecordType::KS, "b1")}));
  ASSERT_EQ(Open(link), 0);
  EXPECT_EQ(download_count_, 1);
  EXPECT_EQ(read_count_, 3);

  // Another window's instance downloads everything itself.
  jvlink::ReplayJvLink other(folder_);
  ASSERT_EQ(Open(other), 0);
  EXPECT_EQ(download_count_, 3);
  // Reading without polling the status waits for each file's download.
  EXPECT_EQ(ReadAll(other).back(), "0");
  EXPECT_EQ(other.JVStatus(), 3);
}

// Errors and empty results of opening, and the JVInit switch.
TEST_F(ReplayJvLinkTest, OpenResults) {
  struct Case {
    const char* name;
    bool week;           // write the three week files
    std::string faults;  // faults.txt, when not empty
    std::string folder_suffix;
    std::string dataspec;
    int32_t rc;
    int32_t read_count;
  };
  const std::vector<Case> cases = {
      {"week", true, "", "", kWeek, 0, 3},
      {"odds dataspec without a folder", true, "", "", kOdds, 0, 0},
      {"recording folder without data-type folders", false, "", "", kWeek, jvlink::jvreplay::kNoRecordingFolder, 0},
      {"unknown dataspec", true, "", "", "RACEDIFFYSNG", jvlink::jvreplay::kUnknownDataspec, 0},
      {"realtime dataspec in JVOpen", true, "", "", "0B12", jvlink::jvreplay::kUnknownDataspec, 0},
      {"missing recording folder", true, "", "/absent", kWeek, jvlink::jvreplay::kNoRecordingFolder, 0},
      {"open_error switch", true, "open_error=-1234\n", "", kWeek, -1234, 0},
      {"nothing_to_read switch", true, "nothing_to_read=1\n", "", kWeek, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    if (c.week) WriteWeek();
    if (!c.faults.empty()) WriteFaults(c.faults);
    jvlink::ReplayJvLink link(folder_ + c.folder_suffix);
    EXPECT_EQ(Open(link, c.dataspec), c.rc);
    EXPECT_EQ(read_count_, c.read_count);
    if (c.read_count == 0) {
      EXPECT_EQ(download_count_, 0);
      // Nothing to read (or no request): reads end or fail, never deliver.
      std::string first = ReadOne(link);
      EXPECT_EQ(first, c.rc == 0 ? "0" : std::to_string(jvlink::jvreplay::kNotOpen));
    }
  }
}

// A recording folder that holds recordings, only not of this data type or not of this week: the
// delivery's "nothing to read", which is not a refusal.
TEST_F(ReplayJvLinkTest, ADataTypeFolderWithoutFilesHasNothingToRead) {
  std::filesystem::create_directories(folder_ + "/" + kWeek);
  jvlink::ReplayJvLink link(folder_);
  EXPECT_EQ(Open(link), 0);
  EXPECT_EQ(read_count_, 0);
  EXPECT_EQ(Open(link, kOdds), 0);
  EXPECT_EQ(read_count_, 0);
  EXPECT_EQ(link.JVRTOpen("0B12", "20240805"), 0);
  EXPECT_EQ(ReadOne(link), "-203");
}

// Every request on recordings that cannot be read is refused, naming what cannot be read with the
// system's reason; never "nothing to read". The kinds that need no permission change (mode 000 is
// tried by the command-line tests as a user without privileges).
TEST_F(ReplayJvLinkTest, RecordingsThatCannotBeReadAreRefusedNeverEmpty) {
  namespace fs = std::filesystem;
  struct Kind {
    const char* what;
    std::function<void(const std::string& path)> make;  // puts it at `path`
    bool file;                                          // in a recording file's place, not a folder's
    const char* reason;
  };
  const Kind kinds[] = {
      {"a link to itself", [](const std::string& p) { fs::create_symlink(p, p); }, false, "リンク"},
      {"a file", [](const std::string& p) { ASSERT_TRUE(common::WriteFileAtomic(p, "x").ok()); }, false, "フォルダでない"},
      {"a link to itself", [](const std::string& p) { fs::create_symlink(p, p); }, true, "リンク"},
      {"a link going nowhere", [](const std::string& p) { fs::create_symlink(p + ".gone", p); }, true, "ありません"},
      {"a FIFO", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); }, true, "通常のファイルではありません"},
      {"a folder", [](const std::string& p) { fs::create_directories(p); }, true, "通常のファイルではありません"},
  };
  struct Request {
    const char* dataspec;
    const char* key;  // realtime
    const char* file;
  };
  const Request requests[] = {{kWeek, "", "0001.jvd"},
                              {kOdds, "", "0001.jvd"},
                              {"0B30", "2024080505030612", "2024080505030612.jvd"},
                              {"0B12", "20240805", "20240805.jvd"}};
  for (const Kind& kind : kinds) {
    for (const Request& request : requests) {
      SCOPED_TRACE(std::string(kind.what) + (kind.file ? " as the recording of " : " as the folder ") + request.dataspec);
      fs::remove_all(folder_);
      fs::create_directories(folder_);
      const std::string dir = folder_ + "/" + request.dataspec;
      if (kind.file) fs::create_directories(dir);
      const std::string broken = kind.file ? dir + "/" + request.file : dir;
      kind.make(broken);
      jvlink::ReplayJvLink link(folder_);
      int32_t rc = 0;
      if (*request.key == '\0') {
        rc = Open(link, request.dataspec);
        EXPECT_EQ(read_count_, 0);
      } else {
        rc = link.JVRTOpen(request.dataspec, request.key);
        // A realtime recording is read when the request reads it.
        if (rc == 0) rc = std::stoi(ReadOne(link));
      }
      ASSERT_TRUE(rc == jvlink::jvreplay::kUnreadableDataspecFolder || rc == jvlink::jvreplay::kUnreadableFile) << rc;
      const std::string text = link.ErrorText(rc);
      EXPECT_NE(text.find(broken), std::string::npos) << text;
      EXPECT_NE(text.find(kind.reason), std::string::npos) << text;
      EXPECT_EQ(ReadOne(link), rc == jvlink::jvreplay::kUnreadableFile ? std::to_string(rc)
                                                                        : std::to_string(jvlink::jvreplay::kNotOpen));
    }
  }
}

// A folder that holds none of the data-type folders (a wrong path, a drive not mounted) is not a
// recording folder: refused like a missing one, saying where recordings are looked for.
TEST_F(ReplayJvLinkTest, AFolderWithoutRecordingsIsRefusedLikeAMissingOne) {
  Write("letter.txt", "x");
  Write("0B31/2024080505030612.jvd", Rec(jvdata::RecordType::O1, "w"));
  jvlink::ReplayJvLink link(folder_);
  for (int32_t rc : {Open(link), Open(link, kOdds), link.JVRTOpen("0B30", "2024080505030612"), link.JVRTOpen("0B12", "20240805")}) {
    EXPECT_EQ(rc, jvlink::jvreplay::kNoRecordingFolder);
    const std::string text = link.ErrorText(rc);
    EXPECT_NE(text.find(folder_ + " に記録がありません（データ種別のフォルダがひとつもありません）"), std::string::npos) << text;
    EXPECT_NE(text.find("プログラムのフォルダの JVDATA"), std::string::npos) << text;
  }
  EXPECT_EQ(ReadOne(link), std::to_string(jvlink::jvreplay::kNotOpen));
}

TEST_F(ReplayJvLinkTest, InitSwitchOnlyChangesTheResult) {
  WriteWeek();
  WriteFaults("# JVInit fails\ninit_error = -301\n");
  jvlink::ReplayJvLink link(folder_);
  EXPECT_EQ(link.JVInit("UNKNOWN"), -301);
  ASSERT_EQ(Open(link), 0);
  EXPECT_EQ(read_count_, 3);
}

// The caller's recovery: JVFiledelete of the broken file, JVClose, JVOpen with the same
// arguments, read on. Every record arrives once, in order.
TEST_F(ReplayJvLinkTest, BrokenFileIsRepairedAndDeliveryGoesOnWithoutRepeats) {
  for (int32_t code : {jvlink::jvread::kBrokenFile403, jvlink::jvread::kBrokenFile402}) {
    SCOPED_TRACE(code);
    WriteWeek();
    WriteFaults("broken_file=TOKURACETCVNRCVN/0002.jvd\nbroken_code=" + std::to_string(code) + "\n");
    jvlink::ReplayJvLink link(folder_);
    ASSERT_EQ(Open(link), 0);
    for (int i = 0; i < 10 && link.JVStatus() < download_count_; ++i) {
    }
    std::vector<std::string> events;
    for (int i = 0; i < 50; ++i) {
      std::string name;
      events.push_back(ReadOne(link, &name));
      if (events.back() == "0") break;
      if (events.back() == std::to_string(code)) {
        EXPECT_EQ(name, "0002.jvd");
        EXPECT_EQ(link.JVFiledelete(name), 0);
        link.JVClose();
        ASSERT_EQ(Open(link), 0);
        EXPECT_EQ(read_count_, 2);
        EXPECT_EQ(download_count_, 1);  // the deleted file comes again
      }
    }
    EXPECT_THAT(events, ElementsAre("RA a1", "SE a2", "SE a3", "UM a4", "-1", std::to_string(code), "KS b1", "HR b2",
                                    "-1", "RA c1", "-1", "0"));

    // Repaired for good: the next fetch of this window gets the whole week.
    EXPECT_EQ(link.JVInit("x"), 0);
    ASSERT_EQ(Open(link), 0);
    EXPECT_EQ(read_count_, 3);
    EXPECT_EQ(ReadAll(link).size(), 11u);
  }
}

TEST_F(ReplayJvLinkTest, BrokenFileStaysBrokenUntilDeleted) {
  WriteWeek();
  WriteFaults("broken_file=TOKURACETCVNRCVN/0001.jvd\n");
  jvlink::ReplayJvLink link(folder_);
  ASSERT_EQ(Open(link), 0);
  EXPECT_THAT(ReadAll(link), ElementsAre("-403"));
  EXPECT_EQ(ReadOne(link), "-403");
  link.JVClose();
  ASSERT_EQ(Open(link), 0);
  EXPECT_EQ(read_count_, 3);
  EXPECT_EQ(ReadOne(link), "-403");
  EXPECT_EQ(link.JVFiledelete("0009.jvd"), jvlink::jvreplay::kUnknownFile);
  // Another dataspec is not affected.
  Write("TOKURACETCOVRCOV/0001.jvd", Rec(jvdata::RecordType::O2, "o1"));
  ASSERT_EQ(Open(link, kOdds), 0);
  EXPECT_THAT(ReadAll(link), ElementsAre("O2 o1", "-1", "0"));
}

TEST_F(ReplayJvLinkTest, ReadErrorAtRecordKThenThatRecord) {
  WriteWeek();
  WriteFaults("read_error_at=5\nread_error_code=-777\n");
  jvlink::ReplayJvLink link(folder_);
  ASSERT_EQ(Open(link), 0);
  EXPECT_THAT(ReadAll(link), ElementsAre("RA a1", "SE a2", "SE a3", "UM a4", "-1", "-777"));
  EXPECT_THAT(ReadAll(link), ElementsAre("KS b1", "HR b2", "-1", "RA c1", "-1", "0"));
  // Every request has it again.
  ASSERT_EQ(Open(link), 0);
  EXPECT_EQ(ReadAll(link).back(), "-777");
}

TEST_F(ReplayJvLinkTest, CancelStopsTheDownload) {
  WriteWeek();
  jvlink::ReplayJvLink link(folder_);
  ASSERT_EQ(Open(link), 0);
  EXPECT_EQ(link.JVStatus(), 1);
  EXPECT_EQ(link.JVCancel(), 0);
  EXPECT_EQ(link.JVStatus(), jvlink::jvreplay::kDownloadCancelled);
  EXPECT_EQ(link.JVStatus(), jvlink::jvreplay::kDownloadCancelled);
  // The file downloaded before the cancel can be read; the next one never arrived.
  EXPECT_THAT(ReadAll(link), ElementsAre("RA a1", "SE a2", "SE a3", "UM a4", "-1", std::to_string(jvlink::jvreplay::kNotDownloaded)));
  link.JVClose();
  ASSERT_EQ(Open(link), 0);
  EXPECT_EQ(download_count_, 2);
}

TEST_F(ReplayJvLinkTest, StatusFailureAfterKFiles) {
  WriteWeek();
  WriteFaults("status_error_after=1\n");
  jvlink::ReplayJvLink link(folder_);
  ASSERT_EQ(Open(link), 0);
  EXPECT_EQ(link.JVStatus(), 1);
  EXPECT_EQ(link.JVStatus(), jvlink::jvreplay::kDefaultStatusErrorCode);
  EXPECT_EQ(link.JVStatus(), jvlink::jvreplay::kDefaultStatusErrorCode);
  EXPECT_THAT(ReadAll(link), ElementsAre("RA a1", "SE a2", "SE a3", "UM a4", "-1", std::to_string(jvlink::jvreplay::kNotDownloaded)));
}

TEST_F(ReplayJvLinkTest, RealtimeRequests) {
  const std::string race = "2024080505030612";
  Write("0B30/" + race + ".jvd", Join({Rec(jvdata::RecordType::O1, "w"), Rec(jvdata::RecordType::O2, "q"), Rec(jvdata::RecordType::O6, "t")}));
  Write("0B12/20240805.jvd", Join({Rec(jvdata::RecordType::RA, "r"), Rec(jvdata::RecordType::SE, "s"), Rec(jvdata::RecordType::HR, "h")}));
  jvlink::ReplayJvLink link(folder_);

  EXPECT_EQ(link.JVRTOpen("0B30", race), 0);
  EXPECT_THAT(ReadAll(link), ElementsAre("O1 w", "O2 q", "O6 t", "-1", "0"));
  EXPECT_EQ(link.JVRTOpen("0B30", "2024080505030699"), 0);
  EXPECT_EQ(ReadOne(link), "-1");

  EXPECT_EQ(link.JVRTOpen("0B12", "20240805"), 0);
  EXPECT_THAT(ReadAll(link), ElementsAre("RA r", "SE s", "HR h", "-203"));
  EXPECT_EQ(ReadOne(link), "-203");
  EXPECT_EQ(link.JVRTOpen("0B12", "20240806"), 0);
  EXPECT_EQ(ReadOne(link), "-203");

  // After a non-record result the buffer holds no record type.
  std::string buffer = "O1 left over";
  int32_t size = jvlink::kJvReadBufferSize;
  std::string name;
  EXPECT_EQ(link.JVRead(buffer, size, name), jvlink::jvread::kRealtimeEnd);
  EXPECT_TRUE(buffer.empty());

  EXPECT_EQ(link.JVRTOpen("0B30", "20240805"), jvlink::jvreplay::kBadKey);
  EXPECT_EQ(link.JVRTOpen("0B12", "../../x"), jvlink::jvreplay::kBadKey);
  EXPECT_EQ(link.JVRTOpen("0B31", race), jvlink::jvreplay::kUnknownDataspec);
  EXPECT_EQ(ReadOne(link), std::to_string(jvlink::jvreplay::kNotOpen));
  jvlink::ReplayJvLink nowhere(folder_ + "/absent");
  EXPECT_EQ(nowhere.JVRTOpen("0B12", "20240805"), jvlink::jvreplay::kNoRecordingFolder);
}

TEST_F(ReplayJvLinkTest, TruncatedAndOddFiles) {
  const std::string full = Rec(jvdata::RecordType::SE, "x1");
  const std::string no_line_end = Rec(jvdata::RecordType::SE, "x2").substr(0, full.size() - 2);
  const std::string cut_short = Rec(jvdata::RecordType::SE, "x3").substr(0, 100);
  Write("TOKURACETCVNRCVN/0001.jvd", full + "\r\n" + no_line_end);  // an empty line in between
  Write("TOKURACETCVNRCVN/0002.jvd", "");
  Write("TOKURACETCVNRCVN/0003.jvd", cut_short);
  jvlink::ReplayJvLink link(folder_);
  ASSERT_EQ(Open(link), 0);
  std::vector<int32_t> lengths;
  std::string buffer;
  std::string name;
  for (int i = 0; i < 20; ++i) {
    int32_t size = jvlink::kJvReadBufferSize;
    int32_t rc = link.JVRead(buffer, size, name);
    lengths.push_back(rc);
    if (rc > 0) {
      EXPECT_EQ(buffer.size(), static_cast<size_t>(rc));
    }
    if (rc == 0) break;
  }
  EXPECT_THAT(lengths, ElementsAre(static_cast<int32_t>(full.size()), static_cast<int32_t>(no_line_end.size()), -1,
                                   -1, 100, -1, 0));
}

TEST_F(ReplayJvLinkTest, CallsWithoutARequestFailCleanly) {
  WriteWeek();
  jvlink::ReplayJvLink link(folder_);
  EXPECT_EQ(ReadOne(link), std::to_string(jvlink::jvreplay::kNotOpen));
  EXPECT_EQ(link.JVStatus(), jvlink::jvreplay::kNotOpen);
  EXPECT_EQ(link.JVFiledelete("0001.jvd"), jvlink::jvreplay::kNotOpen);
  EXPECT_EQ(link.JVCancel(), jvlink::jvreplay::kNotOpen);
  EXPECT_EQ(link.JVClose(), 0);
  ASSERT_EQ(Open(link), 0);
  link.JVClose();
  EXPECT_EQ(ReadOne(link), std::to_string(jvlink::jvreplay::kNotOpen));
}

TEST_F(ReplayJvLinkTest, ShortBufferKeepsTheRecord) {
  WriteWeek();
  jvlink::ReplayJvLink link(folder_);
  ASSERT_EQ(Open(link), 0);
  std::string buffer;
  int32_t size = 100;
  std::string name;
  EXPECT_EQ(link.JVRead(buffer, size, name), jvlink::jvreplay::kBufferTooSmall);
  EXPECT_EQ(ReadOne(link), "RA a1");
}

TEST_F(ReplayJvLinkTest, SettingsDialogHook) {
  jvlink::ReplayJvLink link(folder_);
  EXPECT_EQ(link.JVSetUIProperties(), 0);  // no dialog installed
  EXPECT_EQ(link.recording_folder(), folder_);

  std::string shown;
  link.SetSettingsDialog([&](std::string& folder) {
    shown = folder;
    folder = "/elsewhere";
    return 0;
  });
  EXPECT_EQ(link.JVSetUIProperties(), 0);
  EXPECT_EQ(shown, folder_);
  EXPECT_EQ(link.recording_folder(), "/elsewhere");

  link.SetSettingsDialog([](std::string& folder) {
    folder = "/not/saved";
    return -1;
  });
  EXPECT_EQ(link.JVSetUIProperties(), -1);
  EXPECT_EQ(link.recording_folder(), "/elsewhere");
}

}  // namespace
}  // namespace radadovur::testing

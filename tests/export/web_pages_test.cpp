#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "common/cp932.h"
#include "common/text_file.h"
#include "export/web_fixture.h"
#include "export/web_pdf_page.h"
#include "export/web_race_texts.h"
#include "export/web_wp_blocks.h"
#include "export/web_writers.h"
#include "export/web_yosou_page.h"
#include "support/temp_folder.h"

namespace radadovur::exports {
namespace {

using web_fixture::Lines;
using web_fixture::Race;

const std::string S = "https://furlong-gate.example";

std::vector<std::string> LinkRow(int race) {
  std::vector<std::string> lines = {"<table class=\"raceList\">", "    <tr>"};
  for (int k = 1; k <= 12; ++k) {
    const std::string n = std::to_string(k);
    lines.push_back("        <td class=\"" + std::string(k == race ? "bgnabygreen" : "bgnabyblue") + "\"><a href=\"" +
                    S + "/expectation/20240921_nakayama_r" + n + ".html\" title=\"" + n + "R\">" + n + "R</a></td>");
  }
  lines.insert(lines.end(), {"    </tr>", "</table>", ""});
  return lines;
}

// The race section of the hand-filled race 11 as the race page and the printable page show it.
std::vector<std::string> Section(int race) {
  std::vector<std::string> lines = LinkRow(race);
  const std::string n = std::to_string(race);
  lines.insert(
      lines.end(),
      {
          "<p class=\"mt5 ml8 lh20\">",
          "<b>" + n + "R<br />",
          "&nbsp;&nbsp;&nbsp;芝&nbsp;&nbsp;&nbsp;1200m&nbsp;&nbsp;&nbsp;発走&nbsp;15：40<br /><br />",
          "<img src=\"../images/arrow.png\" alt=\"arrow\">予想・買い目</b>",
          "</p>",
          "<table class=\"yosouList\">",
          "    <tr>",
          "        <th bgcolor=\"#DCDCDC\">単勝・複勝</th>",
          "        <td>出馬表の予想順位を参考にして下さい</td>",
          "    </tr>",
          "    <tr>",
          "        <th bgcolor=\"#DCDCDC\">馬連・馬単</th>",
          "        <td>3-2&nbsp;・&nbsp;3-1&nbsp;・&nbsp;1-2&nbsp;・&nbsp;3-5&nbsp;・&nbsp;3-4&nbsp;・&nbsp;2-5</td>",
          "    </tr>",
          "    <tr>",
          "        <th bgcolor=\"#DCDCDC\">３連複・３連単</th>",
          "        <td>1-2-3&nbsp;・&nbsp;1-3-4&nbsp;・&nbsp;2-3-4&nbsp;・&nbsp;1-3-5&nbsp;・&nbsp;2-3-5&nbsp;・&nbsp;3-4-5"
          "&nbsp;・&nbsp;1-2-4</td>",
          "    </tr>",
          "</table>",
          "<p class=\"mt10 ml8 lh20\">",
          "<img src=\"../images/arrow.png\" alt=\"arrow\"><b>出馬表</b>",
          "</p>",
          "<table class=\"raceDetail\">",
          "<tr>",
          "    <th>枠</th>",
          "    <th>馬番</th>",
          "    <th bgcolor=\"#FFD700\">予想</th>",
          "    <th>馬名</th>",
          "    <th>性齢</th>",
          "    <th>負担重量</th>",
          "    <th>騎手</th>",
          "    <th>調教師</th>",
          "</tr>",
          "<tr>",
          "   <td class=\"bgwhite\"><b>1</b></td>",
          "   <td>1</td>",
          "   <td>2</td>",
          "   <td>サンプルホースアル</td>",
          "   <td>牡3</td>",
          "   <td>57.0kg</td>",
          "   <td>騎手太郎</td>",
          "   <td>調教師花</td>",
          "</tr>",
          "<tr>",
          "   <td class=\"bgblack2\"><font color=\"#ffffff\"><b>2</b></td>",
          "   <td>2</td>",
          "   <td>4</td>",
          "   <td>A&amp;&lt;B&quot;Z   </td>",
          "   <td>牝4</td>",
          "   <td>55.0kg</td>",
          "   <td>騎手</td>",
          "   <td>調教</td>",
          "</tr>",
          "<tr>",
          "   <td class=\"bgred\"><font color=\"#ffffff\"><b>3</b></td>",
          "   <td>3</td>",
          "   <td>1</td>",
          "   <td>ガンマ</td>",
          "   <td>牡10</td>",
          "   <td>58.0kg</td>",
          "   <td>騎手三</td>",
          "   <td>調教三</td>",
          "</tr>",
          "<tr>",
          "   <td class=\"bggreen\"><font color=\"#ffffff\"><b>6</b></td>",
          "   <td>4</td>",
          "   <td>5</td>",
          "   <td>デルタ</td>",
          "   <td>セ5</td>",
          "   <td>57.0kg</td>",
          "   <td>騎手四郎</td>",
          "   <td>調教四郎</td>",
          "</tr>",
          "<tr>",
          "   <td class=\"bgyellow\"><b>5</b></td>",
          "   <td>5</td>",
          "   <td>3</td>",
          "   <td>イプシロン</td>",
          "   <td>牝3</td>",
          "   <td>55.0kg</td>",
          "   <td>騎手五郎</td>",
          "   <td>調教五郎</td>",
          "</tr>",
          "</table>",
      });
  return lines;
}

// The site header, containers, breadcrumb, date and course navigation (from "<div id="wraptop">").
std::vector<std::string> Body(int race, bool race_page) {
  const std::string heading = "無料競馬予想｜中山｜5回中山8日｜" + std::to_string(race) + "R";
  return {
      "<div id=\"wraptop\">",
      " <div id=\"header_bk\">",
      "  <div id=\"header\">",
      "  <h1>" + heading + "</h1>",
      "    <div id=\"logo\">",
      "     <a href=\"/\"><img class=\"bdrad bdweb bdmoz\" src=\"../images/logo.png\" alt=\"ハロンゲート\" width=\"316\" "
      "height=\"100\"></a>",
      "    </div><!--// logo-->",
      "     <div id=\"globalnavi\">",
      "         <ul>",
      "         <li><a href=\"" + S + "/expectation\" class=\"fS11" + (race_page ? " bggray" : "") +
          "\" title=\"競馬予想\">競馬予想</a></li>",
      "         <li><a href=\"" + S + "/game\" class=\"fS11\" title=\"競馬ゲーム\">競馬ゲーム</a></li>",
      "         <li><a href=\"" + S + "/bet\" class=\"fS10\" title=\"馬券の買い方\">馬券の買い方</a></li>",
      "         <li><a href=\"" + S + "/horse_race\" class=\"fS11\" title=\"競馬\">競馬</a></li>",
      "         <li><a href=\"" + S + "/pedigree\" class=\"fS11\" title=\"血統\">血統</a></li>",
      "         <li><a href=\"" + S + "/horse\" class=\"fS11\" title=\"競走馬\">競走馬</a></li>",
      "         <li><a href=\"" + S + "/jockey\" class=\"fS11\" title=\"騎手\">騎手</a></li>",
      "         <li><a href=\"" + S + "/track\" class=\"fS11\" title=\"競馬場\">競馬場</a></li>",
      "         <li><a href=\"" + S + "/state\" class=\"fS11\" title=\"馬場状態\">馬場状態</a></li>",
      "         </ul>",
      "     </div><!--// globalnavi-->",
      "   </div><!--// header-->",
      "  </div><!--// header_bk-->",
      "",
      "  <div id=\"container_bk\" class=\"pb30\">",
      "   <div id=\"container\">",
      "",
      "<div id=\"pan\"><a href=\"/\">ホーム</a>&nbsp;/&nbsp;<a href=\"" + S +
          "/expectation\">競馬予想</a>&nbsp;/&nbsp;中山</div><!--// pan-->",
      "",
      "<div id=\"maincol\" class=\"clear\">",
      "<!-- 本文はここから始まっています -->",
      "<h2 class=\"b f18\"><img src=\"../images/subicon.png\" align=\"left\">無料競馬予想</h2>",
      "<p class=\"mt10 ml8 lh20\">",
      "<b>2024年9月21日(土)</b>",
      "</p>",
      "<div id=\"yosounavi\">",
      "     <ul>",
      "         <li><a href=\"" + S + "/expectation/20240921_nakayama.html\" class=\"\"></a></li>",
      "         <li><a href=\"" + S + "/expectation/20240921_hanshin.html\" class=\"\"></a></li>",
      "         <li><a href=\"" + S + "/expectation/20240921_chukyo.html\" class=\"\"></a></li>",
      "     </ul>",
      "</div><!--// yosounavi-->",
      "",
  };
}

std::vector<std::string> Footer(bool race_page) {
  return {
      "    <div id=\"footer_bk\">",
      "        <div id=\"footer\">",
      "            <p class=\"b copyright\">┃<a href=\"" + S + "/info/kiyaku.html\">運営者・規約</a>┃<a href=\"" + S +
          "/info/link.html\">リンク</a>┃<a href=\"" + S +
          "/info/links.html\">相互リンク</a>┃<a href=\"mailto:info@furlong-gate.example\">お問い合わせ</a>┃<br />",
      std::string("            ") + (race_page ? "" : "<br />") + "Copyright &copy; ハロンゲート All Rights Reserved.</p>",
      "        </div><!--// footer-->",
      "    </div><!--// footer_bk-->",
      "",
      "</div><!--// wraptop-->",
      "",
  };
}

std::vector<std::string> Ad(const std::string& indent, const std::string& type, const std::string& width,
                            const std::string& height) {
  return {indent + "<script type=\"" + type + "\"><!--",
          indent + "ad_publisher = \"pub-0000000000000000\";",
          indent + "ad_slot = \"0000000000\";",
          indent + "ad_width = " + width + ";",
          indent + "ad_height = " + height + ";",
          indent + "//-->",
          indent + "</script>",
          indent + "<script type=\"text/javascript\" src=\"https://ads.furlong-gate.example/show_ads.js\">",
          indent + "</script>"};
}

void Append(std::vector<std::string>& lines, const std::vector<std::string>& more) {
  lines.insert(lines.end(), more.begin(), more.end());
}

std::string ExpectedRacePage() {
  std::vector<std::string> page = {
      "<!DOCTYPE html>",
      "",
      "<html>",
      "<head>",
      "<meta charset=\"UTF-8\">",
      "<meta name=\"Keywords\" content=\"無料競馬予想,無料予想,競馬,競馬予想\">",
      "<meta name=\"Description\" content=\"毎週開催されるJRA競馬1R～3Rまでの競馬予想を無料で公開！稀に全レースを公開することも！？\">",
      "<title>無料競馬予想｜中山｜5回中山8日｜11R</title>",
      "<link rel=\"stylesheet\" type=\"text/css\" href=\"../css/common.css\">",
      "<link rel=\"shortcut icon\" href=\"../images/favicon.png\">",
      "</head>",
      "<body>",
      "",
  };
  Append(page, Body(11, true));
  Append(page, Section(11));
  Append(page, LinkRow(11));
  Append(page, {
                   "<!--// maincol--></div>",
                   "",
                   "<div id=\"subnav\"><a href=\"" + S +
                       "/expectation\"><img src=\"../images/links_expectation.png\" width=\"200\" height=\"50\" "
                       "alt=\"競馬予想\">",
                   "<div id=\"subnavTitle\"></div>",
                   "    <ul>",
                   "        <li><a href=\"" + S + "/expectation/charge.html\">競馬予想(有料版)</a></li>",
                   "        <li><a href=\"" + S + "/expectation/free.html\">競馬予想(一部無料版)</a></li>",
                   "        <li><a href=\"" + S + "/expectation/database.html\">競馬予想(過去分)</a></li>",
                   "        <li><a href=\"" + S + "/expectation/hitlist.html\">的中情報</a></li>",
                   "    </ul>",
                   "</div><!--// subnav-->",
                   "",
                   "<div id=\"submenu_ad1\">",
               });
  Append(page, Ad("    ", "Text/javascript", "160", "600"));
  Append(page, {"</div><!--// submenu_ad1-->", "<div id=\"mainad\">"});
  Append(page, Ad("", "text/javascript", "728", "90"));
  Append(page, {"</div><!--// mainad-->", "", "        </div><!--// container-->", "    </div><!--// container_bk-->",
                ""});
  Append(page, Footer(true));
  Append(page, {
                   "<!-- page statistics -->",
                   "<script type=\"text/javascript\">",
                   "var statsHost = ((\"https:\" == document.location.protocol) ? \"https://ssl.\" : \"http://www.\");",
                   "document.write(unescape(\"%3Cscript src='\" + statsHost + \"stats.furlong-gate.example/stats.js' "
                   "type='text/javascript'%3E%3C/script%3E\"));",
                   "</script>",
                   "<script type=\"text/javascript\">",
                   "try {",
                   "var pageTracker = _stats._getTracker(\"FG-0000000-1\");",
                   "pageTracker._trackPageview();",
                   "} catch(err) {}</script>",
                   "<!-- page statistics -->",
                   "",
                   "</body>",
                   "</html>",
               });
  return Lines(page);
}

std::string ExpectedPdfHead(int race) {
  std::vector<std::string> head = {
      "<!DOCTYPE html>", "", "<html>", "<head>", "<meta charset=\"UTF-8\">",
      "<link rel=\"stylesheet\" type=\"text/css\" href=\"../css/common.css\">", "</head>", "<body>", "",
  };
  Append(head, Body(race, false));
  return Lines(head);
}

std::string ExpectedPdfFooter() {
  std::vector<std::string> footer = {"<!--// maincol--></div>", "", "        </div><!--// container-->",
                                     "    </div><!--// container_bk-->", ""};
  Append(footer, Footer(false));
  Append(footer, {"</body>", "</html>"});
  return Lines(footer);
}

std::string ExpectedWpBlock(const std::string& race) {
  const std::vector<std::string> table = {"<!-- wp:table -->", "<figure class=\"wp-block-Table\">",
                                          "<table class=\"\">", "<tbody>"};
  const std::vector<std::string> end = {"</tbody>", "</table>", "</figure>", "<!-- /wp:table -->"};
  std::vector<std::string> block = {"<!-- wp:heading -->", "<h2><strong>" + race + "R 芝 1200m 発走 15：40</strong></h2>",
                                    "<!-- /wp:heading -->"};
  Append(block, table);
  Append(block, {"<tr><th>単勝・複勝</th><td>出馬表の予想順位を参考にして下さい</td></tr>",
                 "<tr><th>馬連・馬単</th><td>3-2・3-1・1-2・3-5・3-4・2-5</td></tr>",
                 "<tr><th>3連複・3連単</th><td>1-2-3・1-3-4・2-3-4・1-3-5・2-3-5・3-4-5・1-2-4</td></tr>"});
  Append(block, end);
  Append(block, table);
  Append(block,
         {"<tr><th>枠</th><th>馬番</th><th>予想</th><th>馬名</th><th>性齢</th><th>負担重量</th><th>騎手</th><th>調教師</th></tr>",
          "<tr><td><strong>1</strong></td><td>1</td><td>2</td><td>サンプルホースアル</td><td>牡3</td><td>57.0kg</td>"
          "<td>騎手太郎</td><td>調教師花</td></tr>",
          "<tr><td><strong>2</strong></td><td>2</td><td>4</td><td>A&amp;&lt;B&quot;Z   </td><td>牝4</td><td>55.0kg</td>"
          "<td>騎手</td><td>調教</td></tr>",
          "<tr><td><strong>3</strong></td><td>3</td><td>1</td><td>ガンマ</td><td>牡10</td><td>58.0kg</td><td>騎手三</td>"
          "<td>調教三</td></tr>",
          "<tr><td><strong>6</strong></td><td>4</td><td>5</td><td>デルタ</td><td>セ5</td><td>57.0kg</td><td>騎手四郎</td>"
          "<td>調教四郎</td></tr>",
          "<tr><td><strong>5</strong></td><td>5</td><td>3</td><td>イプシロン</td><td>牝3</td><td>55.0kg</td>"
          "<td>騎手五郎</td><td>調教五郎</td></tr>"});
  Append(block, end);
  return Lines(block);
}

struct Folder {
  Folder() {
    std::filesystem::create_directories(tmp.path() + "/furlong_gate_yosou");
    std::filesystem::create_directories(tmp.path() + "/furlong_gate_wp");
  }
  std::string Read(const std::string& name) const {
    std::string bytes;
    EXPECT_TRUE(common::ReadWholeFile(tmp.app_path() + name, bytes).ok()) << name;
    return bytes;
  }
  bool Has(const std::string& name) const { return std::filesystem::exists(tmp.path() + "/" + name); }
  testing::TempFolder tmp{"rdv_web"};
};

TEST(WebPagesTest, RacePageByteForByte) {
  Folder folder;
  Race race;
  WebWriters writers(std::make_unique<results::NoRaceWriters>());
  ASSERT_TRUE(writers.WriteYosouPage(folder.tmp.app_path(), race.s).ok());
  EXPECT_EQ(folder.Read("furlong_gate_yosou/20240921_nakayama_r11.txt"), ExpectedRacePage());
  EXPECT_EQ(race.s.LastKeyYosouPage, "202409210611");

  // A second call for the same race only composes the texts.
  std::filesystem::remove(folder.tmp.path() + "/furlong_gate_yosou/20240921_nakayama_r11.txt");
  ASSERT_TRUE(writers.WriteYosouPage(folder.tmp.app_path(), race.s).ok());
  EXPECT_FALSE(folder.Has("furlong_gate_yosou/20240921_nakayama_r11.txt"));
}

// Race 11, then race 12 of the same day: head, two sections, footer; two blocks, "Finish".
TEST(WebPagesTest, MeetingDayFilesByteForByte) {
  Folder folder;
  ASSERT_TRUE(common::WriteFileAtomic(folder.tmp.app_path() + "furlong_gate_wp/20240921-nakayama.txt", "old").ok());
  Race race;
  WebWriters writers(std::make_unique<results::NoRaceWriters>());
  ASSERT_TRUE(writers.WriteWpBlocks(folder.tmp.app_path(), race.s).ok());
  ASSERT_TRUE(writers.WritePdfPage(folder.tmp.app_path(), race.s).ok());
  race.RaceNumber("12");
  ASSERT_TRUE(writers.WriteWpBlocks(folder.tmp.app_path(), race.s).ok());
  ASSERT_TRUE(writers.WritePdfPage(folder.tmp.app_path(), race.s).ok());

  EXPECT_EQ(folder.Read("furlong_gate_wp/20240921-nakayama.txt"),
            ExpectedWpBlock("11") + ExpectedWpBlock("12") + "Finish\r\n");
  EXPECT_EQ(folder.Read("furlong_gate_wp/20240921_nakayama_pdf.txt"),
            ExpectedPdfHead(11) + Lines(Section(11)) + Lines(Section(12)) + ExpectedPdfFooter());
  EXPECT_EQ(race.s.LastKeyWpDay, "20240921060508");
  EXPECT_EQ(race.s.LastKeyPdfDay, "20240921060508");
}

// Where "Finish" and the footer go: only after race 12 added to a file an earlier race began.
TEST(WebPagesTest, FinishAndFooterRules) {
  struct Case {
    std::vector<std::string> races;
    bool finish;
  };
  const Case cases[] = {
      {{"11", "12"}, true},
      {{"12"}, false},        // a file begun by race 12
      {{"10", "11"}, false},  // the day's races stop before 12
      {{"12", "12"}, true},
  };
  for (const Case& c : cases) {
    Folder folder;
    Race race;
    WebWriters writers(std::make_unique<results::NoRaceWriters>());
    std::string wp, pdf = ExpectedPdfHead(std::stoi(c.races.front()));
    for (const std::string& num : c.races) {
      race.RaceNumber(num);
      ASSERT_TRUE(writers.WriteWpBlocks(folder.tmp.app_path(), race.s).ok());
      ASSERT_TRUE(writers.WritePdfPage(folder.tmp.app_path(), race.s).ok());
      wp += ExpectedWpBlock(std::to_string(std::stoi(num)));
      pdf += Lines(Section(std::stoi(num)));
    }
    EXPECT_EQ(folder.Read("furlong_gate_wp/20240921-nakayama.txt"), wp + (c.finish ? "Finish\r\n" : ""));
    EXPECT_EQ(folder.Read("furlong_gate_wp/20240921_nakayama_pdf.txt"), pdf + (c.finish ? ExpectedPdfFooter() : ""));
  }
}

// A day whose races come back after another day's races is added to, not begun again; a new
// pass begins it again.
TEST(WebPagesTest, ADayThatRecursIsAddedTo) {
  Folder folder;
  Race race;
  Race other;
  other.s.CurrentRunnerRecord.replace(8, 2, "09");
  other.s.CodeTable.cells[0] = {"2001", "09", common::ToCp932("阪神競馬場"), "", "", "", "hanshin", ""};
  WebWriters writers(std::make_unique<results::NoRaceWriters>());
  auto write = [&](Race& r) {
    ASSERT_TRUE(writers.WriteWpBlocks(folder.tmp.app_path(), r.s).ok());
    ASSERT_TRUE(writers.WritePdfPage(folder.tmp.app_path(), r.s).ok());
  };
  write(race);
  other.s.LastKeyWpDay = race.s.LastKeyWpDay;
  other.s.LastKeyPdfDay = race.s.LastKeyPdfDay;
  write(other);
  race.s.LastKeyWpDay = other.s.LastKeyWpDay;
  race.s.LastKeyPdfDay = other.s.LastKeyPdfDay;
  race.RaceNumber("12");
  write(race);
  EXPECT_EQ(folder.Read("furlong_gate_wp/20240921-nakayama.txt"),
            ExpectedWpBlock("11") + ExpectedWpBlock("12") + "Finish\r\n");
  EXPECT_EQ(folder.Read("furlong_gate_wp/20240921_nakayama_pdf.txt"),
            ExpectedPdfHead(11) + Lines(Section(11)) + Lines(Section(12)) + ExpectedPdfFooter());
  EXPECT_TRUE(folder.Has("furlong_gate_wp/20240921-hanshin.txt"));

  // The next pass (its window state empty again) begins the day's files afresh.
  Race next;
  WebWriters writers2(std::make_unique<results::NoRaceWriters>());
  ASSERT_TRUE(writers2.WriteWpBlocks(folder.tmp.app_path(), next.s).ok());
  EXPECT_EQ(folder.Read("furlong_gate_wp/20240921-nakayama.txt"), ExpectedWpBlock("11"));
}

TEST(WebPagesTest, ARaceWithoutRunnersWritesNothing) {
  Folder folder;
  Race race;
  race.s.RunnerCount = 0;
  WebWriters writers(std::make_unique<results::NoRaceWriters>());
  EXPECT_TRUE(writers.WriteYosouPage(folder.tmp.app_path(), race.s).ok());
  EXPECT_TRUE(writers.WriteWpBlocks(folder.tmp.app_path(), race.s).ok());
  EXPECT_TRUE(writers.WritePdfPage(folder.tmp.app_path(), race.s).ok());
  EXPECT_TRUE(std::filesystem::is_empty(folder.tmp.path() + "/furlong_gate_wp"));
  EXPECT_TRUE(std::filesystem::is_empty(folder.tmp.path() + "/furlong_gate_yosou"));
}

// A frame that is no number gets no class; the table goes on and the failure is reported.
TEST(WebPagesTest, AFrameThatIsNoNumber) {
  Folder folder;
  Race race;
  race.s.WakuText[1] = "X";
  WebWriters writers(std::make_unique<results::NoRaceWriters>());
  const common::Status status = writers.WriteYosouPage(folder.tmp.app_path(), race.s);
  EXPECT_FALSE(status.ok());
  std::string expected = ExpectedRacePage();
  const std::string white = "   <td class=\"bgwhite\"><b>1</b></td>\r\n";
  expected.replace(expected.find(white), white.size(), "   <td><b>X</b></td>\r\n");
  EXPECT_EQ(folder.Read("furlong_gate_yosou/20240921_nakayama_r11.txt"), expected);
}

TEST(WebPagesTest, ARacecourseWithoutCodeTableRowNamesItsFilesWithoutCourse) {
  Folder folder;
  Race race;
  race.s.CodeTable.cells[0] = {};
  WebWriters writers(std::make_unique<results::NoRaceWriters>());
  ASSERT_TRUE(writers.WriteYosouPage(folder.tmp.app_path(), race.s).ok());
  ASSERT_TRUE(writers.WriteWpBlocks(folder.tmp.app_path(), race.s).ok());
  ASSERT_TRUE(writers.WritePdfPage(folder.tmp.app_path(), race.s).ok());
  EXPECT_NE(folder.Read("furlong_gate_yosou/20240921__r11.txt").find("<h1>無料競馬予想｜｜5回8日｜11R</h1>"),
            std::string::npos);
  EXPECT_TRUE(folder.Has("furlong_gate_wp/20240921-.txt"));
  EXPECT_TRUE(folder.Has("furlong_gate_wp/20240921__pdf.txt"));
}

TEST(WebPagesTest, AMissingFolderIsReported) {
  testing::TempFolder tmp("rdv_web_none");
  Race race;
  WebWriters writers(std::make_unique<results::NoRaceWriters>());
  EXPECT_FALSE(writers.WriteYosouPage(tmp.app_path(), race.s).ok());
  EXPECT_FALSE(writers.WriteWpBlocks(tmp.app_path(), race.s).ok());
  EXPECT_FALSE(writers.WritePdfPage(tmp.app_path(), race.s).ok());
}

// Every page, and every completed printable page, parses as HTML whose elements all close in
// order, except the white font tags and the side column's link, which stay open.
TEST(WebPagesTest, PagesAreWellFormed) {
  Folder folder;
  Race race;
  race.s.HorseNameText[3] = "</td><b>";
  WebWriters writers(std::make_unique<results::NoRaceWriters>());
  for (const std::string num : {"11", "12"}) {
    race.RaceNumber(num);
    ASSERT_TRUE(writers.WriteYosouPage(folder.tmp.app_path(), race.s).ok());
    ASSERT_TRUE(writers.WriteWpBlocks(folder.tmp.app_path(), race.s).ok());
    ASSERT_TRUE(writers.WritePdfPage(folder.tmp.app_path(), race.s).ok());
  }
  const std::string command = "python3 " RADADOVUR_HTML_CHECK " --page " + folder.tmp.path() +
                              "/furlong_gate_yosou/20240921_nakayama_r11.txt " + folder.tmp.path() +
                              "/furlong_gate_yosou/20240921_nakayama_r12.txt " + folder.tmp.path() +
                              "/furlong_gate_wp/20240921_nakayama_pdf.txt --fragment " + folder.tmp.path() +
                              "/furlong_gate_wp/20240921-nakayama.txt";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;

  // The checker itself finds an element closed out of order.
  ASSERT_TRUE(common::WriteFileAtomic(folder.tmp.app_path() + "bad.txt", "<!DOCTYPE html>\r\n<html><body><p><b></p></b></body></html>\r\n").ok());
  EXPECT_NE(std::system(("python3 " RADADOVUR_HTML_CHECK " --page " + folder.tmp.path() + "/bad.txt 2>/dev/null").c_str()), 0);
}

}  // namespace
}  // namespace radadovur::exports

namespace radadovur::exports {
namespace {

// The course word of the code table names the page files and goes into the race links: a word
// with HTML's special characters is escaped in the links; one that is no single file-name part
// is a failure of the race, and nothing is written under it.
TEST(WebPagesTest, TheCourseWordIsEscapedInLinksAndGuardedInNames) {
  struct Case {
    std::string word;
    bool written;
  };
  const Case cases[] = {
      {"Na\"<>&ka", true}, {"..", false}, {"../../x", false}, {"na/ka", false}, {std::string("na\0ka", 5), false}};
  for (const Case& c : cases) {
    Folder folder;
    Race race;
    race.s.CodeTable.cells[0][6] = c.word;
    WebWriters writers(std::make_unique<results::NoRaceWriters>());
    const common::Status yosou = writers.WriteYosouPage(folder.tmp.app_path(), race.s);
    const common::Status wp = writers.WriteWpBlocks(folder.tmp.app_path(), race.s);
    const common::Status pdf = writers.WritePdfPage(folder.tmp.app_path(), race.s);
    std::vector<std::string> made;
    for (const auto& e : std::filesystem::recursive_directory_iterator(folder.tmp.path()))
      if (!e.is_directory()) made.push_back(e.path().string());
    if (!c.written) {
      for (const common::Status& status : {yosou, wp, pdf}) {
        EXPECT_FALSE(status.ok()) << common::Shown(c.word);
        EXPECT_NE(status.ToString().find("\"" + common::Shown(c.word) + "\""), std::string::npos)
            << status.ToString();
      }
      EXPECT_TRUE(made.empty()) << common::Shown(c.word) << ": " << made.front();
      continue;
    }
    ASSERT_TRUE(yosou.ok() && wp.ok() && pdf.ok()) << yosou.ToString() << wp.ToString() << pdf.ToString();
    const std::string page = folder.Read("furlong_gate_yosou/20240921_na\"<>&ka_r11.txt");
    EXPECT_NE(page.find("<a href=\"" + S + "/expectation/20240921_na&quot;&lt;&gt;&amp;ka_r1.html\""), std::string::npos);
    EXPECT_EQ(page.find("na\"<"), std::string::npos);
    EXPECT_TRUE(folder.Has("furlong_gate_wp/20240921-na\"<>&ka.txt"));
    EXPECT_TRUE(folder.Has("furlong_gate_wp/20240921_na\"<>&ka_pdf.txt"));
  }
}

}  // namespace
}  // namespace radadovur::exports

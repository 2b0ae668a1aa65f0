#include "export/web_yosou_page.h"

#include <array>
#include <string_view>

#include "common/data_name.h"
#include "common/text_file.h"
#include "export/web_html.h"

namespace radadovur::exports {

namespace {

// The advertising network's unit of the given size, each line after `indent` blanks.
void WriteAdSnippet(int indent, std::string_view type, int width, int height, HtmlLines& out) {
  out.Line(indent, "<script type=\"" + std::string(type) + "\"><!--");
  out.Line(indent, "ad_publisher = \"pub-0000000000000000\";");
  out.Line(indent, "ad_slot = \"0000000000\";");
  out.Line(indent, "ad_width = " + std::to_string(width) + ";");
  out.Line(indent, "ad_height = " + std::to_string(height) + ";");
  out.Line(indent, "//-->");
  out.Line(indent, "</script>");
  out.Line(indent, "<script type=\"text/javascript\" src=\"https://ads.furlong-gate.example/show_ads.js\">");
  out.Line(indent, "</script>");
}

void WriteStatsSnippet(HtmlLines& out) {
  constexpr std::string_view kComment = "<!-- page statistics -->";
  out.Line(kComment);
  out.Line("<script type=\"text/javascript\">");
  out.Line("var statsHost = ((\"https:\" == document.location.protocol) ? \"https://ssl.\" : \"http://www.\");");
  out.Line("document.write(unescape(\"%3Cscript src='\" + statsHost + \"stats.furlong-gate.example/stats.js' "
           "type='text/javascript'%3E%3C/script%3E\"));");
  out.Line("</script>");
  out.Line("<script type=\"text/javascript\">");
  out.Line("try {");
  out.Line("var pageTracker = _stats._getTracker(\"FG-0000000-1\");");
  out.Line("pageTracker._trackPageview();");
  out.Line("} catch(err) {}</script>");
  out.Line(kComment).Blank();
}

void WriteSideColumn(HtmlLines& out) {
  out.Line("<div id=\"subnav\"><a href=\"" + SiteLink("/expectation") +
           "\"><img src=\"../images/links_expectation.png\" width=\"200\" height=\"50\" alt=\"競馬予想\">");
  out.Line("<div id=\"subnavTitle\"></div>");
  out.Line(4, "<ul>");
  constexpr std::array<std::pair<std::string_view, std::string_view>, 4> kLinks = {{
      {"/expectation/charge.html", "競馬予想(有料版)"},
      {"/expectation/free.html", "競馬予想(一部無料版)"},
      {"/expectation/database.html", "競馬予想(過去分)"},
      {"/expectation/hitlist.html", "的中情報"},
  }};
  for (const auto& [path, text] : kLinks)
    out.Line(8, "<li><a href=\"" + SiteLink(path) + "\">" + std::string(text) + "</a></li>");
  out.Line(4, "</ul>");
  out.Line("</div><!--// subnav-->").Blank();
}

}  // namespace

namespace {

std::string PagePath(const std::string& app_path, std::string_view date, std::string_view course_word,
                     std::string_view race_no_text) {
  return app_path + std::string(kYosouFolder) + std::string(date) + "_" + std::string(course_word) + "_r" +
         std::string(race_no_text) + ".txt";
}

}  // namespace

std::string YosouPagePath(const std::string& app_path, const WebRace& web, const WebRaceTexts& texts) {
  return PagePath(app_path, web.race.race_id.substr(0, 8), web.course_word, texts.WebRaceNoText);
}

std::string YosouPagePathOfRace(const std::string& app_path, std::string_view race_key,
                                const results::CodeTable& table) {
  if (!common::CheckDataName(common::DataName::kRaceKey, race_key).ok()) return {};
  common::StepFailures unread;  // a word that cannot be read names no page
  const std::string word = CourseWordOf(table, race_key.substr(8, 2), unread);
  if (!unread.empty() || !common::CheckDataName(common::DataName::kCourseWord, word).ok()) return {};
  return PagePath(app_path, race_key.substr(0, 8), word, WithoutLeadingZero(race_key.substr(10, 2)));
}

std::string YosouPage(const results::ResultsWindowState& state, const WebRace& web, const WebRaceTexts& texts,
                      common::StepFailures& failures) {
  HtmlLines out;
  WritePageTop(web, texts, /*race_page=*/true, out);
  WriteRaceSection(state, web, texts, out, failures);
  WriteRaceLinkRow(web, texts, out);
  WriteMaincolEnd(out);
  WriteSideColumn(out);
  out.Line("<div id=\"submenu_ad1\">");
  WriteAdSnippet(4, "Text/javascript", 160, 600, out);
  out.Line("</div><!--// submenu_ad1-->");
  out.Line("<div id=\"mainad\">");
  WriteAdSnippet(0, "text/javascript", 728, 90, out);
  out.Line("</div><!--// mainad-->").Blank();
  WriteContainerEnd(out);
  WriteFooter(/*race_page=*/true, out);
  WriteStatsSnippet(out);
  out.Line("</body>").Line("</html>");
  return out.Str();
}

void WriteYosouPage(const std::string& app_path, results::ResultsWindowState& state, common::StepFailures& failures) {
  const std::optional<WebRace> web = WebRaceAtHand(state, failures);
  if (!web) return;
  const WebRaceTexts texts = ComposeWebRaceTexts(state, *web, failures);
  const std::string key = std::string(web->race.race_id.substr(0, 8)) + std::string(web->race.VenueCode()) +
                          std::string(web->race.RaceNum());
  if (key == state.LastKeyYosouPage) return;
  state.LastKeyYosouPage = key;
  failures.Add(common::WriteFileAtomic(YosouPagePath(app_path, *web, texts), YosouPage(state, *web, texts, failures)));
}

}  // namespace radadovur::exports

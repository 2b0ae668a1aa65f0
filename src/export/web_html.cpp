#include "export/web_html.h"

#include <array>

#include "documents/race_of_record.h"
#include "results/runner_figures.h"
#include "results/text_cut.h"

namespace radadovur::exports {

namespace {

struct NavLink {
  std::string_view path, css_class, title;
};

// The site's sections in the header; the race page marks the first one.
constexpr std::array<NavLink, 9> kNavLinks = {{{"/expectation", "fS11", "競馬予想"},
                                               {"/game", "fS11", "競馬ゲーム"},
                                               {"/bet", "fS10", "馬券の買い方"},
                                               {"/horse_race", "fS11", "競馬"},
                                               {"/pedigree", "fS11", "血統"},
                                               {"/horse", "fS11", "競走馬"},
                                               {"/jockey", "fS11", "騎手"},
                                               {"/track", "fS11", "競馬場"},
                                               {"/state", "fS11", "馬場状態"}}};

// The racecourses of the course navigation, always these three.
constexpr std::array<std::string_view, 3> kNaviCourses = {"nakayama", "hanshin", "chukyo"};

std::string Attr(std::string_view name, std::string_view value) {
  return " " + std::string(name) + "=\"" + HtmlEscaped(value) + "\"";
}

std::string_view Column(const WebRace& web, int column) {
  return web.row != nullptr ? std::string_view((*web.row)[static_cast<size_t>(column)]) : std::string_view();
}

std::string Cut(std::string_view text, size_t at, size_t width) {
  return at < text.size() ? std::string(text.substr(at, width)) : std::string();
}

std::string ExpectationPage(const WebRace& web, std::string_view tail) {
  return SiteLink("/expectation/" + std::string(web.race.Year()) + std::string(web.race.MonthDay()) + "_" +
                  std::string(tail) + ".html");
}

}  // namespace

HtmlLines& HtmlLines::Line(int indent, std::string_view text) {
  out_.append(static_cast<size_t>(indent), ' ');
  out_ += text;
  out_ += "\r\n";
  return *this;
}

std::string SiteLink(std::string_view path) { return std::string(kSiteAddress) + std::string(path); }

std::string HeadingText(const WebRace& web, const WebRaceTexts& texts) {
  return "無料競馬予想｜" + web.course_name + "｜" + Cut(web.race.Kaiji(), 1, 1) + "回" + web.course_name +
         texts.WebNichijiText + "日｜" + texts.WebRaceNoText + "R";
}

void WritePageTop(const WebRace& web, const WebRaceTexts& texts, bool race_page, HtmlLines& out) {
  const std::string heading = HeadingText(web, texts);
  out.Line("<!DOCTYPE html>").Blank();
  out.Line("<html>").Line("<head>").Line("<meta" + Attr("charset", "UTF-8") + ">");
  if (race_page) {
    out.Line("<meta" + Attr("name", "Keywords") + Attr("content", "無料競馬予想,無料予想,競馬,競馬予想") + ">");
    out.Line("<meta" + Attr("name", "Description") +
             Attr("content", "毎週開催されるJRA競馬1R～3Rまでの競馬予想を無料で公開！稀に全レースを公開することも！？") +
             ">");
    out.Line("<title>" + heading + "</title>");
  }
  out.Line("<link" + Attr("rel", "stylesheet") + Attr("type", "text/css") + Attr("href", "../css/common.css") + ">");
  if (race_page) out.Line("<link" + Attr("rel", "shortcut icon") + Attr("href", "../images/favicon.png") + ">");
  out.Line("</head>").Line("<body>").Blank();

  out.Line("<div id=\"wraptop\">");
  out.Line(1, "<div id=\"header_bk\">");
  out.Line(2, "<div id=\"header\">");
  out.Line(2, "<h1>" + heading + "</h1>");
  out.Line(4, "<div id=\"logo\">");
  out.Line(5, "<a href=\"/\"><img" + Attr("class", "bdrad bdweb bdmoz") + Attr("src", "../images/logo.png") +
                  Attr("alt", "ハロンゲート") + Attr("width", "316") + Attr("height", "100") + "></a>");
  out.Line(4, "</div><!--// logo-->");
  out.Line(5, "<div id=\"globalnavi\">");
  out.Line(9, "<ul>");
  for (size_t i = 0; i < kNavLinks.size(); ++i) {
    const NavLink& link = kNavLinks[i];
    const std::string css = race_page && i == 0 ? std::string(link.css_class) + " bggray" : std::string(link.css_class);
    out.Line(9, "<li><a" + Attr("href", SiteLink(link.path)) + Attr("class", css) + Attr("title", link.title) + ">" +
                    std::string(link.title) + "</a></li>");
  }
  out.Line(9, "</ul>");
  out.Line(5, "</div><!--// globalnavi-->");
  out.Line(3, "</div><!--// header-->");
  out.Line(2, "</div><!--// header_bk-->").Blank();

  out.Line(2, "<div id=\"container_bk\" class=\"pb30\">");
  out.Line(3, "<div id=\"container\">").Blank();

  out.Line("<div id=\"pan\"><a href=\"/\">ホーム</a>&nbsp;/&nbsp;<a" + Attr("href", SiteLink("/expectation")) +
           ">競馬予想</a>&nbsp;/&nbsp;" + web.course_name + "</div><!--// pan-->")
      .Blank();

  out.Line("<div id=\"maincol\" class=\"clear\">");
  out.Line("<!-- 本文はここから始まっています -->");
  out.Line("<h2 class=\"b f18\"><img" + Attr("src", "../images/subicon.png") + Attr("align", "left") +
           ">無料競馬予想</h2>");
  out.Line("<p class=\"mt10 ml8 lh20\">");
  out.Line("<b>" + std::string(web.race.Year()) + "年" + texts.WebMonthText + "月" + texts.WebDayText + "日(" +
           texts.WebWeekdayText + ")</b>");
  out.Line("</p>");

  out.Line("<div id=\"yosounavi\">");
  out.Line(5, "<ul>");
  for (std::string_view course : kNaviCourses)
    out.Line(9, "<li><a" + Attr("href", ExpectationPage(web, course)) + Attr("class", "") + "></a></li>");
  out.Line(5, "</ul>");
  out.Line("</div><!--// yosounavi-->").Blank();
}

void WriteRaceLinkRow(const WebRace& web, const WebRaceTexts& texts, HtmlLines& out) {
  out.Line("<table class=\"raceList\">");
  out.Line(4, "<tr>");
  for (int k = 1; k <= 12; ++k) {
    const std::string race = std::to_string(k) + "R";
    out.Line(8, "<td" + Attr("class", texts.WebRaceLinkClass[static_cast<size_t>(k - 1)]) + "><a" +
                    Attr("href", ExpectationPage(web, web.course_word + "_r" + std::to_string(k))) +
                    Attr("title", race) + ">" + race + "</a></td>");
  }
  out.Line(4, "</tr>");
  out.Line("</table>").Blank();
}

std::string PairTickets(const WebRaceTexts& texts, std::string_view separator) {
  std::string out;
  for (const auto& pair : texts.WebPairNums) {
    if (!out.empty()) out += separator;
    out += pair[0] + "-" + pair[1];
  }
  return out;
}

std::string TrioTickets(const WebRaceTexts& texts, std::string_view separator) {
  std::string out;
  for (size_t k = 0; k < texts.WebTrioNums.size(); ++k) {
    if (k > 0) out += separator;
    const auto& trio = texts.WebTrioNums[k];
    out += trio[0] + "-" + trio[1] + "-" + trio[2];
  }
  return out;
}

RunnerCells RunnerRowCells(const results::ResultsWindowState& state, int h, common::StepFailures& failures) {
  RunnerCells cells;
  cells.frame = HtmlText(FrameText(At(state.WakuText, h)), failures);
  cells.horse = std::to_string(h);
  cells.rank = HtmlText(WithoutLeadingBlank(At(state.PredRank, h)), failures);
  cells.name = HtmlText(results::Cp932Left(At(state.HorseNameText, h), 9), failures);
  cells.sex_age = HtmlText(std::string(At(state.SexText, h)) + WithoutLeadingZero(At(state.AgeText, h)), failures);
  cells.weight = HtmlText(At(state.FutanText, h), failures) + "kg";
  cells.jockey = HtmlText(results::Cp932Left(At(state.KishuText, h), 4), failures);
  cells.trainer = HtmlText(results::Cp932Left(At(state.TrainerText, h), 4), failures);
  return cells;
}

bool HasRankOne(const results::ResultsWindowState& state, const WebRace& web) {
  for (int h = 1; h <= web.runners; ++h) {
    long long rank = 0;
    if (documents::ReadWhole(At(state.PredRank, h), rank) && rank == 1) return true;
  }
  return false;
}

void WriteRaceSection(const results::ResultsWindowState& state, const WebRace& web, const WebRaceTexts& texts,
                      HtmlLines& out, common::StepFailures& failures) {
  WriteRaceLinkRow(web, texts, out);

  const std::string_view post_time = Column(web, results::kColPostTime);
  out.Line("<p class=\"mt5 ml8 lh20\">");
  out.Line("<b>" + texts.WebRaceNoText + "R<br />");
  out.Line("&nbsp;&nbsp;&nbsp;" + HtmlText(Column(web, results::kColTrack), failures) + "&nbsp;&nbsp;&nbsp;" +
           HtmlText(Column(web, results::kColKyori), failures) + "m&nbsp;&nbsp;&nbsp;発走&nbsp;" +
           HtmlText(Cut(post_time, 0, 2), failures) + "：" +
           HtmlText(post_time.size() >= 2 ? post_time.substr(post_time.size() - 2) : post_time, failures) +
           "<br /><br />");
  out.Line("<img" + Attr("src", "../images/arrow.png") + Attr("alt", "arrow") + ">予想・買い目</b>");
  out.Line("</p>");

  constexpr std::string_view kSeparator = "&nbsp;・&nbsp;";
  const std::array<std::pair<std::string_view, std::string>, 3> rows = {{
      {"単勝・複勝", "出馬表の予想順位を参考にして下さい"},
      {"馬連・馬単", PairTickets(texts, kSeparator)},
      {"３連複・３連単", TrioTickets(texts, kSeparator)},
  }};
  out.Line("<table class=\"yosouList\">");
  for (const auto& [label, content] : rows) {
    out.Line(4, "<tr>");
    out.Line(8, "<th" + Attr("bgcolor", "#DCDCDC") + ">" + std::string(label) + "</th>");
    out.Line(8, "<td>" + content + "</td>");
    out.Line(4, "</tr>");
  }
  out.Line("</table>");

  out.Line("<p class=\"mt10 ml8 lh20\">");
  out.Line("<img" + Attr("src", "../images/arrow.png") + Attr("alt", "arrow") + "><b>出馬表</b>");
  out.Line("</p>");
  out.Line("<table class=\"raceDetail\">");
  out.Line("<tr>");
  for (std::string_view head : {"枠", "馬番", "", "馬名", "性齢", "負担重量", "騎手", "調教師"})
    out.Line(4, head.empty() ? "<th" + Attr("bgcolor", "#FFD700") + ">予想</th>" : "<th>" + std::string(head) + "</th>");
  out.Line("</tr>");
  for (int h = 1; h <= web.runners; ++h) {
    if (results::IsGapRunner(state, h)) continue;  // no horse runs under this number
    const RunnerCells cells = RunnerRowCells(state, h, failures);
    const std::string frame(FrameText(At(state.WakuText, h)));
    const std::optional<FrameColour> colour = FrameColourClass(frame);
    long long number = 0;
    if (!colour && !documents::ReadWhole(frame, number))
      failures.Add(common::Status::InvalidArgument(
          "ウェブページ", "レース" + std::string(web.race.race_id) + " 馬番 " + std::to_string(h) + ": 枠番 \"" +
                           common::Shown(frame) + "\" は数字ではありません"));
    out.Line("<tr>");
    out.Line(3, "<td" + (colour ? Attr("class", colour->css_class) : std::string()) + ">" +
                    (colour && colour->white_font ? "<font" + Attr("color", "#ffffff") + ">" : std::string()) + "<b>" +
                    cells.frame + "</b></td>");
    for (const std::string* cell : {&cells.horse, &cells.rank, &cells.name, &cells.sex_age, &cells.weight,
                                    &cells.jockey, &cells.trainer})
      out.Line(3, "<td>" + *cell + "</td>");
    out.Line("</tr>");
  }
  out.Line("</table>");
}

void WriteMaincolEnd(HtmlLines& out) { out.Line("<!--// maincol--></div>").Blank(); }

void WriteContainerEnd(HtmlLines& out) {
  out.Line(8, "</div><!--// container-->");
  out.Line(4, "</div><!--// container_bk-->").Blank();
}

void WriteFooter(bool race_page, HtmlLines& out) {
  out.Line(4, "<div id=\"footer_bk\">");
  out.Line(8, "<div id=\"footer\">");
  std::string links = "┃";
  for (const auto& [path, text] : std::array<std::pair<std::string_view, std::string_view>, 3>{
           {{"/info/kiyaku.html", "運営者・規約"}, {"/info/link.html", "リンク"}, {"/info/links.html", "相互リンク"}}})
    links += "<a" + Attr("href", SiteLink(path)) + ">" + std::string(text) + "</a>┃";
  links += "<a" + Attr("href", "mailto:" + std::string(kSiteContact)) + ">お問い合わせ</a>┃<br />";
  out.Line(12, "<p" + Attr("class", "b " + std::string(kRightsClass)) + ">" + links);
  out.Line(12, (race_page ? "" : "<br />") + std::string(kRightsNotice) + "</p>");
  out.Line(8, "</div><!--// footer-->");
  out.Line(4, "</div><!--// footer_bk-->").Blank();
  out.Line("</div><!--// wraptop-->").Blank();
}

}  // namespace radadovur::exports

#include "export/web_wp_blocks.h"

#include "export/web_html.h"
#include "results/runner_figures.h"

namespace radadovur::exports {

namespace {

void TableStart(HtmlLines& out) {
  out.Line("<!-- wp:table -->").Line("<figure class=\"wp-block-Table\">").Line("<table class=\"\">").Line("<tbody>");
}

void TableEnd(HtmlLines& out) { out.Line("</tbody>").Line("</table>").Line("</figure>").Line("<!-- /wp:table -->"); }

}  // namespace

std::string WpDayFilePath(const std::string& app_path, const WebRace& web) {
  return app_path + std::string(kWpFolder) + std::string(web.race.Year()) + std::string(web.race.MonthDay()) + "-" +
         web.course_word + ".txt";
}

std::string WpRaceBlock(const results::ResultsWindowState& state, const WebRace& web, const WebRaceTexts& texts,
                        common::StepFailures& failures) {
  const results::RaceTableRow& row = *web.row;
  const std::string& post_time = row[results::kColPostTime];
  HtmlLines out;
  out.Line("<!-- wp:heading -->");
  out.Line("<h2><strong>" + HtmlText(WithoutLeadingZero(row[results::kColRaceNum]), failures) + "R " +
           HtmlText(row[results::kColTrack], failures) + " " + HtmlText(row[results::kColKyori], failures) +
           "m 発走 " + HtmlText(post_time.substr(0, 2), failures) + "：" +
           HtmlText(post_time.size() >= 2 ? post_time.substr(post_time.size() - 2) : post_time, failures) +
           "</strong></h2>");
  out.Line("<!-- /wp:heading -->");

  TableStart(out);
  out.Line("<tr><th>単勝・複勝</th><td>出馬表の予想順位を参考にして下さい</td></tr>");
  out.Line("<tr><th>馬連・馬単</th><td>" + PairTickets(texts, "・") + "</td></tr>");
  out.Line("<tr><th>3連複・3連単</th><td>" + TrioTickets(texts, "・") + "</td></tr>");
  TableEnd(out);

  TableStart(out);
  out.Line("<tr><th>枠</th><th>馬番</th><th>予想</th><th>馬名</th><th>性齢</th><th>負担重量</th><th>騎手</th>"
           "<th>調教師</th></tr>");
  for (int h = 1; h <= web.runners; ++h) {
    if (results::IsGapRunner(state, h)) continue;  // no horse runs under this number
    const RunnerCells c = RunnerRowCells(state, h, failures);
    out.Line("<tr><td><strong>" + c.frame + "</strong></td><td>" + c.horse + "</td><td>" + c.rank + "</td><td>" +
             c.name + "</td><td>" + c.sex_age + "</td><td>" + c.weight + "</td><td>" + c.jockey + "</td><td>" +
             c.trainer + "</td></tr>");
  }
  TableEnd(out);
  return out.Str();
}

void WpBlocksWriter::Write(const std::string& app_path, results::ResultsWindowState& state,
                           common::StepFailures& failures) {
  if (state.LastKeyWpDay.empty()) files_ = common::DayFiles();  // a new pass
  const std::optional<WebRace> web = WebRaceAtHand(state, failures);
  if (!web) return;
  const WebRaceTexts texts = ComposeWebRaceTexts(state, *web, failures);
  state.LastKeyWpDay = std::string(web->race.MeetingDayKey());
  const std::string path = WpDayFilePath(app_path, *web);
  const bool appending = !files_.Starts(path);
  std::string block = HasRankOne(state, *web) ? WpRaceBlock(state, *web, texts, failures) : std::string();
  if (appending && texts.WebRaceNoText == "12") block += "Finish\r\n";
  failures.Add(files_.Write(path, block));
}

}  // namespace radadovur::exports

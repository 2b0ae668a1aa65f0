#include "export/web_pdf_page.h"

#include "export/web_html.h"
#include "export/web_wp_blocks.h"

namespace radadovur::exports {

std::string PdfPagePath(const std::string& app_path, const WebRace& web) {
  return app_path + std::string(kWpFolder) + std::string(web.race.Year()) + std::string(web.race.MonthDay()) + "_" +
         web.course_word + "_pdf.txt";
}

std::string PdfPageHead(const WebRace& web, const WebRaceTexts& texts) {
  HtmlLines out;
  WritePageTop(web, texts, /*race_page=*/false, out);
  return out.Str();
}

std::string PdfPageFooter() {
  HtmlLines out;
  WriteMaincolEnd(out);
  WriteContainerEnd(out);
  WriteFooter(/*race_page=*/false, out);
  out.Line("</body>").Line("</html>");
  return out.Str();
}

void PdfPageWriter::Write(const std::string& app_path, results::ResultsWindowState& state,
                          common::StepFailures& failures) {
  if (state.LastKeyPdfDay.empty()) files_ = common::DayFiles();  // a new pass
  const std::optional<WebRace> web = WebRaceAtHand(state, failures);
  if (!web) return;
  const WebRaceTexts texts = ComposeWebRaceTexts(state, *web, failures);
  state.LastKeyPdfDay = std::string(web->race.MeetingDayKey());
  const std::string path = PdfPagePath(app_path, *web);
  const bool appending = !files_.Starts(path);
  std::string block = appending ? std::string() : PdfPageHead(*web, texts);
  if (HasRankOne(state, *web)) {
    HtmlLines section;
    WriteRaceSection(state, *web, texts, section, failures);
    block += section.Str();
  }
  if (appending && texts.WebRaceNoText == "12") block += PdfPageFooter();
  failures.Add(files_.Write(path, block));
}

}  // namespace radadovur::exports

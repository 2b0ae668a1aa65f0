// Window benchmark: steps ④ daybefore, ⑤ predict and ⑥ results clicked in the real windows
// (offscreen) against the same steps through the command line's hosts, each on its own copy of
// one large demo folder, and how often the window repainted while each step ran.
// Usage: window_bench DIR [ROUNDS]   (DIR is made afresh: `radadovur-cli demo DIR --size large`
// and the steps before ④)
// The last line gives each step's window/command-line ratio of the median times.
#include <fcntl.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "median.h"
#include "cli/console_host.h"
#include "common/run_state.h"
#include "engine/weight_model.h"
#include "jvlink/null_jv_link.h"
#include "results/results_pass.h"
#include "steps/day_before.h"
#include "steps/predict.h"
#include "steps/results.h"
#include "support/qt_app.h"
#include "support/run_cli.h"
#include "ui/main/main_window.h"
#include "ui/main/workflow_steps.h"
#include "ui/predict/predict_window.h"
#include "ui/results/results_window.h"

namespace {

using radadovur::bench::Median;

namespace fs = std::filesystem;
namespace common = radadovur::common;
namespace steps = radadovur::steps;
namespace ui = radadovur::ui;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

constexpr const char* kStepNames[] = {"daybefore", "predict", "results"};
constexpr int kSteps = 3;

// What one run of a step took, and for the window how its repaints were spread.
struct Timing {
  double seconds = 0;
  int frames = 0;          // bursts of paint events at least 1 ms apart
  double longest_gap = 0;  // seconds without a paint, the step's start and end included
};

// Notes the time of every paint event of the program's widgets while `recording`. A window on a
// desktop is also repainted when it is uncovered or moved, which needs the event loop whatever
// the step shows: a 10 ms timer repaints a corner pixel of each open window, as an exposure
// would, so a stretch without events counts as one without a repaint.
class PaintWatch : public QObject {
 public:
  PaintWatch() {
    exposure_.setInterval(10);
    QObject::connect(&exposure_, &QTimer::timeout, [] {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) w->repaint(QRect(0, 0, 1, 1));
    });
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (recording && event->type() == QEvent::Paint) paints.push_back(Clock::now());
    return QObject::eventFilter(watched, event);
  }
  void Start() {
    paints.clear();
    recording = true;
    start = Clock::now();
    exposure_.start();
  }
  Timing Stop() {
    exposure_.stop();
    recording = false;
    Timing t;
    const auto end = Clock::now();
    t.seconds = Seconds(end - start);
    auto last = start;
    for (const auto& at : paints) {
      if (at - last >= std::chrono::milliseconds(1) || t.frames == 0) ++t.frames;
      t.longest_gap = std::max(t.longest_gap, Seconds(at - last));
      last = at;
    }
    t.longest_gap = std::max(t.longest_gap, Seconds(end - last));
    return t;
  }
  bool recording = false;
  Clock::time_point start;
  std::vector<Clock::time_point> paints;

 private:
  QTimer exposure_;
};

// The main window with messages noted instead of shown, as a user who reads and closes them at
// once; its prediction windows likewise.
class BenchMainWindow : public ui::MainWindow {
 public:
  using ui::MainWindow::MainWindow;
  void Message(const std::string& text) override { messages.push_back(text); }
  std::vector<std::string> messages;
};

class BenchPredictWindow : public ui::PredictWindow {
 public:
  using ui::PredictWindow::PredictWindow;
  void Message(const std::string& text) override { messages.push_back(text); }
  std::vector<std::string> messages;
};

// Standard output to /dev/null while alive: the command line's texts are printed, not read.
class QuietStdout {
 public:
  QuietStdout() {
    std::fflush(stdout);
    saved_ = ::dup(1);
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    ::dup2(null, 1);
    ::close(null);
  }
  ~QuietStdout() {
    std::fflush(stdout);
    ::dup2(saved_, 1);
    ::close(saved_);
  }

 private:
  int saved_;
};

// ④ ⑤ ⑥ through the command line's hosts, as `daybefore`, `predict` and `results` run them; the
// model is loaded before ⑤ is timed, as the prediction window loads it when it opens.
bool RunCli(const std::string& dir, Timing (&t)[kSteps]) {
  const common::RunState state = common::RunStateFor(dir);
  QuietStdout quiet;
  bool ok = true;
  auto start = Clock::now();
  {
    radadovur::cli::ConsoleHost host;
    ok &= steps::RunDayBefore(state, host).empty();
  }
  t[0].seconds = Seconds(Clock::now() - start);
  {
    radadovur::cli::PredictConsoleHost host;
    radadovur::engine::ReferenceModel model;
    ok &= steps::LoadPredictionModel(state, model, host).ok();
    start = Clock::now();
    steps::RunPrediction(state, model, host);  // the demo week's deliberate faults are reported
  }
  t[1].seconds = Seconds(Clock::now() - start);
  start = Clock::now();
  {
    radadovur::cli::ConsoleHost host;
    host.SetStatus(common::StatusSlot::kMainText5, std::string(steps::kResultsStartText));
    auto window = std::make_unique<radadovur::results::ResultsWindowState>();
    const auto outcome = steps::RunResultsStep(state, host, *window);
    for (const auto& item : outcome.List1Items) std::printf("[YOSOKEKKATHISWEEKNAZ.List1] %s\n", item.c_str());
    host.SetStatus(common::StatusSlot::kMainText5, radadovur::results::ResultsEndText(outcome.failures));
  }
  t[2].seconds = Seconds(Clock::now() - start);
  return ok;
}

QAbstractButton* Button(const QWidget& window, const char* name) { return window.findChild<QAbstractButton*>(name); }

// ③ opens the prediction window (its model loads, not timed), then ④ and ⑤ are clicked in it and
// ⑥ in the main window.
bool RunWindows(const std::string& dir, PaintWatch& watch, Timing (&t)[kSteps]) {
  radadovur::jvlink::NullJvLink link;
  BenchMainWindow main_window(dir, link);
  ui::ConnectWorkflowSteps(main_window);
  main_window.SetWindowFactory("VELTRANEXPDTHISWEEKNAZ", [](ui::MainWindow& w) -> QWidget* {
    auto* prediction = new BenchPredictWindow(w.State());
    ui::AttachToMainWindow(*prediction, w);
    prediction->Load();
    return prediction;
  });
  main_window.show();
  QCoreApplication::processEvents();
  Button(main_window, "Command6")->click();
  auto* prediction = main_window.findChild<BenchPredictWindow*>();
  if (!prediction || !prediction->ModelLoaded()) return false;
  QCoreApplication::processEvents();

  const auto click = [&](const QWidget& window, const char* button) {
    watch.Start();
    Button(window, button)->click();
    return watch.Stop();
  };
  t[0] = click(*prediction, "Command3");
  const bool ok = prediction->LastFailures().empty();
  t[1] = click(*prediction, "Command1");
  t[2] = click(main_window, "Command8");
  for (QWidget* w : main_window.findChildren<QWidget*>())
    if (w->isWindow()) w->close();
  QCoreApplication::processEvents();
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: window_bench DIR [ROUNDS]\n");
    return 2;
  }
  const std::string base = fs::absolute(argv[1]).lexically_normal().string();
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
  QApplication& app = radadovur::testing::QtApp();

  // A fresh large week with every step before ④ run, as run-week.sh runs them.
  fs::remove_all(base);
  if (radadovur::testing::RunCli("demo '" + base + "' --size large").exit_code != 0) {
    std::fprintf(stderr, "demo failed\n");
    return 1;
  }
  for (const char* step : {"startup", "download", "structure --cancel", "odds", "matrices", "realtime-odds",
                           "matrices --realtime"}) {
    const std::string args(step);
    const auto space = args.find(' ');
    const std::string command = args.substr(0, space) + " '" + base + "'" +
                                (space == std::string::npos ? "" : args.substr(space));
    if (radadovur::testing::RunCli(command).exit_code != 0) {
      std::fprintf(stderr, "%s failed\n", step);
      return 1;
    }
  }

  PaintWatch watch;
  app.installEventFilter(&watch);
  std::vector<double> cli[kSteps], window[kSteps], frames_per_second[kSteps], gaps[kSteps];
  for (int r = 0; r < rounds; ++r) {
    // Alternating which side goes first evens out the page cache and the other load.
    for (int side = 0; side < 2; ++side) {
      const bool windows = (side == 0) == (r % 2 == 1);
      const std::string dir = base + (windows ? ".window" : ".cli");
      fs::remove_all(dir);
      fs::copy(base, dir, fs::copy_options::recursive);
      Timing t[kSteps];
      const bool ok = windows ? RunWindows(dir + "/", watch, t) : RunCli(dir + "/", t);
      if (!ok) std::fprintf(stderr, "round %d: a step of the %s failed\n", r + 1, windows ? "windows" : "command line");
      for (int s = 0; s < kSteps; ++s) {
        (windows ? window : cli)[s].push_back(t[s].seconds);
        if (windows) {
          frames_per_second[s].push_back(t[s].frames / std::max(t[s].seconds, 1e-9));
          gaps[s].push_back(t[s].longest_gap);
        }
      }
      fs::remove_all(dir);
    }
  }
  app.removeEventFilter(&watch);

  std::string last = "window/cli:";
  for (int s = 0; s < kSteps; ++s) {
    const double c = Median(cli[s]), w = Median(window[s]);
    std::printf("%-9s cli %.3f s  window %.3f s  repaints %.0f/s  longest without a repaint %.0f ms (medians of %d)\n",
                kStepNames[s], c, w, Median(frames_per_second[s]), 1000 * Median(gaps[s]), rounds);
    char ratio[64];
    std::snprintf(ratio, sizeof ratio, " %s %.2f", kStepNames[s], w / c);
    last += ratio;
  }
  std::printf("%s\n", last.c_str());
  return 0;
}

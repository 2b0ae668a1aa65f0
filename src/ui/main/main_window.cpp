#include "ui/main/main_window.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <exception>


#include "results/results_pass.h"
#include "steps/gate.h"
#include "steps/history.h"
#include "steps/structure.h"
#include "steps/model_package.h"
#include "steps/odds_matrices.h"
#include "steps/results.h"
#include "steps/startup.h"
#include "ui/download/download_progress_window.h"
#include "ui/history/history_windows.h"
#include "ui/main/placeholder_window.h"
#include "ui/main/web_pages.h"
#include "ui/message_box.h"
#include "ui/odds/jvlink_settings_button.h"
#include "ui/odds/odds_matrix_window.h"
#include "ui/results/results_window.h"
#include "ui/status_slots.h"
#include "ui/window_host.h"

namespace radadovur::ui {
namespace {

using common::ProgressSlot;
using common::StatusSlot;

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

const char* const kCaption = "RADADOVUR 今週予想    Ver.2024.8.12A (2019.1.1-2024.7.29　BASE)";

// Captions of the windows that the buttons open; a window not listed shows its name.
const std::map<std::string, std::string>& WindowCaptions() {
  static const std::map<std::string, std::string> captions = {
      {"KakoSeisekiAZ", "過去の予想成績 Ver.2024.8.12A"},
      {"TekichuListAZ", "万馬券的中リスト　Ver.2024.8.12A"},
      {"Kakoso", "全過去走詳細  Ver.2024.6.29Z"},
      {"FactorTURFA", "芝予想因子 Ver.2020.7.21  202001-202407"},
      {"FactorDIRTA", "ダート予想因子　Ver.2020.7.21 202001-202407"},
      {"FactorHURDA", "障害予想因子　Ver.2020.7.21 202001-202407"},
  };
  return captions;
}

// Picture1: a horseshoe on turf green.
QIcon HorseshoeIcon() {
  QPixmap pixmap(64, 64);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x2e, 0x8b, 0x57));
  p.drawEllipse(QRectF(2, 2, 60, 60));
  QPen shoe(QColor(0xe8, 0xe8, 0xe8), 9, Qt::SolidLine, Qt::FlatCap);
  p.setPen(shoe);
  p.setBrush(Qt::NoBrush);
  QPainterPath path;
  path.moveTo(20, 50);
  path.lineTo(20, 30);
  path.arcTo(QRectF(20, 14, 24, 24), 180, -180);
  path.lineTo(44, 50);
  p.drawPath(path);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x55, 0x55, 0x55));
  for (QPointF nail : {QPointF(20, 32), QPointF(20, 42), QPointF(44, 32), QPointF(44, 42)})
    p.drawEllipse(nail, 1.6, 1.6);
  return QIcon(pixmap);
}

QLineEdit* StatusBox(const char* name, QWidget* parent) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(name);
  MakeStatusBox(*box);
  // Wide enough for the longest status text of a step.
  box->setMinimumWidth(box->fontMetrics().horizontalAdvance(
                           QString::fromUtf8("予想･結果を開始しました。しばらくお待ちください。。数分かかります。")) +
                       16);
  return box;
}

}  // namespace

MainWindow::MainWindow(const std::string& app_path, jvlink::JvLink& jv_link, QWidget* parent)
    : QWidget(parent), state_(common::RunStateFor(app_path)), jv_link_(jv_link) {
  state_.Front = common::StepFront::kWindow;
  setObjectName("VLTF1THISWEEKNAZ");
  setWindowTitle(Q(kCaption));
  download_action_ = [](MainWindow& w) {
    w.Message("「①　　今週開催取得」は今後のバージョンで使えるようになります。");
  };
  structure_action_ = [](MainWindow& w) {
    w.Message("「②　構造・中止処理」は今後のバージョンで使えるようになります。");
  };
  BuildControls();
}

QAbstractButton* MainWindow::Button(const char* name, const char* caption) {
  auto* button = new QPushButton(Q(caption), this);
  button->setObjectName(name);
  button->setMinimumHeight(30);
  return button;
}

void MainWindow::BuildControls() {
  auto* root = new QVBoxLayout(this);

  auto* top = new QHBoxLayout;
  top->addWidget(Button("Command1", "設定"));
  top->addWidget(Button("Command14", "回収率・的中率の検証ブログ"));
  top->addWidget(Button("Command16", "最新予想因子ウエイトへの更新サイト"));
  top->addStretch(1);
  auto* picture = new QToolButton(this);
  picture->setObjectName("Picture1");
  picture->setIcon(HorseshoeIcon());
  picture->setIconSize(QSize(48, 48));
  picture->setAutoRaise(true);
  picture->setToolTip(Q("終了"));
  top->addWidget(picture);
  root->addLayout(top);

  auto* columns = new QHBoxLayout;
  root->addLayout(columns);

  // Left: the week's workflow and its status.
  auto* left = new QVBoxLayout;
  columns->addLayout(left, 1);
  auto* week = new QGroupBox(Q("今週の予想  (金曜12時以降）"), this);
  auto* week_layout = new QVBoxLayout(week);
  week_layout->addWidget(Button("Command2", "①　　今週開催取得"));
  week_layout->addWidget(Button("Command4", "②　構造・中止処理"));
  week_layout->addWidget(Button("Command6", "③ 拡大構造体展開"));
  auto* results_line = new QLabel(Q("今週の結果　(月曜14時以降）"), week);
  results_line->setObjectName("ResultsCaption");
  week_layout->addWidget(results_line);
  left->addWidget(week);
  option1_ = new QRadioButton(Q(" 中止処理を選択。通常は何もしないでください。"), this);
  option1_->setObjectName("Option1");
  // An exclusive group of one: a click selects it, and only button ⑥ clears it.
  option1_group_ = new QButtonGroup(this);
  option1_group_->addButton(option1_);
  left->addWidget(option1_);
  auto* predict = new QGroupBox(Q("予想"), this);
  auto* predict_layout = new QVBoxLayout(predict);
  predict_layout->addWidget(Button("Command8", "⑥　***　予想・結果　***"));
  left->addWidget(predict);
  left->addWidget(StatusBox("Text1", this));
  left->addWidget(StatusBox("Text4", this));
  auto* label1 = new QLabel(this);
  label1->setObjectName("Label1");
  label1->setWordWrap(true);
  label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label1->setMinimumHeight(110);
  label1->setFrameShape(QFrame::Panel);
  label1->setFrameShadow(QFrame::Sunken);
  label1->setMargin(4);
  left->addWidget(label1);
  left->addStretch(1);

  // Right: occasional viewers, realtime and odds steps, and the status of ⑥ and the history.
  auto* right = new QVBoxLayout;
  columns->addLayout(right, 1);
  auto* anytime = new QGroupBox(Q("随時  (予想支援の参考として使用）"), this);
  auto* anytime_layout = new QGridLayout(anytime);
  anytime_layout->addWidget(Button("Command11", "過去予想成績"), 0, 0);
  anytime_layout->addWidget(Button("Command15", "万馬券リスト"), 0, 1);
  anytime_layout->addWidget(Button("Command5", "芝予想因子ウエイト"), 1, 0);
  anytime_layout->addWidget(Button("Command9", "ダート予想因子ウエイト"), 1, 1);
  anytime_layout->addWidget(Button("Command10", "障害予想因子ウエイト"), 2, 0);
  right->addWidget(anytime);
  auto* realtime = new QGroupBox(Q("速報　（予想・結果表示後使用）"), this);
  auto* realtime_layout = new QVBoxLayout(realtime);
  realtime_layout->addWidget(Button("Command12", "Ⅰ　速報情報(一括）"));
  realtime_layout->addWidget(StatusBox("Text3", realtime));
  realtime_layout->addWidget(Button("Command13", "Ⅳ　速報処理(一括）"));
  right->addWidget(realtime);
  auto* odds = new QGroupBox(Q("今週のオッズ （月曜14時以降）"), this);
  auto* odds_layout = new QVBoxLayout(odds);
  odds_layout->addWidget(Button("Command3", "今週オッズ取得"));
  odds_layout->addWidget(StatusBox("Text2", odds));
  odds_layout->addWidget(Button("Command7", "オッズ処理"));
  auto* odds_note = new QLabel(Q("　注：オッズ情報が必要であれば行う"), odds);
  odds_note->setObjectName("OddsNote");
  odds_layout->addWidget(odds_note);
  right->addWidget(odds);
  right->addWidget(StatusBox("Text5", this));
  right->addWidget(StatusBox("Text6", this));
  right->addStretch(1);

  Connect("Command1", [this] { OnSettings(); });
  Connect("Command2", [this] { download_action_(*this); });
  Connect("Command3", [this] { ShowSingle("VLTFOTHISWEEKNAZ"); });
  Connect("Command4", [this] { OnStructure(); });
  Connect("Command5", [this] { ShowSingle("FactorTURFA"); });
  Connect("Command6", [this] { OnPrediction(); });
  // The odds matrices of this week's or the realtime odds. Refused before those odds were fetched:
  // no window (one whose load was refused after all closes again, so the next click builds them). The box says 終了 only after a run
  // without failures.
  const auto odds_matrices = [this](common::StatusSlot slot, int source, const char* start) {
    SetStatus(slot, start);
    Yield();
    state_.OddsSource = source;
    ShowSingle("VELTRANODDSN");
    auto* matrices = qobject_cast<OddsMatrixWindow*>(single_windows_["VELTRANODDSN"].data());
    const common::StepFailures failures = SingleWindowFailures("VELTRANODDSN");
    if (failures.refused && matrices) matrices->close();
    SetStatus(slot, steps::OddsMatricesEndText(source, failures));
  };
  Connect("Command7", [odds_matrices] {
    odds_matrices(common::StatusSlot::kMainText2, 0, "今週のオッズ処理を開始しました。しばらくお待ちください。。。。。。。。");
  });
  Connect("Command8", [this] { OnResults(); });
  Connect("Command9", [this] { ShowSingle("FactorDIRTA"); });
  Connect("Command10", [this] { ShowSingle("FactorHURDA"); });
  Connect("Command11", [this] {
    WithStatus(common::StatusSlot::kMainText6, steps::kPastResultsStartText.data(), [this] {
      ShowSingle("KakoSeisekiAZ");
      return steps::PastResultsEndText(SingleWindowFailures("KakoSeisekiAZ"));
    });
  });
  Connect("Command12", [this] { ShowSingle("VLTP2RIALTIME"); });
  Connect("Command13", [odds_matrices] {
    odds_matrices(common::StatusSlot::kMainText3, 1, "速報オッズ処理を開始しました。しばらくお待ちください。。。。。。");
  });
  Connect("Command14", [this] { OpenWebPage(web_pages::kKaishuritsu); });
  Connect("Command15", [this] {
    WithStatus(common::StatusSlot::kMainText6, steps::kHitListStartText.data(), [this] {
      ShowSingle("TekichuListAZ");
      return steps::HitListEndText(SingleWindowFailures("TekichuListAZ"));
    });
  });
  Connect("Command16", [this] { OpenWebPage(web_pages::kWeights); });
  connect(picture, &QToolButton::clicked, this, [this] { EndProgram(); });
  // Collected before any other window becomes a child of this one.
  for (auto* control : findChildren<QAbstractButton*>()) workflow_controls_.push_back(control);
}

void MainWindow::Connect(const char* name, std::function<void()> handler) {
  auto* button = findChild<QAbstractButton*>(name);
  connect(button, &QAbstractButton::clicked, this, [this, handler = std::move(handler)] { RunStep(handler); });
}

void MainWindow::Load(std::chrono::year_month_day today) {
  startup_failures_ = steps::RunStartup(state_, today, *this);
}

void MainWindow::SetWindowFactory(const std::string& window_name, WindowFactory factory) {
  factories_[window_name] = std::move(factory);
}

// --- StepHost ---------------------------------------------------------------------------------

QWidget* MainWindow::SlotWidget(const char* window, const char* control) const {
  return SlotWidgetIn(*this, {window, control});
}

void MainWindow::SetStatus(common::StatusSlot slot, const std::string& text) { pacer_.SetStatus(slot, text); }

void MainWindow::SetBackColour(common::StatusSlot slot, uint32_t bgr) {
  pacer_.ShowKept();
  const SlotControl at = ControlOf(slot);
  ShowSlotColour(SlotWidget(at.window, at.control), bgr);
}

void MainWindow::Message(const std::string& text) {
  pacer_.ShowKept();
  NewMessageBox(this, text)->exec();
}

void MainWindow::FailureMessage(const common::FailureReport& report) {
  pacer_.ShowKept();
  NewFailureBox(this, report)->exec();
}

bool MainWindow::Ask(const std::string& text) {
  pacer_.ShowKept();
  return NewMessageBox(this, text, QMessageBox::Yes | QMessageBox::No)->exec() == QMessageBox::Yes;
}

void MainWindow::BeginProgress(common::ProgressSlot slot, int64_t total) {
  pacer_.ShowKept();
  switch (slot) {
    case common::ProgressSlot::kDownloadProgressBar1:
      EndProgress(slot);
      download_dialog_ = new DownloadProgressWindow(total, this);
      download_dialog_->show();
      break;
    // The prediction window's bars live in that window, which shows them itself.
    case common::ProgressSlot::kPredictProgressBar1:
    case common::ProgressSlot::kPredictProgressBar3:
    case common::ProgressSlot::kPredictProgressBar4:
      break;
  }
}

void MainWindow::SetProgress(common::ProgressSlot slot, int64_t value) { pacer_.SetProgress(slot, value); }

void MainWindow::EndProgress(common::ProgressSlot slot) {
  pacer_.ShowKept();
  switch (slot) {
    case common::ProgressSlot::kDownloadProgressBar1:
      if (download_dialog_) {
        download_dialog_->Finish();
        download_dialog_->deleteLater();
        download_dialog_ = nullptr;
      }
      break;
    case common::ProgressSlot::kPredictProgressBar1:
    case common::ProgressSlot::kPredictProgressBar3:
    case common::ProgressSlot::kPredictProgressBar4:
      break;
  }
}

bool MainWindow::CancelRequested() {
  return (download_dialog_ && download_dialog_->cancel_requested()) || stop_.Requested();
}

void MainWindow::Yield() { pacer_.Yield(); }

// --- Steps ------------------------------------------------------------------------------------

void MainWindow::SetWorkflowEnabled(bool enabled) {
  for (auto* control : workflow_controls_) control->setEnabled(enabled);
  emit WorkflowEnabledChanged(enabled);
}

void MainWindow::RunStep(const std::function<void()>& work) {
  if (step_depth_++ == 0) SetWorkflowEnabled(false);
  {
    const ScreenPacer::Step paced(pacer_);
    try {
      work();
    } catch (const std::exception& e) {
      Message(std::string("処理を続けられませんでした: ") + e.what());
    } catch (...) {
      Message("処理を続けられませんでした。");
    }
  }
  if (--step_depth_ == 0) {
    SetWorkflowEnabled(true);
    stop_.StepEnded(*this);
  }
}

void MainWindow::WithStatus(common::StatusSlot slot, const char* start, const std::function<std::string()>& work) {
  SetStatus(slot, start);
  Yield();
  SetStatus(slot, work());
}

common::StepFailures MainWindow::SingleWindowFailures(const std::string& name) const {
  const auto it = single_windows_.find(name);
  // No window after the click: its load was refused (the message said why).
  if (it == single_windows_.end() || !it->second) {
    common::StepFailures refused;
    refused.refused = true;
    return refused;
  }
  QWidget* window = it->second;
  if (auto* matrices = qobject_cast<OddsMatrixWindow*>(window)) return matrices->Report().failures;
  if (auto* past = qobject_cast<PastResultsWindow*>(window)) return past->LoadFailures();
  if (auto* hits = qobject_cast<HitListWindow*>(window)) return hits->LoadFailures();
  return {};
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // Closing in the middle of a step would end the program during a write: the step is asked to
  // stop first.
  if (stop_.HoldBack(*event, StepRunning(), [this](const std::string& question) { return Ask(question); })) return;
  QWidget::closeEvent(event);
  QTimer::singleShot(0, this, [this] { EndWhenNoWindowOpen(); });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Close || event->type() == QEvent::Hide) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && widget != this && widget->isWindow())
      QTimer::singleShot(0, this, [this] { EndWhenNoWindowOpen(); });
  }
  return QWidget::eventFilter(watched, event);
}

void MainWindow::EndWhenNoWindowOpen() {
  if (isVisible() || StepRunning()) return;
  for (QWidget* w : findChildren<QWidget*>())
    if (w->isWindow() && w->isVisible()) return;
  EndProgram();
}

// exit, not quit: quit would first ask every window to close, and the main window refuses while
// the step that calls this (button ③) is still running.
void MainWindow::EndProgram() { QCoreApplication::exit(0); }

// Without a browser the user still gets the address, to open it elsewhere.
void MainWindow::OpenWebPage(const char* address) {
  if (QDesktopServices::openUrl(QUrl(Q(address)))) return;
  Message(std::string("ブラウザを開けませんでした。次のアドレスをブラウザで開いてください。\n") + address);
}

// --- Windows ----------------------------------------------------------------------------------

QWidget* MainWindow::MakeWindow(const std::string& name) {
  if (auto it = factories_.find(name); it != factories_.end() && it->second) return it->second(*this);
  auto caption = WindowCaptions().find(name);
  return new PlaceholderWindow(name, caption == WindowCaptions().end() ? name : caption->second);
}

void MainWindow::Present(QWidget* window) {
  window->setParent(this, window->windowFlags() | Qt::Window);  // closes with the program
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->show();
  window->raise();
  window->activateWindow();
}

void MainWindow::ShowSingle(const std::string& name) {
  QPointer<QWidget>& window = single_windows_[name];
  if (window && window->isVisible()) {
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->raise();
    window->activateWindow();
    return;
  }
  window = MakeWindow(name);
  if (window) Present(window);
}

QWidget* MainWindow::OpenNew(const std::string& name) {
  QWidget* window = MakeWindow(name);
  if (window) Present(window);
  return window;
}

// --- Buttons ----------------------------------------------------------------------------------

void MainWindow::TakeCancellationOption() { state_.CancellationOption = option1_->isChecked(); }

void MainWindow::ClearOption1() {
  option1_group_->setExclusive(false);
  option1_->setChecked(false);
  option1_group_->setExclusive(true);
}

void MainWindow::OnSettings() { ShowJvLinkSettings(jv_link_, *this); }

void MainWindow::OnStructure() {
  // ② and the cancellation after it hold the folder together: nothing runs between them.
  steps::FolderHold hold(state_, *this, steps::kStructureStepName);
  if (!hold.held()) return;
  TakeCancellationOption();
  structure_action_(*this);
}

void MainWindow::OnPrediction() {
  if (!steps::ShowPackagePresent(state_.AppPath, *this)) {
    Message(state_.AppPath + steps::kPackageMissingEndMessage);
    EndProgram();
    return;
  }
  OpenNew("VELTRANEXPDTHISWEEKNAZ");
}

void MainWindow::OnResults() {
  TakeCancellationOption();
  // The cancellation option is forgotten once ⑥ has run, also when its window failed.
  struct ClearOption1After {
    MainWindow* window;
    ~ClearOption1After() { window->ClearOption1(); }
  } clear_after{this};
  // The check and the pass under one hold of the folder.
  steps::FolderHold hold(state_, *this, steps::kResultsStepName);
  QWidget* window = hold.held() ? OpenNew("YOSOKEKKATHISWEEKNAZ") : nullptr;
  // No window: the pass was refused (its message said what to run first), or the user stopped it
  // by closing this window.
  if (!window) {
    common::StepFailures none;
    none.stopped = stop_.Requested();
    none.refused = !none.stopped;
    SetStatus(common::StatusSlot::kMainText5, results::ResultsEndText(none));
    return;
  }
  // The pass's own end text says how many of its steps failed.
  auto* results_window = qobject_cast<ResultsWindow*>(window);
  SetStatus(common::StatusSlot::kMainText5, results_window ? results_window->EndText() : results::ResultsEndText({}));
}

void AttachToMainWindow(WindowHost& window, MainWindow& main_window) {
  window.SetStepRunner([&main_window](const std::function<void()>& work) { main_window.RunStep(work); });
  // Closing the main window stops the window's running step too.
  window.SetOuterStop([&main_window] { return main_window.CancelRequested(); });
  QObject::connect(&main_window, &MainWindow::WorkflowEnabledChanged, &window.HostWindow(),
                   [&window](bool enabled) { window.SetButtonsEnabled(enabled); });
}

}  // namespace radadovur::ui

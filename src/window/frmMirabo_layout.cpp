// Building the main window's controls and menus from the layout table, and wiring their events.
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QGroupBox>
#include <QHash>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QWindow>

#include "data/TextFitting.h"
#include "window/ExtentList.h"
#include "window/LayoutTable.h"
#include "window/LinkLabel.h"
#include "window/frmMirabo.h"

namespace mirabo {

namespace {

// The window's outer size counts its border and title bar. A frame with a title bar
// comes from the window manager and is taken as it is; it is known only once the window
// is shown. Before that, without a window manager, or where the platform reports a bare
// border (the offscreen platform does), a standard frame is assumed.
constexpr QSize kStandardFrame(8, 30);

QSize OuterFrame(const QWidget* window) {
  const QWindow* handle = window->windowHandle();
  const QMargins m = handle && window->isVisible() ? handle->frameMargins() : QMargins();
  if (m.top() > m.bottom()) return {m.left() + m.right(), m.top() + m.bottom()};
  return kStandardFrame;
}

QWidget* CreateControl(const ControlSpec& row, QWidget* parent) {
  switch (row.kind) {
    case ControlKind::List: return new ExtentList(parent);
    case ControlKind::TextBox: return new QLineEdit(parent);
    case ControlKind::Button: return new QPushButton(QString::fromUtf8(row.caption), parent);
    case ControlKind::Option: return new QRadioButton(QString::fromUtf8(row.caption), parent);
    case ControlKind::Frame: return new QGroupBox(parent);
    case ControlKind::Label:
      return QByteArrayView(row.name) == "Label3" ? new LinkLabel(parent) : new QLabel(parent);
    case ControlKind::Shape: {
      auto* shape = new QFrame(parent);
      shape->setFrameStyle(QFrame::Box | QFrame::Plain);
      shape->setAttribute(Qt::WA_TransparentForMouseEvents);
      return shape;
    }
  }
  return nullptr;
}

QFrame* EtchedLine(QWidget* parent, const char* name, int y, QPalette::ColorRole colour) {
  auto* line = new QFrame(parent);
  line->setObjectName(QString::fromLatin1(name));
  line->setGeometry(0, y, 366, 1);
  line->setAutoFillBackground(true);
  QPalette palette = line->palette();
  palette.setColor(QPalette::Window, palette.color(colour));
  line->setPalette(palette);
  return line;
}

}  // namespace

void frmMirabo::BuildControls() {
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  setCentralWidget(client);
  const double tpp = TwipsPerPixel();
  QHash<QString, QWidget*> byName;
  for (const ControlSpec& row : ControlTable()) {
    QWidget* parent = row.container ? byName.value(QString::fromLatin1(row.container)) : client;
    QWidget* control = CreateControl(row, parent);
    control->setObjectName(QString::fromLatin1(row.name));
    control->setGeometry(TwipsToPixels(row.place, tpp));
    if (row.font.family) {
      QFont font(QString::fromUtf8(row.font.family));
      font.setPointSizeF(row.font.points);
      font.setUnderline(row.font.underline);
      control->setFont(font);
    }
    byName.insert(control->objectName(), control);
  }
  auto get = [&](const char* name) { return byName.value(QString::fromLatin1(name)); };
  List1 = static_cast<ExtentList*>(get("List1"));
  List2 = static_cast<ExtentList*>(get("List2"));
  List3 = static_cast<ExtentList*>(get("List3"));
  QGroupBox** frames[] = {&Frame1, &Frame2, &Frame3, &Frame4, &Frame5, &Frame6, &Frame7, &Frame8};
  for (int i = 0; i < 8; ++i) *frames[i] = static_cast<QGroupBox*>(get(QStringLiteral("Frame%1").arg(i + 1).toLatin1()));
  QRadioButton** options[] = {&Option1, &Option2, &Option3, &Option4, &Option5,
                              &Option6, &Option7, &Option8, &Option9, &Option10};
  for (int i = 0; i < 10; ++i)
    *options[i] = static_cast<QRadioButton*>(get(QStringLiteral("Option%1").arg(i + 1).toLatin1()));
  Command1 = static_cast<QPushButton*>(get("Command1"));
  Command2 = static_cast<QPushButton*>(get("Command2"));
  Command3 = static_cast<QPushButton*>(get("Command3"));
  Command4 = static_cast<QPushButton*>(get("Command4"));
  Command5 = static_cast<QPushButton*>(get("Command5"));
  Command6 = static_cast<QPushButton*>(get("Command6"));
  Text1 = static_cast<QLineEdit*>(get("Text1"));
  Label2 = static_cast<QLabel*>(get("Label2"));
  Label3 = static_cast<LinkLabel*>(get("Label3"));
  Shape1 = static_cast<QFrame*>(get("Shape1"));

  for (QRadioButton* option : {Option1, Option4, Option6, Option8, Option9}) option->setChecked(true);
  Option1->setToolTip(QStringLiteral("クリックするとクリップボードにコピーされます"));
  for (QPushButton* button : {Command1, Command2, Command3, Command4, Command5, Command6}) button->setAutoDefault(false);
  Label2->setWordWrap(true);
  Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Label2->setText(UpdateInstructionText());
  Label3->setText(kSearchPageUrl);
  Shape1->hide();
  Form_Resize();  // the link's colour at rest

  Line1 = EtchedLine(client, "Line1", 0, QPalette::Dark);   // button shadow
  Line2 = EtchedLine(client, "Line2", 1, QPalette::Light);  // button highlight
  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
}

void frmMirabo::BuildMenus() {
  QMenuBar* bar = menuBar();
  // Compact items, so that the blank spacer still leaves room for the help menu at the right.
  bar->setFont(QFont(kPGothic, 8));
  bar->setStyleSheet(QStringLiteral("QMenuBar::item { padding: 2px 2px; margin: 0px; }"));
  mEnd = bar->addAction(QStringLiteral("終了(&X)"));
  mDummy = bar->addAction(QString(23, kWideSpace));  // a blank spacer before the help menu
  mDummy->setEnabled(false);
  mmhelp = bar->addMenu(QStringLiteral("ﾍﾙﾌﾟ(&H)"));
  mHelp = mmhelp->addAction(QStringLiteral("ﾄﾋﾟｯｸの検索(&H)"));
  mInfo = mmhelp->addAction(QStringLiteral("更新情報(&J)"));
  mDownload = mmhelp->addAction(QStringLiteral("最新データをダウンロードして更新"));
  mChooseFile = mmhelp->addAction(QStringLiteral("ファイルを選んで更新…"));
  mListCheck = mmhelp->addAction(QStringLiteral("一覧チェック(&L)…"));
  mEnd->setObjectName(QStringLiteral("mEnd"));
  mDummy->setObjectName(QStringLiteral("mDummy"));
  mmhelp->setObjectName(QStringLiteral("mmhelp"));
  mHelp->setObjectName(QStringLiteral("mHelp"));
  mInfo->setObjectName(QStringLiteral("mInfo"));
  mDownload->setObjectName(QStringLiteral("mDownload"));
  mChooseFile->setObjectName(QStringLiteral("mChooseFile"));
  mListCheck->setObjectName(QStringLiteral("mListCheck"));
  BuildChangesItem();
}

void frmMirabo::ConnectEvents() {
  // Choosing a line runs the list's click handling, and so does a mouse click on the
  // line that is already selected (after a search it lists that city's towns again).
  for (auto [list, click] : {std::pair{List1, &frmMirabo::List1_Click}, std::pair{List2, &frmMirabo::List2_Click},
                             std::pair{List3, &frmMirabo::List3_Click}}) {
    connect(list, &QListWidget::itemSelectionChanged, this, [this, list, click] {
      if (list->FirstSelectedRow() >= 0) (this->*click)();
    });
    connect(list, &ExtentList::selectedLineClickedAgain, this, click);
  }
  connect(List3, &QListWidget::itemDoubleClicked, this, &frmMirabo::List3_DblClick);
  connect(Command1, &QPushButton::clicked, this, &frmMirabo::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &frmMirabo::Command2_Click);
  connect(Command3, &QPushButton::clicked, this, &frmMirabo::Command3_Click);
  connect(Command4, &QPushButton::clicked, this, &frmMirabo::Command4_Click);
  connect(Command5, &QPushButton::clicked, this, &frmMirabo::Command5_Click);
  connect(Command6, &QPushButton::clicked, this, &frmMirabo::Command6_Click);
  connect(Option1, &QRadioButton::toggled, this, [this](bool on) { if (on) Option1_Click(); });
  connect(Option2, &QRadioButton::toggled, this, [this](bool on) { if (on) Option2_Click(); });
  // As in any option group, the tab key stops only at the chosen option of each group.
  for (QRadioButton* option : findChildren<QRadioButton*>()) {
    option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    connect(option, &QRadioButton::toggled, option,
            [option](bool on) { option->setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus); });
  }
  Text1->installEventFilter(this);
  connect(Timer1, &QTimer::timeout, this, &frmMirabo::Timer1_Timer);
  connect(Label3, &LinkLabel::mouseDown, this, &frmMirabo::Label3_MouseDown);
  connect(Label3, &LinkLabel::mouseUp, this, &frmMirabo::Label3_MouseUp);
  connect(Label3, &LinkLabel::clicked, this, &frmMirabo::Label3_Click);
  connect(mEnd, &QAction::triggered, this, &frmMirabo::mEnd_Click);
  connect(mHelp, &QAction::triggered, this, &frmMirabo::mHelp_Click);
  connect(mInfo, &QAction::triggered, this, &frmMirabo::mInfo_Click);
  connect(mDownload, &QAction::triggered, this, &frmMirabo::mDownload_Click);
  connect(mChooseFile, &QAction::triggered, this, &frmMirabo::mChooseFile_Click);
  setAcceptDrops(true);
  connect(mListCheck, &QAction::triggered, this, &frmMirabo::mListCheck_Click);
  BuildCopyMenu();
}

// The tab key visits the controls that take the focus in the order of their tab indexes.
void frmMirabo::SetTabOrder() {
  QList<std::pair<int, QWidget*>> order;
  for (const ControlSpec& row : ControlTable()) {
    if (row.tabIndex < 0 || row.kind == ControlKind::Frame || row.kind == ControlKind::Label) continue;
    order.append({row.tabIndex, findChild<QWidget*>(QString::fromLatin1(row.name))});
  }
  std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1].second, order[i].second);
  for (QWidget* label : {static_cast<QWidget*>(Label2), static_cast<QWidget*>(Label3)}) label->setFocusPolicy(Qt::NoFocus);
  for (QWidget* button : {static_cast<QWidget*>(Command5), static_cast<QWidget*>(Command6)}) button->setFocusPolicy(Qt::NoFocus);
}

bool frmMirabo::eventFilter(QObject* watched, QEvent* event) {
  if (watched != Text1) return QMainWindow::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::FocusIn: Text1_GotFocus(); break;
    case QEvent::FocusOut: {
      // Focus that leaves with the window's activation, or for a menu or popup, is not
      // the search box's to take back: only a move to another control of this window is.
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && reason != Qt::MenuBarFocusReason)
        Text1_LostFocus();
      break;
    }
    case QEvent::KeyPress: return Text1_KeyDown(*static_cast<QKeyEvent*>(event));
    case QEvent::ContextMenu:
      // The search box keeps the focus, so the Menu key reaches the result list from
      // here: it opens the menu of the line chosen there, if any, else the box's own.
      if (static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard &&
          List3->FirstSelectedRow() >= 0) {
        QContextMenuEvent forwarded(QContextMenuEvent::Keyboard, {}, {});
        QCoreApplication::sendEvent(List3, &forwarded);
        return true;
      }
      break;
    default: break;
  }
  return QMainWindow::eventFilter(watched, event);
}

void frmMirabo::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  Form_Resize();
  FitOuterSizeToFrame();
}

void frmMirabo::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  FitOuterSizeToFrame();
}

void frmMirabo::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  FitOuterSizeToFrame();
}

void frmMirabo::MoveWindowTwips(int left, int top, int width, int height) {
  const double tpp = TwipsPerPixel();
  move(TwipsToPixels(left, tpp), TwipsToPixels(top, tpp));
  SetOuterSize(QSize(TwipsToPixels(width, tpp), TwipsToPixels(height, tpp)));
}

void frmMirabo::SetOuterHeightTwips(int height) {
  SetOuterSize(QSize(width() + OuterFrame(this).width(), TwipsToPixels(height, TwipsPerPixel())));
}

void frmMirabo::SetOuterSize(const QSize& outer) {
  outerSize_ = outer;
  frameUsed_ = OuterFrame(this);
  resize(outer - frameUsed_);
}

// The window manager's frame is known only after the window is shown, and its size may
// differ from the one assumed: the outer size last set is then made true again, unless
// the user has resized the window since.
void frmMirabo::FitOuterSizeToFrame() {
  if (!outerSize_.isValid() || !isVisible() || size() != outerSize_ - frameUsed_) return;
  const QSize frame = OuterFrame(this);
  if (frame == frameUsed_) return;
  frameUsed_ = frame;
  resize(outerSize_ - frame);
}

}  // namespace mirabo

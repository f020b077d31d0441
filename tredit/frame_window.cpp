#include "frame_window.h"

#include <QtCore/QEvent>
#include <QtCore/QPointer>
#include <QtCore/QSettings>
#include <QtGui/QAction>
#include <QtGui/QUndoGroup>
#include <QtGui/QUndoStack>
#include <QtPrintSupport/QPrinter>
#include <QtWidgets/QAbstractItemView>
#include <QtWidgets/QCompleter>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMdiSubWindow>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QStatusBar>
#include <QtWidgets/QVBoxLayout>
#include <algorithm>

#include "error_box.h"
#include "focus_return.h"
#include "glyphs.h"
#include "map_file_dialogs.h"
#include "map_window.h"
#include "number_dialog.h"
#include "recovery_session.h"

TfrmTrain::TfrmTrain(QWidget* Parent) : QMainWindow(Parent) {
  setWindowTitle(QStringLiteral("Train Map Editor"));
  move(212, 124);
  // Wide enough for the whole tool bar, the curve and measure tools included.
  resize(640, 300);
  setAcceptDrops(true);

  // The map windows fill the client area above the tool bar.
  auto* client = new QWidget(this);
  auto* layout = new QVBoxLayout(client);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  MdiArea = new QMdiArea(client);
  layout->addWidget(MdiArea, 1);
  CreateToolBar();
  layout->addWidget(Panel1);
  setCentralWidget(client);
  CreateStatusBar();
  // Everything inside keeps its size: the frame grows by the status bar.
  resize(width(), height() + statusBar()->sizeHint().height());

  CreateMenus();
  CreateOpenDialog();
  connect(MdiArea, &QMdiArea::subWindowActivated, this,
          &TfrmTrain::ShowModifiedMark);
  connect(MdiArea, &QMdiArea::subWindowActivated, this, &TfrmTrain::ShowStatus);
  AskOpenFileName = [this] { return ExecOpenDialog(); };
  AskGridSpacing = [this](QString& Text) {
    return TNumberDialog::Ask(this, QStringLiteral("Raster"),
                              QStringLiteral("&Metres per grid line:"), Text);
  };
  ShowError = [this](const QString& Message) { ShowErrorBox(this, Message); };
  AskSaveChanges = [this](const QString& Name) {
    return AskSaveChangesBox(this, Name);
  };
  ReturnFocusToFrameAfterDialogs(*this);
}

// The map windows go with the frame's base classes, after this part of it:
// nothing they do on the way out may reach back into it.
TfrmTrain::~TfrmTrain() {
  MdiArea->disconnect(this);
  UndoGroup->disconnect();
  // The recovery session goes before the map windows: they must not reach
  // its store on their way out.
  // Nor may they report their status to it.
  for (TfrmMap* map : MapWindows()) {
    map->Document().Recovery = nullptr;
    map->StatusChanged = [] {};
    map->WayChanged = [] {};
    map->RunChanged = [] {};
    map->disconnect(this);
  }
}

void TfrmTrain::CreateMenus() {
  mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
  const auto item = [this](const char* Caption, void (TfrmTrain::*Click)()) {
    QAction* action = mnuFile->addAction(QString::fromLatin1(Caption));
    connect(action, &QAction::triggered, this, Click);
    return action;
  };
  mnuNew = item("&New", &TfrmTrain::mnuNewClick);
  mnuOpen = item("&Open", &TfrmTrain::mnuOpenClick);
  mnuRecent = new QMenu(QStringLiteral("Recent &Files"), mnuFile);
  mnuFile->addMenu(mnuRecent);
  connect(mnuRecent, &QMenu::aboutToShow, this, &TfrmTrain::FillRecentMenu);
  mnuImport = item("&Import...", &TfrmTrain::mnuImportClick);
  mnuSave = item("&Save", &TfrmTrain::mnuSaveClick);
  mnuSaveAs = item("Save &As...", &TfrmTrain::mnuSaveAsClick);
  // Not "&Export": E is Exit's key, and a key shared by two items only
  // moves between them.
  mnuExportImage = item("E&xport Image...", &TfrmTrain::mnuExportImageClick);
  mnuExportData = item("Export &Data...", &TfrmTrain::mnuExportDataClick);
  // Not "Export &PDF": P is Print's key, D Export Data's.
  mnuExportPdf = item("Expor&t PDF...", &TfrmTrain::mnuExportPdfClick);
  mnuPrint = item("&Print...", &TfrmTrain::mnuPrintClick);
  mnuClose = item("&Close", &TfrmTrain::mnuCloseClick);
  mnuFile->addSeparator();
  mnuExit = item("&Exit", &TfrmTrain::mnuExitClick);
  mnuNew->setShortcut(QKeySequence::New);
  mnuOpen->setShortcut(QKeySequence::Open);
  mnuSave->setShortcut(QKeySequence::Save);
  mnuSaveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  mnuClose->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
  mnuExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  mnuPrint->setShortcut(QKeySequence::Print);
  CreatePrintItems();
  CreateExchangeItems();
  CreateEditMenu();
  CreateViewMenu();

  CreateSettingsAndMapMenus();
  CreateWindowMenu();
  CreateToolsMenu();
  CreateHelpMenu();
}

void TfrmTrain::CreateSettingsAndMapMenus() {
  Settings1 = menuBar()->addMenu(QStringLiteral("&Settings"));
  mnuRaster = Settings1->addAction(QStringLiteral("&Raster..."));
  connect(mnuRaster, &QAction::triggered, this, &TfrmTrain::mnuRasterClick);
  mnuMap = menuBar()->addMenu(QStringLiteral("&Map"));
  mnuScale = mnuMap->addAction(QStringLiteral("&Scale..."));
  mnuBackground = mnuMap->addAction(QStringLiteral("&Background"));
  connect(mnuScale, &QAction::triggered, this, &TfrmTrain::mnuScaleClick);
  connect(mnuBackground, &QAction::triggered, this,
          &TfrmTrain::mnuBackgroundClick);
  ShowMapMenu();
  connect(MdiArea, &QMdiArea::subWindowActivated, this,
          &TfrmTrain::ShowMapMenu);
}

// The Map menu belongs to the map windows: it shows while one is active.
void TfrmTrain::ShowMapMenu() {
  mnuMap->menuAction()->setVisible(MdiArea->currentSubWindow() != nullptr);
}

void TfrmTrain::CreateWindowMenu() {
  mnuWindow = menuBar()->addMenu(QStringLiteral("&Window"));
  mnuNewView = mnuWindow->addAction(QStringLiteral("New &View"));
  connect(mnuNewView, &QAction::triggered, this,
          [this] { Guarded([this] { NewView(); }); });
  mnuCascade = mnuWindow->addAction(QStringLiteral("&Cascade"));
  mnuTile = mnuWindow->addAction(QStringLiteral("&Tile"));
  connect(mnuCascade, &QAction::triggered, MdiArea,
          &QMdiArea::cascadeSubWindows);
  connect(mnuTile, &QAction::triggered, MdiArea, &QMdiArea::tileSubWindows);
  connect(mnuWindow, &QMenu::aboutToShow, this, &TfrmTrain::FillWindowMenu);
}

void TfrmTrain::FillWindowMenu() {
  // The list of windows below the three commands is made anew each time.
  const QList<QAction*> items = mnuWindow->actions();
  for (qsizetype i = 3; i < items.size(); ++i) delete items[i];
  const QList<QMdiSubWindow*> children =
      MdiArea->subWindowList(QMdiArea::CreationOrder);
  if (children.isEmpty()) return;
  mnuWindow->addSeparator();
  QMdiSubWindow* const active = MdiArea->currentSubWindow();
  for (qsizetype i = 0; i < children.size(); ++i) {
    QMdiSubWindow* child = children[i];
    QString caption = child->widget()->windowTitle();
    caption.replace(QStringLiteral("[*]"), child->widget()->isWindowModified()
                                               ? QStringLiteral("*")
                                               : QString());
    // The first nine get a digit to pick them with.
    const QString prefix =
        i < 9 ? QStringLiteral("&%1 ").arg(i + 1) : QString();
    QAction* pick = mnuWindow->addAction(prefix + caption);
    pick->setCheckable(true);
    pick->setChecked(child == active);
    connect(pick, &QAction::triggered, this,
            [this, window = QPointer<QMdiSubWindow>(child)] {
              if (window) MdiArea->setActiveSubWindow(window);
            });
  }
}

void TfrmTrain::CreateEditMenu() {
  mnuEdit = menuBar()->addMenu(QStringLiteral("&Edit"));
  mnuUndo = mnuEdit->addAction(QStringLiteral("&Undo"));
  mnuUndo->setShortcut(QKeySequence::Undo);
  mnuRedo = mnuEdit->addAction(QStringLiteral("&Redo"));
  mnuRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y),
                         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  connect(mnuUndo, &QAction::triggered, this, &TfrmTrain::mnuUndoClick);
  connect(mnuRedo, &QAction::triggered, this, &TfrmTrain::mnuRedoClick);
  CreateSelectionItems();

  // The items show the group's active history, which is the active window's.
  UndoGroup = new QUndoGroup(this);
  const auto caption = [](QAction* Item, const char* Verb,
                          const QString& Step) {
    const QString verb = QString::fromLatin1(Verb);
    Item->setText(Step.isEmpty() ? verb : verb + u' ' + Step);
  };
  connect(UndoGroup, &QUndoGroup::canUndoChanged, mnuUndo,
          &QAction::setEnabled);
  connect(UndoGroup, &QUndoGroup::canRedoChanged, mnuRedo,
          &QAction::setEnabled);
  connect(UndoGroup, &QUndoGroup::undoTextChanged, this,
          [this, caption](const QString& Step) {
            caption(mnuUndo, "&Undo", Step);
          });
  connect(UndoGroup, &QUndoGroup::redoTextChanged, this,
          [this, caption](const QString& Step) {
            caption(mnuRedo, "&Redo", Step);
          });
  mnuUndo->setEnabled(false);
  mnuRedo->setEnabled(false);
  connect(MdiArea, &QMdiArea::subWindowActivated, this, [this] {
    if (TfrmMap* map = ActiveMap()) {
      UndoGroup->setActiveStack(map->Document().UndoStack());
    }
  });
}

void TfrmTrain::CreateOpenDialog() {
  OpenDialog1 = new QFileDialog(this);
  ConfigureOpenMapDialog(*OpenDialog1);
}

std::optional<QString> TfrmTrain::ExecOpenDialog() {
  const int answer = OpenDialog1->exec();
  // The name field's completion list would stay on the screen while a
  // large map loads.
  for (QCompleter* completer : OpenDialog1->findChildren<QCompleter*>()) {
    completer->popup()->hide();
  }
  if (answer != QDialog::Accepted) return std::nullopt;
  const QString name = OpenDialog1->selectedFiles().value(0);
  OpenDialog1->selectFile(name);
  return name;
}

TfrmMap* TfrmTrain::ActiveMap() const {
  QMdiSubWindow* child = MdiArea->currentSubWindow();
  if (child == nullptr) {
    // Closing the active window may leave none current for a moment while
    // others remain: the one active most recently stands in.
    const auto children =
        MdiArea->subWindowList(QMdiArea::ActivationHistoryOrder);
    if (children.isEmpty()) return nullptr;
    child = children.last();
  }
  // Every child is a map window; anything else is a fault, reported.
  return &dynamic_cast<TfrmMap&>(*child->widget());
}

TfrmMap* TfrmTrain::NewMapWindow() {
  auto document = std::make_shared<TMapDocument>();
  if (Recovery != nullptr) {
    document->Recovery = Recovery->Store();
    document->RecoveryEntry = Recovery->NewEntry();
  }
  return AddMapWindow(std::move(document));
}

TfrmMap* TfrmTrain::NewView() {
  const TfrmMap* active = ActiveMap();
  return active != nullptr ? AddMapWindow(active->SharedDocument()) : nullptr;
}

TfrmMap* TfrmTrain::AddMapWindow(std::shared_ptr<TMapDocument> Document) {
  auto* map = new TfrmMap(nullptr, nullptr, Document);
  map->ModeButtons = this;
  map->FileUsed = [this](const QString& Name) { RememberFile(Name); };
  map->TrackPropertiesDialog = frmTrackPr;
  map->TrainPropertiesDialog = TrainProps;
  map->ShowError = [this](const QString& Message) { ShowError(Message); };
  map->StatusChanged = [this, map] {
    if (map == ActiveMap()) ShowStatus();
  };
  map->WayChanged = [this, map] { ListWay(map); };
  map->SetRunSpeedUp(RunSpeedUp);
  map->RunChanged = [this, map] {
    if (map == ActiveMap()) ShowRunState();
  };
  // A widget tells of its end while its pointers still name it; only its
  // QWidget is left by then, and with it goes its way.
  connect(map, &QObject::destroyed, this, [this](QObject* Gone) {
    if (static_cast<QObject*>(WayMap.data()) == Gone) WayMap = nullptr;
    if (WayMap == nullptr) HideWay();
  });
  map->AskSaveChanges = [this](const QString& Name) {
    return AskSaveChanges(Name);
  };
  QMdiSubWindow* child = MdiArea->addSubWindow(map);
  // Closing a map window frees it, and with the last one of its document
  // the map, once its unsaved changes are saved or given up.
  child->setAttribute(Qt::WA_DeleteOnClose);
  // The toolkit's own logo would stand in the menu bar otherwise.
  child->setWindowIcon(GlyphIcon(TGlyph::BuildTrack));
  LeaveMenuKeysToMenus(*child);
  QUndoStack* history = Document->UndoStack();
  if (!UndoGroup->stacks().contains(history)) UndoGroup->addStack(history);
  child->showMaximized();
  MdiArea->setActiveSubWindow(child);
  UndoGroup->setActiveStack(history);
  return map;
}

std::vector<TMapDocument*> TfrmTrain::Documents() const {
  std::vector<TMapDocument*> documents;
  for (TfrmMap* map : MapWindows()) {
    TMapDocument* document = &map->Document();
    if (std::find(documents.begin(), documents.end(), document) ==
        documents.end()) {
      documents.push_back(document);
    }
  }
  return documents;
}

namespace {

// The keys of every item of Menu and of the menus inside it.
void CollectKeys(const QMenu& Menu, QList<QKeySequence>& Keys) {
  for (const QAction* action : Menu.actions()) {
    Keys << action->shortcuts();
    if (action->menu() != nullptr) CollectKeys(*action->menu(), Keys);
  }
}

}  // namespace

void TfrmTrain::LeaveMenuKeysToMenus(QMdiSubWindow& Child) {
  QMenu* own = Child.systemMenu();
  if (own == nullptr) return;
  QList<QKeySequence> taken;
  for (const QAction* item : menuBar()->actions()) {
    if (item->menu() != nullptr) CollectKeys(*item->menu(), taken);
  }
  for (QAction* action : own->actions()) {
    QList<QKeySequence> keys = action->shortcuts();
    keys.removeIf(
        [&taken](const QKeySequence& Key) { return taken.contains(Key); });
    action->setShortcuts(keys);
  }
}

void TfrmTrain::changeEvent(QEvent* Event) {
  QMainWindow::changeEvent(Event);
  if (Event->type() == QEvent::ModifiedChange ||
      Event->type() == QEvent::WindowTitleChange) {
    ShowModifiedMark();
  }
}

void TfrmTrain::ShowModifiedMark() {
  // The caption is set before the map area is made.
  if (MdiArea == nullptr) return;
  // Only a caption with a maximised window's has room for the mark.
  const TfrmMap* map = ActiveMap();
  const bool modified = map != nullptr && map->isWindowModified() &&
                        windowTitle().contains(QStringLiteral("[*]"));
  // Qt reports every setting as a change, also of the same value.
  if (modified != isWindowModified()) setWindowModified(modified);
}

QList<TfrmMap*> TfrmTrain::MapWindows() const {
  QList<TfrmMap*> maps;
  for (QMdiSubWindow* child : MdiArea->subWindowList(QMdiArea::CreationOrder)) {
    maps.push_back(&dynamic_cast<TfrmMap&>(*child->widget()));
  }
  return maps;
}

void TfrmTrain::SetPropertiesDialogs(TfrmTrackPr* Track, TTrainProps* Train) {
  frmTrackPr = Track;
  TrainProps = Train;
  for (TfrmMap* map : MapWindows()) {
    map->TrackPropertiesDialog = Track;
    map->TrainPropertiesDialog = Train;
  }
}

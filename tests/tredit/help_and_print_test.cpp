#include <QtCore/QProcess>
#include <QtCore/QRegularExpression>
#include <QtCore/QTimer>
#include <QtPrintSupport/QPrinter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QTreeWidget>

#include "frame_fixture.h"
#include "shortcuts_window.h"
#include "tr_version.h"

namespace {

QString Plain(QString Text) { return Text.remove(u'&'); }

// The rows the shortcuts window shows, as "Command = Keys".
QStringList ShownShortcuts(TfrmTrain& Frame) {
  QStringList rows;
  Frame.ShowHelpDialog = [&rows](QDialog& Dialog) {
    auto* list = Dialog.findChild<QTreeWidget*>();
    ASSERT_NE(list, nullptr);
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
      rows << list->topLevelItem(i)->text(0) + " = " +
                  list->topLevelItem(i)->text(1);
    }
  };
  Frame.mnuShortcuts->trigger();
  return rows;
}

// Every item with keys in the menus of the menu bar, found by walking them.
void MenuItemsWithKeys(const QMenu& Menu, const QString& Path,
                       QStringList& Items) {
  for (QAction* item : Menu.actions()) {
    const QString command = Path + " > " + Plain(item->text());
    if (item->menu() != nullptr) {
      MenuItemsWithKeys(*item->menu(), command, Items);
    } else if (!item->shortcut().isEmpty()) {
      QStringList keys;
      for (const QKeySequence& key : item->shortcuts()) keys << key.toString();
      Items << command + " = " + keys.join(", ");
    }
  }
}

TEST_F(FrameTest, HelpComesLastWithShortcutsAboutAndAboutQt) {
  const QList<QAction*> menus = Frame->menuBar()->actions();
  EXPECT_EQ(menus.back()->text(), "&Help");
  QStringList captions;
  for (QAction* item : Frame->mnuHelp->actions()) captions << item->text();
  EXPECT_EQ(captions, QStringList({"&Keyboard Shortcuts",
                                   "&About Train Map Editor", "About &Qt"}));

  QString about;
  Frame->ShowHelpDialog = [&about](QDialog& Dialog) {
    about = dynamic_cast<QMessageBox&>(Dialog).text();
  };
  Frame->mnuAboutClick();
  for (const QString& part :
       {QStringLiteral("Train Map Editor " TR_VERSION),
        QStringLiteral("Licence: " TR_LICENSE),
        QStringLiteral("Qt %1").arg(qVersion()), QStringLiteral("zlib ")}) {
    EXPECT_TRUE(about.contains(part)) << part.toStdString();
  }

  // Qt's own box, closed as soon as it shows.
  QString title;
  QTimer::singleShot(0, [&title] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    title = box->windowTitle();
    box->close();
  });
  Frame->mnuAboutQt->trigger();
  EXPECT_EQ(title, "About Qt");
}

// The list is read from the actions when it is asked for: it has every
// item of the menus that has keys, and what is added later.
TEST_F(FrameTest, ShortcutsWindowListsEveryActionWithKeysAsTheyAreNow) {
  const QStringList shown = ShownShortcuts(*Frame);
  QStringList items;
  for (QAction* menu : Frame->menuBar()->actions()) {
    MenuItemsWithKeys(*menu->menu(), Plain(menu->text()), items);
  }
  EXPECT_GT(items.size(), 12);
  for (const QString& item : items) {
    EXPECT_TRUE(shown.contains(item)) << item.toStdString();
  }
  for (const char* row :
       {"File > Print... = Ctrl+P", "Edit > Redo = Ctrl+Y, Ctrl+Shift+Z",
        "Tools > Check Map = F7"}) {
    EXPECT_TRUE(shown.contains(row)) << row;
  }
  // Each row names its command; the actions inside the frame's dialogs are
  // theirs, not the frame's.
  for (const QString& row : shown) {
    EXPECT_FALSE(row.startsWith(" = ")) << row.toStdString();
  }
  // Print's key is its own.
  EXPECT_EQ(shown.filter(QRegularExpression(" = (.*, )?Ctrl\\+P(,|$)")).size(),
            1);

  QAction* later = Frame->Settings1->addAction("&Later");
  later->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_L));
  EXPECT_TRUE(ShownShortcuts(*Frame).contains("Settings > Later = Ctrl+Alt+L"));
}

QString PdfInfo(const QString& File) {
  QProcess info;
  info.start("pdfinfo", {File});
  EXPECT_TRUE(info.waitForFinished(30000));
  return QString::fromUtf8(info.readAllStandardOutput());
}

// Print goes through its preview, here one that prints into a PDF file;
// the pages dialog tells how many pages the scale typed takes.
TEST_F(FrameTest, PrintAsksWhatToPrintAndShowsItInThePreview) {
  QTemporaryDir folder;
  DrawTrack(Frame->ActiveMap());
  TPrintRequest asked;
  const auto defaultAsk = Frame->AskPrintRequest;
  QString pagesText;
  Frame->AskPrintRequest = [&](TPrintRequest& Request,
                               const QPageLayout& Page) {
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->windowTitle(), "Print");
      for (QRadioButton* button : dialog->findChildren<QRadioButton*>()) {
        if (button->text() == "At &scale 1:") button->setChecked(true);
      }
      dialog->findChild<QSpinBox*>()->setValue(200);
      for (QLabel* label : dialog->findChildren<QLabel*>()) {
        if (label->text().contains("pages")) pagesText = label->text();
      }
      dialog->accept();
    });
    const bool answer = defaultAsk(Request, Page);
    asked = Request;
    return answer;
  };
  const QString file = folder.filePath("printed.pdf");
  int painted = 0;
  Frame->ShowPrintPreview = [&](QPrinter& Printer,
                                const std::function<void(QPrinter&)>& Paint) {
    Printer.setOutputFormat(QPrinter::PdfFormat);
    Printer.setOutputFileName(file);
    Printer.setPageLayout(PdfPageLayout(QPageSize::A4, QPageLayout::Portrait));
    Paint(Printer);
    ++painted;
  };
  Frame->mnuPrint->trigger();
  EXPECT_EQ(asked.Extent, TPrintExtent::Scale);
  EXPECT_EQ(asked.Scale, 200);
  EXPECT_EQ(painted, 1);
  // A track of 80 m on 190 mm across, 400 mm at 1:200: three pages.
  EXPECT_TRUE(pagesText.startsWith("3 pages, 3 across and 1 down of A4"))
      << pagesText.toStdString();
  EXPECT_TRUE(PdfInfo(file).contains(QRegularExpression("Pages:\\s+3\n")));
  EXPECT_TRUE(Errors.empty());
}

TEST_F(FrameTest, ExportPdfWritesThePagesOnThePaperChosenAndTellsWhatFails) {
  QTemporaryDir folder;
  DrawTrack(Frame->ActiveMap());
  const QString file = folder.filePath("plan.pdf");
  QString offered;
  Frame->AskPdfFileName = [&](QString& Name) {
    offered = Name;
    Name = file;
    return true;
  };
  Frame->AskPdfRequest = [](TPrintRequest& Request, TPdfPaper& Paper) {
    Request.Extent = TPrintExtent::View;
    Paper = {QPageSize::A5, QPageLayout::Landscape};
    return true;
  };
  Frame->mnuExportPdf->trigger();
  EXPECT_EQ(offered, "map.pdf");
  const QString info = PdfInfo(file);
  EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\n")))
      << info.toStdString();
  EXPECT_TRUE(info.contains("(A5)")) << info.toStdString();
  EXPECT_TRUE(
      info.contains(QRegularExpression("Page size:\\s+595[.0-9]* x 4[12]")))
      << info.toStdString();
  EXPECT_EQ(Frame->PdfPaper.Size, QPageSize::A5);
  EXPECT_TRUE(Errors.empty());

  // Too many pages: said, and the old file stays.
  DrawTrack(Frame->ActiveMap(), 300);
  Frame->AskPdfRequest = [](TPrintRequest& Request, TPdfPaper&) {
    Request = {TPrintExtent::Scale, 1};
    return true;
  };
  const QByteArray before = [&] {
    QFile f(file);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
  }();
  Frame->mnuExportPdf->trigger();
  ASSERT_EQ(Errors.size(), 1u);
  EXPECT_TRUE(Errors[0].contains("at most 500")) << Errors[0].toStdString();
  QFile after(file);
  ASSERT_TRUE(after.open(QIODevice::ReadOnly));
  EXPECT_EQ(after.readAll(), before);
}

}  // namespace

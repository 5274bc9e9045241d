// The Neighborhood page's maintenance from the window, on the demo neighborhoods: the backup
// buttons, the stored-backups tree with its menus, and replacing the neighborhood picture.

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <filesystem>

#include "BmpVariants.h"
#include "FakeDialogs.h"
#include "ScopedEnvironment.h"
#include "WindowFixture.h"
#include "WinePrefix.h"
#include "core/maintenance/Backups.h"
#include "core/maintenance/NeighborhoodPicture.h"
#include "core/platform/FileIO.h"
#include "gui/shell/QtDialogs.h"

namespace kinloom::gui {
namespace {

namespace fs = std::filesystem;
using test_window::ArchiveStart;
using test_window::WindowTest;

// What a popup menu offered.
struct MenuSeen {
    QString name;
    QStringList items;
};

class MaintenanceUiTest : public WindowTest {
protected:
    // The archive starts empty; the tests that want a backup make it.
    MaintenanceUiTest() : WindowTest(ArchiveStart::Empty) {}

    // The desktop trash of this test: a fresh home whose data folder is made on first use.
    test::ScopedEnvironment home{"HOME", (temp / "home").string()};
    test::ScopedEnvironment dataHome{"XDG_DATA_HOME",
                                     (temp / "home" / ".local" / "share").string()};
    test::FakeDialogs dialogs;

    fs::path TrashFiles() { return temp / "home" / ".local" / "share" / "Trash" / "files"; }
    fs::path Hood(const std::string& folder) {
        return editor->Startup().NeighborhoodsFolder / folder;
    }

    void SetUp() override {
        fs::create_directories(temp / "home");
        WindowTest::SetUp();
        settings.WriteText("NGBD", "N001");
        windowDialogs = &dialogs;
        ASSERT_TRUE(Start());
        ASSERT_EQ(editor->State().Selected.FolderName, "N001");
        messages.shown.clear();  // the reminder of the empty archive
    }

    QTreeWidget* Tree() { return child<QTreeWidget>("tvNGBD"); }

    // The tree item with this text; nullptr when there is none.
    QTreeWidgetItem* Item(const QString& text) {
        const auto found = Tree()->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.front();
    }

    // Opens a context menu as a right click does, notes what it offers and picks the item with
    // the text choose (the menu is closed when choose is empty).
    MenuSeen RightClick(QWidget* target, const QPoint& pos, const QString& choose = {}) {
        MenuSeen seen;
        bool opened = false;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) return;
            opened = true;
            seen.name = menu->objectName();
            QAction* pick = nullptr;
            for (QAction* a : menu->actions()) {
                seen.items << a->text();
                if (a->text() == choose) pick = a;
            }
            if (pick) {
                menu->setActiveAction(pick);
                QTest::keyClick(menu, Qt::Key_Return);
            } else {
                QTest::keyClick(menu, Qt::Key_Escape);
            }
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, target->mapToGlobal(pos));
        QApplication::sendEvent(target, &event);
        EXPECT_TRUE(opened) << "no menu opened";
        return seen;
    }

    MenuSeen RightClickNode(const QString& text, const QString& choose = {}) {
        QTreeWidgetItem* item = Item(text);
        EXPECT_NE(item, nullptr) << text.toStdString();
        if (!item) return {};
        Tree()->scrollToItem(item);
        return RightClick(Tree()->viewport(), Tree()->visualItemRect(item).center(), choose);
    }

    // The only backup folder of the archive whose name starts with prefix.
    fs::path OnlyBackup(const std::string& prefix) {
        std::vector<fs::path> found;
        for (const auto& e : fs::directory_iterator(Archive()))
            if (e.path().filename().string().rfind(prefix, 0) == 0) found.push_back(e.path());
        EXPECT_EQ(found.size(), 1u);
        return found.empty() ? fs::path() : found.front();
    }
};

TEST_F(MaintenanceUiTest, EachTreeLevelOffersItsOwnMenu) {
    fs::create_directories(Archive() / "N001 01-01-2020 000000");
    fs::create_directories(Archive() / "G001 02-02-2020 000000");
    editor->ShowNeighborhoodPage();
    ASSERT_NE(Item("N001 - Neighborhood Backups"), nullptr);
    ASSERT_TRUE(Item("N001 - Neighborhood Backups")->isExpanded());  // the loaded one's group
    ASSERT_FALSE(Item("G001 - Neighborhood Backups")->isExpanded());

    struct Case {
        const char* node;
        const char* menu;
        QStringList items;
    };
    const Case cases[] = {
        {"Stored Backups", "popTreeviewExpand", {"Collapse", "Show Path"}},
        {"N001 - Neighborhood Backups", "popTreeviewExpand", {"Collapse", "Show Path"}},
        {"G001 - Neighborhood Backups", "popTreeviewExpand", {"Expand", "Show Path"}},
        {"N001 01-01-2020 000000", "popTreeviewNGBD", {"Restore", "Delete", "Show Path"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.node);
        Tree()->expandAll();
        Item("G001 - Neighborhood Backups")->setExpanded(false);
        Item("Stored Backups")->setExpanded(true);
        Item("N001 - Neighborhood Backups")->setExpanded(true);
        const MenuSeen seen = RightClickNode(c.node);
        EXPECT_EQ(seen.name, c.menu);
        EXPECT_EQ(seen.items, c.items);
        EXPECT_EQ(Tree()->currentItem(), Item(c.node)) << "a right click selects the node";
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MaintenanceUiTest, ExpandCollapseAndShowPathFromTheMenus) {
    fs::create_directories(Archive() / "N001 01-01-2020 000000");
    fs::create_directories(Archive() / "G001 02-02-2020 000000");
    editor->ShowNeighborhoodPage();
    QTreeWidgetItem* root = Item("Stored Backups");
    QTreeWidgetItem* g001 = Item("G001 - Neighborhood Backups");

    RightClickNode("G001 - Neighborhood Backups", "Expand");
    EXPECT_TRUE(g001->isExpanded());
    RightClickNode("G001 - Neighborhood Backups", "Collapse");
    EXPECT_FALSE(g001->isExpanded());
    // Collapsing the root closes every group with it.
    g001->setExpanded(true);
    RightClickNode("Stored Backups", "Collapse");
    EXPECT_FALSE(root->isExpanded());
    EXPECT_FALSE(g001->isExpanded());
    EXPECT_FALSE(Item("N001 - Neighborhood Backups")->isExpanded());
    RightClickNode("Stored Backups", "Expand");
    EXPECT_TRUE(root->isExpanded());

    messages.shown.clear();
    RightClickNode("Stored Backups", "Show Path");
    Tree()->expandAll();
    RightClickNode("G001 02-02-2020 000000", "Show Path");
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0], (Archive() / "").string()) << "with its trailing separator";
    EXPECT_EQ(messages.shown[1], (Archive() / "G001 02-02-2020 000000").string());
}

TEST_F(MaintenanceUiTest, BackupThenRestoreBringsTheNeighborhoodBack) {
    const fs::path package = Hood("N001") / "N001_Neighborhood.package";
    const Bytes original = ReadWholeFile(package);
    const QString originalName = child<QLineEdit>("edtNGBDName")->text();

    int highestProgress = 0;
    const QMetaObject::Connection watch =
        QObject::connect(child<QProgressBar>("pbLoading"), &QProgressBar::valueChanged,
                         [&](int v) { highestProgress = std::max(highestProgress, v); });
    child<QPushButton>("btnBackup")->click();
    QObject::disconnect(watch);
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front();
    EXPECT_EQ(highestProgress, 100) << "the copy shows how far it has come";
    EXPECT_TRUE(window->Page("pnlNeighborhood")->isEnabled()) << "the busy state ended";
    const fs::path backup = OnlyBackup("N001 ");
    ASSERT_FALSE(backup.empty());
    EXPECT_EQ(ReadWholeFile(backup / "N001_Neighborhood.package"), original);
    // The new backup is listed under the loaded neighborhood's group, which is selected.
    const QString backupName = QString::fromStdString(backup.filename().string());
    ASSERT_NE(Item(backupName), nullptr);
    EXPECT_EQ(Tree()->currentItem(), Item("N001 - Neighborhood Backups"));

    // Rename and save: the package on disk changes.
    auto* name = child<QLineEdit>("edtNGBDName");
    name->setText("Renamed Town");
    emit name->textEdited(name->text());
    child<QPushButton>("btnSave")->click();
    const Bytes edited = ReadWholeFile(package);
    ASSERT_NE(edited, original);

    // The player was looking at a sim other than the first: it stays selected after the restore.
    auto* list = window->SimList();
    ASSERT_GT(list->count(), 1);
    const int last = list->count() - 1;
    list->setCurrentIndex(last);
    emit list->activated(last);
    ASSERT_NE(editor->SelectedSim(), nullptr);
    const fs::path looking = editor->SelectedSim()->FilePath;

    messages.script({true});
    RightClickNode(backupName, "Restore");
    ASSERT_EQ(messages.asked.size(), 1u);
    // The question names the backup kept of what is replaced, and that backup holds the save.
    const fs::path kept = [&] {
        for (const auto& e : fs::directory_iterator(Archive()))
            if (e.path().filename().string().ends_with(" (before restore)")) return e.path();
        return fs::path();
    }();
    ASSERT_FALSE(kept.empty()) << "no backup was made before the restore";
    EXPECT_EQ(messages.asked[0], RestoreQuestionText(Hood("N001"), kept.filename().string()));
    EXPECT_EQ(ReadWholeFile(kept / "N001_Neighborhood.package"), edited);
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front();

    EXPECT_EQ(ReadWholeFile(package), original);
    EXPECT_EQ(child<QLineEdit>("edtNGBDName")->text(), originalName) << "reloaded";
    EXPECT_TRUE(child<QComboBox>("cbNeighborhood")->currentText().startsWith("N001 : "));
    EXPECT_FALSE(child<QComboBox>("cbNeighborhood")->currentText().contains("Renamed"));
    ASSERT_NE(editor->SelectedSim(), nullptr);
    EXPECT_EQ(editor->SelectedSim()->FilePath, looking);
    EXPECT_EQ(list->currentIndex(), last);
    // The rename's step belonged to records the restore replaced: nothing is left to undo.
    EXPECT_FALSE(window->UndoButton()->isEnabled());
#ifndef _WIN32
    // The replaced folder waits in the desktop trash.
    EXPECT_EQ(ReadWholeFile(TrashFiles() / "N001" / "N001_Neighborhood.package"), edited);
#endif
    EXPECT_TRUE(window->Page("pnlNeighborhood")->isEnabled());
}

TEST_F(MaintenanceUiTest, RestoreCancelledOrOfAnotherNeighborhood) {
    const fs::path g001 = Hood("G001") / "G001_Neighborhood.package";
    const Bytes original = ReadWholeFile(g001);
    const fs::path backup = Archive() / "G001 02-02-2020 000000";
    fs::create_directories(backup);
    fs::copy(Hood("G001"), backup, fs::copy_options::recursive);
    test::WriteTextFile(backup / "note.txt", "from the backup");
    editor->ShowNeighborhoodPage();
    Tree()->expandAll();
    const Bytes loadedBefore = ReadWholeFile(Hood("N001") / "N001_Neighborhood.package");

    messages.script({false});
    RightClickNode("G001 02-02-2020 000000", "Restore");
    EXPECT_EQ(messages.asked.size(), 1u);
    EXPECT_FALSE(fs::exists(Hood("G001") / "note.txt")) << "cancelled";

    auto* name = child<QLineEdit>("edtNGBDName");
    name->setText("Unsaved");
    emit name->textEdited(name->text());
    messages.script({true});
    RightClickNode("G001 02-02-2020 000000", "Restore");
    EXPECT_TRUE(fs::exists(Hood("G001") / "note.txt"));
    EXPECT_EQ(ReadWholeFile(g001), original);
    // The loaded neighborhood is another one: it stays loaded with its edits.
    EXPECT_EQ(editor->State().Selected.FolderName, "N001");
    EXPECT_EQ(name->text(), "Unsaved");
    EXPECT_TRUE(child<QPushButton>("btnSave")->isEnabled());
    EXPECT_EQ(ReadWholeFile(Hood("N001") / "N001_Neighborhood.package"), loadedBefore);
}

TEST_F(MaintenanceUiTest, RestoringADeletedNeighborhoodAddsItToTheList) {
    const fs::path backup = Archive() / "G001 02-02-2020 000000";
    fs::copy(Hood("G001"), backup, fs::copy_options::recursive);
    fs::remove_all(Hood("G001"));
    // The list still holds G001 from start-up; a neighborhood it does not know is renamed N004.
    fs::rename(backup / "G001_Neighborhood.package", backup / "N004_Neighborhood.package");
    if (fs::exists(backup / "G001_Neighborhood.png"))
        fs::rename(backup / "G001_Neighborhood.png", backup / "N004_Neighborhood.png");
    fs::rename(backup, Archive() / "N004 02-02-2020 000000");
    editor->ShowNeighborhoodPage();
    Tree()->expandAll();
    auto* combo = child<QComboBox>("cbNeighborhood");
    const int before = combo->count();

    RightClickNode("N004 02-02-2020 000000", "Restore");
    EXPECT_TRUE(messages.asked.empty()) << "nothing to replace, nothing to ask";
    EXPECT_TRUE(fs::is_regular_file(Hood("N004") / "N004_Neighborhood.package"));
    ASSERT_EQ(combo->count(), before + 1);
    EXPECT_TRUE(combo->itemText(before).startsWith("N004 : "));
    EXPECT_EQ(combo->itemData(before).toString(), "N004");
    EXPECT_EQ(combo->currentIndex(), 0) << "the loaded neighborhood stays selected";
    EXPECT_EQ(editor->Startup().Neighborhoods.back().FolderName, "N004");
}

TEST_F(MaintenanceUiTest, DeleteSendsTheBackupToTheTrashAfterAsking) {
    const fs::path backup = Archive() / "N001 01-01-2020 000000";
    test::WriteTextFile(backup / "N001_Neighborhood.package", "pkg");
    editor->ShowNeighborhoodPage();

    messages.script({false});
    RightClickNode("N001 01-01-2020 000000", "Delete");
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(messages.asked[0], DeleteQuestionText(backup));
    EXPECT_TRUE(fs::exists(backup));

    messages.script({true});
    RightClickNode("N001 01-01-2020 000000", "Delete");
    EXPECT_FALSE(fs::exists(backup));
#ifndef _WIN32
    EXPECT_TRUE(fs::exists(TrashFiles() / backup.filename() / "N001_Neighborhood.package"));
#endif
    EXPECT_EQ(Item("N001 01-01-2020 000000"), nullptr) << "the tree was rebuilt";
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], BackupNotFoundText(editor->State().Selected));
    EXPECT_TRUE(window->Page("pnlNeighborhood")->isEnabled());
}

TEST_F(MaintenanceUiTest, ChangeBackupLocationUsesThePicker) {
    fs::create_directories(Archive() / "N001 01-01-2020 000000");
    test::WriteTextFile(Archive() / "N001 01-01-2020 000000" / "N001_Neighborhood.package", "p");
    const fs::path moved = temp / "moved";
    fs::create_directories(moved);

    // Cancelled: nothing changes.
    child<QPushButton>("btnArchiveLoc")->click();
    ASSERT_EQ(dialogs.starts.size(), 1u);
    EXPECT_EQ(dialogs.starts[0], Archive());
    EXPECT_EQ(settings.ReadText(kArchiveSetting), Archive().string());

    dialogs.folders.push_back(moved);
    messages.script({true});
    child<QPushButton>("btnArchiveLoc")->click();
    EXPECT_EQ(settings.ReadText(kArchiveSetting), moved.string());
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(messages.asked[0], MoveQuestionText("N001 01-01-2020 000000"));
    EXPECT_TRUE(fs::exists(moved / "N001 01-01-2020 000000" / "N001_Neighborhood.package"));
    // The page was opened again on the new location.
    ASSERT_NE(Item("N001 01-01-2020 000000"), nullptr);
    EXPECT_TRUE(window->Page("pnlNeighborhood")->isVisible());
}

class ReplacePictureTest : public MaintenanceUiTest {
protected:
    fs::path PictureFile() { return NeighborhoodPictureFile(editor->State().Selected); }

    fs::path WritePicture(const std::string& name, int width, int height, const char* format) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(QColor(40, 120, 200));
        const fs::path file = temp / name;
        EXPECT_TRUE(image.save(QString::fromStdString(file.string()), format));
        return file;
    }

    void ReplaceFromMenu() {
        auto* picture = child<QLabel>("imgNGBD");
        const MenuSeen seen = RightClick(picture, picture->rect().center(), "Replace Image");
        EXPECT_EQ(seen.items, QStringList{"Replace Image"});
    }
};

TEST_F(ReplacePictureTest, StoresThePictureFittedInto400x300) {
    struct Case {
        const char* name;
        int width, height;
        const char* format;
        int storedWidth, storedHeight;
    };
    const Case cases[] = {
        {"small.png", 300, 200, "PNG", 300, 200},
        {"large.jpg", 1600, 1200, "JPG", 400, 300},
        {"small.bmp", 200, 100, "BMP", 200, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.asked.clear();
        dialogs.filters.clear();
        dialogs.files.push_back(WritePicture(c.name, c.width, c.height, c.format));
        messages.script({true});
        ReplaceFromMenu();
        ASSERT_EQ(dialogs.filters.size(), 1u);
        EXPECT_EQ(dialogs.filters[0],
                  "All (*.png;*.jpg;*.jpeg;*.bmp)|*.png;*.jpg;*.jpeg;*.bmp|Portable Network "
                  "Graphics (*.png)|*.png|JPEG Image File (*.jpg)|*.jpg|JPEG Image File "
                  "(*.jpeg)|*.jpeg|Bitmap Files (*.bmp)|*.bmp");
        ASSERT_EQ(messages.asked.size(), 1u);
        EXPECT_EQ(messages.asked[0], kReplacePictureQuestion);
        EXPECT_TRUE(messages.shown.empty()) << messages.shown.front();
        const QImage stored(QString::fromStdString(PictureFile().string()), "PNG");
        ASSERT_FALSE(stored.isNull()) << "stored as PNG";
        EXPECT_EQ(stored.size(), QSize(c.storedWidth, c.storedHeight));
        EXPECT_FALSE(child<QLabel>("imgNGBD")->pixmap().isNull());
    }
}

// Pictures saved by other Windows programs: 16-bit, masked 32-bit and run-length encoded BMPs are
// stored pixel for pixel (they fit without scaling) and shown.
TEST_F(ReplacePictureTest, StoresEveryKindOfBmp) {
    for (const test::BmpVariant& v : test::BmpVariants()) {
        SCOPED_TRACE(v.Name);
        messages.asked.clear();
        const fs::path file = temp / "chosen.bmp";
        ReplaceFileAtomically(file, v.File);
        dialogs.files.push_back(file);
        messages.script({true});
        ReplaceFromMenu();
        EXPECT_EQ(messages.asked.size(), 1u);
        ASSERT_TRUE(messages.shown.empty()) << messages.shown.front();
        const QImage stored(QString::fromStdString(PictureFile().string()), "PNG");
        ASSERT_EQ(stored.size(), QSize(test::kVariantWidth, test::kVariantHeight));
        for (int y = 0; y < stored.height(); ++y) {
            for (int x = 0; x < stored.width(); ++x) {
                const Pixel& want = v.Expected[static_cast<std::size_t>(y * stored.width() + x)];
                EXPECT_EQ(stored.pixelColor(x, y), QColor(want.red, want.green, want.blue))
                    << x << "," << y;
            }
        }
        EXPECT_FALSE(child<QLabel>("imgNGBD")->pixmap().isNull());
    }
}

TEST_F(ReplacePictureTest, CancelOrAnUnreadablePictureLeavesTheOldOne) {
    const Bytes before = ReadWholeFile(PictureFile());
    const fs::path good = WritePicture("good.png", 300, 200, "PNG");
    const fs::path broken = temp / "broken.png";
    test::WriteTextFile(broken, "this is no picture");

    {
        SCOPED_TRACE("open dialog cancelled");
        ReplaceFromMenu();
        EXPECT_TRUE(messages.asked.empty());
    }
    {
        SCOPED_TRACE("chosen file gone");
        dialogs.files.push_back(temp / "missing.png");
        ReplaceFromMenu();
        EXPECT_TRUE(messages.asked.empty());
    }
    {
        SCOPED_TRACE("confirmation cancelled");
        dialogs.files.push_back(good);
        messages.script({false});
        ReplaceFromMenu();
        EXPECT_EQ(messages.asked.size(), 1u);
    }
    EXPECT_TRUE(messages.shown.empty());
    {
        SCOPED_TRACE("undecodable file");
        dialogs.files.push_back(broken);
        messages.script({true});
        ReplaceFromMenu();
        ASSERT_EQ(messages.shown.size(), 1u) << "the decoder's message";
        EXPECT_FALSE(messages.shown[0].empty());
    }
    EXPECT_EQ(ReadWholeFile(PictureFile()), before);
}

TEST(QtDialogsTest, TheProgramsFilterBecomesQtNameFilters) {
    EXPECT_EQ(QtDialogs::NameFilters("All (*.png;*.jpg;*.jpeg;*.bmp)|*.png;*.jpg;*.jpeg;*.bmp|"
                                     "Bitmap Files (*.bmp)|*.bmp"),
              (QStringList{"All (*.png *.jpg *.jpeg *.bmp)", "Bitmap Files (*.bmp)"}));
    // A caption without its patterns gets them all the same; a lone caption is dropped.
    EXPECT_EQ(QtDialogs::NameFilters("Pictures|*.png;*.bmp|Orphan"),
              QStringList{"Pictures (*.png *.bmp)"});
}

}  // namespace
}  // namespace kinloom::gui

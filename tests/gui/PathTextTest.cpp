// Folder names that are not UTF-8 (a backup folder copied from an old disk) are shown and handed
// back byte for byte; std::filesystem's own UTF-16 conversion would throw out of the window.

#include <gtest/gtest.h>
#include <QLabel>
#include <QTreeWidget>

#include <filesystem>
#include <string>

#include "Platform.h"
#include "core/maintenance/Backups.h"
#include "gui/neighborhoods/NeighborhoodPage.h"
#include "gui/shell/PathText.h"

namespace kinloom::gui {
namespace {

namespace fs = std::filesystem;

TEST(PathTextTest, ANameThatIsNotUtf8IsShownAndKeptExactly) {
    KINLOOM_LINUX_ONLY("a Windows name is UTF-16 and always converts");
    const fs::path archive = "/home/player/SimsBackups";
    const fs::path odd = archive / "N001" / std::string("Sch\xF6ntal 01-02-2026 120000");
    EXPECT_EQ(PathFromData(PathData(odd)), odd);
    EXPECT_TRUE(PathText(odd).startsWith("/home/player/SimsBackups/N001/Sch"));
    EXPECT_EQ(PathOfText(QString::fromUtf8("/home/Zo\xC3\xAB")), fs::path("/home/Zo\xC3\xAB"));

    // The backup tree and the game folder take such names without ending the window.
    NeighborhoodPage page;
    BackupTree tree;
    tree.Root = {0, "SimsBackups", archive, {{1, "N001", archive / "N001", {{2, "old", odd, {}}}}}};
    page.ShowBackups(tree);
    auto* view = page.findChild<QTreeWidget*>("tvNGBD");
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(view->topLevelItemCount(), 1);
    QTreeWidgetItem* group = view->topLevelItem(0)->child(0);
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group->childCount(), 1);
    EXPECT_EQ(NeighborhoodPage::NodeOf(*group->child(0)).Path, odd);

    page.ShowGameFolder(odd);
    EXPECT_TRUE(page.findChild<QLabel*>("lblGameFolder")->toolTip().contains("Sch"));
}

}  // namespace
}  // namespace kinloom::gui

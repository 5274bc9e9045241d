// "Export Sims..." on the Neighborhood page: every sim, as the window holds it, to the CSV or JSON
// file chosen; an existing file is replaced only after asking.

#include <QDir>
#include <QStandardPaths>
#include <nlohmann/json.hpp>

#include "CsvReader.h"
#include "FakeDialogs.h"
#include "WindowFixture.h"
#include "core/platform/FileIO.h"
#include "gui/shell/PathText.h"

namespace kinloom::gui {
namespace {

using test_window::WindowTest;
namespace fs = std::filesystem;

class ExportSimsTest : public WindowTest {
protected:
    test::FakeDialogs dialogs;
    void SetUp() override {
        WindowTest::SetUp();
        windowDialogs = &dialogs;
    }
    std::string Read(const fs::path& file) {
        const Bytes bytes = ReadWholeFile(file);
        return std::string(bytes.begin(), bytes.end());
    }
};

TEST_F(ExportSimsTest, EverySimGoesToTheChosenFileAndAnExistingOneIsAskedAbout) {
    ASSERT_TRUE(Start());
    // An unsaved rename is exported as the window shows it.
    editor->State().Sims[0]->FirstName = "Zo\xC3\xAB, \"the first\"";
    window->OpenPage("btnNeighborhood");
    const fs::path csv = temp / "sims.csv";
    dialogs.saves = {csv};
    child<QPushButton>("btnExportSims")->click();
    // The dialog opens among the player's documents, not in the game's folders.
    ASSERT_FALSE(dialogs.saved.empty());
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty() || !QDir(documents).exists()) documents = QDir::homePath();
    EXPECT_EQ(dialogs.saved.back().Folder, PathOfText(documents));
    EXPECT_EQ(dialogs.saved.back().FileName, "N001 sims.csv");
    const auto rows = test::ReadCsv(Read(csv));
    ASSERT_EQ(rows.size(), editor->State().Sims.size() + 1);
    EXPECT_EQ(rows[0][0], "Label");
    const auto first = std::find(rows[0].begin(), rows[0].end(), "FirstName") - rows[0].begin();
    EXPECT_EQ(rows[1][static_cast<std::size_t>(first)], "Zo\xC3\xAB, \"the first\"");
    EXPECT_NE(messages.shown.back().find("Exported"), std::string::npos);

    // Asked again with the same name: No keeps the file as it is.
    const std::string before = Read(csv);
    editor->State().Sims[0]->FirstName = "Other";
    dialogs.saves = {csv};
    messages.script({false});
    child<QPushButton>("btnExportSims")->click();
    EXPECT_EQ(messages.defaults.back(), DefaultAnswer::No);
    EXPECT_EQ(Read(csv), before);

    // A JSON file by its extension; a name without one becomes CSV.
    dialogs.saves = {temp / "sims.JSON", temp / "plain"};
    child<QPushButton>("btnExportSims")->click();
    const nlohmann::json j = nlohmann::json::parse(Read(temp / "sims.JSON"));
    ASSERT_EQ(j.size(), editor->State().Sims.size());
    EXPECT_EQ(j[0]["FirstName"], "Other");
    child<QPushButton>("btnExportSims")->click();
    EXPECT_TRUE(fs::exists(temp / "plain.csv"));
}

}  // namespace
}  // namespace kinloom::gui

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QEnterEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "FakeMessages.h"
#include "PackageBuilder.h"
#include "core/platform/Settings.h"
#include "gui/shell/HoverLabel.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/PicturesLibrary.h"
#include "gui/shell/ThinSlider.h"

namespace kinloom::gui {
namespace {

class MainWindowTest : public ::testing::Test {
protected:
    MemorySettings settings;
    test::FakeMessages messages;

    template <typename T>
    T* child(QWidget& w, const char* name) {
        T* c = w.findChild<T*>(name);
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
};

TEST_F(MainWindowTest, NavigationColumnInOrder) {
    MainWindow window(settings, messages);
    EXPECT_EQ(window.windowTitle(), "Kinloom 1.6");
    const std::pair<const char*, const char*> expected[] = {
        {"btnNeighborhood", "Neighborhood"},
        {"btnHouseHolds", "Households"},
        {"btnJobs", "Job/School"},
        {"btnSkills", "Skills/Needs"},
        {"btnPersonality", "Personality"},
        {"btnInterests", "Interests"},
        {"btnCharacters", "Character"},
        {"btnCloning", "Cloning Lab"},
        {"btnRelationships", "Relationships"},
        {"btnAspiration", "Aspiration/Influence"},
        {"btnFamilyTies", "Family Tree"},
        {"btnClose", "Close"},
        {"btnAbout", "About"},
        {"btnGenetics", "Genetics (DNA)"},
        {"btnHobbies", "Hobbies/Talents"},
        {"btnCheck", "Checkup"},
        {"btnFindSim", "Find Sim..."},
        {"btnUndo", "Undo"},
        {"btnRedo", "Redo"},
        {"btnRevertSim", "Revert Sim"},
    };
    QWidget* column = child<QWidget>(window, "pnlButtons");
    QList<QPushButton*> buttons = column->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(static_cast<std::size_t>(buttons.size()), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(expected[i].first);
        EXPECT_EQ(buttons[static_cast<int>(i)]->objectName(), expected[i].first);
        // The caption as given; the '&' only marks the button's key.
        EXPECT_EQ(buttons[static_cast<int>(i)]->text().remove('&'), expected[i].second);
    }
    // Save keeps its own place in the top bar, offered only once something changed.
    auto* save = child<QWidget>(window, "pnlTop")->findChild<QPushButton*>("btnSave");
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->text().remove('&'), "Save");
    EXPECT_FALSE(save->isEnabled());
}

TEST_F(MainWindowTest, PageSwitchAndCurrentButton) {
    MainWindow window(settings, messages);
    window.show();
    // Start-up shows the About page and marks its button.
    EXPECT_TRUE(window.Page("pnlAbout")->isVisible());
    EXPECT_FALSE(child<QPushButton>(window, "btnAbout")->isEnabled());

    child<QPushButton>(window, "btnSkills")->click();
    EXPECT_TRUE(window.Page("pnlSkills")->isVisible());
    EXPECT_TRUE(window.Page("pnlSkills")->isEnabled());
    EXPECT_FALSE(window.Page("pnlAbout")->isVisible());
    EXPECT_FALSE(window.Page("pnlAbout")->isEnabled());
    for (QPushButton* b : child<QWidget>(window, "pnlButtons")->findChildren<QPushButton*>()) {
        SCOPED_TRACE(b->objectName().toStdString());
        // Undo and Redo wait for an edit to take back.
        if (b->objectName() == "btnUndo" || b->objectName() == "btnRedo") continue;
        EXPECT_EQ(b->isEnabled(), b->objectName() != "btnSkills");
    }

    window.ShowPage("");
    for (const char* page : {"pnlSkills", "pnlAbout", "pnlNeighborhood"})
        EXPECT_FALSE(window.Page(page)->isVisible());
}

TEST_F(MainWindowTest, ColourSchemes) {
    {
        MainWindow window(settings, messages);  // "ColorScheme" absent: dark
        EXPECT_EQ(window.ColorScheme(), 1);
        EXPECT_EQ(window.SchemeBackground(), QColor(Qt::black));
        EXPECT_TRUE(child<QRadioButton>(window, "rbDarkScheme")->isChecked());
        window.show();
        EXPECT_TRUE(window.close());
    }
    EXPECT_EQ(settings.ReadInteger("ColorScheme"), 1);

    settings.WriteInteger("ColorScheme", 0);
    MainWindow window(settings, messages);
    window.show();
    EXPECT_EQ(window.ColorScheme(), 0);
    EXPECT_EQ(window.SchemeForeground(), QColor(Qt::black));

    // A scheme button clicked while another page is shown changes nothing.
    child<QPushButton>(window, "btnSkills")->click();
    child<QRadioButton>(window, "rbDarkScheme")->click();
    EXPECT_EQ(window.ColorScheme(), 0);
    EXPECT_EQ(window.palette().color(QPalette::Window), QColor(Qt::white));

    child<QPushButton>(window, "btnAbout")->click();
    child<QRadioButton>(window, "rbDarkScheme")->click();
    EXPECT_EQ(window.ColorScheme(), 1);
    EXPECT_EQ(window.palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(window.font().pointSize(), MainWindow::kSchemeFontSize);
}

TEST_F(MainWindowTest, LightSchemeAfterDarkLeavesNoDarkControls) {
    MainWindow window(settings, messages);  // starts dark
    window.show();
    child<QRadioButton>(window, "rbLightScheme")->click();
    for (const char* name : {"lblTrademarks", "pnlButtons", "pnlTop"}) {
        SCOPED_TRACE(name);
        const QPalette p = child<QWidget>(window, name)->palette();
        EXPECT_EQ(p.color(QPalette::Window), QColor(Qt::white));
        EXPECT_EQ(p.color(QPalette::WindowText), QColor(Qt::black));
    }
}

TEST_F(MainWindowTest, SchemePicturesFollowTheScheme) {
    PicturesLibrary pictures(QString::fromUtf8(KINLOOM_IMAGES_RCC));
    MainWindow window(settings, messages, &pictures);  // dark
    window.show();
    auto shows = [&](const char* control, const char* picture) {
        const QImage expected = pictures.Take(picture).value_or(QImage());
        const QImage shown = child<QLabel>(window, control)->pixmap().toImage();
        return !expected.isNull() && shown.convertToFormat(QImage::Format_ARGB32) ==
                                         expected.convertToFormat(QImage::Format_ARGB32);
    };
    EXPECT_TRUE(shows("imgTitle", "IMGDkVARNTitle"));
    EXPECT_TRUE(shows("imgLargeTitle", "IMGDkVARN"));
    child<QRadioButton>(window, "rbLightScheme")->click();
    EXPECT_TRUE(shows("imgTitle", "IMGVARNTitle"));
    EXPECT_TRUE(shows("imgLargeTitle", "IMGVARN"));
    EXPECT_TRUE(messages.shown.empty());

    // The library gone: the message, and the pictures stay as they were.
    test::TempDir temp;
    PicturesLibrary missing(QString::fromStdString((temp / "Images.rcc").string()));
    MainWindow other(settings, messages, &missing);
    other.show();
    EXPECT_TRUE(messages.shown.empty());  // start-up reports it, not the first scheme
    child<QRadioButton>(other, "rbLightScheme")->click();
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Bad DLL Load"});
    EXPECT_EQ(other.ColorScheme(), 0);
}

TEST_F(MainWindowTest, CloseIsRefusedWhileBusyAndWritesSettings) {
    settings.WriteInteger("Advanced", 1);
    MainWindow window(settings, messages);
    window.show();
    EXPECT_TRUE(child<QCheckBox>(window, "ckAdvanced")->isChecked());
    window.BeginBusy();
    EXPECT_FALSE(child<QWidget>(window, "pnlTop")->isEnabled());
    EXPECT_FALSE(window.Page("pnlAbout")->isEnabled());
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    window.EndBusy();
    EXPECT_TRUE(child<QWidget>(window, "pnlButtons")->isEnabled());
    child<QCheckBox>(window, "ckAdvanced")->setChecked(false);
    child<QPushButton>(window, "btnClose")->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(settings.ReadInteger("Advanced"), 0);
}

TEST(CustomControlsTest, LinkLabelReportsEnterThenExit) {
    HoverLabel label("link");
    std::vector<std::string> calls;
    label.OnEnter = [&](HoverLabel* sender) {
        EXPECT_EQ(sender, &label);
        calls.push_back("enter");
    };
    label.OnExit = [&](HoverLabel*) { calls.push_back("exit"); };
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&label, &enter);
    QApplication::sendEvent(&label, &leave);
    EXPECT_EQ(calls, (std::vector<std::string>{"enter", "exit"}));

    HoverLabel silent("plain");  // no callbacks: only the label's own handling
    QApplication::sendEvent(&silent, &enter);
    QApplication::sendEvent(&silent, &leave);
}

TEST(CustomControlsTest, ThinTrackbarIsAPlainSlider) {
    ThinSlider slider;
    slider.setRange(0, 1000);
    int changes = 0;
    QObject::connect(&slider, &QSlider::valueChanged, [&](int) { ++changes; });
    slider.setValue(500);
    slider.setValue(500);  // no change, no notification
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(slider.orientation(), Qt::Horizontal);
}

}  // namespace
}  // namespace kinloom::gui

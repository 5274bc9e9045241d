// Undo and Redo in the window: a slider drag, a typed name and Max All each come back with the
// keyboard, in the controls and in the records; the unsaved mark follows; Revert Sim is a step.

#include <QLineEdit>
#include <QSlider>
#include <QTest>

#include "WindowFixture.h"
#include "core/packages/Utf8.h"

namespace kinloom::gui {
namespace {

using test_window::WindowTest;

class UndoTest : public WindowTest {
protected:
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
        QApplication::setActiveWindow(window.get());
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : window.get(), key, modifiers);
        // A button's key presses it the way a click does, shown pressed for a moment first.
        QTest::qWait(250);
    }
    QString UndoTip() { return child<QPushButton>("btnUndo")->toolTip(); }
};

TEST_F(UndoTest, ASliderDragATypedNameAndMaxAllComeBackWithTheKeyboard) {
    ASSERT_TRUE(Start());
    Character* sim = editor->SelectedSim();
    ASSERT_NE(sim, nullptr);
    EXPECT_FALSE(child<QPushButton>("btnUndo")->isEnabled());

    // A drag: several values of one slider, one step.
    window->OpenPage("btnSkills");
    auto* cooking = child<QSlider>("trkCooking");
    const std::int16_t cookingBefore = sim->Cooking;
    cooking->setFocus();
    for (int i = 0; i < 3; ++i) QTest::keyClick(cooking, Qt::Key_PageUp);
    ASSERT_NE(sim->Cooking, cookingBefore);
    const std::int16_t dragged = sim->Cooking;
    EXPECT_EQ(editor->History().Steps(), 1u);
    EXPECT_TRUE(UndoTip().startsWith("Undo Cooking")) << UndoTip().toStdString();
    EXPECT_TRUE(window->windowTitle().endsWith("*"));

    Key(Qt::Key_Z);
    EXPECT_EQ(sim->Cooking, cookingBefore);
    EXPECT_EQ(child<QSlider>("trkCooking")->value(), cookingBefore);
    EXPECT_FALSE(window->windowTitle().endsWith("*"));  // back to what is on disk
    Key(Qt::Key_Y);
    EXPECT_EQ(sim->Cooking, dragged);
    EXPECT_EQ(child<QSlider>("trkCooking")->value(), dragged);
    Key(Qt::Key_Z);

    // Max All: one step over every skill.
    const Character beforeMax = *sim;
    QTest::mouseClick(child<QPushButton>("btnMaxSkills"), Qt::LeftButton);
    ASSERT_NE(*sim, beforeMax);
    EXPECT_TRUE(UndoTip().startsWith("Undo Max All")) << UndoTip().toStdString();
    Key(Qt::Key_Z);
    EXPECT_EQ(*sim, beforeMax);

    // Typing a name, then Ctrl+Z while the box still has the keys: the history's undo, which the
    // record and the box both follow.
    window->OpenPage("btnCharacters");
    auto* first = child<QLineEdit>("edtFirstName");
    const std::string nameBefore = sim->FirstName;
    first->setFocus();
    first->end(false);
    QTest::keyClicks(first, "xyz");
    EXPECT_EQ(sim->FirstName, nameBefore + "xyz");
    EXPECT_TRUE(UndoTip().startsWith("Undo First Name")) << UndoTip().toStdString();
    Key(Qt::Key_Z);
    EXPECT_EQ(sim->FirstName, nameBefore);
    EXPECT_EQ(child<QLineEdit>("edtFirstName")->text().toStdString(), nameBefore);
    Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(sim->FirstName, nameBefore + "xyz");
    EXPECT_EQ(child<QLineEdit>("edtFirstName")->text().toStdString(), nameBefore + "xyz");
}

TEST_F(UndoTest, UndoAfterSaveMarksUnsavedAndRevertIsAStep) {
    ASSERT_TRUE(Start());
    Character* sim = editor->SelectedSim();
    window->OpenPage("btnSkills");
    auto* logic = child<QSlider>("trkLogic");
    const std::int16_t before = sim->Logic;
    logic->setFocus();
    QTest::keyClick(logic, Qt::Key_PageUp);
    ASSERT_TRUE(editor->Save());
    EXPECT_FALSE(window->windowTitle().endsWith("*"));
    child<QPushButton>("btnUndo")->click();
    EXPECT_EQ(sim->Logic, before);
    EXPECT_TRUE(window->windowTitle().endsWith("*"));  // the file holds the undone edit
    child<QPushButton>("btnRedo")->click();
    EXPECT_FALSE(window->windowTitle().endsWith("*"));

    // Revert Sim: every unsaved edit of the sim, undoable as one step.
    logic->setFocus();
    QTest::keyClick(logic, Qt::Key_PageUp);
    child<QSlider>("trkCooking")->setFocus();
    QTest::keyClick(child<QSlider>("trkCooking"), Qt::Key_PageUp);
    const Character edited = *sim;
    child<QPushButton>("btnRevertSim")->click();
    EXPECT_NE(*sim, edited);
    EXPECT_FALSE(window->windowTitle().endsWith("*"));
    EXPECT_TRUE(UndoTip().startsWith("Undo Revert")) << UndoTip().toStdString();
    child<QPushButton>("btnUndo")->click();
    EXPECT_EQ(*sim, edited);
}

}  // namespace
}  // namespace kinloom::gui

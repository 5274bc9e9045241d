// How the window looks in both colour schemes: every control shows its state (checked, disabled,
// focused, the open page), the window fits a small screen whatever the names it lists, and a
// tour of every page (written as pictures when KINLOOM_SHOTS names a folder).

#include <gtest/gtest.h>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>

#include "FakeMessages.h"
#include "WindowFixture.h"
#include "core/platform/Settings.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/ThinSlider.h"

namespace kinloom::gui {
namespace {

using test_window::WindowTest;

QImage Shot(QWidget* widget) {
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

int Distance(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

// How many pixels of area are close to colour.
int PixelsNear(const QImage& image, const QRect& area, const QColor& colour) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (Distance(image.pixel(x, y), colour.rgb()) < 48) ++n;
    return n;
}

struct Scheme {
    const char* name;
    const char* button;  // the radio button that chooses it
    QColor background;
    QColor foreground;
};

void PrintTo(const Scheme& scheme, std::ostream* os) {
    *os << scheme.name;
}

const Scheme kSchemes[] = {
    {"dark", "rbDarkScheme", Qt::black, Qt::white},
    {"light", "rbLightScheme", Qt::white, Qt::black},
};

// ---- Controls on the bare window, in each scheme ----

class SchemeLookTest : public ::testing::TestWithParam<Scheme> {
protected:
    MemorySettings settings;
    test::FakeMessages messages;
    std::unique_ptr<MainWindow> window;

    void SetUp() override {
        settings.WriteInteger("ColorScheme", std::string_view(GetParam().name) == "dark" ? 1 : 0);
        window = std::make_unique<MainWindow>(settings, messages);
        window->show();
        // Keyboard focus needs the active window.
        QApplication::setActiveWindow(window.get());
        ASSERT_EQ(window->SchemeBackground(), GetParam().background);
    }

    template <typename T>
    T* child(const char* name) {
        T* c = window->findChild<T*>(name);
        EXPECT_NE(c, nullptr) << name;
        return c;
    }

    QWidget* About() { return window->Page("pnlAbout"); }
};

// The square of an indicator well inside its edge: background only, unless a mark is drawn.
QRect IndicatorInside(QAbstractButton* button, bool radio) {
    QStyleOptionButton option;
    option.initFrom(button);
    const QRect r = button->style()->subElementRect(
        radio ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator, &option, button);
    // Inside a circle's edge and outside its dot, the corners of this square are background.
    const int inset = radio ? r.width() * 2 / 10 : 3;
    return r.adjusted(inset, inset, -inset, -inset);
}

TEST_P(SchemeLookTest, CheckedIndicatorsShowAMarkUncheckedOnesDoNot) {
    const Scheme& scheme = GetParam();
    struct Case {
        QAbstractButton* button;
        bool radio;
    };
    auto* advanced = child<QCheckBox>("ckAdvanced");
    auto* dark = child<QRadioButton>("rbDarkScheme");
    auto* light = child<QRadioButton>("rbLightScheme");
    for (const Case& c : {Case{advanced, false}, Case{dark, true}, Case{light, true}}) {
        SCOPED_TRACE(c.button->objectName().toStdString());
        const QRect inside = IndicatorInside(c.button, c.radio);
        ASSERT_GT(inside.width(), 3);
        const QImage shot = Shot(c.button);
        if (c.button->isChecked()) {
            // A mark: some of the inside in the text colour, some still background (a tick or
            // a dot, not a box filled from edge to edge).
            EXPECT_GT(PixelsNear(shot, inside, scheme.foreground), 2);
            EXPECT_GT(PixelsNear(shot, inside, scheme.background), 2);
        } else {
            EXPECT_EQ(PixelsNear(shot, inside, scheme.foreground), 0);
        }
    }
    // The check box both ways, the same box.
    advanced->setChecked(!advanced->isChecked());
    const QRect inside = IndicatorInside(advanced, false);
    EXPECT_EQ(PixelsNear(Shot(advanced), inside, scheme.foreground) > 2, advanced->isChecked());
}

TEST_P(SchemeLookTest, DisabledControlsLookDisabled) {
    auto* caption = child<QLabel>("lblCaption");  // a label of the About page
    for (QWidget* control : {static_cast<QWidget*>(child<QCheckBox>("ckAdvanced")),
                             static_cast<QWidget*>(child<QPushButton>("btnSortUsers")),
                             static_cast<QWidget*>(child<QRadioButton>("rbLightScheme")),
                             static_cast<QWidget*>(caption)}) {
        SCOPED_TRACE(control->objectName().toStdString());
        control->setEnabled(true);
        const QImage enabled = Shot(control);
        control->setEnabled(false);
        const QImage disabled = Shot(control);
        control->setEnabled(true);
        // The text is drawn in a dimmer colour: fewer pixels in the full text colour.
        const QRect all = enabled.rect();
        EXPECT_GT(PixelsNear(enabled, all, GetParam().foreground), 0);
        EXPECT_LT(PixelsNear(disabled, all, GetParam().foreground),
                  PixelsNear(enabled, all, GetParam().foreground) / 2);
    }
}

// A slider the sim's record cannot take is disabled: its handle and groove, and the caption
// naming it, look so, as boxes and buttons do.
TEST_P(SchemeLookTest, DisabledSlidersAndTheirCaptionsLookDisabled) {
    auto* caption = new QLabel("Cooking:(5)", About());
    auto* slider = new ThinSlider(Qt::Horizontal, About());
    caption->setBuddy(slider);
    slider->setRange(0, 1000);
    slider->setValue(500);
    caption->setGeometry(10, 400, 120, 24);
    slider->setGeometry(140, 400, 300, 24);
    caption->show();
    slider->show();
    const QImage enabled = Shot(slider);
    const QImage enabledCaption = Shot(caption);
    slider->setEnabled(false);
    EXPECT_FALSE(caption->isEnabled()) << "the caption follows its slider";
    const QImage disabled = Shot(slider);
    if (const QString shots = qEnvironmentVariable("KINLOOM_SHOTS"); !shots.isEmpty()) {
        enabled.save(shots + "/slider-enabled-" + GetParam().name + ".png");
        disabled.save(shots + "/slider-disabled-" + GetParam().name + ".png");
    }
    int differing = 0;
    for (int y = 0; y < enabled.height(); ++y)
        for (int x = 0; x < enabled.width(); ++x)
            if (Distance(enabled.pixel(x, y), disabled.pixel(x, y)) >= 24) ++differing;
    // The whole groove and the handle change (fainter, hollow), not a stray pixel.
    EXPECT_GT(differing, 200);
    const QRect all = enabledCaption.rect();
    EXPECT_LT(PixelsNear(Shot(caption), all, GetParam().foreground),
              PixelsNear(enabledCaption, all, GetParam().foreground) / 2);
    slider->setEnabled(true);
    EXPECT_TRUE(caption->isEnabled());
}

TEST_P(SchemeLookTest, TheControlWithTheKeyboardShowsIt) {
    auto* slider = new ThinSlider(About());
    slider->setObjectName("sldProbe");
    slider->setRange(0, 100);
    slider->setValue(40);
    slider->setGeometry(20, 400, 200, 24);
    slider->show();
    auto* elsewhere = child<QPushButton>("btnAbout")->isEnabled()
                          ? static_cast<QWidget*>(child<QPushButton>("btnAbout"))
                          : static_cast<QWidget*>(child<QPushButton>("btnSkills"));
    for (QWidget* control :
         {static_cast<QWidget*>(slider), static_cast<QWidget*>(child<QPushButton>("btnSortUsers")),
          static_cast<QWidget*>(child<QCheckBox>("ckAdvanced")),
          static_cast<QWidget*>(child<QComboBox>("cbUserName")),
          static_cast<QWidget*>(child<QRadioButton>("rbDarkScheme"))}) {
        SCOPED_TRACE(control->objectName().toStdString());
        elsewhere->setFocus(Qt::TabFocusReason);
        ASSERT_FALSE(control->hasFocus());
        const QImage without = Shot(control);
        control->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(control->hasFocus());
        EXPECT_NE(Shot(control), without);
    }
}

TEST_P(SchemeLookTest, TheOpenPagesButtonIsMarkedEvenWhileTheColumnIsDisabled) {
    child<QPushButton>("btnSkills")->click();
    EXPECT_EQ(window->CurrentNavButton(), "btnSkills");
    auto* open = child<QPushButton>("btnSkills");
    auto* other = child<QPushButton>("btnInterests");
    EXPECT_TRUE(open->property("openPage").toBool());
    EXPECT_FALSE(other->property("openPage").toBool());
    // The face of a button beside its text.
    auto face = [](QPushButton* b) { return Shot(b).pixel(4, b->height() / 2); };
    EXPECT_GT(Distance(face(open), face(other)), 40);
    // Busy, every button is disabled: the open page's still stands out.
    window->BeginBusy();
    EXPECT_GT(Distance(face(open), face(other)), 40);
    window->EndBusy();

    child<QPushButton>("btnAbout")->click();
    EXPECT_FALSE(open->property("openPage").toBool());
    EXPECT_LT(Distance(face(open), face(other)), 8);
}

TEST_P(SchemeLookTest, ContextMenusHaveAnEdge) {
    QMenu menu(window.get());
    menu.addAction("Copy");
    menu.addAction("Paste");
    menu.ensurePolished();
    menu.resize(menu.sizeHint().width() + 40, menu.sizeHint().height());
    const QImage shot = Shot(&menu);
    const int y = shot.height() / 2;
    const QRgb inside = shot.pixel(shot.width() - 10, y);  // right of the entries' text
    for (QPoint edge : {QPoint(0, y), QPoint(shot.width() - 1, y), QPoint(shot.width() / 2, 0),
                        QPoint(shot.width() - 10, shot.height() - 1)}) {
        SCOPED_TRACE(testing::Message() << edge.x() << "," << edge.y());
        EXPECT_GT(Distance(shot.pixel(edge), inside), 40);
    }
}

TEST_P(SchemeLookTest, SwitchingSchemesKeepsTheWindowsSizeAndFont) {
    window->resize(1000, 700);
    const QSize size = window->size();
    const QSize least = window->minimumSizeHint();
    const QFont font = window->font();
    const QSize buttonSize = child<QPushButton>("btnSortUsers")->size();
    for (const Scheme& scheme : {kSchemes[0], kSchemes[1], GetParam()}) {
        SCOPED_TRACE(scheme.name);
        child<QRadioButton>(scheme.button)->click();
        QApplication::processEvents();
        EXPECT_EQ(window->SchemeBackground(), scheme.background);
        EXPECT_EQ(window->size(), size);
        EXPECT_EQ(window->minimumSizeHint(), least);
        EXPECT_EQ(window->font(), font);
        EXPECT_EQ(child<QPushButton>("btnSortUsers")->size(), buttonSize);
    }
}

INSTANTIATE_TEST_SUITE_P(BothSchemes, SchemeLookTest, testing::ValuesIn(kSchemes),
                         [](const testing::TestParamInfo<Scheme>& param) {
                             return std::string(param.param.name);
                         });

// ---- The whole window with the demo neighborhood ----

class WindowLookTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(Start());
        window->show();
        QApplication::processEvents();
    }

    QStringList NavButtons() {
        QStringList names;
        for (auto* b :
             child<QWidget>("pnlButtons")->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly))
            if (!QStringList{"btnClose", "btnFindSim", "btnUndo", "btnRedo", "btnRevertSim"}
                     .contains(b->objectName()))
                names << b->objectName();
        return names;
    }

    void ChooseScheme(const Scheme& scheme) {
        window->OpenPage("btnAbout");
        child<QRadioButton>(scheme.button)->click();
        QApplication::processEvents();
        ASSERT_EQ(window->SchemeBackground(), scheme.background);
    }
};

// A small screen: 1024 by 768, less a title bar and a task bar.
constexpr int kScreenWidth = 1000;
constexpr int kScreenHeight = 768 - 30 - 40;

TEST_F(WindowLookTest, EveryPageInBothSchemesFitsASmallScreenAndFollowsTheScheme) {
    const QString shots = qEnvironmentVariable("KINLOOM_SHOTS");
    if (!shots.isEmpty()) QDir().mkpath(shots);
    const QStringList buttons = NavButtons();
    ASSERT_GE(buttons.size(), 14);
    const int columnWidth = child<QWidget>("pnlButtons")->width();
    // The window starts dark and builds its pages then: the light scheme reaches pages built
    // and hidden in the dark, and the dark one comes back to pages last shown light.
    for (const Scheme& scheme : {kSchemes[1], kSchemes[0]}) {
        ChooseScheme(scheme);
        for (const QString& button : buttons) {
            SCOPED_TRACE(std::string(scheme.name) + " " + button.toStdString());
            window->OpenPage(button);
            QApplication::processEvents();
            ASSERT_EQ(window->CurrentNavButton(), button);
            const QSize least = window->minimumSizeHint();
            EXPECT_LE(least.width(), kScreenWidth);
            EXPECT_LE(least.height(), kScreenHeight);
            EXPECT_LE(window->width(), kScreenWidth);
            EXPECT_LE(window->height(), kScreenHeight);
            // Nothing beside the page moves when another page opens.
            EXPECT_EQ(child<QWidget>("pnlButtons")->width(), columnWidth);

            // The page is drawn on the scheme's background, its text in the scheme's colour.
            QWidget* page = nullptr;
            for (QWidget* p :
                 child<QWidget>("pnlPages")->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (p->isVisible()) page = p;
            ASSERT_NE(page, nullptr);
            const QImage shot = Shot(page);
            const int pixels = shot.width() * shot.height();
            EXPECT_GT(PixelsNear(shot, shot.rect(), scheme.background), pixels / 3);
            EXPECT_GT(PixelsNear(shot, shot.rect(), scheme.foreground), 0);
            if (!shots.isEmpty()) {
                const QString pageName = button.mid(3).toLower();
                Shot(window.get())
                    .save(QDir(shots).filePath(
                        QString("%1-%2.png").arg(QString::fromLatin1(scheme.name), pageName)));
            }
        }
    }
}

TEST_F(WindowLookTest, LongNamesAreShortenedAndTheirListsOpenWideEnough) {
    window->resize(kScreenWidth, kScreenHeight);
    QApplication::processEvents();
    const QSize size = window->size();
    const QString longName = QString("Pleasantview ") + QString(187, QChar('x'));
    ASSERT_EQ(longName.size(), 200);
    for (const char* name : {"cbNeighborhood", "cbUserName"}) {
        SCOPED_TRACE(name);
        auto* box = child<QComboBox>(name);
        ASSERT_GE(box->currentIndex(), 0);
        const QSize boxSize = box->size();
        box->setItemText(box->currentIndex(), longName);
        QApplication::processEvents();
        EXPECT_EQ(window->size(), size);
        EXPECT_LE(window->minimumSizeHint().width(), kScreenWidth);
        EXPECT_EQ(box->size(), boxSize);

        // Shortened with "...", not cut off at the field's edge: the last columns of the text
        // field stay empty.
        QStyleOptionComboBox option;
        option.initFrom(box);
        option.subControls = QStyle::SC_All;
        const QRect field = box->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                         QStyle::SC_ComboBoxEditField, box);
        const QRect end(field.right() - 2, field.top(), 3, field.height());
        const QImage shown = Shot(box);
        EXPECT_GT(PixelsNear(shown, field, window->SchemeForeground()), 20);
        EXPECT_EQ(PixelsNear(shown, end, window->SchemeForeground()), 0);

        // A long name that still fits the screen: the drop-down list shows it whole.
        const QString wideName = QString("Bartholomew Fitzwilliam-Cunningham : N001_User00099");
        box->setItemText(box->currentIndex(), wideName);
        ASSERT_GT(box->fontMetrics().horizontalAdvance(wideName), box->width());
        box->showPopup();
        QApplication::processEvents();
        QAbstractItemView* view = box->view();
        EXPECT_GE(view->viewport()->width(), view->fontMetrics().horizontalAdvance(wideName));
        box->hidePopup();
        box->setItemText(box->currentIndex(), "Goopy");
    }
}

TEST_F(WindowLookTest, TheTitleAndTheAboutPageShowOneVersion) {
    const QRegularExpression title(R"(^Kinloom (\d+)\.(\d+)\b)");
    const QRegularExpression about(R"(^Kinloom Version: (\d+)\.(\d+)\.\d+  \(Build \d+\)$)");
    const auto t = title.match(window->windowTitle());
    window->OpenPage("btnAbout");
    const auto a = about.match(child<QLabel>("lblCaption")->text());
    ASSERT_TRUE(t.hasMatch()) << window->windowTitle().toStdString();
    ASSERT_TRUE(a.hasMatch()) << child<QLabel>("lblCaption")->text().toStdString();
    EXPECT_EQ(t.captured(1), a.captured(1));
    EXPECT_EQ(t.captured(2), a.captured(2));
}

}  // namespace
}  // namespace kinloom::gui

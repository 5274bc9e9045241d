#include "gui/shell/MainWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <QVBoxLayout>

#include "core/platform/Messages.h"
#include "core/platform/ProgramVersion.h"
#include "core/platform/Settings.h"
#include "gui/shell/HoverLabel.h"
#include "gui/shell/KeyboardAccess.h"
#include "gui/shell/PageKit.h"
#include "gui/shell/PicturesLibrary.h"
#include "gui/shell/SchemeStyle.h"

namespace kinloom::gui {

const char* const MainWindow::kWebAddress = "https://github.com/quillfern/kinloom";

namespace {

struct NavEntry {
    const char* button;
    const char* caption;
    const char* page;  // empty: the button opens no page of its own
};

// The navigation column, top to bottom.
constexpr NavEntry kNavigation[] = {
    {"btnNeighborhood", "Neighborhood", "pnlNeighborhood"},
    {"btnHouseHolds", "Households", "pnlHouseholds"},
    {"btnJobs", "Job/School", "pnlJobs"},
    {"btnSkills", "Skills/Needs", "pnlSkills"},
    {"btnPersonality", "Personality", "pnlPersonality"},
    {"btnInterests", "Interests", "pnlInterests"},
    {"btnCharacters", "Character", "pnlCharacters"},
    {"btnCloning", "Cloning Lab", "pnlCloning"},
    {"btnRelationships", "Relationships", "pnlRelationships"},
    {"btnAspiration", "Aspiration/Influence", "pnlAspiration"},
    {"btnFamilyTies", "Family Tree", "pnlFamilyTies"},
    {"btnClose", "Close", ""},
    {"btnAbout", "About", "pnlAbout"},
    {"btnGenetics", "Genetics (DNA)", "pnlGenetics"},
    {"btnHobbies", "Hobbies/Talents", "pnlHobbies"},
    {"btnCheck", "Checkup", "pnlCheck"},
};

}  // namespace

MainWindow::MainWindow(Settings& settings, Messages& messages, QWidget* parent)
    : MainWindow(settings, messages, nullptr, parent) {}

MainWindow::MainWindow(Settings& settings, Messages& messages, const PicturesLibrary* pictures,
                       QWidget* parent)
    : QMainWindow(parent), settings_(settings), messages_(messages), pictures_(pictures) {
    setObjectName("frmMain");
    setWindowTitle(QString::fromStdString(ProgramTitle()));
    // The scheme's style sheet hands this style on to every control of the window, pages built
    // later and menus included.
    setStyle(SchemeStyle::Shared());

    auto* central = new QWidget(this);
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->setSpacing(6);

    BuildTopBar();
    outer->addWidget(pnlTop_);

    auto* middle = new QHBoxLayout;
    BuildNavigation();
    middle->addWidget(pnlButtons_);
    BuildPages();
    middle->addWidget(pageArea_, 1);
    outer->addLayout(middle, 1);

    pbLoading_ = new QProgressBar(central);
    pbLoading_->setObjectName("pbLoading");
    pbLoading_->setRange(0, 100);
    pbLoading_->setValue(0);
    pbLoading_->setTextVisible(false);
    pbLoading_->setMaximumHeight(10);
    outer->addWidget(pbLoading_);

    setCentralWidget(central);
    // Fits a 1024 by 768 screen with its title bar and a task bar.
    resize(1000, 690);
    // The window's busy state: the top bar, the navigation column and every page.
    BusyGuard::RegisterWindow(this, [this] {
        std::vector<QWidget*> panels{pnlTop_, pnlButtons_};
        for (QWidget* page : pages_) panels.push_back(page);
        return panels;
    });

    // The top bar's and the column's keys stay the same on every page; each page takes the
    // letters left over.
    NameInputsFromCaptions(pnlTop_);
    QList<QAbstractButton*> always = pnlTop_->findChildren<QAbstractButton*>();
    always += pnlButtons_->findChildren<QAbstractButton*>();
    AssignMnemonics(always, windowMnemonics_);
    for (QWidget* page : pages_) GiveKeyboardAccess(page);

    colorScheme_ = settings_.ReadInteger("ColorScheme").value_or(1);
    ckAdvanced_->setChecked(settings_.ReadInteger("Advanced").value_or(0) == 1);
    // Start-up shows the About page once, which applies the stored scheme.
    ShowAboutPage();
}

void MainWindow::BuildTopBar() {
    pnlTop_ = Frame("pnlTop", this);
    auto* row = new QHBoxLayout(pnlTop_);
    row->setContentsMargins(4, 4, 4, 4);

    auto* imgTitle = new QLabel("Kinloom", pnlTop_);
    imgTitle->setObjectName("imgTitle");
    QFont titleFont = imgTitle->font();
    titleFont.setPointSize(16);
    titleFont.setBold(true);
    imgTitle->setFont(titleFont);
    row->addWidget(imgTitle);
    row->addSpacing(8);

    auto* lblNgbd = new QLabel("Neighborhoods:", pnlTop_);
    lblNgbd->setObjectName("lblNeighborhoods");
    row->addWidget(lblNgbd);
    cbNeighborhood_ = new QComboBox(pnlTop_);
    cbNeighborhood_->setObjectName("cbNeighborhood");
    FitListBox(cbNeighborhood_, 13);
    row->addWidget(cbNeighborhood_, 1);

    auto* lblChars = new QLabel("Characters:", pnlTop_);
    lblChars->setObjectName("lblCharacters");
    row->addWidget(lblChars);
    cbUserName_ = new QComboBox(pnlTop_);
    cbUserName_->setObjectName("cbUserName");
    FitListBox(cbUserName_, 15);
    row->addWidget(cbUserName_, 1);

    btnDelSim_ = new QPushButton("Delete", pnlTop_);
    btnDelSim_->setObjectName("btnDelSim");
    row->addWidget(btnDelSim_);
    btnSortUsers_ = new QPushButton("Sort", pnlTop_);
    btnSortUsers_->setObjectName("btnSortUsers");
    row->addWidget(btnSortUsers_);
    ckAdvanced_ = new QCheckBox("Advanced", pnlTop_);
    ckAdvanced_->setObjectName("ckAdvanced");
    row->addWidget(ckAdvanced_);
    // Save keeps one place for the whole run (the lists take the room to spare), so nothing moves
    // when it becomes available; it is enabled while something is unsaved.
    btnSave_ = new QPushButton("Save", pnlTop_);
    btnSave_->setObjectName("btnSave");
    btnSave_->setToolTip("Save every change (Ctrl+S)");
    btnSave_->setEnabled(false);
    row->addWidget(btnSave_);
}

void MainWindow::BuildNavigation() {
    pnlButtons_ = Frame("pnlButtons", this);
    auto* column = new QVBoxLayout(pnlButtons_);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(3);
    // One width for every page: a narrow page leaves its room to the page area.
    pnlButtons_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    for (const NavEntry& n : kNavigation) {
        auto* b = new QPushButton(n.caption, pnlButtons_);
        b->setObjectName(n.button);
        b->setMinimumWidth(150);
        column->addWidget(b);
        navButtons_.insert(n.button, b);
        buttonPage_.insert(n.button, n.page);
        const QString name = n.button;
        connect(b, &QPushButton::clicked, this, [this, name] { OpenPage(name); });
    }
    // Finding a sim among hundreds; Ctrl+F anywhere in the window.
    btnFindSim_ = new QPushButton("Find Sim...", pnlButtons_);
    btnFindSim_->setObjectName("btnFindSim");
    btnFindSim_->setMinimumWidth(150);
    btnFindSim_->setToolTip("Find a sim by name, household, life stage or career (Ctrl+F)");
    column->addWidget(btnFindSim_);
    // Taking back an edit: the last step, again, or every unsaved edit of the selected sim.
    auto* history = new QHBoxLayout;
    history->setSpacing(3);
    btnUndo_ = new QPushButton("Undo", pnlButtons_);
    btnUndo_->setObjectName("btnUndo");
    btnRedo_ = new QPushButton("Redo", pnlButtons_);
    btnRedo_->setObjectName("btnRedo");
    // Their keys are the desktop's: Ctrl+Z and Ctrl+Y (Ctrl+Shift+Z too, kept by the editor).
    btnUndo_->setShortcut(QKeySequence::Undo);
    btnRedo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    for (QPushButton* b : {btnUndo_, btnRedo_}) {
        b->setEnabled(false);
        b->setMinimumWidth(73);
        history->addWidget(b);
    }
    column->addLayout(history);
    btnRevertSim_ = new QPushButton("Revert Sim", pnlButtons_);
    btnRevertSim_->setObjectName("btnRevertSim");
    btnRevertSim_->setMinimumWidth(150);
    btnRevertSim_->setToolTip(
        "Take back every unsaved edit of the selected sim (Undo brings them "
        "back)");
    column->addWidget(btnRevertSim_);
    column->addStretch(1);
    // The selected sim's picture, under the column.
    imgChar_ = new QLabel(pnlButtons_);
    imgChar_->setObjectName("imgChar");
    imgChar_->setFixedSize(128, 128);
    imgChar_->setAlignment(Qt::AlignCenter);
    column->addWidget(imgChar_, 0, Qt::AlignHCenter);
    connect(navButtons_.value("btnClose"), &QPushButton::clicked, this, &QWidget::close);
    SetPageOpener("btnAbout", [this] { ShowAboutPage(); });
}

void MainWindow::BuildPages() {
    pageArea_ = new QWidget(this);
    pageArea_->setObjectName("pnlPages");
    pageLayout_ = new QGridLayout(pageArea_);
    pageLayout_->setContentsMargins(0, 0, 0, 0);
    for (const NavEntry& n : kNavigation) {
        if (!*n.page) continue;
        QWidget* page = std::string_view(n.page) == "pnlAbout" ? BuildAboutPage() : nullptr;
        if (!page) {
            // Pages not built yet show their frame and title only.
            auto* frame = Frame(n.page, pageArea_);
            frame->setFrameShape(QFrame::StyledPanel);
            auto* layout = new QVBoxLayout(frame);
            auto* title = new QLabel(n.caption, frame);
            QFont f = title->font();
            f.setPointSize(14);
            title->setFont(f);
            layout->addWidget(title);
            layout->addStretch(1);
            page = frame;
        }
        pageLayout_->addWidget(page, 0, 0);
        page->hide();
        pages_.insert(n.page, page);
    }
}

QWidget* MainWindow::BuildAboutPage() {
    auto* page = Frame("pnlAbout", pageArea_);
    page->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->setSpacing(12);

    auto* imgLargeTitle = new QLabel("Kinloom", page);
    imgLargeTitle->setObjectName("imgLargeTitle");
    QFont big = imgLargeTitle->font();
    big.setPointSize(28);
    big.setBold(true);
    imgLargeTitle->setFont(big);
    layout->addWidget(imgLargeTitle);

    auto* lblCaption =
        new QLabel("Kinloom Version: " + QString::fromStdString(ProgramVersionText()), page);
    lblCaption->setObjectName("lblCaption");
    layout->addWidget(lblCaption);

    auto* lblThanks = new QLabel(
        "An editor for the neighborhoods of The Sims 2.\n"
        "Thanks to everyone who kept their families safe with backups and bug reports.",
        page);
    lblThanks->setObjectName("lblThanks");
    lblThanks->setWordWrap(true);
    layout->addWidget(lblThanks);

    auto* lblTrademarks = new QLabel(
        "Kinloom is not endorsed by, or Affiliated with Electronic Arts in any way. The Sims is a "
        "trademark of Electronic Arts, Inc.",
        page);
    lblTrademarks->setObjectName("lblTrademarks");
    lblTrademarks->setWordWrap(true);
    layout->addWidget(lblTrademarks);

    lblGoWeb_ = new HoverLabel(QString::fromLatin1(kWebAddress), page);
    lblGoWeb_->setObjectName("lblGoWeb");
    // The link's own style sheet outranks the scheme's. Blue and red as on the light scheme;
    // on black they would be too dark to read, so the dark scheme lightens them.
    lblGoWeb_->OnEnter = [this](HoverLabel* label) {
        ColourLink(true);
        label->setCursor(Qt::PointingHandCursor);
    };
    lblGoWeb_->OnExit = [this](HoverLabel* label) {
        ColourLink(false);
        label->unsetCursor();
    };
    ColourLink(false);
    layout->addWidget(lblGoWeb_);
    lblGoWeb_->installEventFilter(this);

    auto* group = new QGroupBox("Color Scheme", page);
    group->setObjectName("grpColorScheme");
    auto* g = new QVBoxLayout(group);
    rbDarkScheme_ = new QRadioButton("Dark Background", group);
    rbDarkScheme_->setObjectName("rbDarkScheme");
    rbLightScheme_ = new QRadioButton("Light Background", group);
    rbLightScheme_->setObjectName("rbLightScheme");
    g->addWidget(rbDarkScheme_);
    g->addWidget(rbLightScheme_);
    connect(rbDarkScheme_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) ApplyColorScheme(rbDarkScheme_);
    });
    connect(rbLightScheme_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) ApplyColorScheme(rbLightScheme_);
    });
    group->setMaximumWidth(260);
    layout->addWidget(group);
    layout->addStretch(1);
    return page;
}

void MainWindow::SetPageOpener(const QString& buttonName, std::function<void()> open) {
    openers_[buttonName] = std::move(open);
}

QString MainWindow::CurrentNavButton() const {
    for (auto it = navButtons_.begin(); it != navButtons_.end(); ++it)
        // Judged by the button's own state: the busy state disables the whole column.
        if (!it.value()->isEnabledTo(pnlButtons_) && !it.value()->isHidden()) return it.key();
    return {};
}

void MainWindow::ReplacePage(const QString& pageName, QWidget* page) {
    QWidget* old = pages_.value(pageName);
    if (!old || old == page) return;
    const bool shown = old->isVisible();
    pageLayout_->removeWidget(old);
    old->deleteLater();
    old->hide();
    page->setParent(pageArea_);
    page->setObjectName(pageName);
    pageLayout_->addWidget(page, 0, 0);
    pages_.insert(pageName, page);
    FitListBoxes(page);
    page->setVisible(shown);
    page->setEnabled(old->isEnabled());
    GiveKeyboardAccess(page);
    ApplySchemePictures(false);
}

void MainWindow::GiveKeyboardAccess(QWidget* page) {
    NameInputsFromCaptions(page);
    QSet<QChar> taken = windowMnemonics_;
    QSet<QChar> shifted;
    AssignShortcuts(AssignMnemonics(page->findChildren<QAbstractButton*>(), taken), shifted);
}

void MainWindow::ReapplyColorScheme() {
    QWidget* about = pages_.value("pnlAbout");
    const bool enabled = about->isEnabled();
    about->setEnabled(true);
    ApplyColorScheme(colorScheme_ == 0 ? rbLightScheme_ : rbDarkScheme_);
    about->setEnabled(enabled);
}

void MainWindow::OpenPage(const QString& buttonName) {
    if (auto it = openers_.find(buttonName); it != openers_.end()) {
        (*it)();
        return;
    }
    const QString page = buttonPage_.value(buttonName);
    if (page.isEmpty()) return;
    ShowPage(page);
    SelectNavButton(buttonName);
}

void MainWindow::BeginBusy() {
    busy_.push_back(std::make_unique<BusyGuard>(this, BusyGuard::Window));
}

void MainWindow::EndBusy() {
    if (!busy_.empty()) busy_.pop_back();
}

void MainWindow::ShowPage(const QString& pageName) {
    BusyGuard busy;
    for (QWidget* page : pages_) {
        page->hide();
        page->setEnabled(false);
    }
    if (QWidget* page = pages_.value(pageName)) {
        page->setEnabled(true);
        page->show();
    }
}

void MainWindow::SelectNavButton(const QString& buttonName) {
    for (QPushButton* b : navButtons_) {
        const bool open = b->objectName() == buttonName;
        b->setEnabled(!open);
        // The style sheet marks the open page's button; a changed property needs a new polish.
        if (b->property("openPage").toBool() != open) {
            b->setProperty("openPage", open);
            b->style()->unpolish(b);
            b->style()->polish(b);
        }
    }
}

void MainWindow::ShowAboutPage() {
    ShowPage("pnlAbout");
    // Checking the radio button applies the scheme (the page is enabled by now).
    QRadioButton* rb = colorScheme_ == 0 ? rbLightScheme_ : rbDarkScheme_;
    if (rb->isChecked())
        ApplyColorScheme(rb);
    else
        rb->setChecked(true);
    SelectNavButton("btnAbout");
}

void MainWindow::ApplyColorScheme(QRadioButton* sender) {
    if (!pages_.value("pnlAbout")->isEnabled()) return;
    const bool dark = sender == rbDarkScheme_;
    colorScheme_ = dark ? 1 : 0;
    schemeBackground_ = dark ? QColor(Qt::black) : QColor(Qt::white);
    schemeForeground_ = dark ? QColor(Qt::white) : QColor(Qt::black);

    // The style sheet goes before the palette: replacing one restores the palette it found,
    // which must not undo the new scheme's colours.
    setStyleSheet(SchemeStyleSheet(dark));
    QPalette p = palette();
    for (auto role : {QPalette::Window, QPalette::Base, QPalette::AlternateBase, QPalette::Button})
        p.setColor(role, schemeBackground_);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(role, schemeForeground_);
    // Disabled controls dim their text in either scheme.
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, dark ? QColor(124, 124, 124) : QColor(140, 140, 140));
    p.setColor(QPalette::Mid, dark ? QColor(90, 90, 90) : QColor(170, 170, 170));
    setPalette(p);
    QFont f(languageFont_, kSchemeFontSize);
    setFont(f);
    ColourLink(false);
    // Before start-up has looked for the pictures library, a missing one is not reported twice.
    ApplySchemePictures(isVisible());
    update();
}

void MainWindow::ColourLink(bool hovered) {
    const bool dark = colorScheme_ == 1;
    const QColor colour = hovered ? (dark ? QColor(0xff, 0x80, 0x80) : QColor(Qt::red))
                                  : (dark ? QColor(0x80, 0xbc, 0xff) : QColor(Qt::blue));
    lblGoWeb_->setStyleSheet(QString("color: %1;").arg(colour.name()));
}

void MainWindow::ApplySchemePictures(bool reportFailure) {
    if (!pictures_) return;
    const bool dark = colorScheme_ == 1;
    struct SchemePicture {
        const char* control;
        const char* light;
        const char* dark;
    };
    static constexpr SchemePicture kPictures[] = {
        {"imgTitle", "IMGVARNTitle", "IMGDkVARNTitle"},
        {"imgFamTies", "IMGFamTree", "IMGFamTree"},
        {"imgLargeTitle", "IMGVARN", "IMGDkVARN"},
        {"imgHouse", "IMGHouse", "IMGDkHouse"},
        {"imgFamily", "IMGFamily", "IMGDkFamily"},
        {"imgCash", "IMGCash", "IMGDkCash"},
        {"imgCat", "IMGCat", "IMGDkCat"},
        {"imgDog", "IMGDog", "IMGDkDog"},
        {"imgBird", "IMGBird", "IMGDkBird"},
    };
    for (const SchemePicture& p : kPictures) {
        auto* label = findChild<QLabel*>(p.control);
        if (!label) continue;  // a page not built yet
        std::optional<QImage> picture = pictures_->Take(dark ? p.dark : p.light);
        if (!picture) {
            if (reportFailure) messages_.Show("Bad DLL Load");
            return;  // the pictures stay as they were
        }
        label->setPixmap(QPixmap::fromImage(*picture));
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lblGoWeb_ && event->type() == QEvent::MouseButtonRelease) {
        QDesktopServices::openUrl(QUrl(QString::fromLatin1(kWebAddress)));
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::ShowUnsaved(bool unsaved) {
    static const QString kMark = " *";
    QString title = windowTitle();
    if (title.endsWith(kMark)) title.chop(kMark.size());
    setWindowTitle(unsaved ? title + kMark : title);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Loading and saving must finish: a package half-way through is never left behind.
    if (!pnlTop_->isEnabled() || (closeCheck_ && !closeCheck_())) {
        event->ignore();
        return;
    }
    settings_.WriteText("NGBD", cbNeighborhood_->currentData().toString().toStdString());
    settings_.WriteInteger("ColorScheme", colorScheme_);
    settings_.WriteInteger("Advanced", ckAdvanced_->isChecked() ? 1 : 0);
    event->accept();
}

}  // namespace kinloom::gui

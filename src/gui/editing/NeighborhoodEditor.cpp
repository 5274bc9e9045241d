#include "gui/editing/NeighborhoodEditor.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QStandardPaths>
#include <algorithm>
#include <cctype>
#include <sstream>
#include <string_view>

#include "core/editing/FamilyTree.h"
#include "core/editing/LoadNeighborhood.h"
#include "core/editing/MoveIn.h"
#include "core/editing/NameLists.h"
#include "core/editing/SaveNeighborhood.h"
#include "core/editing/SimExport.h"
#include "core/health/Mending.h"
#include "core/maintenance/Backups.h"
#include "core/maintenance/NeighborhoodPicture.h"
#include "core/packages/Utf8.h"
#include "core/platform/Dialogs.h"
#include "core/platform/FileIO.h"
#include "core/platform/GameProcess.h"
#include "core/platform/Messages.h"
#include "core/platform/Settings.h"
#include "gui/cloning/CloningPage.h"
#include "gui/editing/HouseholdsPage.h"
#include "gui/editing/SimFinder.h"
#include "gui/editors/AspirationPage.h"
#include "gui/editors/CharacterPage.h"
#include "gui/editors/FamilyTiesPage.h"
#include "gui/editors/GeneticsPage.h"
#include "gui/editors/HobbiesPage.h"
#include "gui/editors/InterestsPage.h"
#include "gui/editors/JobSchoolPage.h"
#include "gui/editors/PersonalityPage.h"
#include "gui/editors/RelationshipsPage.h"
#include "gui/editors/SkillsPage.h"
#include "gui/maintenance/CheckPage.h"
#include "gui/maintenance/QtFileOps.h"
#include "gui/neighborhoods/NeighborhoodPage.h"
#include "gui/shell/BitmapImage.h"
#include "gui/shell/BusyGuard.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/PathText.h"
#include "gui/shell/PicturesLibrary.h"
#include "gui/shell/QtDialogs.h"

namespace kinloom::gui {

namespace {

// The open dialog's filter for a new neighborhood picture.
constexpr const char* kPictureFilter =
    "All (*.png;*.jpg;*.jpeg;*.bmp)|*.png;*.jpg;*.jpeg;*.bmp|Portable Network Graphics "
    "(*.png)|*.png|JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg|Bitmap Files "
    "(*.bmp)|*.bmp";

void KeepPainting() {
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// Often enough for a bar that moves smoothly to the eye.
constexpr qint64 kProgressInterval = 40;  // milliseconds

}  // namespace

// The window's answers to what a page asks: the session's state and the window's own services.
class NeighborhoodEditor::Host : public PageHost {
public:
    explicit Host(NeighborhoodEditor& editor) : editor_(editor) {}

    Character* CurrentSim() override { return editor_.SelectedSim(); }
    LoadedNeighborhood* Neighborhood() override {
        return editor_.loaded_ ? &editor_.state_ : nullptr;
    }
    const ExpansionFlags& Packs() const override { return editor_.startup_.Packs; }
    bool AdvancedOn() const override { return editor_.ckAdvanced_->isChecked(); }
    std::filesystem::path UserData() const override { return editor_.startup_.UserDataFolder; }
    std::filesystem::path Documents() const override { return editor_.documents_; }
    int GameLanguage() const override { return editor_.startup_.GameLanguage; }
    void ShowSave() override { editor_.ShowSaveButton(); }
    void RelabelCurrentSim() override { editor_.RelabelSelectedSim(); }
    void SelectSim(Character& sim) override { editor_.SelectSim(&sim); }
    void ShowProgress(int position, int maximum) override {
        editor_.pbLoading_->setRange(0, std::max(maximum, 1));
        editor_.pbLoading_->setValue(std::clamp(position, 0, std::max(maximum, 1)));
    }
    std::optional<SchemeColors> Scheme() const override {
        return SchemeColors{editor_.window_.SchemeBackground(), editor_.window_.SchemeForeground()};
    }
    TraitRandom& Random() override { return editor_.traitRandom_; }
    kinloom::Messages& Messages() override { return editor_.messages_; }
    kinloom::Settings& Settings() override { return editor_.settings_; }
    kinloom::Dialogs& Dialogs() override { return editor_.dialogs_; }

private:
    NeighborhoodEditor& editor_;
};

NeighborhoodEditor::NeighborhoodEditor(MainWindow& window, Settings& settings, Messages& messages,
                                       const PicturesLibrary& pictures,
                                       GameRunningCheck gameRunning, Dialogs* dialogs,
                                       FileOps* files)
    : QObject(&window),
      window_(window),
      settings_(settings),
      messages_(messages),
      pictures_(pictures),
      gameRunning_(gameRunning ? std::move(gameRunning)
                               : GameRunningCheck([] { return !RunningGameProcesses().empty(); })),
      ownDialogs_(dialogs ? nullptr : std::make_unique<QtDialogs>(&window)),
      ownFiles_(files ? nullptr : std::make_unique<QtFileOps>()),
      dialogs_(dialogs ? *dialogs : *ownDialogs_),
      files_(files ? *files : *ownFiles_),
      cbNeighborhood_(window.NeighborhoodList()),
      cbUserName_(window.SimList()),
      btnSave_(window.SaveButton()),
      ckAdvanced_(window.AdvancedSwitch()),
      imgChar_(window.SimPicture()),
      pbLoading_(window.ProgressBar()),
      neighborhoodPage_(new NeighborhoodPage),
      householdsPage_(new HouseholdsPage),
      checkPage_(new CheckPage),
      simFinder_(new SimFinder(&window)),
      simList_(*cbUserName_) {
    window_.ReplacePage("pnlNeighborhood", neighborhoodPage_);
    window_.ReplacePage("pnlHouseholds", householdsPage_);
    window_.SetPageOpener("btnNeighborhood", [this] { ShowNeighborhoodPage(); });
    window_.SetPageOpener("btnHouseHolds", [this] { ShowHouseholdsPage(); });
    connect(window.FindButton(), &QPushButton::clicked, this, &NeighborhoodEditor::OpenSimFinder);
    connect(window.UndoButton(), &QPushButton::clicked, this, &NeighborhoodEditor::Undo);
    connect(window.RedoButton(), &QPushButton::clicked, this, &NeighborhoodEditor::Redo);
    connect(window.RevertSimButton(), &QPushButton::clicked, this,
            &NeighborhoodEditor::RevertSelectedSim);
    // Ctrl+Z and Ctrl+Y are the buttons' own keys (a disabled button ignores its key).
    auto* redoKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), &window_);
    connect(redoKey, &QShortcut::activated, this, &NeighborhoodEditor::Redo);
    qApp->installEventFilter(this);
    auto* findKey = new QShortcut(QKeySequence::Find, &window_);
    connect(findKey, &QShortcut::activated, this, &NeighborhoodEditor::OpenSimFinder);
    connect(simFinder_, &SimFinder::SimChosen, this, [this](Character* sim) {
        SelectSim(sim);
        cbUserName_->setFocus();
    });
    window_.ReplacePage("pnlCheck", checkPage_);
    window_.SetPageOpener("btnCheck", [this] { ShowCheckPage(); });
    connect(checkPage_, &CheckPage::CheckRequested, this, [this] { RunCheck(); });
    connect(checkPage_, &CheckPage::MendRequested, this, [this] { MendSafeProblems(); });
    connect(checkPage_, &CheckPage::SimChosen, this, [this](const Character* chosen) {
        for (Character* sim : state_.Sims)
            if (sim == chosen) SelectSim(sim);
    });

    connect(neighborhoodPage_, &NeighborhoodPage::NameEdited, this,
            &NeighborhoodEditor::NameEdited);
    connect(neighborhoodPage_, &NeighborhoodPage::DescriptionEdited, this,
            &NeighborhoodEditor::DescriptionEdited);
    connect(neighborhoodPage_, &NeighborhoodPage::BackupRequested, this,
            &NeighborhoodEditor::BackupSelectedNeighborhood);
    connect(neighborhoodPage_, &NeighborhoodPage::ArchiveLocationRequested, this,
            &NeighborhoodEditor::ChangeBackupLocation);
    connect(neighborhoodPage_, &NeighborhoodPage::RestoreRequested, this,
            &NeighborhoodEditor::RestoreBackup);
    connect(neighborhoodPage_, &NeighborhoodPage::DeleteRequested, this,
            &NeighborhoodEditor::DeleteBackup);
    connect(neighborhoodPage_, &NeighborhoodPage::ShowPathRequested, this,
            &NeighborhoodEditor::ShowBackupPath);
    connect(neighborhoodPage_, &NeighborhoodPage::ReplaceImageRequested, this,
            &NeighborhoodEditor::ReplaceNeighborhoodImage);
    connect(neighborhoodPage_, &NeighborhoodPage::ExportSimsRequested, this,
            &NeighborhoodEditor::ExportSims);
    connect(neighborhoodPage_, &NeighborhoodPage::GameFolderRequested, this, [this] {
        if (gameFolderAction_) gameFolderAction_();
    });
    connect(householdsPage_, &HouseholdsPage::HouseholdEdited, this,
            &NeighborhoodEditor::ShowSaveButton);
    connect(cbNeighborhood_, &QComboBox::activated, this, [this](int index) {
        if (index == loadedIndex_) return;
        if (!ConfirmDropEdits()) {
            cbNeighborhood_->setCurrentIndex(loadedIndex_);  // Cancel: as it was
            return;
        }
        LoadSelectedNeighborhood();
    });
    connect(cbUserName_, &QComboBox::activated, this, [this] { SimSelectionChanged(); });
    connect(window.SortButton(), &QPushButton::clicked, this, &NeighborhoodEditor::SortSims);
    connect(btnSave_, &QPushButton::clicked, this, [this] { Save(); });
    // Ctrl+S does what the button does, and nothing while the button is not offered.
    auto* saveKey = new QShortcut(QKeySequence::Save, &window_);
    connect(saveKey, &QShortcut::activated, this, [this] {
        // What is being typed may be the only edit; a refused value stops here, said.
        if (CommitTyping() && btnSave_->isEnabled()) Save();
    });
    window_.SetCloseCheck([this] { return ConfirmDropEdits(); });
    // The warning answers the player turning the switch on, never a page opening or a load
    // under their typing.
    connect(ckAdvanced_, &QCheckBox::clicked, this, [this](bool on) {
        if (on && loaded_ && !state_.Sims.empty()) ShowAdvancedWarningIfDue(settings_, messages_);
        ApplyAdvancedSwitch();
    });
    connect(householdsPage_, &HouseholdsPage::MoveInRequested, this,
            &NeighborhoodEditor::MoveSelectedSimInto);
    // Choosing a member selects that sim, as choosing a relative on the family page does.
    connect(householdsPage_, &HouseholdsPage::MemberChosen, this,
            [this](Character* sim) { SelectSim(sim); });
    QPushButton* btnDelSim = window.DeleteSimButton();
    btnDelSim->setToolTip(kDeleteSimToolTip);
    connect(btnDelSim, &QPushButton::clicked, this, &NeighborhoodEditor::DeleteSelectedSim);

    host_ = std::make_unique<Host>(*this);
    PageHost& pages = *host_;
    AddSimPage("btnCharacters", new CharacterPage(pages));
    AddSimPage("btnSkills", new SkillsPage(pages));
    AddSimPage("btnPersonality", new PersonalityPage(pages));
    AddSimPage("btnInterests", new InterestsPage(pages));
    AddSimPage("btnHobbies", new HobbiesPage(pages));
    AddSimPage("btnAspiration", new AspirationPage(pages));
    // Further sim pages register here, one line each.
    AddSimPage("btnJobs", new JobSchoolPage(pages));
    AddSimPage("btnFamilyTies", new FamilyTiesPage(pages));
    AddSimPage("btnGenetics", new GeneticsPage(pages));
    AddSimPage("btnRelationships", new RelationshipsPage(pages));
    AddSimPage("btnCloning", new CloningPage(pages));
}

// A renamed sim keeps its place in the list and gets its label in the form the list shows, judged
// from another entry; when that tells nothing, the form the list was last sorted into.
void NeighborhoodEditor::RelabelSelectedSim() {
    Character* sim = SelectedSim();
    if (!sim) return;
    const int current = cbUserName_->currentIndex();
    const int reference = current == 0 ? 1 : 0;
    LabelForm form = state_.Form;
    if (reference < cbUserName_->count() && reference < static_cast<int>(state_.Sims.size())) {
        const Character& other = *state_.Sims[static_cast<std::size_t>(reference)];
        if (auto shown = DetectLabelForm(cbUserName_->itemText(reference).toStdU16String(), other))
            form = *shown;
    }
    cbUserName_->setItemText(current, QString::fromStdU16String(SimLabel(*sim, form)));
}

void NeighborhoodEditor::AddSimPage(const char* button, EditingPage* page) {
    const QString pageName = page->objectName();
    simPages_.push_back(page);
    const bool reapplySwitch = page->Advanced() == EditingPage::AdvancedReach::EveryOpening;
    window_.ReplacePage(pageName, page);
    window_.SetPageOpener(button, [this, page, pageName, button, reapplySwitch] {
        CommitTyping();
        page->Open([this, pageName, button, reapplySwitch] {
            window_.ShowPage(pageName);
            window_.SelectNavButton(button);
            if (reapplySwitch) ApplyAdvancedSwitch();
        });
    });
}

void NeighborhoodEditor::ApplyAdvancedSwitch() {
    if (!loaded_ || state_.Sims.empty()) return;
    const bool on = ckAdvanced_->isChecked();
    const Character* sim = SelectedSim();
    const AdvancedControls controls = AdvancedControlsFor(on, ToInstalledPacks(startup_.Packs),
                                                          sim ? sim->Species : std::uint16_t{0});
    for (EditingPage* page : simPages_)
        if (page->Advanced() != EditingPage::AdvancedReach::None) {
            page->ApplyAdvanced(controls);
            page->OfferStorableControls();  // the switch never offers what cannot be saved
        }
    householdsPage_->ApplyAdvanced(controls.ShowMoveIn);
}

void NeighborhoodEditor::MoveSelectedSimInto(Household* household) {
    Character* sim = SelectedSim();
    if (!sim || !household) return;
    {
        BusyGuard busy;
        MoveIn(state_, *sim, *household);
    }
    ShowSaveButton();
    ShowHouseholdsPage();
}

void NeighborhoodEditor::DeleteSelectedSim() {
    if (!loaded_ || state_.Sims.empty()) return;
    const int index = cbUserName_->currentIndex();
    if (index < 0) return;
    const SimDeleteOutcome outcome =
        DeleteCharacter(state_, static_cast<std::size_t>(index), messages_, files_);
    // Whatever the answer, the keyboard leaves Delete: a second Enter or Space must not delete
    // the next sim.
    cbUserName_->setFocus();
    if (!outcome.Deleted) return;
    RefreshUnsaved();  // the edits of the deleted sim went with it
    // Deleting moved a file to the trash, which no undo brings back; the history starts again.
    history_.Reset(state_);
    RefreshHistoryButtons();
    checked_ = false;
    checkPage_->Clear();
    const Character* next = outcome.NextSelection ? state_.Sims[*outcome.NextSelection] : nullptr;
    simList_.Fill(state_, next);
    if (next) {
        SimSelectionChanged();
    } else {
        // No sim left: no page may keep showing the one that is gone.
        imgChar_->clear();
        window_.ShowPage("");
    }
    // The neighborhood still holds the sim's description, ties and relationships.
    if (messages_.AskYesNo(kCheckAfterDeleteQuestion, DefaultAnswer::No)) ShowCheckPage();
}

void NeighborhoodEditor::ExportSims() {
    if (!loaded_) return;
    FileDialogRequest request;
    request.Filter = "CSV for spreadsheets (*.csv)|*.csv|JSON (*.json)|*.json";
    // A table for the player's own use goes among their documents, not into the game's folders.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
    request.Folder = PathOfText(folder);
    request.FileName = state_.Selected.FolderName + " sims.csv";
    std::optional<std::filesystem::path> file = dialogs_.SaveFile(request);
    if (!file) return;
    std::string extension = file->extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension != ".csv" && extension != ".json") {
        *file += ".csv";
        extension = ".csv";
    }
    std::error_code ec;
    if (std::filesystem::exists(*file, ec) &&
        !messages_.AskYesNo(file->filename().string() + " exists.\r\nReplace it?",
                            DefaultAnswer::No))
        return;
    std::ostringstream image;
    const bool made =
        extension == ".json" ? WriteSimsJson(state_, image) : WriteSimsCsv(state_, image);
    try {
        if (!made) throw FileError("the sims could not be written out");
        const std::string bytes = std::move(image).str();
        ReplaceFileAtomically(
            *file, ByteView(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    } catch (const FileError& e) {
        messages_.Show("The sims were not exported: " + std::string(e.what()) + ".");
        return;
    }
    messages_.Show("Exported " + std::to_string(state_.Sims.size()) + " sims to " + file->string() +
                   ".");
}

void NeighborhoodEditor::OpenSimFinder() {
    if (!loaded_ || state_.Sims.empty()) return;
    // Built anew each time: names, households and the list order may have changed since.
    simFinder_->SetNeighborhood(&state_);
    simFinder_->Open(cbUserName_, SelectedSim());
}

void NeighborhoodEditor::ShowCheckPage() {
    if (!loaded_) return;
    window_.ShowPage("pnlCheck");
    window_.SelectNavButton("btnCheck");
    if (!checked_) RunCheck();
}

void NeighborhoodEditor::RunCheck() {
    if (!loaded_) return;
    HealthReport report;
    {
        BusyGuard busy(&window_, BusyGuard::Window);
        report = CheckNeighborhood(
            state_, [this](std::size_t done, std::size_t total) { ShowFileProgress(done, total); });
        ResetProgress();
    }
    checkPage_->ShowReport(report, !PlanSafeMends(state_, report).Empty());
    checked_ = true;
}

void NeighborhoodEditor::MendSafeProblems() {
    if (!loaded_) return;
    if (state_.AnythingModified()) {
        messages_.Show(kMendNeedsSavedText);
        return;
    }
    const HealthReport report = CheckNeighborhood(state_);
    const MendPlan plan = PlanSafeMends(state_, report);
    if (plan.Empty()) {
        messages_.Show("Nothing can be mended safely.");
        RunCheck();
        return;
    }
    if (!messages_.AskYesNo(MendQuestionText(state_.Selected, plan), DefaultAnswer::No)) return;
    if (!ConfirmGameClosed()) return;
    const int index = loadedIndex_;
    if (index < 0) return;
    const Neighborhood chosen = startup_.Neighborhoods[static_cast<std::size_t>(index)];
    MendOutcome outcome;
    {
        BusyGuard busy(&window_, BusyGuard::Window);
        EditingContext context = Context();
        outcome = kinloom::MendSafeProblems(
            state_, context,
            [&] {
                const BackupOutcome made = MakeBackups().BackupNeighborhood(
                    chosen,
                    [this](std::size_t done, std::size_t total) { ShowFileProgress(done, total); });
                ResetProgress();
                return made.Succeeded;
            },
            false);
    }
    if (outcome.Failure) {
        messages_.Show(*outcome.Failure);
        RunCheck();
        return;
    }
    messages_.Show(MendDoneText(outcome));
    // The records changed under the pages: load again from what is now on disk.
    if (ReloadKeepingSim()) ShowCheckPage();
}

bool NeighborhoodEditor::ReloadKeepingSim() {
    const Character* sim = SelectedSim();
    // The sim is known again by its file: the records are new after the load.
    const std::filesystem::path file = sim ? sim->FilePath : std::filesystem::path();
    if (!LoadSelectedNeighborhood()) return false;
    if (!file.empty())
        for (Character* again : state_.Sims)
            if (again->FilePath == file) {
                if (again != SelectedSim()) SelectSim(again);
                break;
            }
    return true;
}

NeighborhoodEditor::~NeighborhoodEditor() = default;

void NeighborhoodEditor::SetStartup(StartupState startup, std::filesystem::path documents) {
    startup_ = std::move(startup);
    documents_ = std::move(documents);
    cbNeighborhood_->clear();
    for (const Neighborhood& n : startup_.Neighborhoods)
        cbNeighborhood_->addItem(QString::fromStdU16String(NeighborhoodDisplayText(n)),
                                 QString::fromStdString(n.FolderName));
    cbNeighborhood_->setCurrentIndex(cbNeighborhood_->count() > 0 ? 0 : -1);
    neighborhoodPage_->ShowGameFolder(startup_.UserDataFolder);
}

bool NeighborhoodEditor::OpenGame(StartupState startup, std::filesystem::path documents) {
    // The old neighborhood goes first; its unsaved edits were settled by the caller.
    householdsPage_->SetNeighborhood(nullptr);
    simList_.Clear();
    imgChar_->clear();
    state_ = LoadedNeighborhood{};
    loaded_ = false;
    loadedIndex_ = -1;
    RefreshUnsaved();
    const std::string last = startup.LastNeighborhood;
    SetStartup(std::move(startup), std::move(documents));
    for (std::size_t i = 0; i < startup_.Neighborhoods.size(); ++i) {
        if (startup_.Neighborhoods[i].FolderName == last) SelectNeighborhood(static_cast<int>(i));
    }
    if (!LoadSelectedNeighborhood()) {
        window_.ShowAboutPage();
        return false;
    }
    ApplyAdvancedSwitch();
    return true;
}

void NeighborhoodEditor::SelectNeighborhood(int index) {
    if (index >= 0 && index < cbNeighborhood_->count()) cbNeighborhood_->setCurrentIndex(index);
}

EditingContext NeighborhoodEditor::Context() {
    EditingContext context{messages_, startup_.GameLanguage, {}, {}};
    // Read from the pictures library once: a neighborhood of sims without pictures asks for it
    // once per sim.
    context.placeholder = [this]() -> std::shared_ptr<const Bitmap> {
        if (!placeholder_) {
            std::optional<QImage> picture = pictures_.Take("IMGUnknown");
            if (!picture) return nullptr;
            placeholder_ = std::make_shared<const Bitmap>(FromQImage(*picture));
        }
        return placeholder_;
    };
    // The bar moves in hundredths, drawn at most every kProgressInterval: a thousand sims would
    // otherwise repaint the window (and tell a screen reader) a thousand times, or a hundred
    // within a tenth of a second, which took longer than reading them.
    context.progress = [this, shown = -1, drawn = QElapsedTimer()](int position,
                                                                   int maximum) mutable {
        const int step = maximum > 0 ? static_cast<int>(100LL * position / maximum) : 0;
        if (step == shown && position != maximum) return;
        if (position != maximum && drawn.isValid() && drawn.elapsed() < kProgressInterval) return;
        shown = step;
        drawn.start();
        host_->ShowProgress(position, maximum);
        KeepPainting();
    };
    return context;
}

bool NeighborhoodEditor::ConfirmGameClosed() {
    return !gameRunning_() || messages_.AskOkCancel(kGameRunningWarning, DefaultAnswer::No);
}

bool NeighborhoodEditor::CommitTyping() {
    bool taken = true;
    for (EditingPage* page : simPages_) taken = page->CommitTyping() && taken;
    return taken;
}

bool NeighborhoodEditor::ConfirmDropEdits() {
    // A value still being typed is an edit the question must count; one refused keeps the
    // window where it is, its reason showing.
    if (!CommitTyping()) return false;
    if (!loaded_ || !state_.AnythingModified()) return true;
    switch (messages_.AskSaveDiscardCancel(UnsavedChangesQuestion(state_.Selected))) {
        case UnsavedAnswer::Save:
            return Save();  // a failed save has said why; the edits stay
        case UnsavedAnswer::Discard:
            return true;
        case UnsavedAnswer::Cancel:
            break;
    }
    return false;
}

void NeighborhoodEditor::RefreshUnsaved() {
    const bool unsaved = loaded_ && state_.AnythingModified();
    btnSave_->setEnabled(unsaved);
    window_.ShowUnsaved(unsaved);
}

bool NeighborhoodEditor::LoadSelectedNeighborhood() {
    const int index = cbNeighborhood_->currentIndex();
    if (index < 0 || index >= static_cast<int>(startup_.Neighborhoods.size())) return false;
    if (!ConfirmGameClosed()) {
        // Stay with what is loaded.
        if (loadedIndex_ >= 0) cbNeighborhood_->setCurrentIndex(loadedIndex_);
        return false;
    }
    BusyGuard busy(&window_, BusyGuard::Window);
    // A name or description edited and not saved is dropped with the rest: the list shows the
    // neighborhood as its package holds it again.
    if (loaded_ && loadedIndex_ >= 0) {
        startup_.Neighborhoods[static_cast<std::size_t>(loadedIndex_)] = storedRecord_;
        cbNeighborhood_->setItemText(
            loadedIndex_, QString::fromStdU16String(NeighborhoodDisplayText(storedRecord_)));
    }
    // Everything of the previous neighborhood goes first; the pages must not point into it.
    householdsPage_->SetNeighborhood(nullptr);
    simList_.Clear();
    imgChar_->clear();
    loaded_ = false;
    loadedIndex_ = -1;
    checked_ = false;
    simFinder_->hide();
    simFinder_->SetNeighborhood(nullptr);
    checkPage_->Clear();

    EditingContext context = Context();
    const Neighborhood& chosen = startup_.Neighborhoods[static_cast<std::size_t>(index)];
    const LoadOutcome outcome =
        LoadNeighborhood(chosen, state_, LabelFormFromSetting(settings_.ReadText("Sort")), context);
    pbLoading_->setRange(0, 100);
    pbLoading_->setValue(0);
    if (!outcome.Loaded) {
        if (outcome.Failure) messages_.Show(*outcome.Failure);
        state_ = LoadedNeighborhood{};
        RefreshUnsaved();
        RefreshHistoryButtons();
        window_.ShowAboutPage();
        return false;
    }
    loaded_ = true;
    loadedIndex_ = index;
    // The steps were of records this load replaced: Undo and Redo have nothing left.
    history_.Reset(state_);
    RefreshHistoryButtons();
    startup_.Neighborhoods[static_cast<std::size_t>(index)] = state_.Selected;
    storedRecord_ = state_.Selected;
    RefreshNeighborhoodItem();
    RefreshUnsaved();
    householdsPage_->SetNeighborhood(&state_);
    simList_.Fill(state_, nullptr);
    window_.ShowPage("pnlNeighborhood");
    window_.SelectNavButton("btnNeighborhood");
    if (SelectedSim())
        SimSelectionChanged();
    else
        ShowNeighborhoodPage();  // a neighborhood without sims can still be renamed
    return true;
}

Character* NeighborhoodEditor::SelectedSim() const {
    return loaded_ ? simList_.Selected(state_) : nullptr;
}

void NeighborhoodEditor::SimSelectionChanged() {
    CommitTyping();  // into the sim it was typed for, before the pages are filled again
    Character* sim = SelectedSim();
    if (!sim) return;
    const QString current = window_.CurrentNavButton();
    window_.ShowPage("");
    KeepPainting();
    if (!current.isEmpty()) window_.OpenPage(current);
    KeepPainting();

    Bitmap picture = sim->Thumbnail.Picture();
    if (sim->FamilyNumber == 0) GrayscaleBitmap(picture);  // outside every household
    imgChar_->setPixmap(QPixmap::fromImage(ToQImage(picture)));
}

void NeighborhoodEditor::SelectSim(Character* sim) {
    if (!loaded_ || !sim) return;
    const auto listed = std::find(state_.Sims.begin(), state_.Sims.end(), sim);
    if (listed == state_.Sims.end()) return;
    cbUserName_->setCurrentIndex(static_cast<int>(listed - state_.Sims.begin()));
    SimSelectionChanged();
}

void NeighborhoodEditor::SortSims() {
    Character* sim = SelectedSim();
    if (!sim) return;
    const std::optional<LabelForm> form =
        DetectLabelForm(cbUserName_->currentText().toStdU16String(), *sim);
    if (form) {
        const LabelForm next = NextLabelForm(*form);
        state_.SortSims(next);
        settings_.WriteText("Sort", LabelFormSetting(next));
    }
    simList_.Fill(state_, sim);
    SimSelectionChanged();
}

std::filesystem::path NeighborhoodEditor::PicturePath() const {
    const Neighborhood& n = state_.Selected;
    return n.PackagePath.parent_path() / (n.FolderName + "_Neighborhood.png");
}

void NeighborhoodEditor::ShowNeighborhoodPage() {
    if (!loaded_) return;
    BackupTree tree;
    {
        BusyGuard busy(neighborhoodPage_);  // filling is no edit
        neighborhoodPage_->Fill(state_.Selected, PicturePath());
        neighborhoodPage_->RefuseNameEdits(NeighborhoodNamesRefusal(state_));
        tree = ListBackups(ResolveArchiveFolder(settings_, documents_), state_.Selected.FolderName);
        neighborhoodPage_->ShowBackups(tree);
        window_.ShowPage("pnlNeighborhood");
        window_.SelectNavButton("btnNeighborhood");
    }
    // The page opens again on every sim change: the reminder is given once per neighborhood.
    if (tree.Root.Children.empty() && backupReminded_.insert(state_.Selected.FolderName).second)
        messages_.Show(BackupNotFoundText(state_.Selected));
}

void NeighborhoodEditor::ShowHouseholdsPage() {
    Character* sim = SelectedSim();
    if (!sim) return;
    householdsPage_->setEnabled(false);  // filling is no edit
    householdsPage_->ShowFor(*sim, ckAdvanced_->isChecked());
    window_.ShowPage("pnlHouseholds");
    window_.SelectNavButton("btnHouseHolds");
}

void NeighborhoodEditor::RefreshNeighborhoodItem() {
    if (loadedIndex_ < 0) return;
    cbNeighborhood_->setItemText(
        loadedIndex_, QString::fromStdU16String(NeighborhoodDisplayText(state_.Selected)));
}

void NeighborhoodEditor::NameEdited(const QString& text) {
    if (!loaded_ || NeighborhoodNamesRefusal(state_)) return;
    state_.Selected.NGBDName = EncodeUtf8(text.toStdU16String());
    state_.Selected.Modified = 1;
    startup_.Neighborhoods[static_cast<std::size_t>(loadedIndex_)] = state_.Selected;
    RefreshNeighborhoodItem();
    ShowSaveButton();
}

void NeighborhoodEditor::DescriptionEdited(const QString& text) {
    if (!loaded_ || NeighborhoodNamesRefusal(state_)) return;
    state_.Selected.NGBDDescription = EncodeUtf8(text.toStdU16String());
    state_.Selected.Modified = 1;
    startup_.Neighborhoods[static_cast<std::size_t>(loadedIndex_)] = state_.Selected;
    ShowSaveButton();
}

void NeighborhoodEditor::ShowSaveButton() {
    // Every edit passes here: the history takes the step, named after the control that made it,
    // and one control's run of changes (a drag, typing) stays one step.
    if (loaded_) {
        // The control the player last pressed or typed into; the focus when none is known.
        const QWidget* control = lastControl_ ? lastControl_.data() : QApplication::focusWidget();
        QString name;
        QString key;
        if (control && window_.isAncestorOf(control)) {
            key = control->objectName();
            name = control->accessibleName();
            if (name.isEmpty()) {
                if (const auto* button = qobject_cast<const QAbstractButton*>(control))
                    name = button->text().remove('&');
            }
        }
        name = name.trimmed();
        if (name.endsWith(':')) name.chop(1);
        if (name.isEmpty()) name = "Edit";
        history_.Note(state_, name.toStdString(), key.toStdString());
    }
    RefreshUnsaved();
    RefreshHistoryButtons();
}

void NeighborhoodEditor::RefreshHistoryButtons() {
    QPushButton* undo = window_.UndoButton();
    QPushButton* redo = window_.RedoButton();
    undo->setEnabled(loaded_ && history_.CanUndo());
    redo->setEnabled(loaded_ && history_.CanRedo());
    undo->setToolTip(history_.CanUndo()
                         ? QString::fromStdString("Undo " + history_.UndoName() + " (Ctrl+Z)")
                         : QString("Nothing to undo"));
    redo->setToolTip(history_.CanRedo()
                         ? QString::fromStdString("Redo " + history_.RedoName() + " (Ctrl+Y)")
                         : QString("Nothing to redo"));
    window_.RevertSimButton()->setEnabled(loaded_ && SelectedSim());
}

void NeighborhoodEditor::Undo() {
    CommitTyping();
    if (!loaded_ || !history_.CanUndo()) return;
    ShowHistoryStep(history_.Undo(state_));
}

void NeighborhoodEditor::Redo() {
    CommitTyping();
    if (!loaded_ || !history_.CanRedo()) return;
    ShowHistoryStep(history_.Redo(state_));
}

void NeighborhoodEditor::RevertSelectedSim() {
    CommitTyping();
    Character* sim = SelectedSim();
    if (!sim) return;
    if (!history_.RevertSim(state_, *sim, "Revert " + EncodeUtf8(SimName(*sim)))) {
        messages_.Show("This sim has no unsaved edit to take back.");
        return;
    }
    ShowHistoryStep({sim});
}

void NeighborhoodEditor::ShowHistoryStep(const std::vector<Character*>& changed) {
    Character* current = SelectedSim();
    Character* show = current;
    // Another sim changed: it is the one selected, so the change is seen.
    if (!changed.empty() && std::find(changed.begin(), changed.end(), current) == changed.end())
        show = changed.front();
    simList_.Fill(state_, show);  // names may have changed back
    RefreshNeighborhoodItem();
    checked_ = false;
    checkPage_->Clear();
    RefreshUnsaved();
    RefreshHistoryButtons();
    if (show)
        SimSelectionChanged();
    else
        ShowNeighborhoodPage();
}

bool NeighborhoodEditor::eventFilter(QObject* watched, QEvent* event) {
    // Text boxes keep their own undo for their text; in this window Ctrl+Z and Ctrl+Y belong to
    // the edit history, which knows the records behind every box.
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && window_.isAncestorOf(widget)) lastControl_ = widget;
    }
    if (event->type() == QEvent::ShortcutOverride) {
        auto* widget = qobject_cast<QWidget*>(watched);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (widget && window_.isAncestorOf(widget) &&
            (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
             (key->key() == Qt::Key_Y && key->modifiers() == Qt::ControlModifier))) {
            event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

bool NeighborhoodEditor::Save() {
    if (!CommitTyping() || !loaded_ || !ConfirmGameClosed()) return false;
    SaveOutcome outcome;
    {
        BusyGuard busy(&window_, BusyGuard::Window);
        EditingContext context = Context();
        outcome = SaveNeighborhood(state_, context);
    }
    if (!outcome.Saved) {
        // The edits stay in memory, still marked, and Save stays offered.
        messages_.Show(outcome.Failure.value_or("The neighborhood could not be saved."));
        return false;
    }
    if (outcome.Notice) messages_.Show(*outcome.Notice);
    startup_.Neighborhoods[static_cast<std::size_t>(loadedIndex_)] = state_.Selected;
    storedRecord_ = state_.Selected;
    history_.Saved(state_);
    RefreshUnsaved();
    RefreshHistoryButtons();
    SimSelectionChanged();
    return true;
}

Backups NeighborhoodEditor::MakeBackups() {
    return Backups({startup_.NeighborhoodsFolder, documents_, startup_.GameLanguage}, settings_,
                   messages_, files_);
}

void NeighborhoodEditor::ShowFileProgress(std::size_t done, std::size_t total) {
    // The bar counts in whole percent: a neighborhood may hold more files than an int counts.
    const int percent =
        total == 0 ? 100 : static_cast<int>(std::min<std::size_t>(done, total) * 100 / total);
    pbLoading_->setRange(0, 100);
    pbLoading_->setValue(percent);
    KeepPainting();
}

void NeighborhoodEditor::ResetProgress() {
    pbLoading_->setRange(0, 100);
    pbLoading_->setValue(0);
}

void NeighborhoodEditor::BackupSelectedNeighborhood() {
    const int index = cbNeighborhood_->currentIndex();
    if (index < 0 || index >= static_cast<int>(startup_.Neighborhoods.size())) return;
    const Neighborhood chosen = startup_.Neighborhoods[static_cast<std::size_t>(index)];
    BusyGuard busy(&window_, BusyGuard::Window);
    const BackupOutcome outcome = MakeBackups().BackupNeighborhood(
        chosen, [this](std::size_t done, std::size_t total) { ShowFileProgress(done, total); });
    ResetProgress();
    neighborhoodPage_->ShowBackups(outcome.Tree);
}

void NeighborhoodEditor::ChangeBackupLocation() {
    Backups backups = MakeBackups();
    const bool changed = backups.ChangeArchiveLocation(
        [this](const std::filesystem::path& start) { return dialogs_.ChooseFolder(start); });
    if (changed) ShowNeighborhoodPage();
}

void NeighborhoodEditor::RestoreBackup(const BackupNode& node) {
    // Restoring the loaded neighborhood reloads it: its unsaved edits are settled first. A
    // backup's name begins with the four-character folder name of its neighborhood.
    constexpr std::size_t kFolderNameLength = 4;
    const QString restored = QString::fromStdString(FirstCharacters(node.Text, kFolderNameLength));
    if (node.Level == 2 && loaded_ &&
        restored.compare(QString::fromStdString(state_.Selected.FolderName), Qt::CaseInsensitive) ==
            0 &&
        !ConfirmDropEdits())
        return;
    const int index = cbNeighborhood_->currentIndex();
    const std::string selectedFolder =
        index >= 0 && index < static_cast<int>(startup_.Neighborhoods.size())
            ? startup_.Neighborhoods[static_cast<std::size_t>(index)].FolderName
            : std::string();
    RestoreOutcome outcome;
    {
        BusyGuard busy(&window_, BusyGuard::Window);
        outcome = MakeBackups().RestoreBackup(
            &node, startup_.Neighborhoods, selectedFolder,
            [this](std::size_t done, std::size_t total) { ShowFileProgress(done, total); });
        ResetProgress();
        if (outcome.Added) {
            startup_.Neighborhoods.push_back(*outcome.Added);
            cbNeighborhood_->addItem(
                QString::fromStdU16String(NeighborhoodDisplayText(*outcome.Added)),
                QString::fromStdString(outcome.Added->FolderName));
        }
    }
    // The restored folder is what the loaded neighborhood must show now; its unsaved edits go.
    if (outcome.ReloadLoaded)
        ReloadKeepingSim();
    else if (outcome.Tree)
        neighborhoodPage_->ShowBackups(*outcome.Tree);  // with the backup made before it
}

void NeighborhoodEditor::DeleteBackup(const BackupNode& node) {
    const Neighborhood loaded = loaded_ ? state_.Selected : Neighborhood{};
    neighborhoodPage_->setEnabled(false);
    const DeleteOutcome outcome = MakeBackups().DeleteBackup(&node, loaded);
    if (outcome.Tree) neighborhoodPage_->ShowBackups(*outcome.Tree);
    neighborhoodPage_->setEnabled(true);
}

void NeighborhoodEditor::ShowBackupPath(const BackupNode& node) {
    MakeBackups().ShowBackupPath(&node);
}

void NeighborhoodEditor::ReplaceNeighborhoodImage() {
    if (!loaded_) return;
    const std::optional<std::filesystem::path> chosen = dialogs_.OpenFile(kPictureFilter);
    std::error_code ec;
    if (!chosen || !std::filesystem::is_regular_file(*chosen, ec)) return;
    if (!messages_.AskOkCancel(kReplacePictureQuestion, DefaultAnswer::No)) return;
    const std::filesystem::path picture = PicturePath();
    if (const std::optional<std::string> error = ReplaceNeighborhoodPicture(*chosen, picture)) {
        messages_.Show(*error);
        return;
    }
    neighborhoodPage_->ClearPicture();
    neighborhoodPage_->ShowPicture(picture);
}

}  // namespace kinloom::gui

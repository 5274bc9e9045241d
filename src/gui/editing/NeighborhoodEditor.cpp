#include "editing/NeighborhoodEditor.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "editing/HouseholdsPage.h"
#include "editing/LoadNeighborhood.h"
#include "editing/SaveNeighborhood.h"
#include "maintenance/Backups.h"
#include "neighborhoods/NeighborhoodPage.h"
#include "packages/Utf8.h"
#include "platform/GameProcess.h"
#include "platform/Messages.h"
#include "platform/Settings.h"
#include "shell/BitmapImage.h"
#include "shell/PicturesLibrary.h"
#include "shell/uiMain.h"

namespace kinloom::gui {

namespace {

template <typename T>
T* Control(QWidget& window, const char* name) {
    T* control = window.findChild<T*>(name);
    Q_ASSERT(control);
    return control;
}

void KeepPainting() {
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

class BusyState {
public:
    explicit BusyState(TfrmMain& window) : window_(window) { window_.BeginBusy(); }
    ~BusyState() { window_.EndBusy(); }
    BusyState(const BusyState&) = delete;
    BusyState& operator=(const BusyState&) = delete;

private:
    TfrmMain& window_;
};

}  // namespace

NeighborhoodEditor::NeighborhoodEditor(TfrmMain& window, Settings& settings, Messages& messages,
                                       const PicturesLibrary& pictures,
                                       GameRunningCheck gameRunning)
    : QObject(&window),
      window_(window),
      settings_(settings),
      messages_(messages),
      pictures_(pictures),
      gameRunning_(gameRunning ? std::move(gameRunning)
                               : GameRunningCheck([] { return !RunningGameProcesses().empty(); })),
      cbNeighborhood_(Control<QComboBox>(window, "cbNeighborhood")),
      cbUserName_(Control<QComboBox>(window, "cbUserName")),
      btnSave_(Control<QPushButton>(window, "btnSave")),
      ckAdvanced_(Control<QCheckBox>(window, "ckAdvanced")),
      imgChar_(Control<QLabel>(window, "imgChar")),
      pbLoading_(Control<QProgressBar>(window, "pbLoading")),
      neighborhoodPage_(new NeighborhoodPage),
      householdsPage_(new HouseholdsPage),
      simList_(*cbUserName_) {
    window_.ReplacePage("pnlNeighborhood", neighborhoodPage_);
    window_.ReplacePage("pnlHouseholds", householdsPage_);
    window_.SetPageOpener("btnNeighborhood", [this] { ShowNeighborhoodPage(); });
    window_.SetPageOpener("btnHouseHolds", [this] { ShowHouseholdsPage(); });

    connect(neighborhoodPage_, &NeighborhoodPage::NameEdited, this,
            &NeighborhoodEditor::NameEdited);
    connect(neighborhoodPage_, &NeighborhoodPage::DescriptionEdited, this,
            &NeighborhoodEditor::DescriptionEdited);
    connect(householdsPage_, &HouseholdsPage::HouseholdEdited, this,
            &NeighborhoodEditor::ShowSaveButton);
    connect(cbNeighborhood_, &QComboBox::activated, this, [this](int index) {
        if (index != loadedIndex_) LoadSelectedNeighborhood();
    });
    connect(cbUserName_, &QComboBox::activated, this, [this] { SimSelectionChanged(); });
    connect(Control<QPushButton>(window, "btnSortUsers"), &QPushButton::clicked, this,
            &NeighborhoodEditor::SortSims);
    connect(btnSave_, &QPushButton::clicked, this, [this] { Save(); });
}

void NeighborhoodEditor::SetStartup(StartupState startup, std::filesystem::path documents) {
    startup_ = std::move(startup);
    documents_ = std::move(documents);
    cbNeighborhood_->clear();
    for (const Neighborhood& n : startup_.Neighborhoods)
        cbNeighborhood_->addItem(QString::fromStdU16String(NeighborhoodDisplayText(n)),
                                 QString::fromStdString(n.FolderName));
    cbNeighborhood_->setCurrentIndex(cbNeighborhood_->count() > 0 ? 0 : -1);
}

void NeighborhoodEditor::SelectNeighborhood(int index) {
    if (index >= 0 && index < cbNeighborhood_->count()) cbNeighborhood_->setCurrentIndex(index);
}

EditingContext NeighborhoodEditor::Context() {
    EditingContext context{messages_, startup_.GameLanguage, {}, {}};
    context.placeholder = [this]() -> std::optional<Bitmap> {
        std::optional<QImage> picture = pictures_.Take("IMGUnknown");
        if (!picture) return std::nullopt;
        return FromQImage(*picture);
    };
    context.progress = [this](int position, int maximum) {
        pbLoading_->setRange(0, std::max(maximum, 1));
        pbLoading_->setValue(std::clamp(position, 0, std::max(maximum, 1)));
        KeepPainting();
    };
    return context;
}

bool NeighborhoodEditor::ConfirmGameClosed() {
    return !gameRunning_() || messages_.AskOkCancel(kGameRunningWarning);
}

bool NeighborhoodEditor::LoadSelectedNeighborhood() {
    const int index = cbNeighborhood_->currentIndex();
    if (index < 0 || index >= static_cast<int>(startup_.Neighborhoods.size())) return false;
    if (!ConfirmGameClosed()) {
        // Stay with what is loaded.
        if (loadedIndex_ >= 0) cbNeighborhood_->setCurrentIndex(loadedIndex_);
        return false;
    }
    BusyState busy(window_);
    // Everything of the previous neighborhood goes first; the pages must not point into it.
    householdsPage_->SetNeighborhood(nullptr);
    simList_.Clear();
    imgChar_->clear();
    loaded_ = false;
    loadedIndex_ = -1;

    EditingContext context = Context();
    const Neighborhood& chosen = startup_.Neighborhoods[static_cast<std::size_t>(index)];
    const LoadOutcome outcome =
        LoadNeighborhood(chosen, state_, LabelFormFromSetting(settings_.ReadText("Sort")), context);
    pbLoading_->setRange(0, 100);
    pbLoading_->setValue(0);
    if (!outcome.Loaded) {
        if (outcome.Failure) messages_.Show(*outcome.Failure);
        state_ = LoadedNeighborhood{};
        window_.ShowAboutPage();
        return false;
    }
    loaded_ = true;
    loadedIndex_ = index;
    startup_.Neighborhoods[static_cast<std::size_t>(index)] = state_.Selected;
    RefreshNeighborhoodItem();
    btnSave_->hide();
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
    Character* sim = SelectedSim();
    if (!sim) return;
    const QString current = window_.CurrentNavButton();
    window_.ShowPage("");
    KeepPainting();
    if (!current.isEmpty()) window_.OpenPage(current);
    KeepPainting();

    Bitmap picture = sim->Thumbnail;
    if (sim->FamilyNumber == 0) GrayscaleBitmap(picture);  // outside every household
    imgChar_->setPixmap(QPixmap::fromImage(ToQImage(picture)));
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
    QApplication::setOverrideCursor(Qt::WaitCursor);
    neighborhoodPage_->setEnabled(false);  // filling is no edit
    neighborhoodPage_->Fill(state_.Selected, PicturePath());
    const BackupTree tree =
        ListBackups(ResolveArchiveFolder(settings_, documents_), state_.Selected.FolderName);
    neighborhoodPage_->ShowBackups(tree);
    window_.ShowPage("pnlNeighborhood");
    window_.SelectNavButton("btnNeighborhood");
    QApplication::restoreOverrideCursor();
    if (tree.Root.Children.empty()) messages_.Show(BackupNotFoundText(state_.Selected));
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
    if (!loaded_) return;
    state_.Selected.NGBDName = EncodeUtf8(text.toStdU16String());
    state_.Selected.Modified = 1;
    startup_.Neighborhoods[static_cast<std::size_t>(loadedIndex_)] = state_.Selected;
    RefreshNeighborhoodItem();
    ShowSaveButton();
}

void NeighborhoodEditor::DescriptionEdited(const QString& text) {
    if (!loaded_) return;
    state_.Selected.NGBDDescription = EncodeUtf8(text.toStdU16String());
    state_.Selected.Modified = 1;
    startup_.Neighborhoods[static_cast<std::size_t>(loadedIndex_)] = state_.Selected;
    ShowSaveButton();
}

void NeighborhoodEditor::ShowSaveButton() {
    btnSave_->show();
}

bool NeighborhoodEditor::Save() {
    if (!loaded_ || !ConfirmGameClosed()) return false;
    SaveOutcome outcome;
    {
        BusyState busy(window_);
        EditingContext context = Context();
        outcome = SaveNeighborhood(state_, context);
    }
    if (!outcome.Saved) {
        // The edits stay in memory, still marked, and Save stays offered.
        messages_.Show(outcome.Failure.value_or("The neighborhood could not be saved."));
        return false;
    }
    startup_.Neighborhoods[static_cast<std::size_t>(loadedIndex_)] = state_.Selected;
    btnSave_->hide();
    SimSelectionChanged();
    return true;
}

}  // namespace kinloom::gui

#include "gui/editors/JobSchoolPage.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QVBoxLayout>

#include "core/careers/JobSchool.h"
#include "core/editing/EditingModel.h"
#include "core/platform/Messages.h"
#include "gui/shell/PageKit.h"
#include "gui/shell/TextBoxes.h"
#include "gui/shell/ThinSlider.h"

namespace kinloom::gui {

namespace {

constexpr std::array<const char*, 7> kDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr std::array<const char*, 7> kDayLetters{"S", "M", "T", "W", "T", "F", "S"};

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Name(const char* prefix, const char* day) {
    return QString::fromLatin1(prefix) + QString::fromLatin1(day);
}

QComboBox* List(const char* name, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->setMinimumContentsLength(22);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return list;
}

// Pension and vacation days are number fields as every page has them.
static_assert(kNumberBoxLength == kNumberFieldLength);

// A green tick, readable on the light and the dark scheme alike.
QPixmap CheckMark() {
    constexpr int kSize = 16;
    QPixmap picture(kSize, kSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x2e, 0xa0, 0x43), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath tick;
    tick.moveTo(3, 8.5);
    tick.lineTo(6.5, 12);
    tick.lineTo(13, 4);
    painter.drawPath(tick);
    return picture;
}

// Keeps the caret where it was when the box's text is cleaned.
void ReplaceKeepingCaret(QLineEdit& box, const QString& text) {
    if (text == box.text()) return;
    const int caret = box.cursorPosition();
    box.setText(text);
    box.setCursorPosition(caret);
}

}  // namespace

void JobSchoolPage::Row::SetVisible(bool on) const {
    Caption->setVisible(on);
    Field->setVisible(on);
}

JobSchoolPage::JobSchoolPage(PageHost& host, QWidget* parent)
    : EditingPage("pnlJobs", host, parent) {
    BuildControls();
    ConnectControls();
}

void JobSchoolPage::BuildControls() {
    auto* outer = PageColumns(this, 28);

    // Left: work.
    QGridLayout* left = FieldGrid();
    int row = 0;
    auto addRow = [](QGridLayout* grid, int& at, QLabel* caption, QWidget* field) {
        grid->addWidget(caption, at, 0);
        grid->addWidget(field, at++, 1, Qt::AlignLeft);
        return Row{caption, field};
    };
    cbCareer_ = List("cbCareer", this);
    career_ = addRow(left, row, Label("lblCareer", "Career:", this), cbCareer_);
    cbJobs_ = List("cbJobs", this);
    jobs_ = addRow(left, row, Label("lblJobs", "Job:", this), cbJobs_);
    lblHours_ = Label("lblHours", "", this);
    left->addWidget(lblHours_, row++, 1);
    lblSalary_ = Label("lblSalary", "", this);
    left->addWidget(lblSalary_, row++, 1);

    lblWorkDays_ = Label("lblWorkDays", "", this);
    left->addWidget(lblWorkDays_, row, 0, Qt::AlignTop);
    auto* days = new QGridLayout;
    days->setHorizontalSpacing(6);
    days->setVerticalSpacing(2);
    const QPixmap checkMark = CheckMark();
    for (std::size_t d = 0; d < kDayNames.size(); ++d) {
        const int column = static_cast<int>(d);
        dayLetters_[d] = Label(Name("lbl", kDayNames[d]), kDayLetters[d], this);
        dayLetters_[d]->setAlignment(Qt::AlignCenter);
        dayLetters_[d]->setMinimumWidth(16);
        dayPictures_[d] = Label(Name("imgCk", kDayNames[d]), QString(), this);
        dayPictures_[d]->setAlignment(Qt::AlignCenter);
        dayPictures_[d]->setPixmap(checkMark);
        dayPictures_[d]->setFixedHeight(checkMark.height());
        days->addWidget(dayLetters_[d], 0, column);
        days->addWidget(dayPictures_[d], 1, column);
    }
    left->addLayout(days, row++, 1, Qt::AlignLeft);

    lblPerformance_ = Label("lblPerformance", "Performance:", this);
    trkPerformance_ = MakeSlider("trkPerformance", -100, 100, 10, 10);
    trkPerformance_->setMinimumWidth(220);
    performance_ = addRow(left, row, lblPerformance_, trkPerformance_);
    cbRetCareer_ = List("cbRetCareer", this);
    retCareer_ = addRow(left, row, Label("lblRetCareer", "Retired Career:", this), cbRetCareer_);
    cbRetJobs_ = List("cbRetJobs", this);
    retJobs_ = addRow(left, row, Label("lblRetJobs", "Retired Job:", this), cbRetJobs_);
    lblNPCType_ = Label("lblNPCType", Text(kNpcCaption), this);
    cbNPCType_ = List("cbNPCType", this);
    npcType_ = addRow(left, row, lblNPCType_, cbNPCType_);
    edtPension_ = NumberField("edtPension", this);
    pension_ = addRow(left, row, Label("lblPension", "Pension:", this), edtPension_);
    edtPTO_ = NumberField("edtPTO", this);
    StoredIn(edtPension_, {"Pension"});
    StoredIn(edtPTO_, {"PTO"});
    pto_ = addRow(left, row, Label("lblPTO", "Vacation Days:", this), edtPTO_);
    left->setRowStretch(row, 1);
    outer->addLayout(left);

    // Right: school and university.
    QGridLayout* right = FieldGrid();
    row = 0;
    cbSchool_ = List("cbSchool", this);
    school_ = addRow(right, row, Label("lblSchool", "School:", this), cbSchool_);
    cbGrade_ = List("cbGrade", this);
    cbGrade_->setMinimumContentsLength(4);
    grade_ = addRow(right, row, Label("lblGrade", "Grade:", this), cbGrade_);
    cbUniversityMajor_ = List("cbUniversityMajor", this);
    major_ = addRow(right, row, Label("lblUniversityMajor", "University Major:", this),
                    cbUniversityMajor_);
    // Class titles are long: the list is wider than the others, shortening the longest titles
    // so the page fits a small screen; its popup is as wide as its longest entry.
    cbUniversityClass_ = List("cbUniversityClass", this);
    StoredIn(cbUniversityMajor_, {"UniversityMajor", "UniversityClass"});
    StoredIn(cbUniversityClass_, {"UniversityClass"});
    cbUniversityClass_->setMinimumContentsLength(30);
    class_ = addRow(right, row, Label("lblUniversityClass", "University Class:", this),
                    cbUniversityClass_);
    lblUniversityYear_ = Label("lblUniversityYear", "", this);
    right->addWidget(lblUniversityYear_, row++, 1);
    lblClassHours_ = Label("lblClassHours", "", this);
    right->addWidget(lblClassHours_, row++, 1);
    auto slider = [&](const char* label, const char* caption, const char* name, int max, int tick,
                      QLabel*& lbl, ThinSlider*& trk) {
        lbl = Label(label, caption, this);
        trk = MakeSlider(name, 0, max, tick, tick);
        trk->setMinimumWidth(220);
        return addRow(right, row, lbl, trk);
    };
    classPerformance_ = slider("lblClassPerformance", "Class Performance:", "trkClassPerformance",
                               1000, 100, lblClassPerformance_, trkClassPerformance_);
    gpa_ = slider("lblGPA", "GPA:", "trkGPA", 1000, 100, lblGPA_, trkGPA_);
    gradePeriod_ = slider("lblGradePeriod", "Remaining Hours:", "trkGradePeriod", 72, 5,
                          lblGradePeriod_, trkGradePeriod_);
    right->setRowStretch(row, 1);
    outer->addLayout(right);
    outer->addStretch(1);
    cbNPCType_->setEnabled(false);
    cbUniversityClass_->setEnabled(false);
}

void JobSchoolPage::ConnectControls() {
    // The lists answer the user's choices only; filling selects from code and runs none.
    connect(cbCareer_, &QComboBox::activated, this, &JobSchoolPage::cbCareerChange);
    connect(cbJobs_, &QComboBox::activated, this, &JobSchoolPage::cbJobsChange);
    connect(cbRetCareer_, &QComboBox::activated, this, &JobSchoolPage::cbRetCareerChange);
    connect(cbRetJobs_, &QComboBox::activated, this, &JobSchoolPage::cbRetJobsChange);
    connect(cbSchool_, &QComboBox::activated, this, &JobSchoolPage::cbSchoolChange);
    connect(cbGrade_, &QComboBox::activated, this, &JobSchoolPage::cbGradeChange);
    connect(cbNPCType_, &QComboBox::activated, this, &JobSchoolPage::cbNPCTypeChange);
    connect(cbUniversityMajor_, &QComboBox::activated, this,
            &JobSchoolPage::cbUniversityMajorChange);
    connect(cbUniversityClass_, &QComboBox::activated, this,
            &JobSchoolPage::cbUniversityClassChange);
    // Every edit of the user counts, pasted text included, not only key releases.
    connect(edtPension_, &QLineEdit::textEdited, this, &JobSchoolPage::edtPensionKeyUp);
    connect(edtPTO_, &QLineEdit::textEdited, this, &JobSchoolPage::edtPTOKeyUp);
    BindSlider(trkPerformance_, &Character::Performance, [this](int v) {
        lblPerformance_->setText(QString::fromStdString(PerformanceCaption(v)));
    });
    BindSlider(trkClassPerformance_, &Character::ClassPerformance, [this](int v) {
        lblClassPerformance_->setText(QString::fromStdString(ClassPerformanceCaption(v)));
    });
    BindSlider(trkGPA_, &Character::GPA,
               [this](int v) { lblGPA_->setText(QString::fromStdString(GpaCaption(v))); });
    BindSlider(trkGradePeriod_, &Character::GradePeriod, [this](int v) {
        lblGradePeriod_->setText(QString::fromStdString(RemainingHoursCaption(v)));
    });
}

void JobSchoolPage::HideEveryRow() {
    for (const Row* r :
         {&career_, &jobs_, &retCareer_, &retJobs_, &school_, &grade_, &performance_, &npcType_,
          &pension_, &pto_, &major_, &class_, &classPerformance_, &gpa_, &gradePeriod_})
        r->SetVisible(false);
    lblHours_->hide();
    lblSalary_->hide();
    lblUniversityYear_->hide();
    lblClassHours_->hide();
    for (const auto* group : {&dayLetters_, &dayPictures_})
        for (QLabel* l : *group) l->hide();
    trkPerformance_->setEnabled(false);
    lblWorkDays_->clear();
    for (QComboBox* list : {cbCareer_, cbJobs_, cbRetCareer_, cbRetJobs_, cbSchool_, cbGrade_,
                            cbNPCType_, cbUniversityMajor_, cbUniversityClass_})
        list->clear();
    careers_.clear();
    retiredCareers_.clear();
    npcTypes_.clear();
}

void JobSchoolPage::Fill(const Character& shown) {
    // The sim shown is the current one; a child or teen without a school gets one here, as the
    // game would, without that counting as an edit.
    Character* sim = host_.CurrentSim();
    if (sim == &shown) ApplyDefaultSchool(*sim);
    const JobSchoolView view = ViewJobSchool(shown, Packs());

    HideEveryRow();
    const JobSchoolRows& rows = view.Rows;
    career_.SetVisible(rows.Career);
    jobs_.SetVisible(rows.Career);
    lblHours_->setVisible(rows.Career);
    lblSalary_->setVisible(rows.Career);
    retCareer_.SetVisible(rows.RetiredCareer);
    retJobs_.SetVisible(rows.RetiredCareer);
    school_.SetVisible(rows.School);
    grade_.SetVisible(rows.School);
    npcType_.SetVisible(rows.NPCType);
    pension_.SetVisible(rows.Pension);
    pto_.SetVisible(rows.VacationDays);
    if (rows.WorkDays) {
        lblWorkDays_->setText(Text(kWorkDaysCaption));
        for (QLabel* letter : dayLetters_) letter->show();
    }
    performance_.SetVisible(rows.Performance);
    trkPerformance_->setEnabled(rows.Performance);
    if (rows.Performance) {
        trkPerformance_->setValue(shown.Performance);
        lblPerformance_->setText(
            QString::fromStdString(PerformanceCaption(trkPerformance_->value())));
    }

    edtPension_->setText(QString::fromStdString(view.PensionText));
    edtPTO_->setText(QString::fromStdString(view.VacationDaysText));

    careers_ = view.Careers;
    for (const CareerListItem& item : careers_)
        cbCareer_->addItem(QString::fromStdString(item.Label), Text(item.Id));
    retiredCareers_ = view.RetiredCareers;
    for (const CareerListItem& item : retiredCareers_)
        cbRetCareer_->addItem(QString::fromStdString(item.Label), Text(item.Id));

    cbRetCareer_->setCurrentIndex(view.RetiredCareer);
    for (std::string_view title : view.RetiredJobs) cbRetJobs_->addItem(Text(title));
    cbRetJobs_->setCurrentIndex(view.RetiredJob);

    cbCareer_->setCurrentIndex(view.Career);
    for (std::string_view title : view.Jobs) cbJobs_->addItem(Text(title));
    if (view.UnknownCareer) host_.Messages().Show(*view.UnknownCareer);
    cbJobs_->setCurrentIndex(view.Job);
    ShowWork(view.Work);

    for (const School& s : view.Schools) cbSchool_->addItem(Text(s.Label), Text(s.Id));
    cbSchool_->setCurrentIndex(view.SchoolPosition);
    if (view.GradesListed) FillGrades();
    cbGrade_->setCurrentIndex(view.Grade);

    const UniversityView& u = view.University;
    major_.SetVisible(u.Shown);
    class_.SetVisible(u.Shown);
    lblUniversityYear_->setVisible(u.Shown);
    lblClassHours_->setVisible(u.Shown);
    cbUniversityMajor_->setEnabled(u.Shown);
    const auto majors = MajorTable();
    for (std::size_t i = 0; i < u.Majors.size(); ++i)
        cbUniversityMajor_->addItem(Text(u.Majors[i]), Text(majors[i].Id));
    cbUniversityMajor_->setCurrentIndex(u.Major);
    for (std::string_view title : u.Classes) cbUniversityClass_->addItem(Text(title));
    cbUniversityClass_->setCurrentIndex(u.Class);
    cbUniversityClass_->view()->setMinimumWidth(cbUniversityClass_->view()->sizeHintForColumn(0));
    lblUniversityYear_->setText(Text(u.Year));
    lblClassHours_->setText(Text(u.Hours));
    for (const Row* r : {&classPerformance_, &gpa_, &gradePeriod_}) r->SetVisible(u.Sliders);
    for (ThinSlider* t : {trkClassPerformance_, trkGPA_, trkGradePeriod_}) t->setEnabled(u.Sliders);
    if (u.Sliders) {
        trkClassPerformance_->setValue(shown.ClassPerformance);
        lblClassPerformance_->setText(
            QString::fromStdString(ClassPerformanceCaption(trkClassPerformance_->value())));
        trkGPA_->setValue(shown.GPA);
        lblGPA_->setText(QString::fromStdString(GpaCaption(trkGPA_->value())));
        trkGradePeriod_->setValue(shown.GradePeriod);
        lblGradePeriod_->setText(
            QString::fromStdString(RemainingHoursCaption(trkGradePeriod_->value())));
    }

    npcTypes_ = view.NpcTypes;
    for (const NpcType& t : npcTypes_) cbNPCType_->addItem(Text(t.Name), int{t.Code});
    cbNPCType_->setCurrentIndex(view.Npc);
    lblNPCType_->setText(QString::fromStdString(view.NpcCaption));
    if (view.UnknownNpc) host_.Messages().Show(view.NpcCaption);

    ApplyAdvanced(host_.AdvancedOn());
}

void JobSchoolPage::ApplyAdvanced(bool on) {
    const Character* sim = host_.CurrentSim();
    ApplyAdvanced(AdvancedControlsFor(on, Packs(), sim ? sim->Species : std::uint16_t{0}));
}

void JobSchoolPage::ApplyAdvanced(const AdvancedControls& controls) {
    cbNPCType_->setEnabled(controls.EnableNPCType);
    cbUniversityClass_->setEnabled(controls.EnableUniversityClass);
}

void JobSchoolPage::ShowWork(const WorkInfo& work) {
    lblHours_->setText(QString::fromStdString(work.Hours));
    lblSalary_->setText(QString::fromStdString(work.Salary));
    for (std::size_t d = 0; d < dayPictures_.size(); ++d) dayPictures_[d]->setVisible(work.Days[d]);
}

void JobSchoolPage::FillGrades() {
    cbGrade_->clear();
    for (std::string_view grade : GradeScale()) cbGrade_->addItem(Text(grade));
}

std::string_view JobSchoolPage::CareerIdAt(const QComboBox& list, int position) const {
    const std::vector<CareerListItem>& items = &list == cbCareer_ ? careers_ : retiredCareers_;
    if (position < 0 || static_cast<std::size_t>(position) >= items.size()) return {};
    return items[static_cast<std::size_t>(position)].Id;
}

void JobSchoolPage::cbCareerChange(int position) {
    Character* sim = EditTarget();
    const std::string_view id = CareerIdAt(*cbCareer_, position);
    if (!sim || id.empty()) return;
    const LevelChoice choice = ChooseCareer(*sim, id);
    cbJobs_->clear();
    for (std::string_view title : choice.Titles) cbJobs_->addItem(Text(title));
    cbJobs_->setCurrentIndex(choice.Selected);
    ShowWork(WorkInfoFor(id, choice.Selected));
    Edited(*sim);
}

void JobSchoolPage::cbJobsChange(int position) {
    Character* sim = EditTarget();
    if (!sim || position < 0) return;
    sim->Jobs = static_cast<std::int16_t>(position);
    ShowWork(WorkInfoFor(CareerIdAt(*cbCareer_, cbCareer_->currentIndex()), position));
    Edited(*sim);
}

void JobSchoolPage::cbRetCareerChange(int position) {
    Character* sim = EditTarget();
    const std::string_view id = CareerIdAt(*cbRetCareer_, position);
    if (!sim || id.empty()) return;
    const LevelChoice choice = ChooseRetiredCareer(*sim, id);
    cbRetJobs_->clear();
    for (std::string_view title : choice.Titles) cbRetJobs_->addItem(Text(title));
    cbRetJobs_->setCurrentIndex(choice.Selected);
    Edited(*sim);
}

void JobSchoolPage::cbRetJobsChange(int position) {
    Character* sim = EditTarget();
    if (!sim || position < 0) return;
    sim->RetJobs = static_cast<std::int16_t>(position);
    Edited(*sim);
}

void JobSchoolPage::cbSchoolChange(int position) {
    Character* sim = EditTarget();
    if (!sim) return;
    ChooseSchool(*sim, position);
    // A known school always lists the grades; the grade itself stays.
    if (cbGrade_->count() == 0) FillGrades();
    const int grade = sim->Grade - 1;
    cbGrade_->setCurrentIndex(grade >= 0 && grade < cbGrade_->count() ? grade : -1);
    Edited(*sim);
}

void JobSchoolPage::cbGradeChange(int position) {
    Character* sim = EditTarget();
    if (!sim) return;
    ChooseGrade(*sim, position);
    Edited(*sim);
}

void JobSchoolPage::cbNPCTypeChange(int position) {
    Character* sim = EditTarget();
    if (!sim || position < 0 || static_cast<std::size_t>(position) >= npcTypes_.size()) return;
    sim->NPCType = static_cast<std::int16_t>(npcTypes_[static_cast<std::size_t>(position)].Code);
    // The code held now has an entry: the "unknown" caption no longer applies.
    lblNPCType_->setText(Text(kNpcCaption));
    Edited(*sim);
}

void JobSchoolPage::edtPensionKeyUp() {
    ReplaceKeepingCaret(*edtPension_, QString::fromStdU16String(
                                          CleanNumberText(edtPension_->text().toStdU16String())));
    Character* sim = EditTarget();
    if (!sim) return;
    const NumberFit fit = PensionFit(edtPension_->text().toStdU16String());
    if (!fit.Value) {
        // Too large for the field: it keeps its value, and the box shows it again, marked.
        edtPension_->setText(QString::fromStdString(PensionText(sim->Pension)));
        MarkRefusedNumber(edtPension_,
                          fit.Problem + "; the sim keeps " + PensionText(sim->Pension));
        return;
    }
    MarkRefusedNumber(edtPension_, std::nullopt);
    sim->Pension = static_cast<std::int16_t>(*fit.Value);
    Edited(*sim);
}

void JobSchoolPage::edtPTOKeyUp() {
    ReplaceKeepingCaret(*edtPTO_, QString::fromStdU16String(
                                      CleanVacationDaysText(edtPTO_->text().toStdU16String())));
    Character* sim = EditTarget();
    if (!sim) return;
    const QString typed = edtPTO_->text();
    const std::optional<std::int16_t> value = VacationDaysValue(typed.toStdU16String());
    if (!value) {
        // No number, or too large for the field: the value stays, shown again and marked.
        edtPTO_->setText(QString::fromStdString(VacationDaysText(sim->PTO)));
        MarkRefusedNumber(edtPTO_,
                          typed.toStdString() + " is no number of days from 0 to " +
                              VacationDaysText(static_cast<std::int16_t>(kLargestStoredNumber)) +
                              "; the sim keeps " + VacationDaysText(sim->PTO));
        return;
    }
    MarkRefusedNumber(edtPTO_, std::nullopt);
    sim->PTO = *value;
    Edited(*sim);
}

void JobSchoolPage::ShowClass(int majorPosition, int classPosition) {
    const auto majors = MajorTable();
    const std::string_view major =
        majorPosition >= 0 && static_cast<std::size_t>(majorPosition) < majors.size()
            ? majors[static_cast<std::size_t>(majorPosition)].Id
            : std::string_view();
    const ClassShown shown = kinloom::ShowClass(major, classPosition);
    lblUniversityYear_->setText(Text(shown.Year));
    lblClassHours_->setText(Text(shown.Hours));
}

void JobSchoolPage::cbUniversityMajorChange(int position) {
    Character* sim = EditTarget();
    if (!sim) return;
    const ClassChoice choice = ChooseMajor(*sim, position);
    cbUniversityClass_->clear();
    for (std::string_view title : choice.Classes) cbUniversityClass_->addItem(Text(title));
    cbUniversityClass_->setCurrentIndex(choice.Selected);
    cbUniversityClass_->view()->setMinimumWidth(cbUniversityClass_->view()->sizeHintForColumn(0));
    ShowClass(position, choice.Selected);
    Edited(*sim);
}

void JobSchoolPage::cbUniversityClassChange(int position) {
    Character* sim = EditTarget();
    if (!sim) return;
    ChooseClass(*sim, position);
    ShowClass(cbUniversityMajor_->currentIndex(), position);
    Edited(*sim);
}

}  // namespace kinloom::gui

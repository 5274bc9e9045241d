#pragma once
// The Job/School page: current and retired career with their levels, the level's shift, pay and
// working days, school and grade, performance, NPC type, pension and vacation days, and with
// University the major, class, year and class hours, plus a young adult's three sliders.

#include <array>
#include <string_view>
#include <vector>

#include "core/careers/Careers.h"
#include "gui/editors/EditingPage.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace kinloom::gui {

class JobSchoolPage : public EditingPage {
    Q_OBJECT
public:
    explicit JobSchoolPage(PageHost& host, QWidget* parent = nullptr);

    // The Advanced switch unlocks the NPC type and, unless every later pack is installed, the
    // university class; both stay visible either way.
    void ApplyAdvanced(bool on);
    AdvancedReach Advanced() const override { return AdvancedReach::EveryOpening; }
    void ApplyAdvanced(const AdvancedControls& controls) override;

protected:
    void Fill(const Character& sim) override;

private:
    // Creates and lays out the controls, in tab order.
    void BuildControls();
    // Wires the controls to their handlers.
    void ConnectControls();
    void cbCareerChange(int position);
    void cbJobsChange(int position);
    void cbRetCareerChange(int position);
    void cbRetJobsChange(int position);
    void cbSchoolChange(int position);
    void cbGradeChange(int position);
    void cbNPCTypeChange(int position);
    void edtPensionKeyUp();
    void edtPTOKeyUp();
    void cbUniversityMajorChange(int position);
    void cbUniversityClassChange(int position);

    void HideEveryRow();
    void ShowWork(const WorkInfo& work);
    void FillGrades();
    void ShowClass(int majorPosition, int classPosition);
    std::string_view CareerIdAt(const QComboBox& list, int position) const;

    // Each row: its caption and its control, shown and hidden together.
    struct Row {
        QLabel* Caption;
        QWidget* Field;
        void SetVisible(bool on) const;
    };

    QComboBox* cbCareer_;
    QComboBox* cbJobs_;
    QLabel* lblHours_;
    QLabel* lblSalary_;
    QLabel* lblWorkDays_;
    std::array<QLabel*, 7> dayLetters_{};
    std::array<QLabel*, 7> dayPictures_{};
    QComboBox* cbRetCareer_;
    QComboBox* cbRetJobs_;
    QComboBox* cbSchool_;
    QComboBox* cbGrade_;
    QLabel* lblPerformance_;
    ThinSlider* trkPerformance_;
    QLabel* lblNPCType_;
    QComboBox* cbNPCType_;
    QLineEdit* edtPension_;
    QLineEdit* edtPTO_;
    QComboBox* cbUniversityMajor_;
    QComboBox* cbUniversityClass_;
    QLabel* lblUniversityYear_;
    QLabel* lblClassHours_;
    QLabel* lblClassPerformance_;
    ThinSlider* trkClassPerformance_;
    QLabel* lblGPA_;
    ThinSlider* trkGPA_;
    QLabel* lblGradePeriod_;
    ThinSlider* trkGradePeriod_;

    Row career_, jobs_, retCareer_, retJobs_, school_, grade_, performance_, npcType_, pension_,
        pto_, major_, class_, classPerformance_, gpa_, gradePeriod_;

    // The entries of the lists, as filled for the sim shown.
    std::vector<CareerListItem> careers_;
    std::vector<CareerListItem> retiredCareers_;
    std::vector<NpcType> npcTypes_;
};

}  // namespace kinloom::gui

#pragma once
// The Skills/Needs page: the seven skills and, with FreeTime, the seven need-decay modifiers.

#include <array>

#include "gui/editors/EditingPage.h"

class QLabel;
class QPushButton;
class QRadioButton;

namespace kinloom::gui {

class SkillsPage : public EditingPage {
    Q_OBJECT
public:
    explicit SkillsPage(PageHost& host, QWidget* parent = nullptr);

protected:
    void Fill(const Character& sim) override;

private:
    void btnFreeTimeClick();

    std::vector<ThinSlider*> skills_;
    std::array<std::array<QRadioButton*, 4>, 7> needs_{};
    QPushButton* btnRandomSkills_;
    QPushButton* btnMaxSkills_;
    QPushButton* btnFreeTime_;
};

}  // namespace kinloom::gui

#pragma once
// The Hobbies/Talents page: ten hobby enthusiasms and the natural talent, for human sims in games
// with FreeTime.

#include "gui/editors/EditingPage.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace kinloom::gui {

class HobbiesPage : public EditingPage {
    Q_OBJECT
public:
    explicit HobbiesPage(PageHost& host, QWidget* parent = nullptr);

protected:
    void Fill(const Character& sim) override;

private:
    std::vector<ThinSlider*> sliders_;
    std::vector<QWidget*> panels_;
    QPushButton* btnRandomHobbies_;
    QPushButton* btnMaxHobbies_;
    QLabel* lblTalent_;
    QComboBox* cbTalent_;
    QLabel* lblNoHobbies_;
};

}  // namespace kinloom::gui

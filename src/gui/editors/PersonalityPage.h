#pragma once
// The Personality page: the five traits as the game uses them now and as they were at birth, and
// the zodiac sign, whose choice sets both sets to the sign's traits.

#include "gui/editors/EditingPage.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace kinloom::gui {

class PersonalityPage : public EditingPage {
    Q_OBJECT
public:
    explicit PersonalityPage(PageHost& host, QWidget* parent = nullptr);

protected:
    void Fill(const Character& sim) override;

private:
    void cbZodiacChange(int position);

    std::vector<ThinSlider*> current_;
    std::vector<ThinSlider*> birth_;
    std::vector<QPushButton*> buttons_;
    QComboBox* cbZodiac_;
    QLabel* lblZodiacInfo_;
};

}  // namespace kinloom::gui

#pragma once
// The Character page: names, biography, gender, life stage with its day counters, fitness,
// preferences, the sanity balance, the young-adult box and Fix Thumbnail.

#include "gui/editors/EditingPage.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace kinloom::gui {

class CharacterPage : public EditingPage {
    Q_OBJECT
public:
    explicit CharacterPage(PageHost& host, QWidget* parent = nullptr);
    AdvancedReach Advanced() const override { return AdvancedReach::EveryOpening; }
    void ApplyAdvanced(const AdvancedControls& controls) override;

protected:
    void Fill(const Character& sim) override;

private:
    // Creates and lays out the controls, in tab order.
    void BuildControls();
    // Wires the controls to their handlers.
    void ConnectControls();
    void NameEdited(std::string Character::*field, const QString& text);
    void cbAgesChange(int position);
    void ckYoungAdultClick(bool checked);
    void btnFixThumbsClick();

    QLineEdit* edtFirstName_;
    QLineEdit* edtLastName_;
    QPlainTextEdit* memCharacterDescription_;
    QRadioButton* rbMale_;
    QRadioButton* rbFemale_;
    QComboBox* cbAges_;
    QLabel* lblPersonAge_;
    QLabel* lblSpecies_;
    QLineEdit* edtAgeDaysLeft_;
    QLineEdit* edtAgeDuration_;
    QLineEdit* edtDaysPrevAge_;
    QLabel* lblFitnessPreference_;
    QLineEdit* edtFitnessPreference_;
    ThinSlider* trkFatness_;
    QLabel* lblFatness_;
    QWidget* pnlFatness_;
    QLabel* lblFitnessNote_;
    ThinSlider* trkMalePref_;
    QLabel* lblMalePref_;
    QWidget* pnlMalePref_;
    ThinSlider* trkFemalePref_;
    QLabel* lblFemalePref_;
    QWidget* pnlFemalePref_;
    ThinSlider* trkLocoBalance_;
    QLabel* lblLocoWeight0_;
    QLabel* lblLocoWeight1_;
    QWidget* pnlLocoBalance_;
    QLabel* lblYoungAdult_;
    QCheckBox* ckYoungAdult_;
    QPushButton* btnFixThumbs_;
};

}  // namespace kinloom::gui

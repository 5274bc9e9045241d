#pragma once
// The Aspiration/Influence page: one aspiration, or with FreeTime a primary and a secondary one,
// level and score, reward points, the long-term level and unlocks, and the influence level.

#include "gui/editors/EditingPage.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace kinloom::gui {

class AspirationPage : public EditingPage {
    Q_OBJECT
public:
    explicit AspirationPage(PageHost& host, QWidget* parent = nullptr);
    AdvancedReach Advanced() const override { return AdvancedReach::WhenFilled; }
    void ApplyAdvanced(const AdvancedControls& controls) override;
    bool CommitTyping() override;

    // The reward points are written when the focus leaves their field.
    bool eventFilter(QObject* watched, QEvent* event) override;

protected:
    void Fill(const Character& sim) override;

private:
    // Creates and lays out the controls, in tab order.
    void BuildControls();
    // Wires the controls to their handlers.
    void ConnectControls();
    void cbAspirationChange();
    void FillUnlocks(const Character& sim);
    // False when the typed points were refused.
    bool edtAspirationRewardPointsExit();

    QComboBox* cbAspiration1_;
    QComboBox* cbAspiration2_;
    QLabel* lblFTAspireWarning_;
    QLabel* lblFTAspireWarning2_;
    ThinSlider* trkAspirationLevel_;
    QLabel* lblAspirationLevel_;
    ThinSlider* trkAspirationScore_;
    QLabel* lblAspirationScoreLevel_;
    QLineEdit* edtAspirationRewardPoints_;
    QWidget* pnlLongTerm_;
    QComboBox* cbLTAUnlocks_;
    QLabel* lblLTAUnlocksUsed_;
    ThinSlider* trkLTAspiration_;
    QLabel* lblLTAspiration_;
    QWidget* pnlInfluence_;
    QLabel* lblInfluenceLevel_;
    ThinSlider* trkInfluenceLevel_;
    QLabel* lblInfluenceMinimum_;
    QLabel* lblInfluenceScore_;
    // Points typed since the page was filled or the points last written, and the sim they were
    // typed for (the sim list may have moved on when they are taken).
    bool rewardPointsTyped_ = false;
    Character* rewardPointsSim_ = nullptr;
};

}  // namespace kinloom::gui

#pragma once
// The Interests page: eighteen conversation interests; a pet has nine, shown under its own
// captions, and the other nine are hidden for it.

#include "gui/editors/EditingPage.h"

class QLabel;

namespace kinloom::gui {

class InterestsPage : public EditingPage {
    Q_OBJECT
public:
    explicit InterestsPage(PageHost& host, QWidget* parent = nullptr);

protected:
    void Fill(const Character& sim) override;

private:
    void ShowCaption(std::size_t index, int value);
    bool CurrentIsPet() const;

    std::vector<ThinSlider*> sliders_;
    std::vector<QLabel*> labels_;
    std::vector<QWidget*> humanOnly_;  // sub-panels of the last nine interests
};

}  // namespace kinloom::gui

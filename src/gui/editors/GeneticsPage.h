#pragma once
// The Genetics (DNA) page: the sim's own hair and eye colour and eight genes of its genetics
// record (its skin tones and what it inherited from each parent), each chosen from the game's
// colours or from the custom genes found among the player's downloads.

#include <array>
#include <vector>

#include "core/editing/GeneTables.h"
#include "core/records/GeneMod.h"
#include "gui/editors/EditingPage.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace kinloom::gui {

class GeneticsPage : public EditingPage {
    Q_OBJECT
public:
    explicit GeneticsPage(PageHost& host, QWidget* parent = nullptr);

    // The custom genes the lists offer; empty until a scan found some.
    const std::vector<GeneMod>& GeneMods() const { return geneMods_; }

protected:
    void Fill(const Character& sim) override;

private:
    // Creates and lays out the controls, in tab order.
    void BuildControls();
    // Wires the controls to their handlers.
    void ConnectControls();
    // Collects the custom genes once per run; a scan that finds none is tried again at the next
    // opening. The window shows its progress and stays painted meanwhile.
    void BuildGeneMods();
    void FillLists();
    DNA* DnaOf(const Character& sim) const;
    void ShowValues(const Character& sim, const DNA* dna);
    void cbChangeGenes(GeneList list, int position);

    std::vector<GeneMod> geneMods_;
    std::array<QComboBox*, kGeneListCount> lists_{};
    std::array<QLineEdit*, kGeneListCount> valueEdits_{};
    std::array<QLineEdit*, 7> keyEdits_{};
    QLabel* lblchAge_;
    QLabel* lblchGender_;
    QLabel* lblchSkinColor_;
};

}  // namespace kinloom::gui

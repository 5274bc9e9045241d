#pragma once
// An owner-drawn list of sims: each entry shows the sim's picture reduced to 32 pixels (grey for
// a sim outside every household) one pixel in from the entry's corner, and its text at a fixed
// offset right of the picture. The closed box draws its current entry the same way. The family
// lists, the parent choice and the household members are drawn with it.

#include <QComboBox>
#include <QImage>

namespace kinloom {
struct Character;
}

namespace kinloom::gui {

class PictureEntryDelegate;

class SimPictureList : public QComboBox {
    Q_OBJECT
public:
    // textLeft: gap between picture and text; textTop: the text's distance from the entry's top.
    SimPictureList(const char* name, int textLeft, int textTop, int itemHeight,
                   QWidget* parent = nullptr);

    void AddSim(const QString& text, Character* sim);
    // The sim an entry names; nullptr for a position that is not an entry.
    Character* SimAt(int index) const;
    // The picture an entry is drawn with.
    QImage PictureAt(int index) const;

    int TextLeft() const;
    int TextTop() const;
    int ItemHeight() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PictureEntryDelegate* delegate_;
};

}  // namespace kinloom::gui

#pragma once
// NeighborhoodPickerDialog: the neighborhood picker shown once at start-up, each neighborhood with
// a small copy of its picture.

#include <QDialog>
#include <QImage>
#include <vector>

#include "core/neighborhoods/NeighborhoodScan.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace kinloom::gui {

class NeighborhoodPickerDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPictureSize = 64;

    // Lists the neighborhoods in order and preselects the one whose folder name is last.
    NeighborhoodPickerDialog(const std::vector<Neighborhood>& neighborhoods,
                             const std::string& last, const QColor& background,
                             const QColor& foreground, QWidget* parent = nullptr);

    // After OK: the index of the chosen neighborhood, the first when none was selected.
    int ChosenIndex() const;

    void SelectPrevious();
    void SelectNext();

    // The neighborhoods are the invented demo ones: the dialog says so.
    void ShowDemoNotice();

private:
    QListWidget* lbNGBDs_;
    QLabel* lblDemoNotice_;
};

}  // namespace kinloom::gui

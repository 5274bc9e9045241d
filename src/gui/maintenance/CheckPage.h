#pragma once
// The Check page: the health check of the loaded neighborhood, its findings grouped by kind with
// counts, and the safe mends. The page shows and reports; the neighborhood editor runs the check
// and the mends.

#include <QFrame>

#include "core/health/NeighborhoodHealth.h"

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace kinloom::gui {

class CheckPage : public QFrame {
    Q_OBJECT
public:
    explicit CheckPage(QWidget* parent = nullptr);

    // Lists the findings (grouped by kind, problems first within the order of kinds); mendable
    // says whether "Mend safe problems..." has anything to do.
    void ShowReport(const HealthReport& report, bool mendable);
    // Nothing checked yet (another neighborhood was loaded).
    void Clear();

signals:
    void CheckRequested();
    void MendRequested();
    // A finding about a listed sim was double-clicked (or Enter pressed on it).
    void SimChosen(const kinloom::Character* sim);

private:
    void Activate(QTreeWidgetItem* item);

    QPushButton* btnRunCheck_;
    QPushButton* btnMendSafe_;
    QLabel* lblCheckSummary_;
    QLabel* lblFindingDetail_;
    QTreeWidget* tvFindings_;
    std::vector<const Character*> sims_;  // per finding row, by its data index
};

}  // namespace kinloom::gui

#pragma once
// The sim finder: a box to type in over a list of every sim (thumbnail, name, household), filtered
// as one types by name, household, life stage or career, ignoring case and accents. Ctrl+F opens
// it; Up and Down move in the list, Enter selects the sim, Escape closes it. The list is an item
// model and view, so a neighborhood of a thousand sims stays quick, and thumbnails are drawn only
// for the rows that come into view.

#include <QAbstractListModel>
#include <QFrame>
#include <QHash>
#include <QPixmap>
#include <QSortFilterProxyModel>
#include <vector>

#include "core/editing/LoadedNeighborhood.h"

class QLineEdit;
class QListView;

namespace kinloom::gui {

class SimFinderModel : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr int kSearchRole = Qt::UserRole + 1;  // the folded search text
    static constexpr int kSimRole = Qt::UserRole + 2;     // the row's position in the sim list

    using QAbstractListModel::QAbstractListModel;
    // The sims of the neighborhood in list order; nullptr empties the list.
    void Reset(const LoadedNeighborhood* state);
    Character* SimAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    const LoadedNeighborhood* state_ = nullptr;
    std::vector<QString> display_;
    std::vector<QString> search_;
    mutable QHash<int, QPixmap> thumbnails_;
};

class SimFinderFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void SetQuery(const QString& query);

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override;

private:
    std::u16string query_;
};

class SimFinder : public QFrame {
    Q_OBJECT
public:
    explicit SimFinder(QWidget* parent);
    // Lists the neighborhood's sims (nullptr: none); the list is built once per load or change.
    void SetNeighborhood(const LoadedNeighborhood* state);
    // Opens below anchor with the box empty and the current sim marked.
    void Open(QWidget* anchor, const Character* current);

signals:
    void SimChosen(kinloom::Character* sim);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Move(int step);
    void Choose();

    QLineEdit* edtFindSim_;
    QListView* lstSimFinder_;
    SimFinderModel* model_;
    SimFinderFilter* filter_;
};

}  // namespace kinloom::gui

#include "gui/editing/SimFinder.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QScreen>
#include <QVBoxLayout>

#include "core/editing/SimSearch.h"
#include "core/packages/Utf8.h"
#include "gui/shell/BitmapImage.h"
#include "gui/shell/PageKit.h"

namespace kinloom::gui {

void SimFinderModel::Reset(const LoadedNeighborhood* state) {
    beginResetModel();
    state_ = state;
    display_.clear();
    search_.clear();
    thumbnails_.clear();
    if (state_) {
        display_.reserve(state_->Sims.size());
        search_.reserve(state_->Sims.size());
        for (const Character* sim : state_->Sims) {
            QString text = QString::fromStdU16String(DecodeUtf8(sim->FirstName) + u" " +
                                                     DecodeUtf8(sim->LastName))
                               .trimmed();
            if (sim->FamilyNumber != 0) {
                if (const Household* home = state_->FindHousehold(
                        static_cast<std::uint32_t>(static_cast<std::uint16_t>(sim->FamilyNumber))))
                    text += QString::fromUtf8("  \u2014  ") +
                            QString::fromStdU16String(state_->HouseholdLabel(*home));
            }
            display_.push_back(text);
            search_.push_back(QString::fromStdU16String(SimSearchText(*state_, *sim)));
        }
    }
    endResetModel();
}

Character* SimFinderModel::SimAt(int row) const {
    if (!state_ || row < 0 || row >= static_cast<int>(state_->Sims.size())) return nullptr;
    return state_->Sims[static_cast<std::size_t>(row)];
}

int SimFinderModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(display_.size());
}

QVariant SimFinderModel::data(const QModelIndex& index, int role) const {
    const int row = index.row();
    if (!index.isValid() || row < 0 || row >= rowCount()) return {};
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            return display_[static_cast<std::size_t>(row)];
        case Qt::DecorationRole: {
            // Drawn when the row is first shown, then kept.
            auto it = thumbnails_.find(row);
            if (it == thumbnails_.end()) {
                const Character* sim = SimAt(row);
                it = thumbnails_.insert(row, sim ? QPixmap::fromImage(ThumbImage(
                                                       sim->Thumbnail.Picture(), kListPictureSize))
                                                 : QPixmap());
            }
            return *it;
        }
        case kSearchRole:
            return search_[static_cast<std::size_t>(row)];
        case kSimRole:
            return row;
        default:
            return {};
    }
}

void SimFinderFilter::SetQuery(const QString& query) {
    query_ = query.toStdU16String();
    invalidateRowsFilter();
}

bool SimFinderFilter::filterAcceptsRow(int row, const QModelIndex& parent) const {
    const QString text =
        sourceModel()->index(row, 0, parent).data(SimFinderModel::kSearchRole).toString();
    return SearchMatches(text.toStdU16String(), query_);
}

SimFinder::SimFinder(QWidget* parent) : QFrame(parent, Qt::Popup) {
    setObjectName("pnlSimFinder");
    setFrameShape(QFrame::StyledPanel);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 6, 6, 6);
    edtFindSim_ = new QLineEdit(this);
    edtFindSim_->setObjectName("edtFindSim");
    edtFindSim_->setAccessibleName("Find a sim");
    edtFindSim_->setPlaceholderText("Name, household, life stage or career");
    edtFindSim_->setClearButtonEnabled(true);
    column->addWidget(edtFindSim_);
    lstSimFinder_ = new QListView(this);
    lstSimFinder_->setObjectName("lstSimFinder");
    lstSimFinder_->setAccessibleName("Sims found");
    lstSimFinder_->setUniformItemSizes(true);
    lstSimFinder_->setIconSize(QSize(kListPictureSize, kListPictureSize));
    lstSimFinder_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    column->addWidget(lstSimFinder_, 1);

    model_ = new SimFinderModel(this);
    filter_ = new SimFinderFilter(this);
    filter_->setSourceModel(model_);
    lstSimFinder_->setModel(filter_);

    connect(edtFindSim_, &QLineEdit::textChanged, this, [this](const QString& text) {
        filter_->SetQuery(text);
        if (!lstSimFinder_->currentIndex().isValid() && filter_->rowCount() > 0)
            lstSimFinder_->setCurrentIndex(filter_->index(0, 0));
    });
    connect(lstSimFinder_, &QListView::activated, this, [this] { Choose(); });
    edtFindSim_->installEventFilter(this);
    resize(420, 360);
}

void SimFinder::SetNeighborhood(const LoadedNeighborhood* state) {
    filter_->SetQuery(QString());
    model_->Reset(state);
}

void SimFinder::Open(QWidget* anchor, const Character* current) {
    edtFindSim_->clear();
    filter_->SetQuery(QString());
    for (int row = 0; row < model_->rowCount(); ++row) {
        if (model_->SimAt(row) == current) {
            lstSimFinder_->setCurrentIndex(filter_->mapFromSource(model_->index(row, 0)));
            lstSimFinder_->scrollTo(lstSimFinder_->currentIndex(),
                                    QAbstractItemView::PositionAtCenter);
        }
    }
    if (anchor) {
        QPoint at = anchor->mapToGlobal(QPoint(0, anchor->height()));
        if (const QScreen* screen = anchor->screen()) {
            const QRect room = screen->availableGeometry();
            at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - width())));
            at.setY(std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() - height())));
        }
        move(at);
    }
    show();
    raise();
    activateWindow();
    edtFindSim_->setFocus();
}

bool SimFinder::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edtFindSim_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
            case Qt::Key_Down:
                Move(1);
                return true;
            case Qt::Key_Up:
                Move(-1);
                return true;
            case Qt::Key_PageDown:
                Move(10);
                return true;
            case Qt::Key_PageUp:
                Move(-10);
                return true;
            case Qt::Key_Return:
            case Qt::Key_Enter:
                Choose();
                return true;
            case Qt::Key_Escape:
                hide();
                return true;
            default:
                break;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void SimFinder::Move(int step) {
    const int rows = filter_->rowCount();
    if (rows == 0) return;
    const QModelIndex current = lstSimFinder_->currentIndex();
    const int row = current.isValid() ? std::clamp(current.row() + step, 0, rows - 1)
                                      : (step > 0 ? 0 : rows - 1);
    lstSimFinder_->setCurrentIndex(filter_->index(row, 0));
}

void SimFinder::Choose() {
    QModelIndex current = lstSimFinder_->currentIndex();
    if (!current.isValid() && filter_->rowCount() > 0) current = filter_->index(0, 0);
    if (!current.isValid()) return;
    Character* sim = model_->SimAt(filter_->mapToSource(current).row());
    hide();
    if (sim) emit SimChosen(sim);
}

}  // namespace kinloom::gui

#include "gui/maintenance/CheckPage.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <map>

#include "gui/shell/PageKit.h"

namespace kinloom::gui {

namespace {

QString Counted(std::size_t n, const char* one, const char* many) {
    return QString("%1 %2").arg(n).arg(n == 1 ? one : many);
}

}  // namespace

CheckPage::CheckPage(QWidget* parent) : QFrame(parent) {
    setObjectName("pnlCheck");
    setFrameShape(QFrame::StyledPanel);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(kPageMargin, kPageMargin, kPageMargin, kPageMargin);
    column->setSpacing(kPageSpacing);

    auto* intro = Label("lblCheckIntro",
                        "The health check reads the neighborhood's records and files and lists "
                        "what is wrong: household members, family ties and relationships that "
                        "point at nobody, ties that disagree, damaged packages. It changes "
                        "nothing.",
                        this);
    intro->setWordWrap(true);
    column->addWidget(intro);

    auto* row = new QHBoxLayout;
    btnRunCheck_ = Button("btnRunCheck", "Run Check", this);
    btnMendSafe_ = Button("btnMendSafe", "Mend Safe Problems...", this);
    btnMendSafe_->setToolTip("Drops only references to sims that exist nowhere, after a backup");
    btnMendSafe_->setEnabled(false);
    row->addWidget(btnRunCheck_);
    row->addWidget(btnMendSafe_);
    lblCheckSummary_ = Label("lblCheckSummary", "Not checked yet.", this);
    row->addWidget(lblCheckSummary_, 1);
    column->addLayout(row);

    tvFindings_ = new QTreeWidget(this);
    tvFindings_->setObjectName("tvFindings");
    tvFindings_->setAccessibleName("Findings");
    tvFindings_->setHeaderLabels({"Finding", "Subject", "Explanation"});
    tvFindings_->setAllColumnsShowFocus(true);
    tvFindings_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tvFindings_->setWordWrap(false);
    tvFindings_->header()->setStretchLastSection(true);
    tvFindings_->header()->setAccessibleName("Findings columns");
    column->addWidget(tvFindings_, 1);
    // An explanation runs past what a column shows at the window's width: the chosen finding's
    // is written out whole here, wrapped.
    lblFindingDetail_ = Label("lblFindingDetail", "", this);
    lblFindingDetail_->setWordWrap(true);
    lblFindingDetail_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblFindingDetail_->setMinimumHeight(lblFindingDetail_->fontMetrics().lineSpacing() * 3);
    lblFindingDetail_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    column->addWidget(lblFindingDetail_);
    auto* hint =
        Label("lblCheckHint", "Double-click a finding about a sim to select that sim.", this);
    column->addWidget(hint);

    connect(btnRunCheck_, &QPushButton::clicked, this, &CheckPage::CheckRequested);
    connect(btnMendSafe_, &QPushButton::clicked, this, &CheckPage::MendRequested);
    connect(tvFindings_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { Activate(item); });
    connect(tvFindings_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        // A group's line says what its findings are; a finding's, what it is about and why.
        if (!item)
            lblFindingDetail_->clear();
        else if (item->childCount() > 0 || item->data(0, Qt::UserRole).toInt() < 0)
            lblFindingDetail_->setText(item->text(0));
        else
            lblFindingDetail_->setText(item->text(1) + ": " + item->text(2));
    });
}

void CheckPage::Clear() {
    tvFindings_->clear();
    lblFindingDetail_->clear();
    sims_.clear();
    btnMendSafe_->setEnabled(false);
    lblCheckSummary_->setText("Not checked yet.");
}

void CheckPage::ShowReport(const HealthReport& report, bool mendable) {
    tvFindings_->clear();
    sims_.clear();
    const std::size_t problems = report.Count(Severity::Problem);
    const std::size_t warnings = report.Count(Severity::Warning);
    const std::size_t notes = report.Count(Severity::Note);
    lblCheckSummary_->setText(report.Findings.empty()
                                  ? QString("Nothing found: the neighborhood is healthy.")
                                  : Counted(problems, "problem", "problems") + ", " +
                                        Counted(warnings, "warning", "warnings") + ", " +
                                        Counted(notes, "note", "notes"));
    std::map<FindingKind, QTreeWidgetItem*> groups;
    std::map<FindingKind, int> counts;
    std::map<FindingKind, Severity> worst;  // Problem sorts first
    for (const Finding& f : report.Findings) {
        QTreeWidgetItem*& group = groups[f.Kind];
        if (!group) {
            group = new QTreeWidgetItem(tvFindings_);
            worst[f.Kind] = f.Level;
        }
        ++counts[f.Kind];
        worst[f.Kind] = std::min(worst[f.Kind], f.Level);
        auto* item = new QTreeWidgetItem(group);
        item->setText(0, QString::fromStdString(SeverityName(f.Level)));
        item->setText(1, QString::fromStdString(f.Subject));
        item->setText(2, QString::fromStdString(f.Explanation) +
                             (f.Mendable ? QString(" (mendable)") : QString()));
        item->setToolTip(2, item->text(2));
        item->setData(0, Qt::UserRole, static_cast<int>(sims_.size()));
        sims_.push_back(f.Sim);
    }
    for (auto& [kind, group] : groups) {
        group->setText(
            0, QString::fromStdString(FindingKindName(kind)) + QString(" (%1)").arg(counts[kind]));
        group->setText(1, QString::fromStdString(SeverityName(worst[kind])));
        group->setData(0, Qt::UserRole, -1);
        // Problems open; warnings and notes wait for a click.
        group->setExpanded(worst[kind] == Severity::Problem);
    }
    tvFindings_->resizeColumnToContents(0);
    tvFindings_->resizeColumnToContents(1);
    // A long subject leaves the explanation room to start in view.
    constexpr int kWidestSubject = 260;
    if (tvFindings_->columnWidth(1) > kWidestSubject)
        tvFindings_->setColumnWidth(1, kWidestSubject);
    btnMendSafe_->setEnabled(mendable);
    if (tvFindings_->topLevelItemCount() > 0)
        tvFindings_->setCurrentItem(tvFindings_->topLevelItem(0));
}

void CheckPage::Activate(QTreeWidgetItem* item) {
    if (!item) return;
    const int index = item->data(0, Qt::UserRole).toInt();
    if (index < 0 || index >= static_cast<int>(sims_.size())) return;
    if (const Character* sim = sims_[static_cast<std::size_t>(index)]) emit SimChosen(sim);
}

}  // namespace kinloom::gui

#include "gui/shell/SchemeStyle.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOption>
#include <QStylePainter>

#include "gui/shell/SimPictureList.h"

namespace kinloom::gui {

namespace {

QColor Blend(const QColor& a, const QColor& b, float share) {
    return QColor::fromRgbF(a.redF() * share + b.redF() * (1 - share),
                            a.greenF() * share + b.greenF() * (1 - share),
                            a.blueF() * share + b.blueF() * (1 - share));
}

// The colours of one scheme's style sheet.
struct SheetColours {
    const char* background;
    const char* text;
    const char* dimText;  // disabled controls
    const char* edge;     // frames of boxes and panels
    const char* buttonEdge;
    const char* dimEdge;
    const char* button;
    const char* hover;
    const char* focus;  // the edge of the control that has the keyboard
    const char* selection;
    const char* selectionText;
};

constexpr SheetColours kDark{"#000000", "#ffffff", "#7c7c7c", "#6a6a6a", "#8a8a8a", "#444444",
                             "#161616", "#2a2a2a", "#4fa3ff", "#3a5f8a", "#ffffff"};
constexpr SheetColours kLight{"#ffffff", "#000000", "#8c8c8c", "#9a9a9a", "#7a7a7a", "#c8c8c8",
                              "#f0f0f0", "#e2e8f0", "#1f6fd0", "#3a6ea5", "#ffffff"};

// Paints a list box as the box itself does, its current entry shortened to the room it has, and
// keeps its drop-down list as wide as its longest entry.
class ListBoxFitter : public QObject {
public:
    static constexpr const char* kName = "listBoxFitter";

    explicit ListBoxFitter(QComboBox* box) : QObject(box), box_(box) {
        setObjectName(kName);
        box->installEventFilter(this);
        QAbstractItemModel* model = box->model();
        // Measuring every entry on each change would make filling a list of a thousand sims
        // take seconds: the changes of one moment are measured once, and before the list opens.
        connect(model, &QAbstractItemModel::modelReset, this, &ListBoxFitter::Refit);
        connect(model, &QAbstractItemModel::layoutChanged, this, &ListBoxFitter::Refit);
        connect(model, &QAbstractItemModel::rowsInserted, this, &ListBoxFitter::Refit);
        connect(model, &QAbstractItemModel::rowsRemoved, this, &ListBoxFitter::Refit);
        connect(model, &QAbstractItemModel::dataChanged, this, &ListBoxFitter::Refit);
        FitPopup();
    }

    // The width the open list needs, before it opens (a list filled and opened at once).
    void FitNow() {
        if (dirty_) FitPopup();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != box_ || box_->isEditable()) return false;
        if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) FitPopup();
        // Whatever opens the list (a click, Alt+Down, F4) reaches the box first.
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress)
            FitNow();
        // A list that draws its own entries (a sim's picture beside its name) keeps doing so.
        if (event->type() != QEvent::Paint || qobject_cast<SimPictureList*>(box_)) return false;
        Paint();
        return true;
    }

private:
    void Refit() {
        if (dirty_) return;
        dirty_ = true;
        QMetaObject::invokeMethod(
            this, [this] { FitNow(); }, Qt::QueuedConnection);
    }

    void FitPopup() {
        dirty_ = false;
        QAbstractItemView* view = box_->view();
        const int widest = view->sizeHintForColumn(0);
        if (widest <= 0) {
            view->setMinimumWidth(0);
            return;
        }
        const bool scrolls = box_->count() > box_->maxVisibleItems();
        view->setMinimumWidth(widest + 2 * view->frameWidth() +
                              (scrolls ? view->verticalScrollBar()->sizeHint().width() : 0));
    }

    void Paint() {
        QStylePainter painter(box_);
        painter.setPen(box_->palette().color(QPalette::Text));
        QStyleOptionComboBox option;
        option.initFrom(box_);
        option.editable = false;
        option.frame = box_->hasFrame();
        option.subControls = QStyle::SC_All;
        if (box_->hasFocus()) option.state |= QStyle::State_Selected;
        if (box_->view()->isVisible()) {
            option.state |= QStyle::State_On;
            option.activeSubControls = QStyle::SC_ComboBoxArrow;
        }
        option.iconSize = box_->iconSize();
        option.currentIcon = box_->itemIcon(box_->currentIndex());
        option.currentText =
            box_->currentIndex() < 0 ? box_->placeholderText() : box_->currentText();
        painter.drawComplexControl(QStyle::CC_ComboBox, option);

        QRect field = box_->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                    QStyle::SC_ComboBoxEditField, box_);
        int room = field.width() - 6;
        if (!option.currentIcon.isNull()) room -= option.iconSize.width() + 4;
        option.currentText =
            box_->fontMetrics().elidedText(option.currentText, Qt::ElideRight, qMax(room, 0));
        painter.drawControl(QStyle::CE_ComboBoxLabel, option);
    }

    QComboBox* box_;
    bool dirty_ = false;
};

}  // namespace

SchemeStyle::SchemeStyle() : QProxyStyle(QStyleFactory::create("Fusion")) {}

SchemeStyle* SchemeStyle::Shared() {
    static QPointer<SchemeStyle> style;
    if (!style) {
        style = new SchemeStyle;
        style->setParent(QCoreApplication::instance());
    }
    return style;
}

void SchemeStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                QPainter* painter, const QWidget* widget) const {
    if (element == PE_FrameFocusRect) {
        // Shown whenever the control has the keyboard, not only after Tab was pressed: a dotted
        // frame in the text colour, as the desktop draws it.
        painter->save();
        QPen pen(option->palette.color(QPalette::WindowText), 1, Qt::DotLine);
        painter->setPen(pen);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        painter->restore();
        return;
    }
    const bool checkBox = element == PE_IndicatorCheckBox;
    if (!checkBox && element != PE_IndicatorRadioButton) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // The scheme's own colours: the mark in the text colour, the edge between text and
    // background, so both show on black as on white (and dim with the text when disabled).
    const QColor background = option->palette.color(QPalette::Window);
    const QColor mark = option->palette.color(QPalette::WindowText);
    const QColor edge = Blend(mark, background, 0.65f);
    const QColor fill = (option->state & State_Sunken) ? Blend(mark, background, 0.2f) : background;

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    const qreal side = qMin(option->rect.width(), option->rect.height()) - 1;
    const QRectF box(option->rect.x() + 0.5,
                     option->rect.y() + 0.5 + (option->rect.height() - 1 - side) / 2, side, side);
    painter->setPen(QPen(edge, 1));
    painter->setBrush(fill);
    if (checkBox) {
        painter->drawRect(box);
        QPen pen(mark, qMax(1.6, side / 7));
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        painter->setPen(pen);
        painter->setBrush(Qt::NoBrush);
        if (option->state & State_On) {
            QPainterPath tick;
            tick.moveTo(box.x() + side * 0.22, box.y() + side * 0.52);
            tick.lineTo(box.x() + side * 0.42, box.y() + side * 0.73);
            tick.lineTo(box.x() + side * 0.79, box.y() + side * 0.28);
            painter->drawPath(tick);
        } else if (option->state & State_NoChange) {
            painter->drawLine(QPointF(box.x() + side * 0.25, box.center().y()),
                              QPointF(box.right() - side * 0.25, box.center().y()));
        }
    } else {
        painter->drawEllipse(box);
        if (option->state & State_On) {
            painter->setPen(Qt::NoPen);
            painter->setBrush(mark);
            painter->drawEllipse(box.center(), side * 0.27, side * 0.27);
        }
    }
    painter->restore();
}

QString SchemeStyleSheet(bool dark) {
    const SheetColours& c = dark ? kDark : kLight;
    QString sheet = QStringLiteral(
        "QWidget { color: %text; background-color: %background; }"
        "QWidget:disabled { color: %dimText; }"
        "QGroupBox { border: 1px solid %edge; margin-top: 1.2em; padding-top: 4px; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 3px; }"
        "QPushButton { border: 1px solid %buttonEdge; padding: 3px 10px; background: %button; }"
        "QPushButton:hover { background: %hover; }"
        "QPushButton:focus { border-color: %focus; }"
        "QPushButton:disabled { color: %dimText; border-color: %dimEdge; }"
        // The navigation button of the open page: disabled, yet marked rather than dimmed (in
        // colour only: a bold caption would widen the navigation column).
        "QPushButton[openPage=\"true\"] { background: %selection; color: %selectionText;"
        "  border-color: %selection; }"
        "QComboBox, QLineEdit, QPlainTextEdit, QTextEdit, QListWidget, QTreeWidget,"
        "  QListView, QTreeView, QSpinBox { border: 1px solid %edge; }"
        "QComboBox { padding: 1px 4px; }"
        "QComboBox:focus, QLineEdit:focus, QPlainTextEdit:focus, QTextEdit:focus,"
        "  QListWidget:focus, QTreeWidget:focus, QListView:focus, QTreeView:focus,"
        "  QSpinBox:focus { border-color: %focus; }"
        "QComboBox:disabled, QLineEdit:disabled, QPlainTextEdit:disabled, QTextEdit:disabled,"
        "  QListWidget:disabled, QTreeWidget:disabled, QSpinBox:disabled {"
        "  border-color: %dimEdge; }"
        "QProgressBar { border: 1px solid %edge; background: %background; }"
        "QProgressBar::chunk { background: #4caf50; }"
        "QWidget#pnlPages > QFrame { border: 1px solid %edge; }"
        "QMenu { border: 1px solid %buttonEdge; padding: 2px; }"
        "QMenu::item { padding: 3px 18px 3px 18px; }"
        "QMenu::item:selected { background: %selection; color: %selectionText; }"
        "QMenu::item:disabled { color: %dimText; }"
        "QMenu::separator { height: 1px; background: %edge; margin: 3px 6px; }"
        "QToolTip { color: %text; background-color: %background; border: 1px solid %edge; }"
        "QListWidget::item:selected, QTreeWidget::item:selected, QListView::item:selected,"
        "  QComboBox QAbstractItemView { selection-background-color: %selection;"
        "  selection-color: %selectionText; }");
    const std::pair<const char*, const char*> colours[] = {
        {"%background", c.background},
        {"%selectionText", c.selectionText},
        {"%selection", c.selection},
        {"%dimText", c.dimText},
        {"%text", c.text},
        {"%buttonEdge", c.buttonEdge},
        {"%dimEdge", c.dimEdge},
        {"%edge", c.edge},
        {"%button", c.button},
        {"%hover", c.hover},
        {"%focus", c.focus},
    };
    for (const auto& [name, colour] : colours)
        sheet.replace(QLatin1String(name), QLatin1String(colour));
    return sheet;
}

void FitListBox(QComboBox* box, int minimumCharacters) {
    if (minimumCharacters > 0) box->setMinimumContentsLength(minimumCharacters);
    // Sized by its least length, never by its entries: a long name cannot widen the window.
    if (box->sizeAdjustPolicy() != QComboBox::AdjustToMinimumContentsLengthWithIcon) {
        if (box->minimumContentsLength() == 0) box->setMinimumContentsLength(12);
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    }
    if (!box->findChild<QObject*>(ListBoxFitter::kName, Qt::FindDirectChildrenOnly))
        new ListBoxFitter(box);
}

void FitListBoxes(QWidget* root) {
    for (QComboBox* box : root->findChildren<QComboBox*>()) FitListBox(box);
}

}  // namespace kinloom::gui

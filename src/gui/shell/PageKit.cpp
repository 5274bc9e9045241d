#include "gui/shell/PageKit.h"

#include <QAction>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace kinloom::gui {

namespace {

template <typename Control>
Control* Named(Control* control, QAnyStringView name) {
    if (!name.isEmpty()) control->setObjectName(name);
    return control;
}

template <typename Box>
Box* PageLayout(QWidget* page, int spacing) {
    auto* layout = new Box(page);
    layout->setContentsMargins(kPageMargin, kPageMargin, kPageMargin, kPageMargin);
    layout->setSpacing(spacing);
    return layout;
}

}  // namespace

QVBoxLayout* PageColumn(QWidget* page, int spacing) {
    return PageLayout<QVBoxLayout>(page, spacing);
}

QHBoxLayout* PageColumns(QWidget* page, int gap) {
    return PageLayout<QHBoxLayout>(page, gap);
}

QGridLayout* FieldGrid() {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(kFieldColumnGap);
    grid->setVerticalSpacing(kFieldRowGap);
    return grid;
}

QLabel* Label(QAnyStringView name, const QString& text, QWidget* parent) {
    return Named(new QLabel(text, parent), name);
}

QLabel* Heading(QAnyStringView name, const QString& text, QWidget* parent) {
    QLabel* l = Label(name, text, parent);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

QLabel* Wrapped(QAnyStringView name, const QString& text, QWidget* parent) {
    QLabel* l = Label(name, text, parent);
    l->setWordWrap(true);
    return l;
}

QLabel* Warning(QAnyStringView name, const QString& text, QWidget* parent) {
    QLabel* l = Wrapped(name, text, parent);
    l->setStyleSheet("color: #d22; font-weight: bold;");
    return l;
}

QLabel* HiddenLabel(QAnyStringView name, QWidget* parent) {
    QLabel* l = Label(name, "Test Label", parent);
    l->hide();
    return l;
}

QPushButton* Button(QAnyStringView name, const QString& text, QWidget* parent, int minimumWidth) {
    auto* b = Named(new QPushButton(text, parent), name);
    if (minimumWidth > 0) b->setMinimumWidth(minimumWidth);
    return b;
}

QLineEdit* NumberField(QAnyStringView name, QWidget* parent, int maximumWidth) {
    auto* e = Named(new QLineEdit(parent), name);
    e->setMaxLength(kNumberFieldLength);
    e->setMaximumWidth(maximumWidth);
    return e;
}

QFrame* Frame(QAnyStringView name, QWidget* parent) {
    return Named(new QFrame(parent), name);
}

QWidget* SubPanel(QAnyStringView name, QWidget* parent) {
    return Named(new QWidget(parent), name);
}

QPalette SchemePalette(QPalette palette, const QColor& background, const QColor& foreground) {
    for (auto role : {QPalette::Window, QPalette::Base}) palette.setColor(role, background);
    for (auto role : {QPalette::WindowText, QPalette::Text}) palette.setColor(role, foreground);
    return palette;
}

QAction* MenuItem(QMenu* menu, QAnyStringView name, const QString& text) {
    return Named(menu->addAction(text), name);
}

}  // namespace kinloom::gui

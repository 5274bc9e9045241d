#include "gui/shell/KeyboardAccess.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextEdit>
#include <QWidget>

namespace kinloom::gui {

namespace {

bool IsCaption(const QWidget* widget) {
    const auto* label = qobject_cast<const QLabel*>(widget);
    return label && !label->text().trimmed().isEmpty() && !label->buddy() &&
           label->pixmap().isNull();
}

// A check box or radio button whose caption is a label of its own.
bool IsTick(const QWidget* widget) {
    const auto* box = qobject_cast<const QAbstractButton*>(widget);
    return box && !qobject_cast<const QPushButton*>(box) && box->text().isEmpty();
}

// A name given by hand (where the caption beside an input is no name for it) is kept, and the
// caption then does not become the input's label either.
void Pair(QLabel* caption, QWidget* input) {
    if (!input->accessibleName().isEmpty()) return;
    caption->setBuddy(input);
    input->setAccessibleName(CaptionName(caption->text()));
}

void NameInLayout(QLayout* layout);

// A widget placed in a layout that is a container of its own (a sub-panel, a frame) is walked
// too.
void NameInWidget(QWidget* widget) {
    if (widget && !IsInput(widget) && widget->layout()) NameInLayout(widget->layout());
}

void NameInGrid(QGridLayout* grid) {
    auto at = [grid](int row, int column) -> QWidget* {
        QLayoutItem* item = grid->itemAtPosition(row, column);
        return item ? item->widget() : nullptr;
    };
    for (int i = 0; i < grid->count(); ++i) {
        QLayoutItem* item = grid->itemAt(i);
        if (QLayout* inner = item->layout()) {
            NameInLayout(inner);
            continue;
        }
        QWidget* widget = item->widget();
        if (!IsCaption(widget)) {
            NameInWidget(widget);
            continue;
        }
        int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
        grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
        QWidget* beside = at(row, column + columnSpan);
        QWidget* before = column > 0 ? at(row, column - 1) : nullptr;
        QWidget* below = at(row + rowSpan, column);
        // A tick's caption stands right of it; in a grid of ticks and captions the next tick
        // beside a caption is the next caption's.
        if (IsTick(before) && before->accessibleName().isEmpty())
            Pair(static_cast<QLabel*>(widget), before);
        else if (IsInput(beside))
            Pair(static_cast<QLabel*>(widget), beside);
        else if (IsInput(below) && !(column > 0 && IsCaption(at(row + rowSpan, column - 1))))
            Pair(static_cast<QLabel*>(widget), below);  // unless the input has its own caption
    }
}

void NameInBox(QLayout* box) {
    QLabel* pending = nullptr;  // a caption waiting for the input after it
    QWidget* previous = nullptr;
    for (int i = 0; i < box->count(); ++i) {
        QLayoutItem* item = box->itemAt(i);
        if (QLayout* inner = item->layout()) {
            NameInLayout(inner);
            pending = nullptr;
            continue;
        }
        QWidget* widget = item->widget();
        if (!widget) continue;  // spacing and stretch keep a caption with its input
        if (IsCaption(widget)) {
            if (IsTick(previous) && previous->accessibleName().isEmpty()) {
                Pair(static_cast<QLabel*>(widget), previous);  // the tick's caption after it
                pending = nullptr;
            } else {
                pending = static_cast<QLabel*>(widget);
            }
            previous = widget;
            continue;
        }
        if (pending && IsInput(widget)) Pair(pending, widget);
        pending = nullptr;
        previous = widget;
        NameInWidget(widget);
    }
}

void NameInLayout(QLayout* layout) {
    if (auto* grid = qobject_cast<QGridLayout*>(layout))
        NameInGrid(grid);
    else
        NameInBox(layout);
}

bool TakeLetter(QAbstractButton* button, int position, QSet<QChar>& taken) {
    QString text = button->text();
    const QChar letter = text[position].toLower();
    if (!letter.isLetterOrNumber() || taken.contains(letter)) return false;
    taken.insert(letter);
    text.insert(position, '&');
    button->setText(text);
    return true;
}

}  // namespace

QString CaptionName(const QString& caption) {
    QString name;
    for (int i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) ++i;  // "&&" stands for one '&'
        name += caption[i];
    }
    // A value shown after the colon ("Recessive Skin Tone: ?") is no part of the name.
    const qsizetype colon = name.lastIndexOf(':');
    if (colon >= 0) {
        bool words = false;
        for (qsizetype i = colon + 1; i < name.size(); ++i) words = words || name[i].isLetter();
        if (!words) name.truncate(colon);
    }
    return name.trimmed();
}

QChar MnemonicOf(const QString& text) {
    for (int i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] != '&') return text[i + 1].toLower();
        ++i;
    }
    return {};
}

bool IsInput(const QWidget* widget) {
    if (!widget) return false;
    if (const auto* box = qobject_cast<const QAbstractButton*>(widget))
        return (qobject_cast<const QCheckBox*>(box) || qobject_cast<const QRadioButton*>(box)) &&
               box->text().isEmpty();
    if (qobject_cast<const QScrollBar*>(widget)) return false;  // part of its list or page
    return qobject_cast<const QLineEdit*>(widget) ||
           qobject_cast<const QAbstractSpinBox*>(widget) ||
           qobject_cast<const QComboBox*>(widget) || qobject_cast<const QAbstractSlider*>(widget) ||
           qobject_cast<const QPlainTextEdit*>(widget) || qobject_cast<const QTextEdit*>(widget) ||
           qobject_cast<const QAbstractItemView*>(widget);
}

void NameInputsFromCaptions(QWidget* root) {
    if (root && root->layout()) NameInLayout(root->layout());
}

QList<QAbstractButton*> AssignMnemonics(const QList<QAbstractButton*>& buttons,
                                        QSet<QChar>& taken) {
    QList<QAbstractButton*> open, left;
    for (QAbstractButton* button : buttons) {
        if (!qobject_cast<QPushButton*>(button) || button->text().isEmpty()) continue;
        const QChar own = MnemonicOf(button->text());
        if (own.isNull())
            open.push_back(button);
        else
            taken.insert(own);
    }
    for (QAbstractButton* button : open) {
        const QString text = button->text();
        bool done = false;
        // First the first letters of the words, then any letter.
        for (int i = 0; i < text.size() && !done; ++i)
            if (i == 0 || text[i - 1].isSpace() || text[i - 1] == '/' || text[i - 1] == '(')
                done = TakeLetter(button, i, taken);
        for (int i = 0; i < text.size() && !done; ++i) done = TakeLetter(button, i, taken);
        if (!done) left.push_back(button);
    }
    return left;
}

void AssignShortcuts(const QList<QAbstractButton*>& buttons, QSet<QChar>& taken) {
    for (QAbstractButton* button : buttons) {
        if (!button->shortcut().isEmpty()) continue;
        const QString text = CaptionName(button->text());
        QChar key;
        auto free = [&taken](QChar c) { return c.isLetterOrNumber() && !taken.contains(c); };
        for (int i = 0; i < text.size() && key.isNull(); ++i)
            if ((i == 0 || text[i - 1].isSpace()) && free(text[i].toLower()))
                key = text[i].toLower();
        for (int i = 0; i < text.size() && key.isNull(); ++i)
            if (free(text[i].toLower())) key = text[i].toLower();
        if (key.isNull()) continue;
        taken.insert(key);
        const QKeySequence sequence(QString("Ctrl+Shift+") + key.toUpper());
        button->setShortcut(sequence);
        button->setToolTip(text + " (" + sequence.toString(QKeySequence::NativeText) + ")");
    }
}

}  // namespace kinloom::gui

#pragma once
// Keyboard and screen-reader access, given to a page once it is built: every input is named by
// the caption beside it (the caption becomes the label's buddy, and the input's accessible name
// is the caption's words), and every push button gets a mnemonic letter no other visible button
// of the window uses, or, once the letters run out, a Ctrl+Shift shortcut.

#include <QChar>
#include <QList>
#include <QSet>
#include <QString>

class QAbstractButton;
class QWidget;

namespace kinloom::gui {

// A caption's words: without mnemonic markers and a closing colon ("&First Name:" -> "First
// Name").
QString CaptionName(const QString& caption);

// The letter a text's '&' marks (lower case), or a null QChar.
QChar MnemonicOf(const QString& text);

// True for the controls a user types into or chooses in: boxes, lists, sliders and check boxes
// without a text of their own.
bool IsInput(const QWidget* widget);

// Pairs each caption label in root's layouts with the input right of it in its grid row or
// layout, else the one below it in its grid column: the label's buddy (so its mnemonic, if any,
// reaches the input) and the input's accessible name, unless the input has one already.
void NameInputsFromCaptions(QWidget* root);

// Gives each push button without a mnemonic the first free letter of its text, preferring the
// first letters of its words; taken holds the letters already used (and receives the new ones).
// Returns the buttons whose letters were all taken (their texts stay as they were).
QList<QAbstractButton*> AssignMnemonics(const QList<QAbstractButton*>& buttons, QSet<QChar>& taken);

// Gives each button Ctrl+Shift and a free letter of its text (taken: the letters used so) and
// says so on hover: for the buttons of a page that the Alt letters did not reach.
void AssignShortcuts(const QList<QAbstractButton*>& buttons, QSet<QChar>& taken);

}  // namespace kinloom::gui

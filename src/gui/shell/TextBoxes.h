#pragma once
// How the pages' text and number boxes treat what the files hold. Text already stored is shown
// whole and written back only when the user edits it; a typing limit bounds what the user adds,
// never what is stored. A number the field cannot hold is refused where it is typed, visibly.

#include <QString>
#include <optional>
#include <string>

class QLineEdit;
class QPlainTextEdit;

namespace kinloom::gui {

// The user's typing may not make the text longer than limit; text shown by ShowStoredText may
// be longer and then may shrink but not grow. Install before connecting the box's own handlers:
// a change beyond the limit is cut back before they see it.
void LimitTyping(QLineEdit* box, int limit);
void LimitTyping(QPlainTextEdit* box, int limit);

// Shows stored text whole, whatever the box's typing limit. A change shown this way is no edit.
void ShowStoredText(QLineEdit* box, const QString& text);
void ShowStoredText(QPlainTextEdit* box, const QString& text);

// The text of a multi-line box as the user sees it, every break as "\n" (the box keeps breaks,
// whatever their stored form, as its own paragraph marks).
QString TypedText(const QPlainTextEdit& box);

// Multi-line boxes hold game text, which never takes a tab: Tab and Shift+Tab move the focus.
void TabMovesFocus(QPlainTextEdit* box);

// Marks a number box whose text the field cannot hold: a red frame and, on hover, why and what
// is kept. No why takes the mark away.
void MarkRefusedNumber(QLineEdit* box, const std::optional<std::string>& why);
bool IsRefusedNumber(const QLineEdit& box);

}  // namespace kinloom::gui

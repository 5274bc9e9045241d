#pragma once
// How the pages' text and number boxes treat what the files hold. Text already stored is shown
// whole and written back only when the user edits it; a typing limit bounds what the user adds,
// never what is stored. A number the field cannot hold is refused where it is typed, out loud.

#include <QString>
#include <optional>
#include <string>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace kinloom::gui {

// The user's typing may not make the text longer than limit; text shown by ShowStoredText may
// be longer and is then edited freely up to its stored length (never cut). A keystroke refused
// says why beside the box. Install before connecting the box's own handlers: a change beyond
// the limit is cut back before they see it.
void LimitTyping(QLineEdit* box, int limit);
void LimitTyping(QPlainTextEdit* box, int limit);

// Shows stored text whole, whatever the box's typing limit. A change shown this way is no edit.
void ShowStoredText(QLineEdit* box, const QString& text);
void ShowStoredText(QPlainTextEdit* box, const QString& text);

// The text of a multi-line box as the user sees it, every break as "\n" (the box keeps breaks,
// whatever their stored form, as its own paragraph marks).
QString TypedText(const QPlainTextEdit& box);

// The box's text when it differs from what the box last showed (ShowStoredText) or gave here,
// else nothing: a keystroke the limit took back, which changed nothing, is no edit.
std::optional<QString> NewTypedText(QPlainTextEdit& box);

// Multi-line boxes hold game text, which never takes a tab: Tab and Shift+Tab move the focus.
void TabMovesFocus(QPlainTextEdit* box);

// Says something at once just under control, where the player's eyes are, as a tooltip that
// closes by itself: why a keystroke or a click did not do all it would have.
void SayBeside(QWidget* control, const QString& text);

// Marks a number box whose number the field could not take: a red frame, why and what is kept
// said at once beside the box (where the user is typing) and again on hover. The caller shows
// the kept value in the box first. No why takes the mark away.
void MarkRefusedNumber(QLineEdit* box, const std::optional<std::string>& why);
bool IsRefusedNumber(const QLineEdit& box);

}  // namespace kinloom::gui

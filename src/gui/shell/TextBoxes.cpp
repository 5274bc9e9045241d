#include "gui/shell/TextBoxes.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPoint>
#include <QPointer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolTip>
#include <algorithm>

namespace kinloom::gui {

namespace {

constexpr const char* kLimitProperty = "kinloomTypingLimit";
constexpr const char* kRefusedProperty = "kinloomRefusedNumber";

constexpr const char* kTakenProperty = "kinloomTakenText";

// Why a keystroke added nothing: limit is what may be typed, allowed what this text may have.
QString LimitReason(int limit, int allowed) {
    if (allowed <= limit)
        return QString("At most %1 characters fit here; this text has them all.").arg(limit);
    return QString(
               "This text was stored %1 characters long, longer than the %2 a new text may "
               "have: it can be changed, but not made longer.")
        .arg(allowed)
        .arg(limit);
}

// Keeps a multi-line box within what it may hold: the typing limit, or the length of the stored
// text when that is longer (the text is never cut, and stays editable up to that length). The
// document says where each change went and how much it added; what goes past is taken off the
// end of what was added, as a one-line box cuts a paste to its maximum length, and the box says
// why.
class TypingLimiter : public QObject {
public:
    TypingLimiter(QPlainTextEdit* box, int limit) : QObject(box), box_(box), limit_(limit) {
        setObjectName("typingLimiter");
        allowed_ = std::max(limit_, Length());
        connect(box->document(), &QTextDocument::contentsChange, this,
                [this](int position, int, int added) {
                    changeEnd_ = position + added;
                    added_ = added;
                });
        connect(box, &QPlainTextEdit::textChanged, this, [this] { Check(); });
    }

    void Show(const QString& text) {
        showing_ = true;
        box_->setPlainText(text);
        showing_ = false;
        allowed_ = std::max(limit_, Length());
    }

private:
    int Length() const { return std::max(0, box_->document()->characterCount() - 1); }

    void Check() {
        if (showing_) return;
        const int excess = std::min(Length() - allowed_, added_);
        if (excess > 0) {
            QTextCursor cut(box_->document());
            cut.setPosition(changeEnd_ - excess);
            cut.setPosition(changeEnd_, QTextCursor::KeepAnchor);
            added_ = 0;
            cut.removeSelectedText();  // comes back here with the text within bounds
            SayBeside(box_, LimitReason(limit_, allowed_));
        }
    }

    QPlainTextEdit* box_;
    int limit_;
    int allowed_ = 0;
    int changeEnd_ = 0;
    int added_ = 0;
    bool showing_ = false;
};

TypingLimiter* LimiterOf(QPlainTextEdit* box) {
    return box->findChild<TypingLimiter*>("typingLimiter", Qt::FindDirectChildrenOnly);
}

// A one-line box's maximum length refuses a key without a word: this says why.
class LineLimitTeller : public QObject {
public:
    LineLimitTeller(QLineEdit* box, int limit) : QObject(box), box_(box), limit_(limit) {
        box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == box_ && event->type() == QEvent::KeyPress && !box_->isReadOnly()) {
            const QString typed = static_cast<QKeyEvent*>(event)->text();
            if (!typed.isEmpty() && typed.at(0).isPrint() &&
                box_->text().size() - box_->selectedText().size() + typed.size() >
                    box_->maxLength())
                SayBeside(box_, LimitReason(limit_, box_->maxLength()));
        }
        return false;
    }

private:
    QLineEdit* box_;
    int limit_;
};

}  // namespace

void SayBeside(QWidget* control, const QString& text) {
    QToolTip::showText(control->mapToGlobal(QPoint(0, control->height())), text, control);
}

void LimitTyping(QLineEdit* box, int limit) {
    box->setProperty(kLimitProperty, limit);
    box->setMaxLength(std::max(limit, static_cast<int>(box->text().size())));
    new LineLimitTeller(box, limit);
}

void LimitTyping(QPlainTextEdit* box, int limit) {
    new TypingLimiter(box, limit);
}

void ShowStoredText(QLineEdit* box, const QString& text) {
    const QVariant limit = box->property(kLimitProperty);
    if (limit.isValid()) box->setMaxLength(std::max(limit.toInt(), static_cast<int>(text.size())));
    box->setText(text);
}

void ShowStoredText(QPlainTextEdit* box, const QString& text) {
    if (TypingLimiter* limiter = LimiterOf(box))
        limiter->Show(text);
    else
        box->setPlainText(text);
    // As the box gives it back (its own line breaks), so that only a real edit differs.
    box->setProperty(kTakenProperty, TypedText(*box));
}

std::optional<QString> NewTypedText(QPlainTextEdit& box) {
    QString text = TypedText(box);
    const QVariant taken = box.property(kTakenProperty);
    if (taken.isValid() && taken.toString() == text) return std::nullopt;
    box.setProperty(kTakenProperty, text);
    return text;
}

QString TypedText(const QPlainTextEdit& box) {
    // The raw text keeps what the plain text would change (no-break spaces); only the
    // paragraph and line separators become "\n".
    QString text = box.document()->toRawText();
    for (QChar& c : text)
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) c = u'\n';
    return text;
}

void TabMovesFocus(QPlainTextEdit* box) {
    box->setTabChangesFocus(true);
}

void MarkRefusedNumber(QLineEdit* box, const std::optional<std::string>& why) {
    const bool refused = why.has_value();
    if (box->property(kRefusedProperty).toBool() == refused &&
        (!refused || box->toolTip() == QString::fromStdString(*why)))
        return;
    const QString previous = box->toolTip();
    box->setProperty(kRefusedProperty, refused);
    box->setStyleSheet(refused ? "QLineEdit { border: 2px solid #d22; }" : QString());
    QString said = refused ? QString::fromStdString(*why) : QString();
    if (!said.isEmpty()) said[0] = said[0].toUpper();  // it opens a sentence of its own
    box->setToolTip(said);
    // A hover tooltip alone goes unseen by someone typing: the reason opens under the box.
    if (refused)
        SayBeside(box, box->toolTip());
    else if (QToolTip::isVisible() && QToolTip::text() == previous)
        QToolTip::hideText();
}

bool IsRefusedNumber(const QLineEdit& box) {
    return box.property(kRefusedProperty).toBool();
}

}  // namespace kinloom::gui

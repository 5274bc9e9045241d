#include "gui/shell/TextBoxes.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace kinloom::gui {

namespace {

constexpr const char* kLimitProperty = "kinloomTypingLimit";
constexpr const char* kRefusedProperty = "kinloomRefusedNumber";

// Keeps a multi-line box within its typing limit. The document says where each change went and
// how much it added; what goes past the allowed length is taken off the end of what was added,
// as a one-line box cuts a paste to its maximum length.
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
        const int length = Length();
        const int excess = std::min(length - allowed_, added_);
        if (excess > 0) {
            QTextCursor cut(box_->document());
            cut.setPosition(changeEnd_ - excess);
            cut.setPosition(changeEnd_, QTextCursor::KeepAnchor);
            added_ = 0;
            cut.removeSelectedText();  // comes back here with the text within bounds
            return;
        }
        allowed_ = std::max(limit_, length);
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

}  // namespace

void LimitTyping(QLineEdit* box, int limit) {
    box->setProperty(kLimitProperty, limit);
    box->setMaxLength(std::max(limit, static_cast<int>(box->text().size())));
    // Once stored text longer than the limit shrinks, it may not grow back past it.
    QObject::connect(box, &QLineEdit::textEdited, box, [box, limit](const QString& text) {
        box->setMaxLength(std::max(limit, static_cast<int>(text.size())));
    });
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
    box->setProperty(kRefusedProperty, refused);
    box->setStyleSheet(refused ? "QLineEdit { border: 2px solid #d22; }" : QString());
    box->setToolTip(refused ? QString::fromStdString(*why) : QString());
}

bool IsRefusedNumber(const QLineEdit& box) {
    return box.property(kRefusedProperty).toBool();
}

}  // namespace kinloom::gui

#pragma once
// Messages shown in message boxes; questions have no icon, as the program always asked them.

#include <QWidget>

#include "core/platform/Messages.h"

namespace kinloom::gui {

class QtMessages final : public Messages {
public:
    explicit QtMessages(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    void Show(const std::string& text) override;
    // Enter presses the preset button, Escape the negative one.
    bool AskOkCancel(const std::string& text, DefaultAnswer preset = DefaultAnswer::No) override;
    bool AskYesNo(const std::string& text, DefaultAnswer preset = DefaultAnswer::No) override;
    UnsavedAnswer AskSaveDiscardCancel(const std::string& text) override;

    // The program's texts mark line breaks as "\r\n".
    static QString Displayed(const std::string& text);

private:
    QWidget* parent_;
};

}  // namespace kinloom::gui

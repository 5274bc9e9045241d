#pragma once
// How core operations speak to the user. Core never opens a window: every user-visible text goes
// through this interface with its exact wording ("\r\n" marks a line break), and the window, the
// command-line tool or a test decides how to show it.

#include <string>

namespace kinloom {

// The answer a question gives when the user just presses Enter. Every question the program asks
// loses or overwrites something when answered OK or Yes, so a question defaults to its safe
// answer (Cancel, No) unless its caller says otherwise: a hasty Enter never costs data.
enum class DefaultAnswer { Yes, No };

// The three ways out of a step that would drop unsaved edits.
enum class UnsavedAnswer { Save, Discard, Cancel };

class Messages {
public:
    virtual ~Messages() = default;
    // An information box with an OK button.
    virtual void Show(const std::string& text) = 0;
    // A question without icon; true means OK (resp. Yes).
    virtual bool AskOkCancel(const std::string& text, DefaultAnswer preset = DefaultAnswer::No) = 0;
    virtual bool AskYesNo(const std::string& text, DefaultAnswer preset = DefaultAnswer::No) = 0;
    // Save / Discard / Cancel before unsaved edits would be dropped; Enter saves, Escape cancels.
    virtual UnsavedAnswer AskSaveDiscardCancel(const std::string& text) = 0;
};

// Discards every message and answers no question in the affirmative; for callers that report
// failures their own way (for example through an exception they already hold).
class SilentMessages final : public Messages {
public:
    void Show(const std::string&) override {}
    bool AskOkCancel(const std::string&, DefaultAnswer = DefaultAnswer::No) override {
        return false;
    }
    bool AskYesNo(const std::string&, DefaultAnswer = DefaultAnswer::No) override { return false; }
    UnsavedAnswer AskSaveDiscardCancel(const std::string&) override {
        return UnsavedAnswer::Cancel;
    }
};

}  // namespace kinloom

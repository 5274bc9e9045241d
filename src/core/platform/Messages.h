#pragma once
// How core operations speak to the user. Core never opens a window: every user-visible text goes
// through this interface with its exact wording ("\r\n" marks a line break), and the window, the
// command-line tool or a test decides how to show it.

#include <string>

namespace kinloom {

class Messages {
public:
    virtual ~Messages() = default;
    // An information box with an OK button.
    virtual void Show(const std::string& text) = 0;
    // A question without icon; true means OK (resp. Yes).
    virtual bool AskOkCancel(const std::string& text) = 0;
    virtual bool AskYesNo(const std::string& text) = 0;
};

// Discards every message and answers no question in the affirmative; for callers that report
// failures their own way (for example through an exception they already hold).
class SilentMessages final : public Messages {
public:
    void Show(const std::string&) override {}
    bool AskOkCancel(const std::string&) override { return false; }
    bool AskYesNo(const std::string&) override { return false; }
};

}  // namespace kinloom

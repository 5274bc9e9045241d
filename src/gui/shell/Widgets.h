#pragma once
// Small helpers every page uses to build its controls.

#include <QApplication>
#include <QLabel>
#include <QString>
#include <optional>
#include <string>

#include "core/packages/Utf8.h"

namespace kinloom::gui {

// A label carrying its program name as objectName, so tests and styles find it.
inline QLabel* Label(const QString& text, const char* name, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

// The wait cursor for as long as it lives.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// A stored (UTF-8) name as the window shows it.
inline QString Decoded(const std::string& utf8) {
    return QString::fromStdU16String(DecodeUtf8(utf8));
}

// A text box whose edits the files could not keep: read-only, saying why on hover; writable
// again (tooltip cleared) when why is empty.
template <typename TextBox>
void RefuseTextEdits(TextBox* box, const std::optional<std::string>& why) {
    box->setReadOnly(why.has_value());
    box->setToolTip(why ? QString::fromStdString(*why) : QString());
}

}  // namespace kinloom::gui

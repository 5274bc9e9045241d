#pragma once
// The page kit: the controls every page builds itself from, made one way. Each helper takes the
// control's program name (its objectName, which tests, styles and the window look it up by)
// first, then its text, then its parent. An empty name leaves the control unnamed.

#include <QAnyStringView>
#include <QPalette>
#include <QString>
#include <optional>
#include <string>

#include "core/packages/Utf8.h"

class QAction;
class QFrame;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace kinloom::gui {

// ---- Sizes several pages share ----

// Room between a page's frame and its controls.
inline constexpr int kPageMargin = 16;
// Between the rows of a page laid out top to bottom.
inline constexpr int kPageSpacing = 10;
// Between the columns of a page laid out side by side.
inline constexpr int kColumnGap = 20;
// Between rows that belong closely together.
inline constexpr int kTightSpacing = 6;
// A grid of captions and their fields.
inline constexpr int kFieldColumnGap = 12;
inline constexpr int kFieldRowGap = 8;

// A sim's picture in a list entry, and the entry: the picture one pixel in from its corner.
inline constexpr int kListPictureSize = 32;
inline constexpr int kListEntryHeight = kListPictureSize + 2;
// A sim's whole thumbnail as a page shows it.
inline constexpr int kPortraitSize = 128;

// Number fields: as many digits as the records' widest number, and the usual width.
inline constexpr int kNumberFieldLength = 10;
inline constexpr int kNumberFieldWidth = 120;
// Captions beside a row of sliders, and the sliders' least width.
inline constexpr int kCaptionWidth = 150;
inline constexpr int kSliderWidth = 160;

// ---- Layout ----

// The page's own layout, its controls top to bottom inside the page margin.
QVBoxLayout* PageColumn(QWidget* page, int spacing = kPageSpacing);
// The page's own layout, its columns side by side inside the page margin.
QHBoxLayout* PageColumns(QWidget* page, int gap = kColumnGap);
// A grid of captions and fields, for a page to place.
QGridLayout* FieldGrid();

// ---- Controls ----

QLabel* Label(QAnyStringView name, const QString& text, QWidget* parent);
// A label in bold: the title of a group of controls.
QLabel* Heading(QAnyStringView name, const QString& text, QWidget* parent);
// A label whose text wraps: help and notes.
QLabel* Wrapped(QAnyStringView name, const QString& text, QWidget* parent);
// A wrapping label in red on both colour schemes, bold so it is read before the controls near
// it are touched.
QLabel* Warning(QAnyStringView name, const QString& text, QWidget* parent);
// A label placed for checking values, never shown.
QLabel* HiddenLabel(QAnyStringView name, QWidget* parent);
// minimumWidth 0 leaves the button its natural width.
QPushButton* Button(QAnyStringView name, const QString& text, QWidget* parent,
                    int minimumWidth = 0);
// A box for a whole number: kNumberFieldLength characters at most.
QLineEdit* NumberField(QAnyStringView name, QWidget* parent, int maximumWidth = kNumberFieldWidth);
// A framed panel (a page, a picture's place).
QFrame* Frame(QAnyStringView name, QWidget* parent);
// A frameless holder of controls that are shown or hidden together.
QWidget* SubPanel(QAnyStringView name, QWidget* parent);
// An entry of a menu.
QAction* MenuItem(QMenu* menu, QAnyStringView name, const QString& text);

// A dialog's palette in the window's colour scheme: windows and boxes on the background, their
// text in the foreground.
QPalette SchemePalette(QPalette palette, const QColor& background, const QColor& foreground);

// ---- Text ----

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

#pragma once
// MainWindow: the editor's main window. It owns the top bar, the navigation column, one panel per
// page and the shared window state: the page switch, the busy state and the colour schemes.

#include <QColor>
#include <QMainWindow>
#include <QMap>
#include <QSet>
#include <functional>
#include <memory>
#include <vector>

#include "gui/shell/BusyGuard.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGridLayout;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace kinloom {
class Messages;
class Settings;
}  // namespace kinloom

namespace kinloom::gui {

class PicturesLibrary;
class HoverLabel;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(Settings& settings, Messages& messages, QWidget* parent = nullptr);
    // With the pictures library the scheme pictures are drawn; without it titles stay text.
    MainWindow(Settings& settings, Messages& messages, const PicturesLibrary* pictures,
               QWidget* parent = nullptr);

    // Wait cursor and every panel disabled until the matching EndBusy; the last EndBusy enables
    // every panel again. A BusyGuard on the window does the same for a block.
    void BeginBusy();
    void EndBusy();

    // Hides and disables every page, then shows and enables the named one (none for "").
    void ShowPage(const QString& pageName);
    // Enables every navigation button, then disables the named one: it marks the current page,
    // drawn highlighted (its "openPage" property) rather than dimmed.
    void SelectNavButton(const QString& buttonName);

    void ShowAboutPage();

    // Runs a navigation button's handler, as a click does, even while the column is disabled.
    void OpenPage(const QString& buttonName);
    // The navigation button of the current page (the disabled one); empty when none is.
    QString CurrentNavButton() const;

    // Puts a built page in place of a page's placeholder frame; the window owns it from then on.
    void ReplacePage(const QString& pageName, QWidget* page);

    // Applies the scheme again, for instance once the language font is known.
    void ReapplyColorScheme();

    int ColorScheme() const { return colorScheme_; }
    QColor SchemeBackground() const { return schemeBackground_; }
    QColor SchemeForeground() const { return schemeForeground_; }
    static constexpr int kSchemeFontSize = 10;

    // The panel of a page ("pnlSkills"); nullptr for an unknown name.
    QWidget* Page(const QString& pageName) const { return pages_.value(pageName); }
    // What a navigation button does when clicked; by default it shows its page.
    void SetPageOpener(const QString& buttonName, std::function<void()> open);

    // The language font of the game (start-up sets it from the game's language).
    void SetLanguageFont(const QString& family) { languageFont_ = family; }

    // The top bar's and the navigation column's controls, for the editing session that drives
    // them.
    QComboBox* NeighborhoodList() const { return cbNeighborhood_; }
    QComboBox* SimList() const { return cbUserName_; }
    QPushButton* DeleteSimButton() const { return btnDelSim_; }
    QPushButton* SortButton() const { return btnSortUsers_; }
    QPushButton* FindButton() const { return btnFindSim_; }
    QPushButton* UndoButton() const { return btnUndo_; }
    QPushButton* RedoButton() const { return btnRedo_; }
    QPushButton* RevertSimButton() const { return btnRevertSim_; }
    QCheckBox* AdvancedSwitch() const { return ckAdvanced_; }
    QPushButton* SaveButton() const { return btnSave_; }
    QLabel* SimPicture() const { return imgChar_; }
    QProgressBar* ProgressBar() const { return pbLoading_; }

    // Asked before the window closes (after the busy check); false keeps the window open.
    void SetCloseCheck(std::function<bool()> check) { closeCheck_ = std::move(check); }
    // Marks the title with " *" while anything is unsaved.
    void ShowUnsaved(bool unsaved);

    // The web page the About page's link opens.
    static const char* const kWebAddress;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildTopBar();
    void BuildNavigation();
    void BuildPages();
    QWidget* BuildAboutPage();
    void ApplyColorScheme(QRadioButton* sender);
    // The web link in the scheme's link colour (hovered: its hover colour), readable on both.
    void ColourLink(bool hovered);
    void ApplySchemePictures(bool reportFailure);
    // Names the page's inputs by their captions and gives its buttons the letters the top bar
    // and the navigation column leave.
    void GiveKeyboardAccess(QWidget* page);

    Settings& settings_;
    Messages& messages_;
    const PicturesLibrary* pictures_ = nullptr;

    QFrame* pnlTop_ = nullptr;
    QFrame* pnlButtons_ = nullptr;
    QWidget* pageArea_ = nullptr;
    QGridLayout* pageLayout_ = nullptr;
    QProgressBar* pbLoading_ = nullptr;
    QComboBox* cbNeighborhood_ = nullptr;
    QComboBox* cbUserName_ = nullptr;
    QCheckBox* ckAdvanced_ = nullptr;
    QPushButton* btnDelSim_ = nullptr;
    QPushButton* btnFindSim_ = nullptr;
    QPushButton* btnUndo_ = nullptr;
    QPushButton* btnRedo_ = nullptr;
    QPushButton* btnRevertSim_ = nullptr;
    QPushButton* btnSortUsers_ = nullptr;
    QPushButton* btnSave_ = nullptr;
    QLabel* imgChar_ = nullptr;
    QRadioButton* rbDarkScheme_ = nullptr;
    QRadioButton* rbLightScheme_ = nullptr;
    HoverLabel* lblGoWeb_ = nullptr;

    QMap<QString, QWidget*> pages_;           // page name -> panel
    QMap<QString, QPushButton*> navButtons_;  // button name -> button
    QMap<QString, QString> buttonPage_;       // button name -> page name
    QMap<QString, std::function<void()>> openers_;
    std::function<bool()> closeCheck_;
    QSet<QChar> windowMnemonics_;  // the letters of the top bar and the navigation column

    int colorScheme_ = 1;
    QColor schemeBackground_ = Qt::black;
    QColor schemeForeground_ = Qt::white;
    QString languageFont_ = "Tahoma";
    std::vector<std::unique_ptr<BusyGuard>> busy_;  // one per BeginBusy not yet ended
};

}  // namespace kinloom::gui

#pragma once
// TfrmMain: the editor's main window. It owns the top bar, the navigation column, one panel per
// page and the shared window state: the page switch, the busy state and the colour schemes.

#include <QColor>
#include <QMainWindow>
#include <QMap>
#include <functional>

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

class TACLabel;

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    TfrmMain(Settings& settings, Messages& messages, QWidget* parent = nullptr);

    // Wait cursor and every panel disabled; EndBusy enables every panel again.
    void BeginBusy();
    void EndBusy();

    // Hides and disables every page, then shows and enables the named one (none for "").
    void ShowPage(const QString& pageName);
    // Enables every navigation button, then disables the named one: it marks the current page.
    void SelectNavButton(const QString& buttonName);

    void ShowAboutPage();

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
    void OpenPage(const QString& buttonName);

    Settings& settings_;
    Messages& messages_;

    QFrame* pnlTop_ = nullptr;
    QFrame* pnlButtons_ = nullptr;
    QWidget* pageArea_ = nullptr;
    QGridLayout* pageLayout_ = nullptr;
    QProgressBar* pbLoading_ = nullptr;
    QComboBox* cbNeighborhood_ = nullptr;
    QComboBox* cbUserName_ = nullptr;
    QCheckBox* ckAdvanced_ = nullptr;
    QRadioButton* rbDarkScheme_ = nullptr;
    QRadioButton* rbLightScheme_ = nullptr;
    TACLabel* lblGoWeb_ = nullptr;

    QMap<QString, QWidget*> pages_;            // page name -> panel
    QMap<QString, QPushButton*> navButtons_;   // button name -> button
    QMap<QString, QString> buttonPage_;        // button name -> page name
    QMap<QString, std::function<void()>> openers_;

    int colorScheme_ = 1;
    QColor schemeBackground_ = Qt::black;
    QColor schemeForeground_ = Qt::white;
    QString languageFont_ = "Tahoma";
    int busyDepth_ = 0;
};

}  // namespace kinloom::gui

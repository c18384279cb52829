#pragma once
// The main window: the mapping list and its commands, start-up and the stop sequence, and the activation
// of mappings behind the local-port probe.
#include "app/MappingItem.h"

#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QMenu;
class QAction;

namespace Ui {
class fMain;
}

namespace tarvix {

class TAsyncClientSocket;
class TIniFileEx;
class TLanguageMenu;
class TMenuPainter;
class TTrayIcon;

struct TMainOptions {
    QString settingsPath; // empty: the settings file of the installation
    // Told when the probe of a row starts (true) and when it has been handled (false); for tests.
    std::function<void(int index, bool started)> probeObserver;
    // How long a missing notification area is waited for at start before the window is shown instead.
    int trayWaitMs = 10000;
};

class TfMain : public QWidget {
    Q_OBJECT
public:
    // Runs FormCreate; an error that stops it is shown and the window lives on.
    explicit TfMain(const TMainOptions& options = {});
    ~TfMain() override;

    Ui::fMain& Form() { return *ui_; }
    TIniFileEx& Settings() { return *settings_; }
    QMenu* ListMenu() const { return pmList_; }
    QMenu* TrayMenu() const { return pmTray_; }
    TTrayIcon* TrayIcon() const { return trayIcon_; }
    TLanguageMenu& LanguageMenu() const { return *languageMenu_; }
    TAsyncClientSocket* ClientSocket() const { return clientSocket_; }
    QTreeWidgetItem* SelectedItem() const { return selectedItem_; }
    bool ProbeBusy() const { return probeBusy_; }
    int RowCount() const;
    TMappingItem* Row(int index) const;
    // The image shown as the application's and the tray's icon.
    int ApplicationIconIndex() const { return appIconIndex_; }

    // Start-up and shutdown.
    void StopApplication();
    bool Stopping() const { return stopping_; }

    // The list and its commands.
    TMappingItem* AddListItem(const QString& caption, int port, bool select);
    void ListSelectItem(QTreeWidgetItem* item, bool selected);
    void SetActionState(bool enabled, bool active);
    void aActivateExecute();
    void aOpenExecute();
    void aDesactivateAllExecute();
    void aNewExecute();
    void aModifyExecute();
    void aDeleteExecute();
    void aHelpExecute();
    void aOnTheWebExecute();
    void aCloseExecute();
    void aQuitExecute();

    // Activation.
    void ToggleMapping(int index);
    bool DeactivateItem(TMappingItem* row);
    void DeactivateAll();
    void SetMappingState(int index, TMappingState state);

    // Shows the tray menu's commands in the window when there is no notification area; true then.
    bool ShowWindowCommands();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class ProbeEnd;

    void FormCreate();
    void BuildMenus();
    void BindLinkLabels();
    void SetActionImage(QAction* action, int index);
    void ShowListMenu(const QPoint& pos);
    void ListSelectionChanged(const class QItemSelection& selected, const class QItemSelection& deselected);
    void RefreshActions();
    std::function<void(const QString& message)> OpenFailureReport();
    int IndexOf(const QTreeWidgetItem* row) const;
    TMappingItem* RowById(std::uint64_t id) const;
    QString SectionOf(int index) const;

    void ClientSocketConnect();
    void ClientSocketError(int& errorCode);
    void ClientSocketDisconnect();
    void CreateInstance(TMappingItem* row);
    void MappingStateChanged(std::uint64_t instanceId, bool connected);

    std::unique_ptr<Ui::fMain> ui_;
    TMainOptions options_;
    std::unique_ptr<TIniFileEx> settings_;
    QMenu* pmList_ = nullptr;
    QMenu* pmTray_ = nullptr;
    QAction* mTitle_ = nullptr;
    TMenuPainter* menuPainter_ = nullptr;
    TTrayIcon* trayIcon_ = nullptr;
    TAsyncClientSocket* clientSocket_ = nullptr;
    QTreeWidgetItem* selectedItem_ = nullptr;
    bool probeBusy_ = false;
    std::uint64_t probeRowId_ = 0; // the row under probe; 0 when none
    bool probeAnswered_ = false;   // the probe's connect or error event has come
    bool stopping_ = false;
    int appIconIndex_ = 5;
    std::uint64_t nextRowId_ = 0;
    std::uint64_t nextInstanceId_ = 0;
    std::unique_ptr<TLanguageMenu> languageMenu_;
    std::vector<QAction*> windowCommands_; // the list menu's share of the tray menu
};

} // namespace tarvix

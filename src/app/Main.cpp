#include "app/Main.h"

#include "app/Autostart.h"
#include "app/RowToolTip.h"
#include "app/Shortcuts.h"
#include "app/VersionInfo.h"
#include "base/ExecutablePath.h"
#include "editor/MessageDlg.h"
#include "editor/NewModify.h"
#include "i18n/CatalogueModule.h"
#include "i18n/Format.h"
#include "i18n/LanguageMenu.h"
#include "i18n/Languages.h"
#include "i18n/MessageIds.h"
#include "i18n/WebPage.h"
#include "relay/Connect.h"
#include "settings/IniFileEx.h"
#include "settings/MappingRecord.h"
#include "ui/ActionLabel.h"
#include "ui/AsyncClientSocket.h"
#include "ui/ImageList.h"
#include "ui/MenuPainter.h"
#include "ui/TrayIcon.h"
#include "ui_Main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QStyle>

#include <algorithm>

namespace tarvix {
namespace {

constexpr int kPortColumnWidth = 40;
// For actions that show no picture.
constexpr int kNoImage = -1;

// A menu item bound to an action: it shows the action's caption, image and states and runs the action.
QAction* AddMenuItem(QMenu* menu, const char* name, QAction* action)
{
    auto* item = new QAction(menu);
    item->setObjectName(QLatin1String(name));
    const auto follow = [item, action] {
        item->setText(action->text());
        item->setIcon(action->icon());
        item->setEnabled(action->isEnabled());
        item->setVisible(action->isVisible());
        item->setProperty("imageIndex", action->property("imageIndex"));
    };
    follow();
    QObject::connect(action, &QAction::changed, item, follow);
    QObject::connect(item, &QAction::triggered, action, [action] { action->trigger(); });
    menu->addAction(item);
    return item;
}

// Two records that listen and relay alike, whatever their names and auto-start flags.
bool SameRelay(const MappingRecord& a, const MappingRecord& b)
{
    return a.localPort == b.localPort && a.address == b.address && a.port == b.port &&
           a.listenAddress == b.listenAddress && a.allowFrom == b.allowFrom;
}

} // namespace

TfMain::TfMain(const TMainOptions& options) : ui_(std::make_unique<Ui::fMain>()), options_(options)
{
    ui_->setupUi(this);
    // A dialog-style frame: fixed size, a close button and no minimize or maximize button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(size());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setWindowIcon(ApplicationIcon());

    ui_->Image1->setPixmap(QPixmap::fromImage(BannerImage()));

    // The list: tooltip colours, selection kept visible without the focus.
    QTreeWidget* list = ui_->List;
    QPalette tip = list->palette();
    tip.setColor(QPalette::Base, tip.color(QPalette::ToolTipBase));
    tip.setColor(QPalette::Text, tip.color(QPalette::ToolTipText));
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        tip.setColor(QPalette::Inactive, role, tip.color(QPalette::Active, role));
    list->setPalette(tip);
    // The list's plain border is drawn in the text colour; with the focus it takes the highlight colour, so
    // that the keyboard's place is always visible.
    list->installEventFilter(this);
    list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    list->header()->setSectionResizeMode(1, QHeaderView::Fixed);
    // 40 pixels hold five digits in the form's font on the system it was drawn for; a wider font gets the
    // room five digits need, so that no port is cut short.
    const int textMargin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    const int fiveDigits = list->fontMetrics().horizontalAdvance(QStringLiteral("65535")) + 2 * textMargin + 2;
    list->header()->resizeSection(1, std::max(kPortColumnWidth, fiveDigits));
    list->header()->setSectionsMovable(false);
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TfMain::ListSelectionChanged);
    connect(list, &QTreeWidget::itemDoubleClicked, this, [this] { aModifyExecute(); });
    connect(list, &QWidget::customContextMenuRequested, this, &TfMain::ShowListMenu);
    new TRowToolTip(*this);

    const struct {
        QAction* action;
        void (TfMain::*handler)();
        int image;
    } actions[] = {
        {ui_->aActivate, &TfMain::aActivateExecute, images::SomeListening},
        {ui_->aOpen, &TfMain::aOpenExecute, images::Open},
        {ui_->aDesactivateAll, &TfMain::aDesactivateAllExecute, images::AllIdle},
        {ui_->aNew, &TfMain::aNewExecute, images::Edit},
        {ui_->aModify, &TfMain::aModifyExecute, images::Edit},
        {ui_->aDelete, &TfMain::aDeleteExecute, images::Edit},
        {ui_->aHelp, &TfMain::aHelpExecute, kNoImage},
        {ui_->aClose, &TfMain::aCloseExecute, kNoImage},
        {ui_->aOnTheWeb, &TfMain::aOnTheWebExecute, images::Web},
        {ui_->aQuit, &TfMain::aQuitExecute, images::Quit},
    };
    for (const auto& a : actions) {
        SetActionImage(a.action, a.image);
        if (a.handler)
            connect(a.action, &QAction::triggered, this, a.handler);
    }
    BindLinkLabels();
    BindShortcuts(this, *ui_);
    BuildMenus();

    languageMenu_ = std::make_unique<TLanguageMenu>();
    languageMenu_->BindItems(this);
    languageMenu_->ShowRestartNotice = [this](const QString& notice) {
        MessageDlg(TMsgDlgType::mtWarning, notice, mbOK, this);
    };
    languageMenu_->StopApplication = [this] { StopApplication(); };
    languageMenu_->ShowOpenFailure = OpenFailureReport();

    clientSocket_ = new TAsyncClientSocket(this);
    clientSocket_->setObjectName(QStringLiteral("ClientSocket"));
    clientSocket_->SetHost(QStringLiteral("127.0.0.1"));
    clientSocket_->OnConnect = [this](auto&&...) { ClientSocketConnect(); };
    clientSocket_->OnError = [this](TAsyncClientSocket*, TErrorEvent, int& errorCode) { ClientSocketError(errorCode); };
    clientSocket_->OnDisconnect = [this](auto&&...) { ClientSocketDisconnect(); };

    trayIcon_ = new TTrayIcon(this);
    trayIcon_->setObjectName(QStringLiteral("TrayIcon"));
    trayIcon_->SetMainWindow(this);
    trayIcon_->SetPopupMenu(pmTray_);
    trayIcon_->OnDblClick = [this](TTrayIcon*) { aOpenExecute(); };
    trayIcon_->SetShowAtStart(false);
    trayIcon_->SetIcon(windowIcon());
    trayIcon_->SetTray(true);
    trayIcon_->SetEnabled(true);

    // Like an error in a creation handler: shown, and the window lives on with what was done.
    try {
        FormCreate();
    } catch (const std::exception& error) {
        ShowException(error);
    }
}

TfMain::~TfMain()
{
    // FormDestroy: the store goes without Save. Instances still running go first, before anything they
    // report to is torn down; the list reports nothing more to a window that is going.
    disconnect(ui_->List->selectionModel(), nullptr, this, nullptr);
    for (int i = 0; i < RowCount(); ++i)
        if (TMappingItem* row = Row(i); row->instance) {
            row->instance->CloseMapping();
            row->instance.reset();
        }
    settings_.reset();
}

void TfMain::FormCreate()
{
    languageMenu_->SetupLanguageMenu();
    setWindowTitle(QStringLiteral("TARVIX Port Mapping"));
    trayIcon_->SetHint(windowTitle());
    const QString version = GetVersionInfoValue(QCoreApplication::applicationFilePath(), QStringLiteral("FileVersion"));
    mTitle_->setText(
        QString::fromStdString(Format("%s (V%s)", {mTitle_->text().toStdString(), version.toStdString()})));
    trayIcon_->SetIcon(windowIcon());
    selectedItem_ = nullptr;
    probeBusy_ = false;

    settings_ = std::make_unique<TIniFileEx>();
    settings_->SetSorted(false);
    settings_->SetFileName(options_.settingsPath.isEmpty() ? SettingsFilePath() : options_.settingsPath);
    settings_->Load();

    const QStringList sections = settings_->Sections();
    // Without a notification area the window is the only way in, so it is shown whatever the list holds.
    if (sections.isEmpty())
        show();
    else
        trayIcon_->ShowMainWindowAtStart(options_.trayWaitMs);
    for (const QString& section : sections) {
        const int port = ReadRecordLocalPort(*settings_, section);
        AddListItem(ReadRecordName(*settings_, section), port, false);
    }
    for (int i = 0; i < settings_->SectionCount() && !stopping_; ++i)
        if (ReadRecordAutoStart(*settings_, settings_->SectionName(i)))
            ToggleMapping(i);
    ui_->aDesactivateAll->setEnabled(true);
}

void TfMain::closeEvent(QCloseEvent* event)
{
    // FormCloseQuery: closing only hides. Without a notification area to come back from, the window is the
    // program: its close box quits.
    event->ignore();
    if (TTrayIcon::Available())
        hide();
    else
        StopApplication();
}

bool TfMain::ShowWindowCommands()
{
    const bool trayless = !TTrayIcon::Available();
    for (QAction* item : windowCommands_)
        item->setVisible(trayless);
    ui_->pWindowCommands->setVisible(trayless);
    ui_->Image1->setCursor(trayless ? Qt::PointingHandCursor : Qt::ArrowCursor);
    return trayless;
}

void TfMain::showEvent(QShowEvent* event)
{
    ShowWindowCommands();
    QWidget::showEvent(event);
}

void TfMain::changeEvent(QEvent* event)
{
    // A notification area may come or go while the program runs; the user meets the change here.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        ShowWindowCommands();
    QWidget::changeEvent(event);
}

bool TfMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui_->List && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        QPalette colors = ui_->List->palette();
        colors.setColor(QPalette::WindowText, event->type() == QEvent::FocusIn
                                                  ? colors.color(QPalette::Active, QPalette::Highlight)
                                                  : palette().color(QPalette::WindowText));
        ui_->List->setPalette(colors);
    }
    if (watched == ui_->Image1 && event->type() == QEvent::MouseButtonRelease && ShowWindowCommands()) {
        pmList_->popup(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TfMain::StopApplication()
{
    if (stopping_)
        return;
    stopping_ = true;
    QMessageBox* notice = CreateMessageDialog(TMsgDlgType::mtInformation, LoadResQString(msg::Stopping), mbNone, this);
    notice->setObjectName(QStringLiteral("StopNotice"));
    notice->setWindowModality(Qt::NonModal);
    notice->show();
    QCoreApplication::processEvents();
    DeactivateAll();
    // exit() rather than quit(): quitting would ask the windows to close, and this one only hides.
    QCoreApplication::exit(0);
}

void TfMain::SetActionImage(QAction* action, int index)
{
    action->setProperty("imageIndex", index);
    action->setIcon(index >= 0 ? ImageListIcon(index) : QIcon());
}

void TfMain::BindLinkLabels()
{
    const struct {
        TActionLabel* label;
        QAction* action;
    } links[] = {
        {ui_->lActive, ui_->aActivate}, {ui_->lDesactivateAll, ui_->aDesactivateAll},
        {ui_->lNew, ui_->aNew},         {ui_->lModify, ui_->aModify},
        {ui_->lDelete, ui_->aDelete},   {ui_->lHelp, ui_->aHelp},
        {ui_->lClose, ui_->aClose},     {ui_->lQuit, ui_->aQuit},
    };
    for (const auto& link : links)
        link.label->SetAction(link.action);
    // "Fermer" keeps its right edge where the form puts it, whatever the caption's length.
    const int right = ui_->lClose->geometry().right();
    ui_->lClose->adjustSize();
    ui_->lClose->move(right + 1 - ui_->lClose->width(), ui_->lClose->y());
}

void TfMain::BuildMenus()
{
    pmList_ = new QMenu(this);
    pmList_->setObjectName(QStringLiteral("pmList"));
    AddMenuItem(pmList_, "mActive", ui_->aActivate);
    AddMenuItem(pmList_, "mDesactivateAll2", ui_->aDesactivateAll);
    pmList_->addSeparator();
    AddMenuItem(pmList_, "mNew", ui_->aNew);
    AddMenuItem(pmList_, "mModify", ui_->aModify);
    AddMenuItem(pmList_, "mDelete", ui_->aDelete);

    pmTray_ = new QMenu(this);
    pmTray_->setObjectName(QStringLiteral("pmTray"));
    mTitle_ = pmTray_->addAction(QCoreApplication::translate("fMain", "TARVIX Port Mapping"));
    mTitle_->setObjectName(QStringLiteral("mTitle"));
    mTitle_->setEnabled(false);
    pmTray_->addSeparator();
    AddMenuItem(pmTray_, "mOpen", ui_->aOpen);
    AddMenuItem(pmTray_, "mDesactivateAll", ui_->aDesactivateAll);
    pmTray_->addSeparator();
    QMenu* languages = pmTray_->addMenu(ImageListIcon(images::Language), TLanguageMenu::Caption());
    languages->setObjectName(QStringLiteral("mLanguageMenu"));
    languages->menuAction()->setObjectName(QStringLiteral("mLanguage"));
    for (const TLanguage& language : Languages()) {
        QAction* item = languages->addAction(ImageListIcon(images::Language), QString::fromUtf8(language.caption));
        item->setObjectName(QLatin1String(language.menuItem));
        item->setCheckable(true);
        item->setProperty("tag", language.tag);
    }
    AddMenuItem(pmTray_, "mOnTheWeb", ui_->aOnTheWeb);
    pmTray_->addSeparator();
    AddAutostartItem(pmTray_);
    AddMenuItem(pmTray_, "mQuit", ui_->aQuit);

    // Without a notification area the window carries the tray menu's commands in its list menu, which the
    // banner opens too.
    windowCommands_.push_back(pmList_->addSeparator());
    auto* language = new QAction(languages->menuAction()->icon(), languages->title(), pmList_);
    language->setObjectName(QStringLiteral("mLanguage2"));
    language->setMenu(languages);
    pmList_->addAction(language);
    windowCommands_.push_back(language);
    windowCommands_.push_back(AddMenuItem(pmList_, "mOnTheWeb2", ui_->aOnTheWeb));
    QAction* autostart = AddAutostartItem(pmList_);
    autostart->setObjectName(QStringLiteral("mAutostart2"));
    windowCommands_.push_back(autostart);
    windowCommands_.push_back(pmList_->addSeparator());
    windowCommands_.push_back(AddMenuItem(pmList_, "mQuit2", ui_->aQuit));
    connect(pmList_, &QMenu::aboutToShow, this, &TfMain::ShowWindowCommands);
    ui_->Image1->installEventFilter(this);

    // Both menus are the form's own, so the painter takes them over.
    menuPainter_ = new TMenuPainter(this);
    menuPainter_->setObjectName(QStringLiteral("MenuPainter"));
    const QPalette colors = palette();
    QFont menuFont(QStringLiteral("Tahoma"));
    menuFont.setPointSize(8);
    menuPainter_->SetFont(menuFont);
    menuPainter_->SetFontColor(colors.color(QPalette::WindowText));
    for (auto set : {&TMenuPainter::SetColor, &TMenuPainter::SetIconBackColor, &TMenuPainter::SetMenuBarColor,
                     &TMenuPainter::SetSeparatorColor})
        (menuPainter_->*set)(colors.color(QPalette::Button));
    for (auto set :
         {&TMenuPainter::SetSelectColor, &TMenuPainter::SetSelectBorderColor, &TMenuPainter::SetCheckedColor})
        (menuPainter_->*set)(colors.color(QPalette::Highlight));
    menuPainter_->SetSelectFontColor(colors.color(QPalette::WindowText));
    menuPainter_->SetDisabledColor(colors.color(QPalette::Disabled, QPalette::WindowText));
    menuPainter_->SetIconWidth(40);
    menuPainter_->SetDrawSelect(true);
    menuPainter_->SetUseSystemColors(true);
    menuPainter_->SetGradient(true);
    menuPainter_->SetFlatMenu(false);
    menuPainter_->SetAutoDetect(true);
    menuPainter_->SetActive(true);
}

void TfMain::ShowListMenu(const QPoint& pos)
{
    pmList_->popup(ui_->List->viewport()->mapToGlobal(pos));
}

int TfMain::RowCount() const
{
    return ui_->List->topLevelItemCount();
}

TMappingItem* TfMain::Row(int index) const
{
    return static_cast<TMappingItem*>(ui_->List->topLevelItem(index));
}

int TfMain::IndexOf(const QTreeWidgetItem* row) const
{
    return row ? ui_->List->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(row)) : -1;
}

TMappingItem* TfMain::RowById(std::uint64_t id) const
{
    for (int i = 0; i < RowCount(); ++i)
        if (Row(i)->id == id)
            return Row(i);
    return nullptr;
}

QString TfMain::SectionOf(int index) const
{
    return settings_->SectionName(index);
}

TMappingItem* TfMain::AddListItem(const QString& caption, int port, bool select)
{
    auto* row = new TMappingItem(++nextRowId_);
    row->setText(0, caption);
    row->setText(1, QString::number(port));
    row->setTextAlignment(1, Qt::AlignCenter);
    row->setIcon(0, ImageListIcon(msInactive));
    ui_->List->addTopLevelItem(row);
    if (select)
        ui_->List->selectionModel()->select(ui_->List->indexFromItem(row),
                                            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    return row;
}

void TfMain::ListSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    // One call per row whose selected state changed, the row left first.
    const auto report = [this](const QItemSelection& rows, bool state) {
        for (const QModelIndex& index : rows.indexes())
            if (index.column() == 0)
                ListSelectItem(ui_->List->topLevelItem(index.row()), state);
    };
    report(deselected, false);
    report(selected, true);
}

void TfMain::ListSelectItem(QTreeWidgetItem* item, bool selected)
{
    const auto* row = static_cast<TMappingItem*>(item);
    SetActionState(selected, selected && row && row->instance);
    selectedItem_ = selected ? item : nullptr;
}

void TfMain::RefreshActions()
{
    // The rule follows the row the user has selected, not the row whose activation just changed.
    const QList<QTreeWidgetItem*> rows = ui_->List->selectedItems();
    ListSelectItem(rows.isEmpty() ? nullptr : rows.first(), !rows.isEmpty());
}

void TfMain::SetActionState(bool enabled, bool active)
{
    ui_->aActivate->setEnabled(enabled);
    ui_->aModify->setEnabled(enabled);
    ui_->aDelete->setEnabled(enabled);
    ui_->aActivate->setText(LoadResQString(active ? msg::Deactivate : msg::Activate));
    SetActionImage(ui_->aActivate, active ? images::AllIdle : images::SomeListening);
}

void TfMain::aActivateExecute()
{
    if (const int index = IndexOf(selectedItem_); index >= 0)
        ToggleMapping(index);
}

void TfMain::aOpenExecute()
{
    show();
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void TfMain::aDesactivateAllExecute()
{
    DeactivateAll();
}

void TfMain::aNewExecute()
{
    TfNewModify dialog(this, *settings_, NewSectionId(*settings_), true);
    if (dialog.exec() != QDialog::Accepted)
        return;
    selectedItem_ = AddListItem(dialog.Name(), dialog.ListenPort(), true);
    SetActionState(true, false);
}

void TfMain::aModifyExecute()
{
    if (!selectedItem_)
        return;
    const int index = IndexOf(selectedItem_);
    const std::uint64_t rowId = static_cast<TMappingItem*>(selectedItem_)->id;
    const QString section = SectionOf(index);
    TfNewModify dialog(this, *settings_, section, false);
    const MappingRecord before = ReadMappingRecord(*settings_, section);
    if (dialog.exec() != QDialog::Accepted)
        return;
    TMappingItem* row = RowById(rowId);
    if (!row)
        return;
    row->setText(0, dialog.Name());
    row->setText(1, QString::number(dialog.ListenPort()));
    // Only a change of where or what it relays restarts a running mapping: a new name or auto-start flag
    // must not cut its users' connections.
    const MappingRecord after = ReadMappingRecord(*settings_, SectionOf(IndexOf(row)));
    if (SameRelay(before, after))
        return;
    if (DeactivateItem(row))
        ToggleMapping(IndexOf(row));
}

void TfMain::aDeleteExecute()
{
    const QList<QTreeWidgetItem*> selected = ui_->List->selectedItems();
    if (selected.isEmpty())
        return;
    auto* row = static_cast<TMappingItem*>(selected.first());
    const int index = IndexOf(row);
    const QString name = ReadRecordName(*settings_, SectionOf(index));
    const QString question = QString::fromStdString(FormatRes(msg::ConfirmDelete, {name.toStdString()}));
    if (MessageDlg(TMsgDlgType::mtConfirmation, question, mbYes | mbNo, this) != mrYes)
        return;
    DeactivateItem(row);
    // Store and list change together; a failed save is reported afterwards and the next save retries.
    settings_->EraseSection(SectionOf(IndexOf(row)));
    // The row leaves the list whole (selection reports must never see it half destroyed), and no other row
    // is selected in its place: the list moves its current row along, the selection must not.
    ui_->List->clearSelection();
    delete ui_->List->takeTopLevelItem(IndexOf(row));
    ui_->List->clearSelection();
    selectedItem_ = nullptr;
    SetActionState(false, false);
    settings_->Save();
}

void TfMain::aHelpExecute()
{
    languageMenu_->OpenHelp();
}

void TfMain::aOnTheWebExecute()
{
    OpenWebPage(OpenFailureReport());
}

std::function<void(const QString&)> TfMain::OpenFailureReport()
{
    // The desktop may give up after the window has gone: the report goes with the window.
    return [self = QPointer<TfMain>(this)](const QString& message) {
        if (self)
            MessageDlg(TMsgDlgType::mtError, message, mbOK, self->isVisible() ? self.data() : nullptr);
    };
}

void TfMain::aCloseExecute()
{
    // "Fermer" keeps the program running: without a notification area the window only goes down.
    if (TTrayIcon::Available())
        close();
    else
        showMinimized();
}

void TfMain::aQuitExecute()
{
    StopApplication();
}

} // namespace tarvix

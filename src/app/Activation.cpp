// The activation controller of the main window: the local-port probe, the row states, the mapping instances.
#include "app/Main.h"

#include "editor/MessageDlg.h"
#include "i18n/CatalogueModule.h"
#include "i18n/Format.h"
#include "i18n/MessageIds.h"
#include "relay/Connect.h"
#include "relay/NetExceptions.h"
#include "settings/IniFileEx.h"
#include "settings/MappingRecord.h"
#include "ui/AsyncClientSocket.h"
#include "ui/ImageList.h"
#include "ui/TrayIcon.h"
#include "ui_Main.h"

#include <QApplication>
#include <QEventLoop>

namespace tarvix {
namespace {

// Where the probe looks for a program already serving the port: the address the mapping will listen on, or
// for every interface of a family that family's loopback.
QString ProbeAddress(const QString& listenAddress)
{
    if (listenAddress.isEmpty() || listenAddress == u"0.0.0.0")
        return QStringLiteral("127.0.0.1");
    if (listenAddress == u"::")
        return QStringLiteral("::1");
    return listenAddress;
}

} // namespace

// Ends the probe whatever way its handler leaves: the socket closed, ProbeBusy released.
class TfMain::ProbeEnd {
public:
    explicit ProbeEnd(TfMain& main) : main_(main) {}
    ~ProbeEnd()
    {
        try {
            main_.clientSocket_->SetActive(false);
        } catch (...) {
            // The next probe opens the socket afresh.
        }
        const int index = main_.IndexOf(main_.RowById(main_.probeRowId_));
        main_.probeRowId_ = 0;
        main_.probeBusy_ = false;
        if (main_.options_.probeObserver)
            main_.options_.probeObserver(index, false);
    }

private:
    TfMain& main_;
};

void TfMain::ToggleMapping(int index)
{
    TMappingItem* row = Row(index);
    if (!row)
        return;
    if (row->instance) {
        SetMappingState(index, msInactive);
        DeactivateItem(row);
        RefreshActions();
        return;
    }

    SetMappingState(index, msProbing);
    row->failure.clear();
    const std::uint64_t rowId = row->id;
    while (probeBusy_)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    // While waiting, the row may have been deleted, activated by another toggle, or the program be stopping.
    row = RowById(rowId);
    if (!row || row->instance)
        return;
    if (stopping_) {
        SetMappingState(IndexOf(row), msInactive);
        return;
    }

    index = IndexOf(row);
    try {
        const int port = ReadRecordLocalPort(*settings_, SectionOf(index));
        const QString host = ProbeAddress(ReadRecordListenAddress(*settings_, SectionOf(index)));
        probeBusy_ = true;
        probeRowId_ = rowId;
        probeAnswered_ = false;
        if (options_.probeObserver)
            options_.probeObserver(index, true);
        clientSocket_->SetHost(host);
        clientSocket_->SetPort(port);
        clientSocket_->SetActive(true);
    } catch (...) {
        // A probe refused at once (or a port that cannot be read) tells nothing about the port.
        if (probeRowId_ == rowId && !probeAnswered_) {
            ProbeEnd end(*this);
        }
        if (TMappingItem* r = RowById(rowId); r && !r->instance)
            SetMappingState(IndexOf(r), msInactive);
        throw;
    }
}

void TfMain::ClientSocketConnect()
{
    probeAnswered_ = true;
    ProbeEnd end(*this);
    TMappingItem* row = RowById(probeRowId_);
    if (!row || row->instance)
        return;
    const int index = IndexOf(row);
    SetMappingState(index, msPortBusy);
    if (isVisible()) {
        const QString text = QString::fromStdString(
            FormatRes(msg::PortBusy, {row->text(0).toStdString(), std::int64_t{clientSocket_->PeerPort()}}));
        MessageDlg(TMsgDlgType::mtError, text, mbOK, this);
    }
}

void TfMain::ClientSocketError(int& errorCode)
{
    // Every failure of the probe means the port is free.
    errorCode = 0;
    probeAnswered_ = true;
    ProbeEnd end(*this);
    TMappingItem* row = RowById(probeRowId_);
    if (!row || row->instance)
        return;
    if (stopping_) {
        SetMappingState(IndexOf(row), msInactive);
        return;
    }
    CreateInstance(row);
}

void TfMain::ClientSocketDisconnect()
{
    // A probe whose connect failed at once after its lookup ends here without either event; its error
    // follows through the application's error display.
    if (!probeBusy_ || probeAnswered_)
        return;
    probeAnswered_ = true;
    const std::uint64_t rowId = probeRowId_;
    {
        ProbeEnd end(*this);
    }
    if (TMappingItem* row = RowById(rowId); row && !row->instance)
        SetMappingState(IndexOf(row), msInactive);
}

void TfMain::CreateInstance(TMappingItem* row)
{
    const int index = IndexOf(row);
    const QString section = SectionOf(index);
    try {
        const int localPort = ReadRecordLocalPort(*settings_, section);
        const QString address = ReadRecordAddress(*settings_, section);
        const int port = ReadRecordPort(*settings_, section);
        const std::uint64_t instanceId = ++nextInstanceId_;
        // Runs on the connection's thread: hand the report over and never wait for this thread.
        auto report = [this, instanceId](TfConnect*, bool connected) {
            QMetaObject::invokeMethod(
                this, [this, instanceId, connected] { MappingStateChanged(instanceId, connected); },
                Qt::QueuedConnection);
        };
        TfConnectOptions access;
        access.listenAddress = ReadRecordListenAddress(*settings_, section).toStdString();
        access.allowFrom = ReadRecordAllowFrom(*settings_, section).toStdString();
        row->instance =
            std::make_unique<TfConnect>(localPort, address.toStdString(), port, report, TConnectionEndedEvent{},
                                        TThreadShortageEvent{}, TClientAcceptedEvent{}, access);
        row->instanceId = instanceId;
        row->openConnections = 0;
    } catch (const ENetException& error) {
        // The engine could not take the port: shown like a busy port; the error box names the mapping, its
        // port and the system's reason, which the row's tool tip keeps until the next attempt.
        row->failure = QString::fromStdString(error.Message());
        SetMappingState(IndexOf(row), msPortBusy);
        throw Exception(FormatRes(
            msg::ActivationFailed,
            {row->text(0).toStdString(), std::int64_t{ReadRecordLocalPort(*settings_, section)}, error.Message()}));
    } catch (...) {
        SetMappingState(IndexOf(row), msInactive);
        throw;
    }
    RefreshActions();
    SetMappingState(IndexOf(row), msListening);
}

void TfMain::MappingStateChanged(std::uint64_t instanceId, bool connected)
{
    for (int i = 0; i < RowCount(); ++i) {
        TMappingItem* row = Row(i);
        if (!row->instance || row->instanceId != instanceId)
            continue;
        if (connected)
            ++row->openConnections;
        else if (row->openConnections > 0)
            --row->openConnections;
        SetMappingState(i, row->openConnections > 0 ? msConnectionOpen : msListening);
        return;
    }
    // The instance was deactivated meanwhile: the report is dropped.
}

bool TfMain::DeactivateItem(TMappingItem* row)
{
    if (!row || !row->instance)
        return false;
    row->instance->CloseMapping();
    row->instance.reset();
    row->instanceId = 0;
    row->openConnections = 0;
    SetMappingState(IndexOf(row), msInactive);
    return true;
}

void TfMain::DeactivateAll()
{
    ui_->aActivate->setText(LoadResQString(msg::Activate));
    for (int i = 0; i < RowCount(); ++i)
        if (DeactivateItem(Row(i)))
            SetMappingState(i, msInactive);
}

void TfMain::SetMappingState(int index, TMappingState state)
{
    TMappingItem* row = Row(index);
    if (!row)
        return;
    row->state = state;
    row->setIcon(0, ImageListIcon(state));

    int icon = images::AllIdle;
    for (int i = 0; i < RowCount(); ++i) {
        const TMappingState s = Row(i)->state;
        if (s == msListening)
            icon = images::SomeListening;
        else if (s == msConnectionOpen) {
            icon = images::SomeConnected;
            break;
        }
    }
    appIconIndex_ = icon;
    QApplication::setWindowIcon(ImageListIcon(icon));
    trayIcon_->SetIcon(ImageListIcon(icon));
}

} // namespace tarvix

#include "editor/NewModify.h"

#include "editor/MessageDlg.h"
#include "editor/SpinEdit.h"
#include "i18n/CatalogueModule.h"
#include "i18n/Format.h"
#include "i18n/MessageIds.h"
#include "relay/NetAddress.h"
#include "relay/NetExceptions.h"
#include "relay/NetSelfMapping.h"
#include "relay/Traffic.h"
#include "settings/IniFileEx.h"
#include "settings/MappingRecord.h"
#include "ui/AsyncClientSocket.h"
#include "ui_NewModify.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace tarvix {

TfNewModify::TfNewModify(QWidget* owner, TIniFileEx& settings, const QString& sectionId, bool newMode)
    : QDialog(owner),
      ui_(std::make_unique<Ui::fNewModify>()),
      settings_(settings),
      sectionId_(sectionId),
      newMode_(newMode),
      clientSocket_(new TAsyncClientSocket(this))
{
    ui_->setupUi(this);
    testCaption_ = ui_->bTesting->text();
    setFixedSize(size());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);

    clientSocket_->setObjectName(QStringLiteral("ClientSocket"));
    clientSocket_->OnConnect = [this](auto&&...) { ClientSocketConnect(); };
    clientSocket_->OnError = [this](TAsyncClientSocket*, TErrorEvent, int& errorCode) { ClientSocketError(errorCode); };
    clientSocket_->OnDisconnect = [this](auto&&...) { ClientSocketDisconnect(); };

    connect(ui_->eName, &QLineEdit::textChanged, this, &TfNewModify::eAddressChange);
    connect(ui_->eAddress, &QLineEdit::textChanged, this, &TfNewModify::eAddressChange);
    connect(ui_->bTesting, &QPushButton::clicked, this, &TfNewModify::bTestingClick);
    connect(ui_->bSave, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui_->bCancel, &QPushButton::clicked, this, &QDialog::reject);

    // The usual choices of where to listen, each with the value it stands for; any literal may be typed.
    for (const auto& [id, value] : {std::pair{msg::ListenAllIPv4, ""}, std::pair{msg::ListenLoopback, "127.0.0.1"},
                                    std::pair{msg::ListenAllInterfaces, "::"}})
        ui_->eListenAddress->addItem(LoadResQString(id), QString::fromLatin1(value));

    if (!newMode_)
        setWindowTitle(LoadResQString(msg::ModifyTitle));
    const MappingRecord record = ReadMappingRecord(settings_, sectionId_);
    ui_->eName->setText(record.name);
    ui_->eListenPort->setValue(record.localPort);
    ui_->eAddress->setText(record.address);
    ui_->ePort->setValue(record.port);
    ui_->cbAutoStart->setChecked(record.autoStart);
    SetListenAddress(record.listenAddress);
    ui_->eAllowFrom->setText(record.allowFrom);
    eAddressChange();
}

QString TfNewModify::ListenAddress() const
{
    const QString text = ui_->eListenAddress->currentText().trimmed();
    const int item = ui_->eListenAddress->findText(text, Qt::MatchExactly);
    return item >= 0 ? ui_->eListenAddress->itemData(item).toString() : text;
}

void TfNewModify::SetListenAddress(const QString& address)
{
    const int item = ui_->eListenAddress->findData(address.trimmed());
    if (item >= 0)
        ui_->eListenAddress->setCurrentIndex(item);
    else
        ui_->eListenAddress->setEditText(address.trimmed());
}

QString TfNewModify::AllowFrom() const
{
    return ui_->eAllowFrom->text().trimmed();
}

TfNewModify::~TfNewModify() = default;

QString TfNewModify::Name() const
{
    return ui_->eName->text();
}

int TfNewModify::ListenPort() const
{
    return ui_->eListenPort->value();
}

void TfNewModify::eAddressChange()
{
    // Texts count as they stand: spaces are not empty.
    ui_->bTesting->setEnabled(!ui_->eAddress->text().isEmpty());
    ui_->bSave->setEnabled(ui_->bTesting->isEnabled() && !ui_->eName->text().isEmpty());
}

void TfNewModify::SetTesting(bool testing)
{
    testing_ = testing;
    // The fields keep what was typed; only "Tester", now "Arrêter", and "Annuler" stay in reach.
    for (QWidget* w : {static_cast<QWidget*>(ui_->gbListen), static_cast<QWidget*>(ui_->gbRemote),
                       static_cast<QWidget*>(ui_->bSave)})
        w->setEnabled(!testing);
    ui_->bTesting->setText(testing ? LoadResQString(msg::StopTest) : testCaption_);
    ui_->lTesting->setVisible(testing);
    if (!testing)
        eAddressChange();
}

void TfNewModify::StopTest()
{
    if (!testing_)
        return;
    clientSocket_->Abort();
    SetTesting(false);
    emit TestFinished();
}

void TfNewModify::bTestingClick()
{
    if (testing_) {
        StopTest();
        return;
    }
    SetTesting(true);
    QCoreApplication::processEvents();
    try {
        clientSocket_->SetHost(ui_->eAddress->text());
        clientSocket_->SetPort(ui_->ePort->value());
        clientSocket_->SetActive(true);
    } catch (...) {
        // A connect refused at once ends the attempt without an event.
        SetTesting(false);
        emit TestFinished();
        throw;
    }
}

void TfNewModify::ClientSocketConnect()
{
    SetTesting(false);
    clientSocket_->SetActive(false);
    emit TestFinished();
    MessageDlg(TMsgDlgType::mtInformation, LoadResQString(msg::TestSucceeded), mbOK, this);
}

void TfNewModify::ClientSocketError(int& errorCode)
{
    const int code = errorCode;
    errorCode = 0;
    SetTesting(false);
    emit TestFinished();
    // The reason goes on a line of its own under the message.
    const QString text = QString::fromStdString(
        FormatRes(msg::TestFailed, {ui_->eAddress->text().toStdString(), std::int64_t{ui_->ePort->value()}}) + "\r" +
        OutboundFailureText(code));
    MessageDlg(TMsgDlgType::mtWarning, text, mbOK, this);
}

void TfNewModify::ClientSocketDisconnect()
{
    // Only an attempt that failed at once gets here while testing; its error is shown by the socket.
    if (!testing_)
        return;
    SetTesting(false);
    emit TestFinished();
}

void TfNewModify::keyPressEvent(QKeyEvent* event)
{
    // While a test runs, Esc ends the test, not the dialog.
    if (testing_ && event->key() == Qt::Key_Escape) {
        StopTest();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfNewModify::done(int result)
{
    if (testing_) {
        if (result == QDialog::Accepted)
            return;
        clientSocket_->Abort();
        testing_ = false;
    }
    if (result == QDialog::Accepted && !FormClose())
        return;
    QDialog::done(result);
}

bool TfNewModify::AcceptSharedPort()
{
    // Two mappings can share a port when they listen on different addresses of this computer.
    MappingRecord mine;
    mine.localPort = ListenPort();
    mine.listenAddress = ListenAddress();
    for (const QString& section : settings_.Sections()) {
        if (section.compare(sectionId_, Qt::CaseInsensitive) == 0)
            continue;
        MappingRecord other;
        try {
            other.localPort = ReadRecordLocalPort(settings_, section);
        } catch (const EConvertError&) {
            continue; // a hand-edited value that says no port
        }
        other.listenAddress = ReadRecordListenAddress(settings_, section);
        if (!ListenersOverlap(mine, other))
            continue;
        const QString text = QString::fromStdString(FormatRes(
            msg::SameLocalPort, {std::int64_t{ListenPort()}, ReadRecordName(settings_, section).toStdString()}));
        return MessageDlg(TMsgDlgType::mtWarning, text, mbYes | mbNo, this) == mrYes;
    }
    return true;
}

bool TfNewModify::ValidAccess()
{
    // Refused with the value named; the dialog stays open on the field to correct.
    const auto refuse = [this](int id, const std::string& value, QWidget* field) {
        MessageDlg(TMsgDlgType::mtError, QString::fromStdString(FormatRes(id, {value})), mbOK, this);
        field->setFocus();
        return false;
    };
    const QString listen = ListenAddress();
    TNetAddress address;
    if (!listen.isEmpty() && !ParseAddressLiteral(listen.toStdString(), address))
        return refuse(msg::BadListenAddress, listen.toStdString(), ui_->eListenAddress);
    try {
        TNetAllowList::Parse(AllowFrom().toStdString());
    } catch (const ENetBadAddress& error) {
        return refuse(msg::BadAllowFrom, error.Entry(), ui_->eAllowFrom);
    }
    return true;
}

bool TfNewModify::FormClose()
{
    if (!ValidAccess())
        return false;
    // Its own listening port as the remote end would relay every client back to itself. No name is looked
    // up here (the window must not wait on the network): the runner also checks when it starts.
    const QString address = ui_->eAddress->text().trimmed();
    if (MapsOntoItself(ListenAddress().toStdString(), ListenPort(), address.toStdString(), ui_->ePort->value(),
                       false)) {
        MessageDlg(TMsgDlgType::mtError,
                   QString::fromStdString(FormatRes(msg::SelfMapping, {address.toStdString(), ui_->ePort->value()})),
                   mbOK, this);
        return false;
    }
    if (!AcceptSharedPort())
        return false;
    // Memory and disk must keep telling the same story as the list.
    const TIniFileEx::Snapshot before = settings_.TakeSnapshot();
    MappingRecord record;
    record.name = ui_->eName->text();
    record.localPort = ui_->eListenPort->value();
    record.address = ui_->eAddress->text();
    record.port = ui_->ePort->value();
    record.autoStart = ui_->cbAutoStart->isChecked();
    record.listenAddress = ListenAddress();
    record.allowFrom = AllowFrom();
    try {
        WriteMappingRecord(settings_, sectionId_, record);
        settings_.Save();
    } catch (const std::exception& error) {
        settings_.RestoreSnapshot(before);
        ShowException(error);
        return false;
    }
    return true;
}

} // namespace tarvix

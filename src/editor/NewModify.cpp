#include "editor/NewModify.h"

#include "editor/MessageDlg.h"
#include "editor/SpinEdit.h"
#include "i18n/CatalogueModule.h"
#include "i18n/Format.h"
#include "i18n/MessageIds.h"
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

    if (!newMode_)
        setWindowTitle(LoadResQString(msg::ModifyTitle));
    const MappingRecord record = ReadMappingRecord(settings_, sectionId_);
    ui_->eName->setText(record.name);
    ui_->eListenPort->setValue(record.localPort);
    ui_->eAddress->setText(record.address);
    ui_->ePort->setValue(record.port);
    ui_->cbAutoStart->setChecked(record.autoStart);
    eAddressChange();
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
    for (QWidget* w : {static_cast<QWidget*>(ui_->gbListen), static_cast<QWidget*>(ui_->gbRemote),
                       static_cast<QWidget*>(ui_->bTesting), static_cast<QWidget*>(ui_->bSave),
                       static_cast<QWidget*>(ui_->bCancel), static_cast<QWidget*>(ui_->lTesting)})
        w->setEnabled(!testing);
    ui_->lTesting->setVisible(testing);
    if (!testing)
        eAddressChange();
}

void TfNewModify::bTestingClick()
{
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
    errorCode = 0;
    SetTesting(false);
    emit TestFinished();
    const QString text = QString::fromStdString(
        FormatRes(msg::TestFailed, {ui_->eAddress->text().toStdString(), std::int64_t{ui_->ePort->value()}}));
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
    // While a test runs only the close box ends the dialog.
    if (testing_ && event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

void TfNewModify::done(int result)
{
    if (result == QDialog::Accepted && !FormClose())
        return;
    QDialog::done(result);
}

bool TfNewModify::FormClose()
{
    // Memory and disk must keep telling the same story as the list.
    const TIniFileEx::Snapshot before = settings_.TakeSnapshot();
    MappingRecord record;
    record.name = ui_->eName->text();
    record.localPort = ui_->eListenPort->value();
    record.address = ui_->eAddress->text();
    record.port = ui_->ePort->value();
    record.autoStart = ui_->cbAutoStart->isChecked();
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

#pragma once
// The dialog that creates or changes one mapping record and tests its remote end.
#include <QDialog>

#include <memory>

namespace Ui {
class fNewModify;
}

namespace tarvix {

class TAsyncClientSocket;
class TIniFileEx;
class TSpinEdit;

class TfNewModify : public QDialog {
    Q_OBJECT
public:
    // Reads the record at once; throws the store's conversion error for a value that is not an integer.
    TfNewModify(QWidget* owner, TIniFileEx& settings, const QString& sectionId, bool newMode);
    ~TfNewModify() override;

    Ui::fNewModify& Form() { return *ui_; }
    QString Name() const;
    int ListenPort() const;
    // Where the mapping listens as stored: empty (every IPv4 interface), "127.0.0.1", "::" or a typed literal.
    QString ListenAddress() const;
    void SetListenAddress(const QString& address);
    // The allowed clients as typed, trimmed; empty: everyone.
    QString AllowFrom() const;
    bool Testing() const { return testing_; }

    // Closing with OK refuses a bad listen address or allow-list (naming it; the dialog stays open), warns of
    // another mapping on the same local port, then writes the record and saves; a failed save shows the file
    // error, puts the store back as it was and keeps the dialog open.
    void done(int result) override;

    void eAddressChange();
    // Starts the connection test, or, while one runs ("Arrêter"), ends it and gives the fields back as typed.
    void bTestingClick();

signals:
    // The connection test has ended, whatever its outcome.
    void TestFinished();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ClientSocketConnect();
    void ClientSocketError(int& errorCode);
    void ClientSocketDisconnect();
    void SetTesting(bool testing);
    void StopTest();
    bool FormClose();
    // The listen address and the allowed clients as the engine reads them; a bad one is reported.
    bool ValidAccess();
    // The user's word on saving although another mapping listens on the same port; true without one.
    bool AcceptSharedPort();

    std::unique_ptr<Ui::fNewModify> ui_;
    TIniFileEx& settings_;
    QString sectionId_;
    bool newMode_;
    bool testing_ = false;
    QString testCaption_; // "Tester" in the language of the form
    TAsyncClientSocket* clientSocket_;
};

} // namespace tarvix

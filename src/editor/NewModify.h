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
    bool Testing() const { return testing_; }

    // Closing with OK writes the five keys and saves; a failed save shows the file error, puts the store
    // back as it was and keeps the dialog open.
    void done(int result) override;

    void eAddressChange();
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
    bool FormClose();

    std::unique_ptr<Ui::fNewModify> ui_;
    TIniFileEx& settings_;
    QString sectionId_;
    bool newMode_;
    bool testing_ = false;
    TAsyncClientSocket* clientSocket_;
};

} // namespace tarvix

// The mapping dialog: defaults, what enables its buttons, saving exactly five keys, and its connection test.
#include "support/ShortConnectTimeout.h"
#include "support/SilentRemote.h"
#include "support/TempFolder.h"

#include "editor/MessageDlg.h"
#include "editor/NewModify.h"
#include "editor/SpinEdit.h"
#include "settings/IniFileEx.h"
#include "settings/MappingRecord.h"
#include "ui_NewModify.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

using namespace tarvix;

namespace {

// A port on 127.0.0.1 where nothing listens (taken from the system, then released).
int ClosedPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort();
}

struct NewModifyTest : ::testing::Test {
    NewModifyTest()
    {
        SetMessageResponder([this](const MessageRequest& r) {
            messages.push_back(r);
            return mrOk;
        });
    }
    ~NewModifyTest() override { SetMessageResponder({}); }

    QString Path() const { return dir.filePath(QStringLiteral("tarvix.ini")); }
    QByteArray FileBytes() const
    {
        QFile f(Path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void WriteFile(const QByteArray& bytes) { test::WriteBytes(Path(), bytes); }
    // Runs the dialog's test and waits for its end, bounded.
    void RunTest(TfNewModify& dialog)
    {
        bool finished = false;
        auto c = QObject::connect(&dialog, &TfNewModify::TestFinished, [&] { finished = true; });
        QTest::mouseClick(dialog.Form().bTesting, Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([&] { return finished; }, 10000));
        QObject::disconnect(c);
    }

    QTemporaryDir dir;
    std::vector<MessageRequest> messages;
};

} // namespace

TEST_F(NewModifyTest, NewModeStartsWithTheDefaultsAndBothButtonsOff)
{
    TIniFileEx ini(Path());
    TfNewModify dialog(nullptr, ini, QStringLiteral("123"), true);
    auto& f = dialog.Form();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Ajouter"));
    EXPECT_EQ(f.eName->text(), QString());
    EXPECT_EQ(f.eListenPort->value(), 1024);
    EXPECT_EQ(f.eAddress->text(), QString());
    EXPECT_EQ(f.ePort->value(), 80);
    EXPECT_FALSE(f.cbAutoStart->isChecked());
    EXPECT_FALSE(f.bTesting->isEnabled());
    EXPECT_FALSE(f.bSave->isEnabled());
    EXPECT_TRUE(f.bCancel->isEnabled());
    EXPECT_TRUE(f.lTesting->isHidden());
    EXPECT_EQ(dialog.size(), QSize(332, 301));
    EXPECT_EQ(f.eListenAddress->currentText(), QStringLiteral("Toutes les interfaces IPv4"));
    EXPECT_EQ(dialog.ListenAddress(), QString());
    EXPECT_EQ(f.eAllowFrom->text(), QString());
    EXPECT_FALSE(ini.SectionExists(QStringLiteral("123"))); // opening creates nothing
}

TEST_F(NewModifyTest, EnablingRuleFollowsNameAndAddressAsTyped)
{
    TIniFileEx ini(Path());
    TfNewModify dialog(nullptr, ini, QStringLiteral("1"), true);
    auto& f = dialog.Form();
    const struct {
        const char* name;
        const char* address;
        bool testing;
        bool save;
    } table[] = {
        {"", "", false, false}, {"", "host", true, false}, {"n", "host", true, true}, {"n", "", false, false},
        {" ", " ", true, true}, {"n", " ", true, true},    {" ", "", false, false},
    };
    for (const auto& row : table) {
        f.eName->setText(QString::fromLatin1(row.name));
        f.eAddress->setText(QString::fromLatin1(row.address));
        EXPECT_EQ(f.bTesting->isEnabled(), row.testing) << '"' << row.name << "\" \"" << row.address << '"';
        EXPECT_EQ(f.bSave->isEnabled(), row.save) << '"' << row.name << "\" \"" << row.address << '"';
    }
}

TEST_F(NewModifyTest, ModifyModeReadsTheRecordAndSavingUnchangedWritesTheSameFiveKeys)
{
    WriteFile("[77]\r\nName=Web\r\nLocalPort=8080\r\nAddress=example.org\r\nPort=99999\r\nAutostart=1\r\n\r\n");
    TIniFileEx ini(Path());
    TfNewModify dialog(nullptr, ini, QStringLiteral("77"), false);
    auto& f = dialog.Form();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Modifier"));
    EXPECT_EQ(f.eName->text(), QStringLiteral("Web"));
    EXPECT_EQ(f.eListenPort->value(), 8080);
    EXPECT_EQ(f.eAddress->text(), QStringLiteral("example.org"));
    EXPECT_EQ(f.ePort->value(), 65535); // brought into its range
    EXPECT_TRUE(f.cbAutoStart->isChecked());
    EXPECT_TRUE(f.bTesting->isEnabled());
    EXPECT_TRUE(f.bSave->isEnabled());

    QFile::remove(Path());
    QTest::mouseClick(f.bSave, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(messages.empty());
    const MappingRecord saved = ReadMappingRecord(TIniFileEx(Path()), QStringLiteral("77"));
    EXPECT_EQ(saved, (MappingRecord{QStringLiteral("Web"), 8080, QStringLiteral("example.org"), 65535, true, {}, {}}));
}

TEST_F(NewModifyTest, ARecordValueThatIsNotAnIntegerStopsTheDialogFromOpening)
{
    WriteFile("[5]\r\nName=x\r\nLocalPort=eighty\r\n\r\n");
    TIniFileEx ini(Path());
    EXPECT_THROW(TfNewModify(nullptr, ini, QStringLiteral("5"), false), EConvertError);
}

TEST_F(NewModifyTest, SaveWritesExactlyTheFiveKeysInOrder)
{
    TIniFileEx ini(Path());
    ini.SetSorted(false);
    TfNewModify dialog(nullptr, ini, QStringLiteral("4242"), true);
    dialog.show();
    auto& f = dialog.Form();
    QTest::keyClicks(f.eName, QStringLiteral("Mail"));
    f.eListenPort->setValue(2525);
    QTest::keyClicks(f.eAddress, QStringLiteral("mail.example.org"));
    f.ePort->setValue(25);
    f.cbAutoStart->setChecked(true);
    QTest::mouseClick(f.bSave, Qt::LeftButton);
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Name(), QStringLiteral("Mail"));
    EXPECT_EQ(dialog.ListenPort(), 2525);
    EXPECT_EQ(FileBytes(), QByteArray("[4242]\r\nName=Mail\r\nLocalPort=2525\r\nAddress=mail.example.org\r\n"
                                      "Port=25\r\nAutoStart=1\r\n\r\n"));
}

TEST_F(NewModifyTest, EnterInAFieldBeyondItsRangeStoresTheClampedValue)
{
    TIniFileEx ini(Path());
    TfNewModify dialog(nullptr, ini, QStringLiteral("9"), true);
    dialog.show();
    auto& f = dialog.Form();
    f.eName->setText(QStringLiteral("n"));
    f.eAddress->setText(QStringLiteral("h"));
    f.eListenPort->setFocus();
    f.eListenPort->selectAll();
    QTest::keyClicks(f.eListenPort, QStringLiteral("70000"));
    QTest::keyClick(f.eListenPort, Qt::Key_Return);
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(ReadMappingRecord(ini, QStringLiteral("9")).localPort, 65535);

    TfNewModify second(nullptr, ini, QStringLiteral("10"), true);
    second.show();
    auto& g = second.Form();
    g.eName->setText(QStringLiteral("n"));
    g.eAddress->setText(QStringLiteral("h"));
    g.eListenPort->setFocus();
    g.eListenPort->selectAll();
    QTest::keyClicks(g.eListenPort, QStringLiteral("port"));
    QTest::keyClick(g.eListenPort, Qt::Key_Enter);
    ASSERT_EQ(second.result(), QDialog::Accepted);
    EXPECT_EQ(ReadMappingRecord(ini, QStringLiteral("10")).localPort, 1024);
}

TEST_F(NewModifyTest, CancelAfterChangesLeavesStoreAndFileAlone)
{
    WriteFile("[1]\r\nName=a\r\nAddress=h\r\n\r\n");
    const QByteArray before = FileBytes();
    TIniFileEx ini(Path());
    TfNewModify dialog(nullptr, ini, QStringLiteral("1"), false);
    dialog.show();
    dialog.Form().eName->setText(QStringLiteral("changed"));
    QTest::mouseClick(dialog.Form().bCancel, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(ini.ReadString(QStringLiteral("1"), QStringLiteral("Name"), {}), QStringLiteral("a"));
    EXPECT_FALSE(ini.Modified());
    EXPECT_EQ(FileBytes(), before);
}

TEST_F(NewModifyTest, FailedSaveShowsTheFileErrorKeepsTheDialogOpenAndPutsTheStoreBack)
{
    // A folder that does not exist: the file cannot be written.
    const QString path = dir.filePath(QStringLiteral("missing/tarvix.ini"));
    TIniFileEx ini(path);
    ini.SetSorted(false);
    ini.WriteString(QStringLiteral("1"), QStringLiteral("Name"), QStringLiteral("old"));
    ini.WriteString(QStringLiteral("1"), QStringLiteral("Port"), QStringLiteral("81"));
    const QStringList sectionsBefore = ini.Sections();
    const QByteArrayList linesBefore = ini.SectionRawLines(0);

    // New mode: the section the dialog added goes again.
    {
        TfNewModify dialog(nullptr, ini, QStringLiteral("2"), true);
        dialog.show();
        dialog.Form().eListenPort->setValue(2000); // not the port of section 1
        dialog.Form().eName->setText(QStringLiteral("n"));
        dialog.Form().eAddress->setText(QStringLiteral("h"));
        QTest::mouseClick(dialog.Form().bSave, Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_NE(dialog.result(), QDialog::Accepted);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].type, TMsgDlgType::mtError);
        EXPECT_FALSE(messages[0].text.isEmpty());
        EXPECT_EQ(ini.Sections(), sectionsBefore);
        QTest::mouseClick(dialog.Form().bCancel, Qt::LeftButton);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    // Modify mode: the keys hold their old values again, absent ones are absent again.
    {
        TfNewModify dialog(nullptr, ini, QStringLiteral("1"), false);
        dialog.show();
        dialog.Form().eName->setText(QStringLiteral("new"));
        dialog.Form().eAddress->setText(QStringLiteral("h"));
        QTest::mouseClick(dialog.Form().bSave, Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(messages.size(), 2u);
        EXPECT_EQ(ini.Sections(), sectionsBefore);
        EXPECT_EQ(ini.SectionRawLines(0), linesBefore);
        EXPECT_FALSE(ini.ValueExists(QStringLiteral("1"), QStringLiteral("Address")));
    }
}

TEST_F(NewModifyTest, ConnectionTestAgainstAListeningPortSucceeds)
{
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    TIniFileEx ini(Path());
    TfNewModify dialog(nullptr, ini, QStringLiteral("1"), true);
    dialog.show();
    auto& f = dialog.Form();
    f.eAddress->setText(QStringLiteral("127.0.0.1"));
    f.ePort->setValue(server.serverPort());

    bool sawTestingState = false;
    QTimer* probe = new QTimer(&dialog);
    QObject::connect(probe, &QTimer::timeout, [&] {
        if (dialog.Testing())
            sawTestingState = !f.gbListen->isEnabled() && !f.gbRemote->isEnabled() && f.bCancel->isEnabled() &&
                              !f.bSave->isEnabled() && f.bTesting->isEnabled() &&
                              f.bTesting->text() == QStringLiteral("Arrêter") && f.lTesting->isVisible();
    });
    probe->start(0);
    RunTest(dialog);
    probe->stop();
    EXPECT_TRUE(sawTestingState);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].type, TMsgDlgType::mtInformation);
    EXPECT_EQ(messages[0].title, QStringLiteral("Information"));
    EXPECT_EQ(messages[0].text, QStringLiteral("Connexion réussie"));
    EXPECT_TRUE(f.lTesting->isHidden());
    EXPECT_TRUE(f.bTesting->isEnabled());
    EXPECT_EQ(f.bTesting->text(), QStringLiteral("Tester"));
    EXPECT_FALSE(f.bSave->isEnabled()); // still no name
    EXPECT_TRUE(f.bCancel->isEnabled());
}

TEST_F(NewModifyTest, ConnectionTestAgainstAClosedPortFailsAndCanBeRepeated)
{
    const int port = ClosedPort();
    TIniFileEx ini(Path());
    TfNewModify dialog(nullptr, ini, QStringLiteral("1"), true);
    dialog.show();
    auto& f = dialog.Form();
    f.eName->setText(QStringLiteral("n"));
    f.eAddress->setText(QStringLiteral("127.0.0.1"));
    f.ePort->setValue(port);
    RunTest(dialog);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].type, TMsgDlgType::mtWarning);
    EXPECT_EQ(messages[0].title, QStringLiteral("Avertissement"));
    EXPECT_EQ(messages[0].text,
              QStringLiteral("Connexion impossible à l'adresse 127.0.0.1 sur le port %1\rconnexion refusée par la "
                             "destination")
                  .arg(port));
    EXPECT_TRUE(f.bSave->isEnabled());

    // The second press tests the values now in the fields.
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    f.ePort->setValue(server.serverPort());
    RunTest(dialog);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text, QStringLiteral("Connexion réussie"));
    EXPECT_FALSE(dialog.Testing());
}

TEST_F(NewModifyTest, ConnectionTestToARemoteThatNeverAnswersEndsAndGivesTheControlsBack)
{
    test::SilentRemote remote;
    ASSERT_NE(remote.Port(), 0);
    const test::ShortConnectTimeout bound(400);
    TIniFileEx ini(Path());
    TfNewModify dialog(nullptr, ini, QStringLiteral("1"), true);
    dialog.show();
    auto& f = dialog.Form();
    f.eName->setText(QStringLiteral("n"));
    f.eAddress->setText(QStringLiteral("127.0.0.1"));
    f.ePort->setValue(remote.Port());
    const auto start = std::chrono::steady_clock::now();
    RunTest(dialog);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].type, TMsgDlgType::mtWarning);
    EXPECT_EQ(
        messages[0].text,
        QStringLiteral("Connexion impossible à l'adresse 127.0.0.1 sur le port %1\rpas de réponse").arg(remote.Port()));
    EXPECT_FALSE(dialog.Testing());
    EXPECT_TRUE(f.lTesting->isHidden());
    for (QWidget* w : std::initializer_list<QWidget*>{f.gbListen, f.gbRemote, f.bTesting, f.bSave, f.bCancel})
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
}

TEST_F(NewModifyTest, ATestToASilentRemoteStopsWithArreterOrEscAndKeepsWhatWasTyped)
{
    test::SilentRemote remote;
    ASSERT_NE(remote.Port(), 0);
    TIniFileEx ini(Path());
    TfNewModify dialog(nullptr, ini, QStringLiteral("1"), true);
    dialog.show();
    auto& f = dialog.Form();
    f.eName->setText(QStringLiteral("Web"));
    f.eAddress->setText(QStringLiteral("127.0.0.1"));
    f.ePort->setValue(remote.Port());
    f.eAllowFrom->setText(QStringLiteral("10.0.0.0/8"));
    const auto stop = [&](bool withEsc) {
        QTest::mouseClick(f.bTesting, Qt::LeftButton);
        ASSERT_TRUE(dialog.Testing());
        ASSERT_EQ(f.bTesting->text(), QStringLiteral("Arrêter"));
        ASSERT_TRUE(f.bTesting->isEnabled());
        const auto start = std::chrono::steady_clock::now();
        if (withEsc)
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else
            QTest::mouseClick(f.bTesting, Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog.Testing(); }, 1000)) << withEsc;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        EXPECT_TRUE(dialog.isVisible()) << withEsc;
        EXPECT_TRUE(f.lTesting->isHidden());
        EXPECT_EQ(f.bTesting->text(), QStringLiteral("Tester"));
        for (QWidget* w : std::initializer_list<QWidget*>{f.gbListen, f.gbRemote, f.bTesting, f.bSave, f.bCancel})
            EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
        EXPECT_EQ(f.eName->text(), QStringLiteral("Web"));
        EXPECT_EQ(f.eAddress->text(), QStringLiteral("127.0.0.1"));
        EXPECT_EQ(f.ePort->value(), remote.Port());
        EXPECT_EQ(f.eAllowFrom->text(), QStringLiteral("10.0.0.0/8"));
    };
    stop(false);
    stop(true);
    // The stopped attempt reports nothing later, not even when its bound would have run out.
    QTest::qWait(100);
    EXPECT_TRUE(messages.empty());

    // "Annuler" during a test closes the dialog.
    QTest::mouseClick(f.bTesting, Qt::LeftButton);
    ASSERT_TRUE(dialog.Testing());
    QTest::mouseClick(f.bCancel, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(ini.SectionExists(QStringLiteral("1")));
}

TEST_F(NewModifyTest, AFailedTestSaysWhyOnASecondLine)
{
    TIniFileEx ini(Path());
    TfNewModify dialog(nullptr, ini, QStringLiteral("1"), true);
    dialog.show();
    auto& f = dialog.Form();
    f.eAddress->setText(QStringLiteral("no-such-host.invalid"));
    f.ePort->setValue(80);
    RunTest(dialog);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text,
              QStringLiteral("Connexion impossible à l'adresse no-such-host.invalid sur le port 80\rhôte inconnu"));
}

TEST_F(NewModifyTest, AnotherMappingOnTheSameLocalPortIsNamedAndSavingIsTheUsersChoice)
{
    WriteFile("[1]\r\nName=Web\r\nLocalPort=8080\r\nAddress=h\r\n\r\n"
              "[2]\r\nName=Local\r\nLocalPort=9090\r\nAddress=h\r\nListenAddress=127.0.0.1\r\n\r\n");
    TIniFileEx ini(Path());
    ini.SetSorted(false);
    const auto save = [&](int port, const QString& listen, TModalResult answer) {
        SetMessageResponder([&](const MessageRequest& r) {
            messages.push_back(r);
            return answer;
        });
        TfNewModify dialog(nullptr, ini, QStringLiteral("3"), true);
        dialog.show();
        dialog.Form().eName->setText(QStringLiteral("New"));
        dialog.Form().eAddress->setText(QStringLiteral("h"));
        dialog.Form().eListenPort->setValue(port);
        dialog.SetListenAddress(listen);
        QTest::mouseClick(dialog.Form().bSave, Qt::LeftButton);
        return dialog.result() == QDialog::Accepted;
    };
    EXPECT_FALSE(save(8080, QString(), mrNo));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].type, TMsgDlgType::mtWarning);
    EXPECT_EQ(messages[0].buttons, mbYes | mbNo);
    EXPECT_EQ(messages[0].text,
              QStringLiteral("Le port local 8080 est déjà celui de la connexion \"Web\".\r\rSauver quand même ?"));
    EXPECT_FALSE(ini.SectionExists(QStringLiteral("3")));
    // Another address of this computer on the same port is no clash; "::" listens everywhere and is one.
    EXPECT_TRUE(save(9090, QStringLiteral("192.168.1.1"), mrNo));
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_TRUE(save(9090, QStringLiteral("::"), mrYes));
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_TRUE(messages[1].text.contains(QStringLiteral("\"Local\"")));
    EXPECT_EQ(ReadMappingRecord(ini, QStringLiteral("3")).listenAddress, QStringLiteral("::"));
}

TEST_F(NewModifyTest, AMappingOntoItsOwnListeningPortIsRefusedWithAnErrorAndNotSaved)
{
    TIniFileEx ini(Path());
    ini.SetSorted(false);
    const auto save = [&](const QString& listen, const QString& address, int port) {
        messages.clear();
        TfNewModify dialog(nullptr, ini, QStringLiteral("7"), true);
        dialog.show();
        dialog.Form().eName->setText(QStringLiteral("Boucle"));
        dialog.Form().eAddress->setText(address);
        dialog.Form().eListenPort->setValue(8080);
        dialog.Form().ePort->setValue(port);
        dialog.SetListenAddress(listen);
        QTest::mouseClick(dialog.Form().bSave, Qt::LeftButton);
        return dialog.result() == QDialog::Accepted;
    };
    for (const QString& address :
         {QStringLiteral("127.0.0.1"), QStringLiteral("localhost"), QStringLiteral("0.0.0.0")}) {
        EXPECT_FALSE(save(QString(), address, 8080)) << address.toStdString();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].type, TMsgDlgType::mtError);
        EXPECT_EQ(messages[0].text, QStringLiteral("L'hôte distant %1 et le port 8080 mènent au port d'écoute de la "
                                                   "connexion elle-même : chaque client lui reviendrait sans fin")
                                        .arg(address));
        EXPECT_FALSE(ini.SectionExists(QStringLiteral("7")));
    }
    // Another port, or a listener on another address of this computer, is no loop.
    EXPECT_TRUE(save(QString(), QStringLiteral("127.0.0.1"), 8081));
    EXPECT_TRUE(save(QStringLiteral("::1"), QStringLiteral("127.0.0.1"), 8080));
    EXPECT_TRUE(messages.empty());
}

TEST_F(NewModifyTest, ABadListenAddressOrAllowedClientIsNamedAndNothingIsSaved)
{
    TIniFileEx ini(Path());
    ini.SetSorted(false);
    TfNewModify dialog(nullptr, ini, QStringLiteral("1"), true);
    dialog.show();
    auto& f = dialog.Form();
    f.eName->setText(QStringLiteral("n"));
    f.eAddress->setText(QStringLiteral("fd00::5")); // an IPv6 remote is taken as typed
    const auto save = [&] {
        messages.clear();
        QTest::mouseClick(f.bSave, Qt::LeftButton);
        return dialog.result() == QDialog::Accepted;
    };
    f.eListenAddress->setEditText(QStringLiteral("300.1.2.3"));
    EXPECT_FALSE(save());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].type, TMsgDlgType::mtError);
    EXPECT_TRUE(messages[0].text.startsWith(QStringLiteral("Adresse d'écoute incorrecte : 300.1.2.3\r")));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(ini.SectionExists(QStringLiteral("1")));
    EXPECT_FALSE(QFile::exists(Path()));

    f.eListenAddress->setEditText(QStringLiteral("::1"));
    f.eAllowFrom->setText(QStringLiteral("127.0.0.0/8, 10.0.0.0/33"));
    EXPECT_FALSE(save());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.startsWith(QStringLiteral("Client admis incorrect : 10.0.0.0/33\r")))
        << messages[0].text.toStdString();
    EXPECT_FALSE(ini.SectionExists(QStringLiteral("1")));

    // Good values are stored as typed; the choices of the list as the addresses they stand for.
    f.eAllowFrom->setText(QStringLiteral(" 127.0.0.0/8, ::1 "));
    EXPECT_TRUE(save());
    EXPECT_TRUE(messages.empty());
    MappingRecord saved = ReadMappingRecord(TIniFileEx(Path()), QStringLiteral("1"));
    EXPECT_EQ(saved.address, QStringLiteral("fd00::5"));
    EXPECT_EQ(saved.listenAddress, QStringLiteral("::1"));
    EXPECT_EQ(saved.allowFrom, QStringLiteral("127.0.0.0/8, ::1"));
    for (const auto& [item, stored] : {std::pair{1, "127.0.0.1"}, std::pair{2, "::"}, std::pair{0, ""}}) {
        TfNewModify again(nullptr, ini, QStringLiteral("1"), false);
        again.show();
        again.Form().eListenAddress->setCurrentIndex(item);
        QTest::mouseClick(again.Form().bSave, Qt::LeftButton);
        ASSERT_EQ(again.result(), QDialog::Accepted);
        EXPECT_EQ(ReadMappingRecord(ini, QStringLiteral("1")).listenAddress, QLatin1String(stored));
    }
}

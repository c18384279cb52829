// The message catalogue: the built-in French texts, and a language module replacing them by id.
#include "base/Exceptions.h"
#include "i18n/Catalogue.h"
#include "i18n/CatalogueModule.h"
#include "i18n/Format.h"
#include "i18n/MessageIds.h"

#include <QTranslator>

#include <gtest/gtest.h>

using namespace tarvix;

namespace {

// A language module that knows a few ids, as a compiled .qm would.
class FakeModule : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char* id, int) const override
    {
        if (QString::fromLatin1(context) != QLatin1String(kCatalogueContext) || !source)
            return {};
        const int n = QByteArray(id).toInt();
        if (n == msg::TitleError)
            return QStringLiteral("Error");
        if (n == msg::ConfirmDelete)
            return QStringLiteral("Delete \"%s\"?");
        if (n == msg::PortBusy)
            return QStringLiteral("Port %d of %s is busy"); // placeholders in another order
        return {};
    }
};

struct ModuleScope {
    explicit ModuleScope(const QTranslator* m) { SetCatalogueModule(m); }
    ~ModuleScope() { SetCatalogueModule(nullptr); }
};

} // namespace

TEST(Catalogue, BuiltInFrenchTextsReadExactly)
{
    EXPECT_EQ(LoadResString(65221), "Modifier");
    EXPECT_EQ(LoadResString(65222), "Connexion impossible à l'adresse %s sur le port %d");
    EXPECT_EQ(LoadResString(65224), "Suppression de \"%s\"\r\rConfirmez ?");
    EXPECT_EQ(LoadResString(65227), "Désactiver");
    EXPECT_EQ(LoadResString(65228), "Connexion \"%s\"\r\rLe Port %d est déjà utilisé");
    EXPECT_EQ(LoadResString(65229), "TARVIX Port Mapping\r\rArrêt en cours. Attendez SVP...");
    EXPECT_EQ(LoadResString(65327), "ExtractData : StringList pas créée !");
    EXPECT_EQ(LoadResString(65350), "&Oui");
    EXPECT_EQ(LoadResString(65520), "'%s' n'est pas une valeur entière correcte");
    EXPECT_EQ(LoadResString(65528), "Disque plein");
    EXPECT_EQ(LoadResString(65438), "Type de données incorrect pour '%s'");
    EXPECT_EQ(LoadResString(65294), "Erreur de socket # %d\r\n%s");
    EXPECT_EQ(LoadResString(65269), "L'opération risquerait de bloquer. ");
    EXPECT_EQ(LoadResString(65236), "Répertoire non vide");
    EXPECT_EQ(LoadResString(65397), "Modification de valeur impossible lorsque le socket est actif");
}

TEST(Catalogue, UnknownIdIsEmpty)
{
    EXPECT_EQ(LoadResString(12), "");
    EXPECT_EQ(LoadResString(65225), "");
}

TEST(Catalogue, SocketErrorTableCoversEveryWindowsCode)
{
    int covered = 0;
    for (int code = 10004; code <= 10066; ++code) {
        const int id = msg::SocketErrorTextId(code);
        if (id == 0)
            continue;
        ++covered;
        EXPECT_FALSE(LoadResString(id).empty()) << code;
    }
    EXPECT_EQ(covered, 38);
    EXPECT_EQ(msg::SocketErrorTextId(11001), 0);
    EXPECT_EQ(LoadResString(msg::SocketErrorTextId(10061)), "Connexion refusée.");
}

TEST(Catalogue, ModuleReplacesTextsByIdAndLacksTheRest)
{
    FakeModule module;
    ModuleScope scope(&module);
    EXPECT_EQ(LoadResString(msg::TitleError), "Error");
    EXPECT_EQ(LoadResString(msg::TitleWarning), "") << "no fallback to the built-in table";
    EXPECT_EQ(FormatRes(msg::ConfirmDelete, {std::string("web")}), "Delete \"web\"?");
    // A module whose placeholders do not fit the caller's arguments stops the operation with the format error.
    EXPECT_THROW((FormatRes(msg::PortBusy, {std::string("web"), 80})), EConvertError);
}

TEST(Catalogue, ModuleRemovedRestoresFrench)
{
    FakeModule module;
    {
        ModuleScope scope(&module);
    }
    EXPECT_EQ(LoadResString(msg::TitleError), "Erreur");
}

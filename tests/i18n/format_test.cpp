// Filling catalogue texts: placeholders in order, missing or mismatched arguments, user text never a format.
#include "base/Exceptions.h"
#include "i18n/Format.h"
#include "i18n/MessageIds.h"

#include <gtest/gtest.h>

using namespace tarvix;

TEST(Format, FillsPlaceholdersInOrder)
{
    EXPECT_EQ(Format("Connexion \"%s\"\r\rLe Port %d est déjà utilisé", {std::string("Web"), 8080}),
              "Connexion \"Web\"\r\rLe Port 8080 est déjà utilisé");
    EXPECT_EQ(Format("%d%%", {-42}), "-42%");
    EXPECT_EQ(Format("plain", {}), "plain");
}

TEST(Format, UserTextIsNeverAFormat)
{
    EXPECT_EQ(FormatRes(msg::ConfirmDelete, {std::string("100%d %s %%")}),
              "Suppression de \"100%d %s %%\"\r\rConfirmez ?");
}

TEST(Format, ExtraArgumentsAreLeftOut)
{
    EXPECT_EQ(Format("a %s", {std::string("b"), 3}), "a b");
}

TEST(Format, MissingArgumentRaisesNoArgumentError)
{
    try {
        Format("port %d", {});
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Aucun argument pour le format 'port %d'");
    }
}

TEST(Format, WrongKindOrUnknownPlaceholderRaisesIncompatible)
{
    const char* expected = "Le format '%d' est incorrect ou incompatible avec l'argument";
    for (auto call : {+[] { Format("%d", {std::string("x")}); }, +[] { Format("%s", {7}); }}) {
        try {
            call();
            ADD_FAILURE() << "no exception";
        } catch (const EConvertError& e) {
            EXPECT_TRUE(std::string(e.what()).rfind("Le format '", 0) == 0) << e.what();
        }
    }
    try {
        Format("%d", {std::string("x")});
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), expected);
    }
    EXPECT_THROW(Format("50%", {}), EConvertError);
    EXPECT_THROW((Format("%x", {1})), EConvertError);
}

// The built-in French catalogue, sorted by id.
#include "i18n/Catalogue.h"
#include "i18n/MessageIds.h"

#include <algorithm>
#include <iterator>

namespace tarvix {
namespace {

// Kept as written, one text per line however long, so that an added text is one added line.
// clang-format off
constexpr detail::CatalogueEntry kTable[] = {
    {64050, "Arrêter"},
    {64051, "Connexion \"%s\" (port %d) : activation impossible\r\r%s"},
    {64052, "Activation impossible : %s"},
    {64053, "Le port local %d est déjà celui de la connexion \"%s\".\r\rSauver quand même ?"},
    {64054, "Toutes les interfaces IPv4"},
    {64055, "Cet ordinateur seulement (127.0.0.1)"},
    {64056, "Toutes les interfaces (IPv4 et IPv6)"},
    {64057, "Adresse d'écoute incorrecte : %s\r(une adresse IPv4 ou IPv6 de cet ordinateur, par exemple 127.0.0.1 ou ::1)"},
    {64058, "Client admis incorrect : %s\r(des adresses ou réseaux IPv4 ou IPv6 séparés par des virgules, par exemple 192.168.1.0/24, ::1)"},
    {64059, "Écoute sur %s"},
    {64060, "Clients admis : %s"},
    {64061, "%s client refusé"},
    {64062, "%s clients refusés"},
    {64063, "Utilisation : tarvix [--help | --version]\n\nTARVIX Port Mapping relaie des ports TCP. Sans option, la fenêtre et l'icône de la zone de notification s'ouvrent, ou la fenêtre du programme déjà lancé pour le même fichier de paramètres vient au premier plan.\n\n  --help     affiche cette aide\n  --version  affiche la version\n\nFichier de paramètres : %s\nSans bureau : tarvix-relay --help"},
    {64150, "Connexion \"%s\" : client accepté, %s port %d (%d ouvert(s))"},
    {64151, "Connexion \"%s\" : client %s port %d, %s port %d injoignable : %s"},
    {64152, "Connexion \"%s\" : %d autre(s) échec(s) vers la destination en une seconde, le dernier : %s"},
    {64153, "Aucune connexion à activer dans %s : en attente d'un rechargement"},
    {64154, "%d connexion(s) active(s), %d non appliquée(s) au dernier rechargement (voir le journal)"},
    {64155, "Connexion \"%s\" : la nouvelle version ne démarre pas, l'ancienne reste active"},
    {64156, "Rechargement terminé : %d connexion(s) active(s), %d non appliquée(s)"},
    {64157, "l'hôte distant %s ne se résout pas : %s"},
    {64158, "Service :\n  --service       un fichier sans connexion à activer n'est pas une erreur : attend un rechargement (SIGHUP)\n  --version       affiche la version"},
    {64200, "L'hôte distant %s et le port %d mènent au port d'écoute de la connexion elle-même : chaque client lui reviendrait sans fin"},
    {64201, "Connexion \"%s\" : %d client(s) refusé(s) faute de thread disponible"},
    {65060, "Aucune application n'a pu ouvrir le document d'aide :\r%s"},
    {65061, "Aucune application n'a pu ouvrir la page web :\r%s"},
    {65062, "Le document d'aide est introuvable :\r%s"},
    {65080, "Démarrer avec la session"},
    {65081, "Le démarrage avec la session ne peut pas être enregistré dans %s :\r%s"},
    {65082, "Le démarrage avec la session ne peut pas être supprimé (%s) :\r%s"},
    {65083, "TARVIX Port Mapping est déjà lancé pour le fichier %s mais ne répond pas."},
    {65100, "Connexion incorrecte : %s (attendu PORTLOCAL:HÔTE:PORT)"},
    {65101, "Connexion incorrecte : %s (%s n'est pas un port entre 1 et 65535)"},
    {65102, "Connexion incorrecte : %s (l'hôte est vide ou contient des espaces)"},
    {65103, "Connexion incorrecte : %s (le port local %d est déjà celui de %s)"},
    {65104, "Les options --all et --mapping choisissent dans un fichier de paramètres : ajoutez --ini FICHIER"},
    {65105, "Pour relayer un port, écrivez dans %s une connexion comme celle-ci (LocalPort : le port écouté ici ; Address et Port : l'hôte et le port vers lesquels relayer), puis relancez tarvix-relay :"},
    {65106, "Exemple"},
    {65107, "Ou, sans fichier de paramètres : %s"},
    {65108, "Attention : %s semble écrit en UTF-16 ; enregistrez-le en UTF-8"},
    {65109, "Attention : %s, section [%s] : pas de clé LocalPort, la connexion écoute sur le port %d"},
    {65110, "Attention : %s, section [%s] : pas de clé Address, la connexion ne relaie vers aucun hôte"},
    {65111, "Attention : %s, section [%s] : Address est vide, la connexion ne relaie vers aucun hôte"},
    {65112, "Attention : %s, section [%s] : pas de clé Port, la connexion relaie vers le port %d"},
    {65113, "Attention : %s, section [%s] : la clé \"%s\" a des espaces autour et n'est pas lue comme %s"},
    {65114, "Attention : %s, section [%s] : la ligne \"%s\" n'a pas de signe = et ne compte pas"},
    {65115, "Attention : %s, sections [%s] et [%s] : deux connexions sur le port local %d"},
    {65116, "Connexion \"%s\" : le port %d est déjà celui de la connexion \"%s\", elle n'est pas activée"},
    {65117, "Vérification terminée : %d connexion(s) à activer, %d avertissement(s), aucune erreur"},
    {65118, "%d connexion(s) active(s)"},
    {65119, "Rechargement demandé (%s) : relecture de %s"},
    {65120, "Rechargement demandé (%s) : pas de fichier de paramètres, rien ne change"},
    {65121, "Rechargement abandonné, rien n'a changé : %s"},
    {65122, "Connexion \"%s\" : inchangée, reste active"},
    {65123, "Connexion \"%s\" : retirée, désactivée"},
    {65124, "Connexion \"%s\" : modifiée, écoute sur le port %d, relais vers %s port %d"},
    {65125, "Connexion \"%s\" : ajoutée, écoute sur le port %d, relais vers %s port %d"},
    {65126, "Rechargement terminé : %d connexion(s) active(s)"},
    {65127, "Nouveau signal (%s) : fin immédiate"},
    {65128,
     "Codes de sortie :\n  0  arrêt sur signal, toutes les connexions désactivées (ou aide affichée, ou vérification sans erreur)\n  1  erreur inattendue\n  2  ligne de commande incorrecte\n  3  fichier de paramètres introuvable ou illisible (un exemple de connexion est affiché)\n  4  valeur incorrecte dans le fichier de paramètres\n  5  nom de connexion inconnu\n  6  aucune connexion à activer (un exemple de connexion est affiché)\n  7  une connexion n'a pas pu être activée (port occupé...) ; aucune ne reste active"},
    {65140, "→ %s:%d"},
    {65141, "%s connexion ouverte, %s depuis l'activation — reçus %s, envoyés %s"},
    {65142, "%s connexions ouvertes, %s depuis l'activation — reçus %s, envoyés %s"},
    {65143, "Dernier échec vers la destination à %s : %s"},
    {65144, "connexion refusée par la destination"},
    {65145, "hôte inconnu"},
    {65146, "pas de réponse"},
    {65147, "erreur de socket # %d"},
    {65148, "%s o"},
    {65149, "%s Ko"},
    {65150, "%s Mo"},
    {65151, "%s Go"},
    {65152,
                 "Connexion \"%s\" : client %s:%d terminé après %d ms, %d octets du client, %d octets vers le client, %s"},
    {65153, "fermée par le client"},
    {65154, "fermée par la destination"},
    {65155, "réinitialisée"},
    {65156, "destination injoignable"},
    {65157, "désactivée"},
    {65158,
                 "Connexion \"%s\" : %d ouverte(s), %d depuis l'activation, %d octets des clients, %d octets vers les clients"},
    {65159,
                 "Trafic :\n  --log-connections  une ligne par client terminé : adresse, port, durée, octets dans chaque sens, fin\n  SIGUSR1            une ligne par connexion active avec ses compteurs, comme à l'arrêt"},
    {65168,
     "Usage : tarvix-relay [OPTIONS] [PORTLOCAL:HÔTE:PORT...]\nRelaie des ports TCP sans fenêtre : les connexions d'un fichier de paramètres, celles de la ligne de commande, ou les deux, jusqu'à SIGINT ou SIGTERM.\nSIGHUP relit le fichier : les connexions inchangées restent actives avec leurs clients.\nSans --all ni --mapping, les connexions du fichier dont AutoStart vaut 1 sont activées.\n\n  PORTLOCAL:HÔTE:PORT  écoute sur PORTLOCAL et relaie vers HÔTE (nom ou adresse IPv4) port PORT ;\n                  sans --ini, aucun fichier de paramètres n'est lu\n  --ini FICHIER   fichier de paramètres (par défaut %s)\n  --all           active toutes les connexions du fichier\n  --mapping NOM   active la connexion de ce nom (option répétable)\n  --quiet, -q     n'affiche pas les clients acceptés et terminés\n  --check         vérifie le fichier et la ligne de commande sans rien activer\n  --help, -h      affiche cette aide"},
    {65169, "Option inconnue : %s"},
    {65170, "Valeur manquante pour l'option %s"},
    {65171, "Option donnée plusieurs fois : %s"},
    {65172, "Argument inattendu : %s"},
    {65173, "Les options --all et --mapping ne peuvent pas être utilisées ensemble"},
    {65174, "Voir tarvix-relay --help"},
    {65175, "%s : %s"},
    {65176, "%s, section [%s] : %s"},
    {65177, "Connexion \"%s\" introuvable dans %s"},
    {65178, "Aucune connexion à activer dans %s"},
    {65179, "Connexion \"%s\" : écoute sur le port %d, relais vers %s port %d"},
    {65180, "Connexion \"%s\" : client accepté (%d ouvert(s))"},
    {65181, "Connexion \"%s\" : client terminé (%d ouvert(s))"},
    {65182, "Connexion \"%s\" (port %d) : %s"},
    {65183, "Arrêt demandé (%s) : désactivation des connexions"},
    {65184, "Connexions désactivées"},
    {65185, "Erreur inattendue : %s"},
    {65186, "%s, section [%s] : %s=%d n'est pas un port entre 1 et 65535"},
    {65187, "%d ligne(s) du journal perdue(s) : la sortie d'erreur ne suivait pas"},
    {65188,
     "Impossible d'enregistrer '%s' : le fichier de paramètres n'admet ni saut de ligne ni Ctrl-Z, ni « = » dans un nom de clé, ni « [ » au début d'un nom de clé"},
    {65220, "Pile Winsock"},
    {65221, "Modifier"},
    {65222, "Connexion impossible à l'adresse %s sur le port %d"},
    {65223, "Connexion réussie"},
    {65224, "Suppression de \"%s\"\r\rConfirmez ?"},
    {65226, "Activer"},
    {65227, "Désactiver"},
    {65228, "Connexion \"%s\"\r\rLe Port %d est déjà utilisé"},
    {65229, "TARVIX Port Mapping\r\rArrêt en cours. Attendez SVP..."},
    {65232, "Trop de niveaux de liens symboliques."},
    {65233, "Nom de fichier trop long."},
    {65234, "Hôte arrêté."},
    {65235, "Pas de route vers l'hôte."},
    {65236, "Répertoire non vide"},
    {65248, "Famille de protocole non supportée."},
    {65249, "Famille d'adresse non supportée par la famille de protocole."},
    {65250, "Adresse déjà utilisée."},
    {65251, "Impossible d'affecter l'adresse requise."},
    {65252, "Le réseau est arrêté."},
    {65253, "Le réseau est inaccessible."},
    {65254, "Connexion interrompue ou réinitialisée par le réseau."},
    {65255, "Le logiciel a provoqué l'interruption de la connexion."},
    {65256, "Connexion réinitialisée par l'homologue (peer)."},
    {65257, "Aucun espace tampon disponible."},
    {65258, "Socket déjà connecté."},
    {65259, "Le socket n'est pas connecté."},
    {65260, "Envoi ou réception impossible après la fermeture du socket."},
    {65261, "Références trop nombreuses, attribution impossible."},
    {65262, "Délai de connexion dépassé."},
    {65263, "Connexion refusée."},
    {65264, "Nombre de fichiers incorrect."},
    {65265, "Accès refusé."},
    {65266, "Adresse incorrecte."},
    {65267, "Argument incorrect."},
    {65268, "Trop de fichiers ouverts."},
    {65269, "L'opération risquerait de bloquer. "},
    {65270, "Opération en cours."},
    {65271, "Opération déjà en cours."},
    {65272, "Opération socket sur cible non-socket."},
    {65273, "Adresse de destination requise."},
    {65274, "Message trop long."},
    {65275, "Type de protocole inapproprié pour le socket."},
    {65276, "Option de protocole incorrecte."},
    {65277, "Protocole non supporté."},
    {65278, "Type de socket non supporté."},
    {65279, "Opération non supportée sur un socket."},
    {65280, "%s n'a pas pu être chargé."},
    {65281, "Taille d'ensemble dépassée."},
    {65282, "Classe Thread non spécifiée."},
    {65283, "Un seul TNetAntiFreeze peut exister par application."},
    {65284, "InterceptEnabled ne peut être défini à true lorsque Intercept vaut nil."},
    {65285, "Aucun gestionnaire d'exécution n'a été trouvé."},
    {65286, "Pas de données pour la lecture."},
    {65287, "Résolution du nom d'hôte %s."},
    {65288, "Connexion à %s."},
    {65289, "Connecté."},
    {65290, "Déconnexion de %s."},
    {65291, "Pas connecté."},
    {65292, "%s"},
    {65293, "%s n'est pas un service correct."},
    {65294, "Erreur de socket # %d\r\n%s"},
    {65295, "Appel système interrompu."},
    {65301, "%s n'est pas un entier correct"},
    {65302, "%s n'est pas un booléen correct"},
    {65306, "Déjà connecté."},
    {65307, "Impossible d'allouer le socket."},
    {65308, "La connexion s'est terminée proprement."},
    {65309, "Impossible d'établir une liaison avec le socket. L'adresse et le port sont déjà utilisés."},
    {65310, "Pas suffisamment de données en mémoire tampon."},
    {65311, "Erreur d'initialisation Winsock."},
    {65327, "ExtractData : StringList pas créée !"},
    {65346, "Avertissement"},
    {65347, "Erreur"},
    {65348, "Information"},
    {65349, "Confirmation"},
    {65350, "&Oui"},
    {65351, "&Non"},
    {65352, "OK"},
    {65353, "Annuler"},
    {65392, "Erreur socket Windows : %s (%d), avec l'API '%s'"},
    {65393, "Erreur socket asynchrone %d"},
    {65394, "Aucune adresse spécifiée"},
    {65395, "Impossible de créer le nouveau socket"},
    {65396, "Socket déjà ouvert"},
    {65397, "Modification de valeur impossible lorsque le socket est actif"},
    {65437, "Echec à la définition des données pour '%s'"},
    {65438, "Type de données incorrect pour '%s'"},
    {65496, "Aucun argument pour le format '%s'"},
    {65497, "Le format '%s' est incorrect ou incompatible avec l'argument"},
    {65520, "'%s' n'est pas une valeur entière correcte"},
    {65522, "Erreur E/S %d"},
    {65523, "Fichier introuvable"},
    {65524, "Nom de fichier incorrect"},
    {65525, "Trop de fichiers ouverts"},
    {65526, "Accès au fichier refusé"},
    {65527, "Lecture au-delà de la fin de fichier"},
    {65528, "Disque plein"},
};
// clang-format on

// Windows Sockets codes 10004..10066 and the ids of their texts.
constexpr struct {
    int code;
    int id;
} kSocketErrors[] = {
    {10004, 65295}, {10009, 65264}, {10013, 65265}, {10014, 65266}, {10022, 65267}, {10024, 65268}, {10035, 65269},
    {10036, 65270}, {10037, 65271}, {10038, 65272}, {10039, 65273}, {10040, 65274}, {10041, 65275}, {10042, 65276},
    {10043, 65277}, {10044, 65278}, {10045, 65279}, {10046, 65248}, {10047, 65249}, {10048, 65250}, {10049, 65251},
    {10050, 65252}, {10051, 65253}, {10052, 65254}, {10053, 65255}, {10054, 65256}, {10055, 65257}, {10056, 65258},
    {10057, 65259}, {10058, 65260}, {10059, 65261}, {10060, 65262}, {10061, 65263}, {10062, 65232}, {10063, 65233},
    {10064, 65234}, {10065, 65235}, {10066, 65236},
};

constexpr bool Ascending()
{
    for (std::size_t i = 1; i < std::size(kTable); ++i)
        if (kTable[i - 1].id >= kTable[i].id)
            return false;
    return true;
}
static_assert(Ascending(), "catalogue ids must stay sorted and unique");

} // namespace

const detail::CatalogueEntry* detail::BuiltInTable(std::size_t& count)
{
    count = std::size(kTable);
    return kTable;
}

const char* BuiltInText(int id)
{
    const auto* end = std::end(kTable);
    const auto* it = std::lower_bound(std::begin(kTable), end, id,
                                      [](const detail::CatalogueEntry& e, int key) { return e.id < key; });
    return it != end && it->id == id ? it->text : nullptr;
}

int msg::SocketErrorTextId(int code)
{
    for (const auto& e : kSocketErrors)
        if (e.code == code)
            return e.id;
    return 0;
}

} // namespace tarvix

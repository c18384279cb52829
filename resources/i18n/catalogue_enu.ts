<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="fr_FR">
<context>
    <name>Catalogue</name>
    <message>
        <source>Cible d&apos;export inconnue : %s (haproxy ou nginx)</source>
        <comment>64100</comment>
        <translation>Unknown export target: %s (haproxy or nginx)</translation>
    </message>
    <message>
        <source>Les options --export et --check ne peuvent pas être utilisées ensemble</source>
        <comment>64101</comment>
        <translation>The options --export and --check cannot be used together</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : exportation vers %s impossible : %s</source>
        <comment>64102</comment>
        <translation>Mapping &quot;%s&quot;: cannot be exported to %s: %s</translation>
    </message>
    <message>
        <source>l&apos;adresse d&apos;écoute &quot;%s&quot; n&apos;est pas une adresse IPv4 ou IPv6</source>
        <comment>64103</comment>
        <translation>the listen address &quot;%s&quot; is not an IPv4 or IPv6 address</translation>
    </message>
    <message>
        <source>l&apos;hôte distant &quot;%s&quot; n&apos;est ni une adresse ni un nom d&apos;hôte</source>
        <comment>64104</comment>
        <translation>the remote host &quot;%s&quot; is neither an address nor a host name</translation>
    </message>
    <message>
        <source>le port local %d est déjà celui de la connexion &quot;%s&quot; (tarvix-relay ne l&apos;activerait pas)</source>
        <comment>64105</comment>
        <translation>local port %d is already used by the mapping &quot;%s&quot; (tarvix-relay would not activate it)</translation>
    </message>
    <message>
        <source>Produit par tarvix-relay --export %s le %s</source>
        <comment>64110</comment>
        <translation>Made by tarvix-relay --export %s on %s</translation>
    </message>
    <message>
        <source>Connexions du fichier %s :</source>
        <comment>64111</comment>
        <translation>Mappings of the file %s:</translation>
    </message>
    <message>
        <source>Connexions de la ligne de commande :</source>
        <comment>64112</comment>
        <translation>Mappings of the command line:</translation>
    </message>
    <message>
        <source>Non repris : les états du programme de bureau, les lignes de --log-connections et le résumé de SIGUSR1.</source>
        <comment>64113</comment>
        <translation>Not carried over: the desktop program&apos;s states, the --log-connections lines and the SIGUSR1 summary.</translation>
    </message>
    <message>
        <source>Chaque tentative de connexion à la destination est limitée à 21 s, comme dans tarvix-relay.</source>
        <comment>64114</comment>
        <translation>Each attempt to connect to the destination is limited to 21 s, as in tarvix-relay.</translation>
    </message>
    <message>
        <source>tarvix-relay ne coupe pas une connexion inactive : ces délais sont les plus longs que le proxy accepte (24 jours).</source>
        <comment>64115</comment>
        <translation>tarvix-relay does not cut an idle connection: these timeouts are the longest the proxy accepts (24 days).</translation>
    </message>
    <message>
        <source>Un client qui termine son envoi reçoit encore toute la réponse, comme par tarvix-relay.</source>
        <comment>64116</comment>
        <translation>A client that ends its sending side still gets the whole answer, as through tarvix-relay.</translation>
    </message>
    <message>
        <source>Debian livre le module stream à part ; retirez cette ligne là où il est intégré à nginx.</source>
        <comment>64117</comment>
        <translation>Debian ships the stream module separately; remove this line where it is built into nginx.</translation>
    </message>
    <message>
        <source>Chaque client relayé occupe deux connexions d&apos;un processus.</source>
        <comment>64118</comment>
        <translation>Each relayed client takes two connections of a process.</translation>
    </message>
    <message>
        <source>%s résout ce nom à son démarrage ; tarvix-relay le résout pour chaque client.</source>
        <comment>64119</comment>
        <translation>%s looks this name up when it starts; tarvix-relay looks it up for each client.</translation>
    </message>
    <message>
        <source>Vers un proxy établi, quand une machine ne suffit plus :
  --export haproxy|nginx  écrit sur la sortie standard une configuration complète qui relaie les connexions choisies (mêmes choix que pour les activer), sans rien activer ;
                  vérifiez-la avec haproxy -c -f FICHIER ou nginx -t -c FICHIER.
  Non repris : les états du programme de bureau, les lignes de --log-connections, le résumé de SIGUSR1.</source>
        <comment>64120</comment>
        <translation>To an established proxy, when one machine is not enough:
  --export haproxy|nginx  writes to standard output a complete configuration that relays the chosen mappings (the same choice as for activating them), activating nothing;
                  check it with haproxy -c -f FILE or nginx -t -c FILE.
  Not carried over: the desktop program&apos;s states, the --log-connections lines, the SIGUSR1 summary.</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : client accepté, %s port %d (%d ouvert(s))</source>
        <comment>64150</comment>
        <translation>Mapping &quot;%s&quot;: client accepted, %s port %d (%d open)</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : client %s port %d, %s port %d injoignable : %s</source>
        <comment>64151</comment>
        <translation>Mapping &quot;%s&quot;: client %s port %d, %s port %d could not be reached: %s</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : %d autre(s) échec(s) vers la destination en une seconde, le dernier : %s</source>
        <comment>64152</comment>
        <translation>Mapping &quot;%s&quot;: %d more failure(s) to reach the remote end within one second, the last: %s</translation>
    </message>
    <message>
        <source>Aucune connexion à activer dans %s : en attente d&apos;un rechargement</source>
        <comment>64153</comment>
        <translation>No mapping to activate in %s: waiting for a reload</translation>
    </message>
    <message>
        <source>%d connexion(s) active(s), %d non appliquée(s) au dernier rechargement (voir le journal)</source>
        <comment>64154</comment>
        <translation>%d mapping(s) active, %d not applied at the last reload (see the log)</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : la nouvelle version ne démarre pas, l&apos;ancienne reste active</source>
        <comment>64155</comment>
        <translation>Mapping &quot;%s&quot;: the new version does not start, the old one stays active</translation>
    </message>
    <message>
        <source>Rechargement terminé : %d connexion(s) active(s), %d non appliquée(s)</source>
        <comment>64156</comment>
        <translation>Reload done: %d mapping(s) active, %d not applied</translation>
    </message>
    <message>
        <source>l&apos;hôte distant %s ne se résout pas : %s</source>
        <comment>64157</comment>
        <translation>the remote host %s does not resolve: %s</translation>
    </message>
    <message>
        <source>Service :
  --service       un fichier sans connexion à activer n&apos;est pas une erreur : attend un rechargement (SIGHUP)
  --version       affiche la version</source>
        <comment>64158</comment>
        <translation>Service:
  --service       a file without a mapping to activate is no error: waits for a reload (SIGHUP)
  --version       shows the version</translation>
    </message>
    <message>
        <source>L&apos;hôte distant %s et le port %d mènent au port d&apos;écoute de la connexion elle-même : chaque client lui reviendrait sans fin</source>
        <comment>64200</comment>
        <translation>The remote host %s and port %d lead back to the connection&apos;s own listening port: every client would come back to it without end</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : %d client(s) refusé(s) faute de thread disponible</source>
        <comment>64201</comment>
        <translation>Connection &quot;%s&quot;: %d client(s) refused, no thread available</translation>
    </message>
    <message>
        <source>Connexion incorrecte : %s (attendu [ÉCOUTE:]PORTLOCAL:HÔTE:PORT)</source>
        <comment>65100</comment>
        <translation>Invalid mapping: %s (expected [LISTEN:]LOCALPORT:HOST:PORT)</translation>
    </message>
    <message>
        <source>Connexion incorrecte : %s (%s n&apos;est pas un port entre 1 et 65535)</source>
        <comment>65101</comment>
        <translation>Invalid mapping: %s (%s is not a port from 1 to 65535)</translation>
    </message>
    <message>
        <source>Connexion incorrecte : %s (l&apos;hôte est vide ou contient des espaces)</source>
        <comment>65102</comment>
        <translation>Invalid mapping: %s (the host is empty or holds spaces)</translation>
    </message>
    <message>
        <source>Connexion incorrecte : %s (le port local %d est déjà celui de %s)</source>
        <comment>65103</comment>
        <translation>Invalid mapping: %s (local port %d is already used by %s)</translation>
    </message>
    <message>
        <source>Les options --all et --mapping choisissent dans un fichier de paramètres : ajoutez --ini FICHIER</source>
        <comment>65104</comment>
        <translation>The options --all and --mapping choose from a settings file: add --ini FILE</translation>
    </message>
    <message>
        <source>Pour relayer un port, écrivez dans %s une connexion comme celle-ci (LocalPort : le port écouté ici ; Address et Port : l&apos;hôte et le port vers lesquels relayer), puis relancez tarvix-relay :</source>
        <comment>65105</comment>
        <translation>To relay a port, write a mapping like this one into %s (LocalPort: the port listened on here; Address and Port: the host and port to relay to), then start tarvix-relay again:</translation>
    </message>
    <message>
        <source>Exemple</source>
        <comment>65106</comment>
        <translation>Example</translation>
    </message>
    <message>
        <source>Ou, sans fichier de paramètres : %s</source>
        <comment>65107</comment>
        <translation>Or, without a settings file: %s</translation>
    </message>
    <message>
        <source>Attention : %s semble écrit en UTF-16 ; enregistrez-le en UTF-8</source>
        <comment>65108</comment>
        <translation>Warning: %s looks like UTF-16; save it as UTF-8</translation>
    </message>
    <message>
        <source>Attention : %s, section [%s] : pas de clé LocalPort, la connexion écoute sur le port %d</source>
        <comment>65109</comment>
        <translation>Warning: %s, section [%s]: no LocalPort key, the mapping listens on port %d</translation>
    </message>
    <message>
        <source>Attention : %s, section [%s] : pas de clé Address, la connexion ne relaie vers aucun hôte</source>
        <comment>65110</comment>
        <translation>Warning: %s, section [%s]: no Address key, the mapping relays to no host</translation>
    </message>
    <message>
        <source>Attention : %s, section [%s] : Address est vide, la connexion ne relaie vers aucun hôte</source>
        <comment>65111</comment>
        <translation>Warning: %s, section [%s]: Address is empty, the mapping relays to no host</translation>
    </message>
    <message>
        <source>Attention : %s, section [%s] : pas de clé Port, la connexion relaie vers le port %d</source>
        <comment>65112</comment>
        <translation>Warning: %s, section [%s]: no Port key, the mapping relays to port %d</translation>
    </message>
    <message>
        <source>Attention : %s, section [%s] : la clé &quot;%s&quot; a des espaces autour et n&apos;est pas lue comme %s</source>
        <comment>65113</comment>
        <translation>Warning: %s, section [%s]: the key &quot;%s&quot; has spaces around it and is not read as %s</translation>
    </message>
    <message>
        <source>Attention : %s, section [%s] : la ligne &quot;%s&quot; n&apos;a pas de signe = et ne compte pas</source>
        <comment>65114</comment>
        <translation>Warning: %s, section [%s]: the line &quot;%s&quot; has no = sign and counts for nothing</translation>
    </message>
    <message>
        <source>Attention : %s, sections [%s] et [%s] : deux connexions sur le port local %d</source>
        <comment>65115</comment>
        <translation>Warning: %s, sections [%s] and [%s]: two mappings on local port %d</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : le port %d est déjà celui de la connexion &quot;%s&quot;, elle n&apos;est pas activée</source>
        <comment>65116</comment>
        <translation>Mapping &quot;%s&quot;: port %d is already used by mapping &quot;%s&quot;; it is not activated</translation>
    </message>
    <message>
        <source>Vérification terminée : %d connexion(s) à activer, %d avertissement(s), aucune erreur</source>
        <comment>65117</comment>
        <translation>Check done: %d mapping(s) to activate, %d warning(s), no error</translation>
    </message>
    <message>
        <source>%d connexion(s) active(s)</source>
        <comment>65118</comment>
        <translation>%d mapping(s) active</translation>
    </message>
    <message>
        <source>Rechargement demandé (%s) : relecture de %s</source>
        <comment>65119</comment>
        <translation>Reload requested (%s): reading %s again</translation>
    </message>
    <message>
        <source>Rechargement demandé (%s) : pas de fichier de paramètres, rien ne change</source>
        <comment>65120</comment>
        <translation>Reload requested (%s): no settings file, nothing changes</translation>
    </message>
    <message>
        <source>Rechargement abandonné, rien n&apos;a changé : %s</source>
        <comment>65121</comment>
        <translation>Reload abandoned, nothing changed: %s</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : inchangée, reste active</source>
        <comment>65122</comment>
        <translation>Mapping &quot;%s&quot;: unchanged, stays active</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : retirée, désactivée</source>
        <comment>65123</comment>
        <translation>Mapping &quot;%s&quot;: removed, deactivated</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : modifiée, écoute sur le port %d, relais vers %s port %d</source>
        <comment>65124</comment>
        <translation>Mapping &quot;%s&quot;: changed, listening on port %d, relaying to %s port %d</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : ajoutée, écoute sur le port %d, relais vers %s port %d</source>
        <comment>65125</comment>
        <translation>Mapping &quot;%s&quot;: added, listening on port %d, relaying to %s port %d</translation>
    </message>
    <message>
        <source>Rechargement terminé : %d connexion(s) active(s)</source>
        <comment>65126</comment>
        <translation>Reload done: %d mapping(s) active</translation>
    </message>
    <message>
        <source>Nouveau signal (%s) : fin immédiate</source>
        <comment>65127</comment>
        <translation>Another signal (%s): ending at once</translation>
    </message>
    <message>
        <source>Codes de sortie :
  0  arrêt sur signal, toutes les connexions désactivées (ou aide affichée, ou vérification sans erreur)
  1  erreur inattendue
  2  ligne de commande incorrecte
  3  fichier de paramètres introuvable ou illisible (un exemple de connexion est affiché)
  4  valeur incorrecte dans le fichier de paramètres
  5  nom de connexion inconnu
  6  aucune connexion à activer (un exemple de connexion est affiché)
  7  une connexion n&apos;a pas pu être activée (port occupé...) ; aucune ne reste active</source>
        <comment>65128</comment>
        <translation>Exit codes:
  0  stopped by a signal, every mapping deactivated (or help shown, or check without error)
  1  unexpected error
  2  wrong command line
  3  settings file missing or unreadable (an example mapping is shown)
  4  wrong value in the settings file
  5  unknown mapping name
  6  no mapping to activate (an example mapping is shown)
  7  a mapping could not be activated (port in use...); none stays active</translation>
    </message>
    <message>
        <source>Usage : tarvix-relay [OPTIONS] [[ÉCOUTE:]PORTLOCAL:HÔTE:PORT...]
Relaie des ports TCP sans fenêtre : les connexions d&apos;un fichier de paramètres, celles de la ligne de commande, ou les deux, jusqu&apos;à SIGINT ou SIGTERM.
SIGHUP relit le fichier : les connexions inchangées restent actives avec leurs clients.
Sans --all ni --mapping, les connexions du fichier dont AutoStart vaut 1 sont activées.

  [ÉCOUTE:]PORTLOCAL:HÔTE:PORT  écoute sur PORTLOCAL et relaie vers HÔTE (nom ou adresse) port PORT ;
                  sans --ini, aucun fichier de paramètres n&apos;est lu
  --ini FICHIER   fichier de paramètres (par défaut %s)
  --all           active toutes les connexions du fichier
  --mapping NOM   active la connexion de ce nom (option répétable)
  --quiet, -q     n&apos;affiche pas les clients acceptés et terminés
  --check         vérifie le fichier et la ligne de commande sans rien activer
  --help, -h      affiche cette aide</source>
        <comment>65168</comment>
        <translation>Usage: tarvix-relay [OPTIONS] [[LISTEN:]LOCALPORT:HOST:PORT...]
Relays TCP ports without a window: the mappings of a settings file, those of the command line, or both, until SIGINT or SIGTERM.
SIGHUP reads the file again: unchanged mappings stay active with their clients.
Without --all and --mapping, the mappings of the file whose AutoStart is 1 are activated.

  [LISTEN:]LOCALPORT:HOST:PORT  listens on LOCALPORT and relays to HOST (name or address) port PORT;
                  without --ini, no settings file is read
  --ini FILE      settings file (default %s)
  --all           activates every mapping of the file
  --mapping NAME  activates the mapping of that name (may be repeated)
  --quiet, -q     does not show accepted and ended clients
  --check         checks the file and the command line without activating anything
  --help, -h      shows this help</translation>
    </message>
    <message>
        <source>Option inconnue : %s</source>
        <comment>65169</comment>
        <translation>Unknown option: %s</translation>
    </message>
    <message>
        <source>Valeur manquante pour l&apos;option %s</source>
        <comment>65170</comment>
        <translation>Missing value for option %s</translation>
    </message>
    <message>
        <source>Option donnée plusieurs fois : %s</source>
        <comment>65171</comment>
        <translation>Option given more than once: %s</translation>
    </message>
    <message>
        <source>Argument inattendu : %s</source>
        <comment>65172</comment>
        <translation>Unexpected argument: %s</translation>
    </message>
    <message>
        <source>Les options --all et --mapping ne peuvent pas être utilisées ensemble</source>
        <comment>65173</comment>
        <translation>The options --all and --mapping cannot be used together</translation>
    </message>
    <message>
        <source>Voir tarvix-relay --help</source>
        <comment>65174</comment>
        <translation>See tarvix-relay --help</translation>
    </message>
    <message>
        <source>%s : %s</source>
        <comment>65175</comment>
        <translation>%s: %s</translation>
    </message>
    <message>
        <source>%s, section [%s] : %s</source>
        <comment>65176</comment>
        <translation>%s, section [%s]: %s</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; introuvable dans %s</source>
        <comment>65177</comment>
        <translation>Mapping &quot;%s&quot; not found in %s</translation>
    </message>
    <message>
        <source>Aucune connexion à activer dans %s</source>
        <comment>65178</comment>
        <translation>No mapping to activate in %s</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : écoute sur le port %d, relais vers %s port %d</source>
        <comment>65179</comment>
        <translation>Mapping &quot;%s&quot;: listening on port %d, relaying to %s port %d</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : client accepté (%d ouvert(s))</source>
        <comment>65180</comment>
        <translation>Mapping &quot;%s&quot;: client accepted (%d open)</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : client terminé (%d ouvert(s))</source>
        <comment>65181</comment>
        <translation>Mapping &quot;%s&quot;: client finished (%d open)</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; (port %d) : %s</source>
        <comment>65182</comment>
        <translation>Mapping &quot;%s&quot; (port %d): %s</translation>
    </message>
    <message>
        <source>Arrêt demandé (%s) : désactivation des connexions</source>
        <comment>65183</comment>
        <translation>Stop requested (%s): deactivating mappings</translation>
    </message>
    <message>
        <source>Connexions désactivées</source>
        <comment>65184</comment>
        <translation>Mappings deactivated</translation>
    </message>
    <message>
        <source>Erreur inattendue : %s</source>
        <comment>65185</comment>
        <translation>Unexpected error: %s</translation>
    </message>
    <message>
        <source>%s, section [%s] : %s=%d n&apos;est pas un port entre 1 et 65535</source>
        <comment>65186</comment>
        <translation>%s, section [%s]: %s=%d is not a port between 1 and 65535</translation>
    </message>
    <message>
        <source>%d ligne(s) du journal perdue(s) : la sortie d&apos;erreur ne suivait pas</source>
        <comment>65187</comment>
        <translation>%d log line(s) lost: standard error could not keep up</translation>
    </message>
    <message>
        <source>Impossible d&apos;enregistrer &apos;%s&apos; : le fichier de paramètres n&apos;admet ni saut de ligne ni Ctrl-Z, ni « = » dans un nom de clé, ni « [ » au début d&apos;un nom de clé</source>
        <comment>65188</comment>
        <translation>Cannot save &apos;%s&apos;: the settings file allows no line break or Ctrl-Z, no “=” in a key name and no “[” at the start of a key name</translation>
    </message>
    <message>
        <source>Pile Winsock</source>
        <comment>65220</comment>
        <translation>Winsock stack</translation>
    </message>
    <message>
        <source>Modifier</source>
        <comment>65221</comment>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Connexion impossible à l&apos;adresse %s sur le port %d</source>
        <comment>65222</comment>
        <translation>Could not connect to %s on port %d</translation>
    </message>
    <message>
        <source>Connexion réussie</source>
        <comment>65223</comment>
        <translation>Connection successful</translation>
    </message>
    <message>
        <source>Suppression de &quot;%s&quot;&#13;&#13;Confirmez ?</source>
        <comment>65224</comment>
        <translation>Delete &quot;%s&quot;?&#13;&#13;Please confirm.</translation>
    </message>
    <message>
        <source>Activer</source>
        <comment>65226</comment>
        <translation>Activate</translation>
    </message>
    <message>
        <source>Désactiver</source>
        <comment>65227</comment>
        <translation>Deactivate</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot;&#13;&#13;Le Port %d est déjà utilisé</source>
        <comment>65228</comment>
        <translation>Connection &quot;%s&quot;&#13;&#13;Port %d is already in use</translation>
    </message>
    <message>
        <source>TARVIX Port Mapping&#13;&#13;Arrêt en cours. Attendez SVP...</source>
        <comment>65229</comment>
        <translation>TARVIX Port Mapping&#13;&#13;Shutting down. Please wait...</translation>
    </message>
    <message>
        <source>Trop de niveaux de liens symboliques.</source>
        <comment>65232</comment>
        <translation>Too many levels of symbolic links.</translation>
    </message>
    <message>
        <source>Nom de fichier trop long.</source>
        <comment>65233</comment>
        <translation>File name too long.</translation>
    </message>
    <message>
        <source>Hôte arrêté.</source>
        <comment>65234</comment>
        <translation>Host is down.</translation>
    </message>
    <message>
        <source>Pas de route vers l&apos;hôte.</source>
        <comment>65235</comment>
        <translation>No route to host.</translation>
    </message>
    <message>
        <source>Répertoire non vide</source>
        <comment>65236</comment>
        <translation>Directory not empty</translation>
    </message>
    <message>
        <source>Famille de protocole non supportée.</source>
        <comment>65248</comment>
        <translation>Protocol family not supported.</translation>
    </message>
    <message>
        <source>Famille d&apos;adresse non supportée par la famille de protocole.</source>
        <comment>65249</comment>
        <translation>Address family not supported by protocol family.</translation>
    </message>
    <message>
        <source>Adresse déjà utilisée.</source>
        <comment>65250</comment>
        <translation>Address already in use.</translation>
    </message>
    <message>
        <source>Impossible d&apos;affecter l&apos;adresse requise.</source>
        <comment>65251</comment>
        <translation>Cannot assign requested address.</translation>
    </message>
    <message>
        <source>Le réseau est arrêté.</source>
        <comment>65252</comment>
        <translation>Network is down.</translation>
    </message>
    <message>
        <source>Le réseau est inaccessible.</source>
        <comment>65253</comment>
        <translation>Network is unreachable.</translation>
    </message>
    <message>
        <source>Connexion interrompue ou réinitialisée par le réseau.</source>
        <comment>65254</comment>
        <translation>Connection dropped or reset by the network.</translation>
    </message>
    <message>
        <source>Le logiciel a provoqué l&apos;interruption de la connexion.</source>
        <comment>65255</comment>
        <translation>Software caused connection abort.</translation>
    </message>
    <message>
        <source>Connexion réinitialisée par l&apos;homologue (peer).</source>
        <comment>65256</comment>
        <translation>Connection reset by peer.</translation>
    </message>
    <message>
        <source>Aucun espace tampon disponible.</source>
        <comment>65257</comment>
        <translation>No buffer space available.</translation>
    </message>
    <message>
        <source>Socket déjà connecté.</source>
        <comment>65258</comment>
        <translation>Socket is already connected.</translation>
    </message>
    <message>
        <source>Le socket n&apos;est pas connecté.</source>
        <comment>65259</comment>
        <translation>Socket is not connected.</translation>
    </message>
    <message>
        <source>Envoi ou réception impossible après la fermeture du socket.</source>
        <comment>65260</comment>
        <translation>Cannot send or receive after socket shutdown.</translation>
    </message>
    <message>
        <source>Références trop nombreuses, attribution impossible.</source>
        <comment>65261</comment>
        <translation>Too many references, cannot allocate.</translation>
    </message>
    <message>
        <source>Délai de connexion dépassé.</source>
        <comment>65262</comment>
        <translation>Connection timed out.</translation>
    </message>
    <message>
        <source>Connexion refusée.</source>
        <comment>65263</comment>
        <translation>Connection refused.</translation>
    </message>
    <message>
        <source>Nombre de fichiers incorrect.</source>
        <comment>65264</comment>
        <translation>Bad file number.</translation>
    </message>
    <message>
        <source>Accès refusé.</source>
        <comment>65265</comment>
        <translation>Access denied.</translation>
    </message>
    <message>
        <source>Adresse incorrecte.</source>
        <comment>65266</comment>
        <translation>Bad address.</translation>
    </message>
    <message>
        <source>Argument incorrect.</source>
        <comment>65267</comment>
        <translation>Invalid argument.</translation>
    </message>
    <message>
        <source>Trop de fichiers ouverts.</source>
        <comment>65268</comment>
        <translation>Too many open files.</translation>
    </message>
    <message>
        <source>L&apos;opération risquerait de bloquer. </source>
        <comment>65269</comment>
        <translation>Operation would block.</translation>
    </message>
    <message>
        <source>Opération en cours.</source>
        <comment>65270</comment>
        <translation>Operation now in progress.</translation>
    </message>
    <message>
        <source>Opération déjà en cours.</source>
        <comment>65271</comment>
        <translation>Operation already in progress.</translation>
    </message>
    <message>
        <source>Opération socket sur cible non-socket.</source>
        <comment>65272</comment>
        <translation>Socket operation on non-socket.</translation>
    </message>
    <message>
        <source>Adresse de destination requise.</source>
        <comment>65273</comment>
        <translation>Destination address required.</translation>
    </message>
    <message>
        <source>Message trop long.</source>
        <comment>65274</comment>
        <translation>Message too long.</translation>
    </message>
    <message>
        <source>Type de protocole inapproprié pour le socket.</source>
        <comment>65275</comment>
        <translation>Protocol wrong type for socket.</translation>
    </message>
    <message>
        <source>Option de protocole incorrecte.</source>
        <comment>65276</comment>
        <translation>Bad protocol option.</translation>
    </message>
    <message>
        <source>Protocole non supporté.</source>
        <comment>65277</comment>
        <translation>Protocol not supported.</translation>
    </message>
    <message>
        <source>Type de socket non supporté.</source>
        <comment>65278</comment>
        <translation>Socket type not supported.</translation>
    </message>
    <message>
        <source>Opération non supportée sur un socket.</source>
        <comment>65279</comment>
        <translation>Operation not supported on socket.</translation>
    </message>
    <message>
        <source>%s n&apos;a pas pu être chargé.</source>
        <comment>65280</comment>
        <translation>%s could not be loaded.</translation>
    </message>
    <message>
        <source>Taille d&apos;ensemble dépassée.</source>
        <comment>65281</comment>
        <translation>Set size exceeded.</translation>
    </message>
    <message>
        <source>Classe Thread non spécifiée.</source>
        <comment>65282</comment>
        <translation>Thread class not specified.</translation>
    </message>
    <message>
        <source>Un seul TNetAntiFreeze peut exister par application.</source>
        <comment>65283</comment>
        <translation>Only one TNetAntiFreeze can exist per application.</translation>
    </message>
    <message>
        <source>InterceptEnabled ne peut être défini à true lorsque Intercept vaut nil.</source>
        <comment>65284</comment>
        <translation>InterceptEnabled cannot be set to true while Intercept is nil.</translation>
    </message>
    <message>
        <source>Aucun gestionnaire d&apos;exécution n&apos;a été trouvé.</source>
        <comment>65285</comment>
        <translation>No execute handler found.</translation>
    </message>
    <message>
        <source>Pas de données pour la lecture.</source>
        <comment>65286</comment>
        <translation>No data to read.</translation>
    </message>
    <message>
        <source>Résolution du nom d&apos;hôte %s.</source>
        <comment>65287</comment>
        <translation>Resolving host name %s.</translation>
    </message>
    <message>
        <source>Connexion à %s.</source>
        <comment>65288</comment>
        <translation>Connecting to %s.</translation>
    </message>
    <message>
        <source>Connecté.</source>
        <comment>65289</comment>
        <translation>Connected.</translation>
    </message>
    <message>
        <source>Déconnexion de %s.</source>
        <comment>65290</comment>
        <translation>Disconnecting from %s.</translation>
    </message>
    <message>
        <source>Pas connecté.</source>
        <comment>65291</comment>
        <translation>Not connected.</translation>
    </message>
    <message>
        <source>%s</source>
        <comment>65292</comment>
        <translation>%s</translation>
    </message>
    <message>
        <source>%s n&apos;est pas un service correct.</source>
        <comment>65293</comment>
        <translation>%s is not a valid service.</translation>
    </message>
    <message>
        <source>Erreur de socket # %d&#13;
%s</source>
        <comment>65294</comment>
        <translation>Socket error # %d&#13;
%s</translation>
    </message>
    <message>
        <source>Appel système interrompu.</source>
        <comment>65295</comment>
        <translation>Interrupted system call.</translation>
    </message>
    <message>
        <source>%s n&apos;est pas un entier correct</source>
        <comment>65301</comment>
        <translation>%s is not a valid integer</translation>
    </message>
    <message>
        <source>%s n&apos;est pas un booléen correct</source>
        <comment>65302</comment>
        <translation>%s is not a valid boolean</translation>
    </message>
    <message>
        <source>Déjà connecté.</source>
        <comment>65306</comment>
        <translation>Already connected.</translation>
    </message>
    <message>
        <source>Impossible d&apos;allouer le socket.</source>
        <comment>65307</comment>
        <translation>Cannot allocate socket.</translation>
    </message>
    <message>
        <source>La connexion s&apos;est terminée proprement.</source>
        <comment>65308</comment>
        <translation>Connection closed gracefully.</translation>
    </message>
    <message>
        <source>Impossible d&apos;établir une liaison avec le socket. L&apos;adresse et le port sont déjà utilisés.</source>
        <comment>65309</comment>
        <translation>Could not bind socket. Address and port are already in use.</translation>
    </message>
    <message>
        <source>Pas suffisamment de données en mémoire tampon.</source>
        <comment>65310</comment>
        <translation>Not enough data in buffer.</translation>
    </message>
    <message>
        <source>Erreur d&apos;initialisation Winsock.</source>
        <comment>65311</comment>
        <translation>Winsock initialization error.</translation>
    </message>
    <message>
        <source>ExtractData : StringList pas créée !</source>
        <comment>65327</comment>
        <translation>ExtractData: StringList not created!</translation>
    </message>
    <message>
        <source>Avertissement</source>
        <comment>65346</comment>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Erreur</source>
        <comment>65347</comment>
        <translation>Error</translation>
    </message>
    <message>
        <source>Information</source>
        <comment>65348</comment>
        <translation>Information</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <comment>65349</comment>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>&amp;Oui</source>
        <comment>65350</comment>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>&amp;Non</source>
        <comment>65351</comment>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>OK</source>
        <comment>65352</comment>
        <translation>OK</translation>
    </message>
    <message>
        <source>Annuler</source>
        <comment>65353</comment>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Erreur socket Windows : %s (%d), avec l&apos;API &apos;%s&apos;</source>
        <comment>65392</comment>
        <translation>Windows socket error: %s (%d), on API &apos;%s&apos;</translation>
    </message>
    <message>
        <source>Erreur socket asynchrone %d</source>
        <comment>65393</comment>
        <translation>Asynchronous socket error %d</translation>
    </message>
    <message>
        <source>Aucune adresse spécifiée</source>
        <comment>65394</comment>
        <translation>No address specified</translation>
    </message>
    <message>
        <source>Impossible de créer le nouveau socket</source>
        <comment>65395</comment>
        <translation>Cannot create new socket</translation>
    </message>
    <message>
        <source>Socket déjà ouvert</source>
        <comment>65396</comment>
        <translation>Socket already open</translation>
    </message>
    <message>
        <source>Modification de valeur impossible lorsque le socket est actif</source>
        <comment>65397</comment>
        <translation>Cannot change value while socket is active</translation>
    </message>
    <message>
        <source>Echec à la définition des données pour &apos;%s&apos;</source>
        <comment>65437</comment>
        <translation>Failed to set data for &apos;%s&apos;</translation>
    </message>
    <message>
        <source>Type de données incorrect pour &apos;%s&apos;</source>
        <comment>65438</comment>
        <translation>Invalid data type for &apos;%s&apos;</translation>
    </message>
    <message>
        <source>Aucun argument pour le format &apos;%s&apos;</source>
        <comment>65496</comment>
        <translation>No argument for format &apos;%s&apos;</translation>
    </message>
    <message>
        <source>Le format &apos;%s&apos; est incorrect ou incompatible avec l&apos;argument</source>
        <comment>65497</comment>
        <translation>Format &apos;%s&apos; invalid or incompatible with argument</translation>
    </message>
    <message>
        <source>&apos;%s&apos; n&apos;est pas une valeur entière correcte</source>
        <comment>65520</comment>
        <translation>&apos;%s&apos; is not a valid integer value</translation>
    </message>
    <message>
        <source>Erreur E/S %d</source>
        <comment>65522</comment>
        <translation>I/O error %d</translation>
    </message>
    <message>
        <source>Fichier introuvable</source>
        <comment>65523</comment>
        <translation>File not found</translation>
    </message>
    <message>
        <source>Nom de fichier incorrect</source>
        <comment>65524</comment>
        <translation>Invalid file name</translation>
    </message>
    <message>
        <source>Trop de fichiers ouverts</source>
        <comment>65525</comment>
        <translation>Too many open files</translation>
    </message>
    <message>
        <source>Accès au fichier refusé</source>
        <comment>65526</comment>
        <translation>File access denied</translation>
    </message>
    <message>
        <source>Lecture au-delà de la fin de fichier</source>
        <comment>65527</comment>
        <translation>Read beyond end of file</translation>
    </message>
    <message>
        <source>Disque plein</source>
        <comment>65528</comment>
        <translation>Disk full</translation>
    </message>
    <message>
        <source>Aucune application n&apos;a pu ouvrir le document d&apos;aide :&#13;%s</source>
        <comment>65060</comment>
        <translation>No application could open the help document:&#13;%s</translation>
    </message>
    <message>
        <source>Aucune application n&apos;a pu ouvrir la page web :&#13;%s</source>
        <comment>65061</comment>
        <translation>No application could open the web page:&#13;%s</translation>
    </message>
    <message>
        <source>Le document d&apos;aide est introuvable :&#13;%s</source>
        <comment>65062</comment>
        <translation>The help document cannot be found:&#13;%s</translation>
    </message>
    <message>
        <source>Usage : tarvix-relay [--ini FICHIER] [--all | --mapping NOM...] [--quiet]
Active les connexions d&apos;un fichier de paramètres et relaie leur trafic jusqu&apos;à SIGINT, SIGTERM ou SIGHUP.
Sans --all ni --mapping, les connexions dont AutoStart vaut 1 sont activées.

  --ini FICHIER   fichier de paramètres (par défaut %s)
  --all           active toutes les connexions du fichier
  --mapping NOM   active la connexion de ce nom (option répétable)
  --quiet, -q     n&apos;affiche pas les clients acceptés et terminés
  --help, -h      affiche cette aide

Codes de sortie :
  0  arrêt sur signal, toutes les connexions désactivées (ou aide affichée)
  1  erreur inattendue
  2  ligne de commande incorrecte
  3  fichier de paramètres introuvable ou illisible
  4  valeur incorrecte dans le fichier de paramètres
  5  nom de connexion inconnu
  6  aucune connexion à activer
  7  une connexion n&apos;a pas pu être activée (port occupé...) ; aucune ne reste active</source>
        <comment>65168</comment>
        <translation>Usage: tarvix-relay [--ini FILE] [--all | --mapping NAME...] [--quiet]
Activates the mappings of a settings file and relays their traffic until SIGINT, SIGTERM or SIGHUP.
Without --all or --mapping, the mappings whose AutoStart is 1 are activated.

  --ini FILE      settings file (default %s)
  --all           activate every mapping of the file
  --mapping NAME  activate the mapping of that name (may be repeated)
  --quiet, -q     do not print accepted and finished clients
  --help, -h      print this help

Exit codes:
  0  stopped by a signal, all mappings deactivated (or help printed)
  1  unexpected error
  2  invalid command line
  3  settings file missing or unreadable
  4  invalid value in the settings file
  5  unknown mapping name
  6  no mapping to activate
  7  a mapping could not be activated (port busy...); none is left active</translation>
    </message>
    <message>
        <source>Démarrer avec la session</source>
        <comment>65080</comment>
        <translation>Start with the session</translation>
    </message>
    <message>
        <source>Le démarrage avec la session ne peut pas être enregistré dans %s :&#13;%s</source>
        <comment>65081</comment>
        <translation>Starting with the session cannot be saved in %s:&#13;%s</translation>
    </message>
    <message>
        <source>Le démarrage avec la session ne peut pas être supprimé (%s) :&#13;%s</source>
        <comment>65082</comment>
        <translation>Starting with the session cannot be removed (%s):&#13;%s</translation>
    </message>
    <message>
        <source>TARVIX Port Mapping est déjà lancé pour le fichier %s mais ne répond pas.</source>
        <comment>65083</comment>
        <translation>TARVIX Port Mapping is already running for the file %s but does not answer.</translation>
    </message>
    <message>
        <source>→ %s:%d</source>
        <comment>65140</comment>
        <translation>→ %s:%d</translation>
    </message>
    <message>
        <source>%s connexion ouverte, %s depuis l&apos;activation — reçus %s, envoyés %s</source>
        <comment>65141</comment>
        <translation>%s connection open, %s since activation — received %s, sent %s</translation>
    </message>
    <message>
        <source>%s connexions ouvertes, %s depuis l&apos;activation — reçus %s, envoyés %s</source>
        <comment>65142</comment>
        <translation>%s connections open, %s since activation — received %s, sent %s</translation>
    </message>
    <message>
        <source>Dernier échec vers la destination à %s : %s</source>
        <comment>65143</comment>
        <translation>Last failure to reach the remote end at %s: %s</translation>
    </message>
    <message>
        <source>connexion refusée par la destination</source>
        <comment>65144</comment>
        <translation>connection refused by the remote end</translation>
    </message>
    <message>
        <source>hôte inconnu</source>
        <comment>65145</comment>
        <translation>unknown host</translation>
    </message>
    <message>
        <source>pas de réponse</source>
        <comment>65146</comment>
        <translation>no answer</translation>
    </message>
    <message>
        <source>erreur de socket # %d</source>
        <comment>65147</comment>
        <translation>socket error # %d</translation>
    </message>
    <message>
        <source>%s o</source>
        <comment>65148</comment>
        <translation>%s bytes</translation>
    </message>
    <message>
        <source>%s Ko</source>
        <comment>65149</comment>
        <translation>%s KB</translation>
    </message>
    <message>
        <source>%s Mo</source>
        <comment>65150</comment>
        <translation>%s MB</translation>
    </message>
    <message>
        <source>%s Go</source>
        <comment>65151</comment>
        <translation>%s GB</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : client %s:%d terminé après %d ms, %d octets du client, %d octets vers le client, %s</source>
        <comment>65152</comment>
        <translation>Mapping &quot;%s&quot;: client %s:%d ended after %d ms, %d bytes from the client, %d bytes to the client, %s</translation>
    </message>
    <message>
        <source>fermée par le client</source>
        <comment>65153</comment>
        <translation>closed by the client</translation>
    </message>
    <message>
        <source>fermée par la destination</source>
        <comment>65154</comment>
        <translation>closed by the remote end</translation>
    </message>
    <message>
        <source>réinitialisée</source>
        <comment>65155</comment>
        <translation>reset</translation>
    </message>
    <message>
        <source>destination injoignable</source>
        <comment>65156</comment>
        <translation>remote end unreachable</translation>
    </message>
    <message>
        <source>désactivée</source>
        <comment>65157</comment>
        <translation>deactivated</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : %d ouverte(s), %d depuis l&apos;activation, %d octets des clients, %d octets vers les clients</source>
        <comment>65158</comment>
        <translation>Mapping &quot;%s&quot;: %d open, %d since activation, %d bytes from clients, %d bytes to clients</translation>
    </message>
    <message>
        <source>Trafic :
  --log-connections  une ligne par client terminé : adresse, port, durée, octets dans chaque sens, fin
  SIGUSR1            une ligne par connexion active avec ses compteurs, comme à l&apos;arrêt</source>
        <comment>65159</comment>
        <translation>Traffic:
  --log-connections  one line per finished client: address, port, duration, bytes each way, how it ended
  SIGUSR1            one line per active mapping with its counters, as at the stop</translation>
    </message>
    <message>
        <source>Arrêter</source>
        <comment>64050</comment>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; (port %d) : activation impossible&#13;&#13;%s</source>
        <comment>64051</comment>
        <translation>Connection &quot;%s&quot; (port %d) could not be activated&#13;&#13;%s</translation>
    </message>
    <message>
        <source>Activation impossible : %s</source>
        <comment>64052</comment>
        <translation>Could not be activated: %s</translation>
    </message>
    <message>
        <source>Le port local %d est déjà celui de la connexion &quot;%s&quot;.&#13;&#13;Sauver quand même ?</source>
        <comment>64053</comment>
        <translation>Local port %d is already the port of the connection &quot;%s&quot;.&#13;&#13;Save anyway?</translation>
    </message>
    <message>
        <source>Toutes les interfaces IPv4</source>
        <comment>64054</comment>
        <translation>All IPv4 interfaces</translation>
    </message>
    <message>
        <source>Cet ordinateur seulement (127.0.0.1)</source>
        <comment>64055</comment>
        <translation>This computer only (127.0.0.1)</translation>
    </message>
    <message>
        <source>Toutes les interfaces (IPv4 et IPv6)</source>
        <comment>64056</comment>
        <translation>All interfaces (IPv4 and IPv6)</translation>
    </message>
    <message>
        <source>Adresse d&apos;écoute incorrecte : %s&#13;(une adresse IPv4 ou IPv6 de cet ordinateur, par exemple 127.0.0.1 ou ::1)</source>
        <comment>64057</comment>
        <translation>Incorrect listen address: %s&#13;(an IPv4 or IPv6 address of this computer, for example 127.0.0.1 or ::1)</translation>
    </message>
    <message>
        <source>Client admis incorrect : %s&#13;(des adresses ou réseaux IPv4 ou IPv6 séparés par des virgules, par exemple 192.168.1.0/24, ::1)</source>
        <comment>64058</comment>
        <translation>Incorrect allowed client: %s&#13;(IPv4 or IPv6 addresses or networks separated by commas, for example 192.168.1.0/24, ::1)</translation>
    </message>
    <message>
        <source>Écoute sur %s</source>
        <comment>64059</comment>
        <translation>Listens on %s</translation>
    </message>
    <message>
        <source>Clients admis : %s</source>
        <comment>64060</comment>
        <translation>Allowed clients: %s</translation>
    </message>
    <message>
        <source>%s client refusé</source>
        <comment>64061</comment>
        <translation>%s client refused</translation>
    </message>
    <message>
        <source>%s clients refusés</source>
        <comment>64062</comment>
        <translation>%s clients refused</translation>
    </message>
    <message>
        <source>Utilisation : tarvix [--help | --version]

TARVIX Port Mapping relaie des ports TCP. Sans option, la fenêtre et l&apos;icône de la zone de notification s&apos;ouvrent, ou la fenêtre du programme déjà lancé pour le même fichier de paramètres vient au premier plan.

  --help     affiche cette aide
  --version  affiche la version

Fichier de paramètres : %s
Sans bureau : tarvix-relay --help</source>
        <comment>64063</comment>
        <translation>Usage: tarvix [--help | --version]

TARVIX Port Mapping forwards TCP ports. Without an option, the window and the notification area icon open, or the window of the copy already running on the same settings file comes to the front.

  --help     shows this help
  --version  shows the version

Settings file: %s
Without a desktop: tarvix-relay --help</translation>
    </message>
    <message>
        <source>Adresse ou réseau incorrect : %s</source>
        <comment>64000</comment>
        <translation>Invalid address or network: %s</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : client %s port %d refusé (hors de la liste AllowFrom)</source>
        <comment>64001</comment>
        <translation>Mapping &quot;%s&quot;: client %s port %d refused (not in the AllowFrom list)</translation>
    </message>
    <message>
        <source>%s, section [%s] : ListenAddress=%s n&apos;est pas une adresse IPv4 ou IPv6 (par exemple 127.0.0.1, ::1 ou ::)</source>
        <comment>64002</comment>
        <translation>%s, section [%s]: ListenAddress=%s is not an IPv4 or IPv6 address (for example 127.0.0.1, ::1 or ::)</translation>
    </message>
    <message>
        <source>%s, section [%s] : AllowFrom=%s : %s</source>
        <comment>64003</comment>
        <translation>%s, section [%s]: AllowFrom=%s: %s</translation>
    </message>
    <message>
        <source>Connexion incorrecte : %s (%s n&apos;est pas une adresse IPv4 ou une adresse IPv6 entre crochets où écouter)</source>
        <comment>64004</comment>
        <translation>Invalid mapping: %s (%s is not an IPv4 address or a bracketed IPv6 address to listen on)</translation>
    </message>
    <message>
        <source>Option --allow : %s</source>
        <comment>64005</comment>
        <translation>Option --allow: %s</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : écoute sur l&apos;adresse %s</source>
        <comment>64006</comment>
        <translation>Mapping &quot;%s&quot;: listening on address %s</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : clients admis : %s</source>
        <comment>64007</comment>
        <translation>Mapping &quot;%s&quot;: clients allowed: %s</translation>
    </message>
    <message>
        <source>Pour n&apos;écouter que sur cet ordinateur, ôtez le « ; » de la ligne suivante (AllowFrom=... restreint les clients admis)</source>
        <comment>64008</comment>
        <translation>To listen on this computer only, remove the &quot;;&quot; from the next line (AllowFrom=... restricts the clients admitted)</translation>
    </message>
    <message>
        <source>Où écouter, qui admettre :
  ÉCOUTE          adresse IPv4, ou IPv6 entre crochets ([::1] ; [::] : toutes les interfaces IPv4 et IPv6) ;
                  sans elle, toutes les interfaces IPv4
  --allow LISTE   n&apos;admet que ces clients sur les connexions de la ligne de commande : adresses et réseaux
                  séparés par des virgules (127.0.0.0/8,::1) ; les autres reçoivent un reset
  Dans le fichier, par connexion : ListenAddress=127.0.0.1 et AllowFrom=192.168.1.0/24, ::1</source>
        <comment>64009</comment>
        <translation>Where to listen, whom to admit:
  LISTEN          an IPv4 address, or IPv6 in brackets ([::1]; [::]: every IPv4 and IPv6 interface);
                  without it, every IPv4 interface
  --allow LIST    admits only these clients on the command line&apos;s mappings: addresses and networks
                  separated by commas (127.0.0.0/8,::1); the others get a reset
  In the file, per mapping: ListenAddress=127.0.0.1 and AllowFrom=192.168.1.0/24, ::1</translation>
    </message>
    <message>
        <source>Attention : %s, section [%s] : Address=%s n&apos;est ni une adresse ni un nom d&apos;hôte, la connexion ne relaiera aucun client</source>
        <comment>64202</comment>
        <translation>Warning: %s, section [%s]: Address=%s is neither an address nor a host name, the mapping will relay no client</translation>
    </message>
    <message>
        <source>Attention : %s, section [%s] : AutoStart=%s n&apos;est ni 0 ni 1 ; seul son octet de poids faible compte, il est lu comme %d</source>
        <comment>64203</comment>
        <translation>Warning: %s, section [%s]: AutoStart=%s is neither 0 nor 1; only its lowest byte counts, it is read as %d</translation>
    </message>
</context>
</TS>

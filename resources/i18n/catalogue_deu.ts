<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="fr_FR">
<context>
    <name>Catalogue</name>
    <message>
        <source>Cible d&apos;export inconnue : %s (haproxy ou nginx)</source>
        <comment>64100</comment>
        <translation>Unbekanntes Exportziel: %s (haproxy oder nginx)</translation>
    </message>
    <message>
        <source>Les options --export et --check ne peuvent pas être utilisées ensemble</source>
        <comment>64101</comment>
        <translation>Die Optionen --export und --check können nicht zusammen verwendet werden</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : exportation vers %s impossible : %s</source>
        <comment>64102</comment>
        <translation>Verbindung &quot;%s&quot;: Export nach %s nicht möglich: %s</translation>
    </message>
    <message>
        <source>l&apos;adresse d&apos;écoute &quot;%s&quot; n&apos;est pas une adresse IPv4 ou IPv6</source>
        <comment>64103</comment>
        <translation>die Empfangsadresse &quot;%s&quot; ist keine IPv4- oder IPv6-Adresse</translation>
    </message>
    <message>
        <source>l&apos;hôte distant &quot;%s&quot; n&apos;est ni une adresse ni un nom d&apos;hôte</source>
        <comment>64104</comment>
        <translation>der entfernte Host &quot;%s&quot; ist weder eine Adresse noch ein Hostname</translation>
    </message>
    <message>
        <source>le port local %d est déjà celui de la connexion &quot;%s&quot; (tarvix-relay ne l&apos;activerait pas)</source>
        <comment>64105</comment>
        <translation>der lokale Port %d gehört bereits der Verbindung &quot;%s&quot; (tarvix-relay würde sie nicht aktivieren)</translation>
    </message>
    <message>
        <source>Produit par tarvix-relay --export %s le %s</source>
        <comment>64110</comment>
        <translation>Erzeugt von tarvix-relay --export %s am %s</translation>
    </message>
    <message>
        <source>Connexions du fichier %s :</source>
        <comment>64111</comment>
        <translation>Verbindungen der Datei %s:</translation>
    </message>
    <message>
        <source>Connexions de la ligne de commande :</source>
        <comment>64112</comment>
        <translation>Verbindungen der Befehlszeile:</translation>
    </message>
    <message>
        <source>Non repris : les états du programme de bureau, les lignes de --log-connections et le résumé de SIGUSR1.</source>
        <comment>64113</comment>
        <translation>Nicht übernommen: die Zustände des Desktop-Programms, die Zeilen von --log-connections und die Übersicht bei SIGUSR1.</translation>
    </message>
    <message>
        <source>Chaque tentative de connexion à la destination est limitée à 21 s, comme dans tarvix-relay.</source>
        <comment>64114</comment>
        <translation>Jeder Verbindungsversuch zum Ziel ist wie in tarvix-relay auf 21 s begrenzt.</translation>
    </message>
    <message>
        <source>tarvix-relay ne coupe pas une connexion inactive : ces délais sont les plus longs que le proxy accepte (24 jours).</source>
        <comment>64115</comment>
        <translation>tarvix-relay trennt keine untätige Verbindung: diese Zeitlimits sind die längsten, die der Proxy annimmt (24 Tage).</translation>
    </message>
    <message>
        <source>Un client qui termine son envoi reçoit encore toute la réponse, comme par tarvix-relay.</source>
        <comment>64116</comment>
        <translation>Ein Client, der sein Senden beendet, erhält wie über tarvix-relay noch die ganze Antwort.</translation>
    </message>
    <message>
        <source>Debian livre le module stream à part ; retirez cette ligne là où il est intégré à nginx.</source>
        <comment>64117</comment>
        <translation>Debian liefert das Stream-Modul getrennt; entfernen Sie diese Zeile, wo es in nginx eingebaut ist.</translation>
    </message>
    <message>
        <source>Chaque client relayé occupe deux connexions d&apos;un processus.</source>
        <comment>64118</comment>
        <translation>Jeder weitergeleitete Client belegt zwei Verbindungen eines Prozesses.</translation>
    </message>
    <message>
        <source>%s résout ce nom à son démarrage ; tarvix-relay le résout pour chaque client.</source>
        <comment>64119</comment>
        <translation>%s löst diesen Namen beim Start auf; tarvix-relay löst ihn für jeden Client auf.</translation>
    </message>
    <message>
        <source>Vers un proxy établi, quand une machine ne suffit plus :
  --export haproxy|nginx  écrit sur la sortie standard une configuration complète qui relaie les connexions choisies (mêmes choix que pour les activer), sans rien activer ;
                  vérifiez-la avec haproxy -c -f FICHIER ou nginx -t -c FICHIER.
  Non repris : les états du programme de bureau, les lignes de --log-connections, le résumé de SIGUSR1.</source>
        <comment>64120</comment>
        <translation>An einen etablierten Proxy, wenn eine Maschine nicht mehr reicht:
  --export haproxy|nginx  schreibt auf die Standardausgabe eine vollständige Konfiguration, die die gewählten Verbindungen weiterleitet (dieselbe Auswahl wie beim Aktivieren), ohne etwas zu aktivieren;
                  prüfen Sie sie mit haproxy -c -f DATEI oder nginx -t -c DATEI.
  Nicht übernommen: die Zustände des Desktop-Programms, die Zeilen von --log-connections, die Übersicht bei SIGUSR1.</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : client accepté, %s port %d (%d ouvert(s))</source>
        <comment>64150</comment>
        <translation>Weiterleitung &quot;%s&quot;: Client angenommen, %s Port %d (%d offen)</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : client %s port %d, %s port %d injoignable : %s</source>
        <comment>64151</comment>
        <translation>Weiterleitung &quot;%s&quot;: Client %s Port %d, %s Port %d nicht erreicht: %s</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : %d autre(s) échec(s) vers la destination en une seconde, le dernier : %s</source>
        <comment>64152</comment>
        <translation>Weiterleitung &quot;%s&quot;: %d weitere Fehlschläge zum Ziel innerhalb einer Sekunde, zuletzt: %s</translation>
    </message>
    <message>
        <source>Aucune connexion à activer dans %s : en attente d&apos;un rechargement</source>
        <comment>64153</comment>
        <translation>Keine zu aktivierende Weiterleitung in %s: warte auf ein Neuladen</translation>
    </message>
    <message>
        <source>%d connexion(s) active(s), %d non appliquée(s) au dernier rechargement (voir le journal)</source>
        <comment>64154</comment>
        <translation>%d Weiterleitung(en) aktiv, %d beim letzten Neuladen nicht übernommen (siehe Protokoll)</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : la nouvelle version ne démarre pas, l&apos;ancienne reste active</source>
        <comment>64155</comment>
        <translation>Weiterleitung &quot;%s&quot;: die neue Fassung startet nicht, die alte bleibt aktiv</translation>
    </message>
    <message>
        <source>Rechargement terminé : %d connexion(s) active(s), %d non appliquée(s)</source>
        <comment>64156</comment>
        <translation>Neu laden beendet: %d Weiterleitung(en) aktiv, %d nicht übernommen</translation>
    </message>
    <message>
        <source>l&apos;hôte distant %s ne se résout pas : %s</source>
        <comment>64157</comment>
        <translation>der entfernte Rechner %s lässt sich nicht auflösen: %s</translation>
    </message>
    <message>
        <source>Service :
  --service       un fichier sans connexion à activer n&apos;est pas une erreur : attend un rechargement (SIGHUP)
  --version       affiche la version</source>
        <comment>64158</comment>
        <translation>Dienst:
  --service       eine Datei ohne zu aktivierende Weiterleitung ist kein Fehler: wartet auf ein Neuladen (SIGHUP)
  --version       zeigt die Version</translation>
    </message>
    <message>
        <source>L&apos;hôte distant %s et le port %d mènent au port d&apos;écoute de la connexion elle-même : chaque client lui reviendrait sans fin</source>
        <comment>64200</comment>
        <translation>Der entfernte Host %s und der Port %d führen zum eigenen Empfangsport der Verbindung zurück: jeder Client käme endlos zu ihr zurück</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : %d client(s) refusé(s) faute de thread disponible</source>
        <comment>64201</comment>
        <translation>Verbindung &quot;%s&quot;: %d Client(s) abgewiesen, kein Thread verfügbar</translation>
    </message>
    <message>
        <source>Connexion incorrecte : %s (attendu [ÉCOUTE:]PORTLOCAL:HÔTE:PORT)</source>
        <comment>65100</comment>
        <translation>Ungültige Weiterleitung: %s (erwartet [ADRESSE:]LOKALERPORT:HOST:PORT)</translation>
    </message>
    <message>
        <source>Connexion incorrecte : %s (%s n&apos;est pas un port entre 1 et 65535)</source>
        <comment>65101</comment>
        <translation>Ungültige Weiterleitung: %s (%s ist kein Port zwischen 1 und 65535)</translation>
    </message>
    <message>
        <source>Connexion incorrecte : %s (l&apos;hôte est vide ou contient des espaces)</source>
        <comment>65102</comment>
        <translation>Ungültige Weiterleitung: %s (der Host ist leer oder enthält Leerzeichen)</translation>
    </message>
    <message>
        <source>Connexion incorrecte : %s (le port local %d est déjà celui de %s)</source>
        <comment>65103</comment>
        <translation>Ungültige Weiterleitung: %s (der lokale Port %d gehört schon zu %s)</translation>
    </message>
    <message>
        <source>Les options --all et --mapping choisissent dans un fichier de paramètres : ajoutez --ini FICHIER</source>
        <comment>65104</comment>
        <translation>Die Optionen --all und --mapping wählen aus einer Einstellungsdatei: --ini DATEI hinzufügen</translation>
    </message>
    <message>
        <source>Pour relayer un port, écrivez dans %s une connexion comme celle-ci (LocalPort : le port écouté ici ; Address et Port : l&apos;hôte et le port vers lesquels relayer), puis relancez tarvix-relay :</source>
        <comment>65105</comment>
        <translation>Um einen Port weiterzuleiten, schreiben Sie eine Weiterleitung wie diese in %s (LocalPort: der hier abgehörte Port; Address und Port: Host und Port, zu denen weitergeleitet wird) und starten Sie tarvix-relay erneut:</translation>
    </message>
    <message>
        <source>Exemple</source>
        <comment>65106</comment>
        <translation>Beispiel</translation>
    </message>
    <message>
        <source>Ou, sans fichier de paramètres : %s</source>
        <comment>65107</comment>
        <translation>Oder ohne Einstellungsdatei: %s</translation>
    </message>
    <message>
        <source>Attention : %s semble écrit en UTF-16 ; enregistrez-le en UTF-8</source>
        <comment>65108</comment>
        <translation>Warnung: %s scheint UTF-16 zu sein; speichern Sie sie als UTF-8</translation>
    </message>
    <message>
        <source>Attention : %s, section [%s] : pas de clé LocalPort, la connexion écoute sur le port %d</source>
        <comment>65109</comment>
        <translation>Warnung: %s, Abschnitt [%s]: kein Schlüssel LocalPort, die Weiterleitung hört auf Port %d</translation>
    </message>
    <message>
        <source>Attention : %s, section [%s] : pas de clé Address, la connexion ne relaie vers aucun hôte</source>
        <comment>65110</comment>
        <translation>Warnung: %s, Abschnitt [%s]: kein Schlüssel Address, die Weiterleitung leitet zu keinem Host weiter</translation>
    </message>
    <message>
        <source>Attention : %s, section [%s] : Address est vide, la connexion ne relaie vers aucun hôte</source>
        <comment>65111</comment>
        <translation>Warnung: %s, Abschnitt [%s]: Address ist leer, die Weiterleitung leitet zu keinem Host weiter</translation>
    </message>
    <message>
        <source>Attention : %s, section [%s] : pas de clé Port, la connexion relaie vers le port %d</source>
        <comment>65112</comment>
        <translation>Warnung: %s, Abschnitt [%s]: kein Schlüssel Port, die Weiterleitung leitet zu Port %d weiter</translation>
    </message>
    <message>
        <source>Attention : %s, section [%s] : la clé &quot;%s&quot; a des espaces autour et n&apos;est pas lue comme %s</source>
        <comment>65113</comment>
        <translation>Warnung: %s, Abschnitt [%s]: der Schlüssel &quot;%s&quot; hat Leerzeichen und wird nicht als %s gelesen</translation>
    </message>
    <message>
        <source>Attention : %s, section [%s] : la ligne &quot;%s&quot; n&apos;a pas de signe = et ne compte pas</source>
        <comment>65114</comment>
        <translation>Warnung: %s, Abschnitt [%s]: die Zeile &quot;%s&quot; hat kein Gleichheitszeichen und zählt nicht</translation>
    </message>
    <message>
        <source>Attention : %s, sections [%s] et [%s] : deux connexions sur le port local %d</source>
        <comment>65115</comment>
        <translation>Warnung: %s, Abschnitte [%s] und [%s]: zwei Weiterleitungen auf dem lokalen Port %d</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : le port %d est déjà celui de la connexion &quot;%s&quot;, elle n&apos;est pas activée</source>
        <comment>65116</comment>
        <translation>Weiterleitung &quot;%s&quot;: Port %d gehört schon zur Weiterleitung &quot;%s&quot;; sie wird nicht aktiviert</translation>
    </message>
    <message>
        <source>Vérification terminée : %d connexion(s) à activer, %d avertissement(s), aucune erreur</source>
        <comment>65117</comment>
        <translation>Prüfung beendet: %d Weiterleitung(en) zu aktivieren, %d Warnung(en), kein Fehler</translation>
    </message>
    <message>
        <source>%d connexion(s) active(s)</source>
        <comment>65118</comment>
        <translation>%d Weiterleitung(en) aktiv</translation>
    </message>
    <message>
        <source>Rechargement demandé (%s) : relecture de %s</source>
        <comment>65119</comment>
        <translation>Neu laden angefordert (%s): %s wird neu gelesen</translation>
    </message>
    <message>
        <source>Rechargement demandé (%s) : pas de fichier de paramètres, rien ne change</source>
        <comment>65120</comment>
        <translation>Neu laden angefordert (%s): keine Einstellungsdatei, nichts ändert sich</translation>
    </message>
    <message>
        <source>Rechargement abandonné, rien n&apos;a changé : %s</source>
        <comment>65121</comment>
        <translation>Neu laden abgebrochen, nichts hat sich geändert: %s</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : inchangée, reste active</source>
        <comment>65122</comment>
        <translation>Weiterleitung &quot;%s&quot;: unverändert, bleibt aktiv</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : retirée, désactivée</source>
        <comment>65123</comment>
        <translation>Weiterleitung &quot;%s&quot;: entfernt, deaktiviert</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : modifiée, écoute sur le port %d, relais vers %s port %d</source>
        <comment>65124</comment>
        <translation>Weiterleitung &quot;%s&quot;: geändert, lauscht auf Port %d, leitet weiter an %s Port %d</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : ajoutée, écoute sur le port %d, relais vers %s port %d</source>
        <comment>65125</comment>
        <translation>Weiterleitung &quot;%s&quot;: hinzugefügt, lauscht auf Port %d, leitet weiter an %s Port %d</translation>
    </message>
    <message>
        <source>Rechargement terminé : %d connexion(s) active(s)</source>
        <comment>65126</comment>
        <translation>Neu laden beendet: %d Weiterleitung(en) aktiv</translation>
    </message>
    <message>
        <source>Nouveau signal (%s) : fin immédiate</source>
        <comment>65127</comment>
        <translation>Weiteres Signal (%s): sofortiges Ende</translation>
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
        <translation>Exit-Codes:
  0  Ende durch ein Signal, alle Weiterleitungen deaktiviert (oder Hilfe angezeigt, oder Prüfung ohne Fehler)
  1  unerwarteter Fehler
  2  ungültige Befehlszeile
  3  Einstellungsdatei fehlt oder ist nicht lesbar (ein Weiterleitungsbeispiel wird angezeigt)
  4  ungültiger Wert in der Einstellungsdatei
  5  unbekannter Weiterleitungsname
  6  keine Weiterleitung zu aktivieren (ein Weiterleitungsbeispiel wird angezeigt)
  7  eine Weiterleitung konnte nicht aktiviert werden (Port belegt...); keine bleibt aktiv</translation>
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
        <translation>Aufruf: tarvix-relay [OPTIONEN] [[ADRESSE:]LOKALERPORT:HOST:PORT...]
Leitet TCP-Ports ohne Fenster weiter: die Weiterleitungen einer Einstellungsdatei, die der Befehlszeile oder beide, bis SIGINT oder SIGTERM eintrifft.
SIGHUP liest die Datei neu: unveränderte Weiterleitungen bleiben mit ihren Clients aktiv.
Ohne --all und --mapping werden die Weiterleitungen der Datei aktiviert, deren AutoStart 1 ist.

  [ADRESSE:]LOKALERPORT:HOST:PORT  hört auf LOKALERPORT und leitet an HOST (Name oder Adresse) Port PORT weiter;
                  ohne --ini wird keine Einstellungsdatei gelesen
  --ini DATEI     Einstellungsdatei (Vorgabe: %s)
  --all           aktiviert alle Weiterleitungen der Datei
  --mapping NAME  aktiviert die Weiterleitung dieses Namens (wiederholbar)
  --quiet, -q     zeigt angenommene und beendete Clients nicht an
  --check         prüft Datei und Befehlszeile, ohne etwas zu aktivieren
  --help, -h      zeigt diese Hilfe an</translation>
    </message>
    <message>
        <source>Option inconnue : %s</source>
        <comment>65169</comment>
        <translation>Unbekannte Option: %s</translation>
    </message>
    <message>
        <source>Valeur manquante pour l&apos;option %s</source>
        <comment>65170</comment>
        <translation>Fehlender Wert für die Option %s</translation>
    </message>
    <message>
        <source>Option donnée plusieurs fois : %s</source>
        <comment>65171</comment>
        <translation>Option mehrfach angegeben: %s</translation>
    </message>
    <message>
        <source>Argument inattendu : %s</source>
        <comment>65172</comment>
        <translation>Unerwartetes Argument: %s</translation>
    </message>
    <message>
        <source>Les options --all et --mapping ne peuvent pas être utilisées ensemble</source>
        <comment>65173</comment>
        <translation>Die Optionen --all und --mapping können nicht zusammen verwendet werden</translation>
    </message>
    <message>
        <source>Voir tarvix-relay --help</source>
        <comment>65174</comment>
        <translation>Siehe tarvix-relay --help</translation>
    </message>
    <message>
        <source>%s : %s</source>
        <comment>65175</comment>
        <translation>%s: %s</translation>
    </message>
    <message>
        <source>%s, section [%s] : %s</source>
        <comment>65176</comment>
        <translation>%s, Abschnitt [%s]: %s</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; introuvable dans %s</source>
        <comment>65177</comment>
        <translation>Weiterleitung &quot;%s&quot; nicht gefunden in %s</translation>
    </message>
    <message>
        <source>Aucune connexion à activer dans %s</source>
        <comment>65178</comment>
        <translation>Keine zu aktivierende Weiterleitung in %s</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : écoute sur le port %d, relais vers %s port %d</source>
        <comment>65179</comment>
        <translation>Weiterleitung &quot;%s&quot;: lauscht auf Port %d, leitet weiter an %s Port %d</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : client accepté (%d ouvert(s))</source>
        <comment>65180</comment>
        <translation>Weiterleitung &quot;%s&quot;: Client angenommen (%d offen)</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : client terminé (%d ouvert(s))</source>
        <comment>65181</comment>
        <translation>Weiterleitung &quot;%s&quot;: Client beendet (%d offen)</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; (port %d) : %s</source>
        <comment>65182</comment>
        <translation>Weiterleitung &quot;%s&quot; (Port %d): %s</translation>
    </message>
    <message>
        <source>Arrêt demandé (%s) : désactivation des connexions</source>
        <comment>65183</comment>
        <translation>Beenden angefordert (%s): Weiterleitungen werden deaktiviert</translation>
    </message>
    <message>
        <source>Connexions désactivées</source>
        <comment>65184</comment>
        <translation>Weiterleitungen deaktiviert</translation>
    </message>
    <message>
        <source>Erreur inattendue : %s</source>
        <comment>65185</comment>
        <translation>Unerwarteter Fehler: %s</translation>
    </message>
    <message>
        <source>%s, section [%s] : %s=%d n&apos;est pas un port entre 1 et 65535</source>
        <comment>65186</comment>
        <translation>%s, Abschnitt [%s]: %s=%d ist kein Port zwischen 1 und 65535</translation>
    </message>
    <message>
        <source>%d ligne(s) du journal perdue(s) : la sortie d&apos;erreur ne suivait pas</source>
        <comment>65187</comment>
        <translation>%d Protokollzeile(n) verloren: die Standardfehlerausgabe kam nicht nach</translation>
    </message>
    <message>
        <source>Impossible d&apos;enregistrer &apos;%s&apos; : le fichier de paramètres n&apos;admet ni saut de ligne ni Ctrl-Z, ni « = » dans un nom de clé, ni « [ » au début d&apos;un nom de clé</source>
        <comment>65188</comment>
        <translation>„%s“ kann nicht gespeichert werden: Die Einstellungsdatei erlaubt weder Zeilenumbruch noch Strg-Z, kein „=“ in einem Schlüsselnamen und kein „[“ am Anfang eines Schlüsselnamens</translation>
    </message>
    <message>
        <source>Pile Winsock</source>
        <comment>65220</comment>
        <translation>Winsock-Stapel</translation>
    </message>
    <message>
        <source>Modifier</source>
        <comment>65221</comment>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Connexion impossible à l&apos;adresse %s sur le port %d</source>
        <comment>65222</comment>
        <translation>Keine Verbindung zu %s auf Port %d möglich</translation>
    </message>
    <message>
        <source>Connexion réussie</source>
        <comment>65223</comment>
        <translation>Verbindung erfolgreich</translation>
    </message>
    <message>
        <source>Suppression de &quot;%s&quot;&#13;&#13;Confirmez ?</source>
        <comment>65224</comment>
        <translation>&quot;%s&quot; löschen?&#13;&#13;Bitte bestätigen Sie.</translation>
    </message>
    <message>
        <source>Activer</source>
        <comment>65226</comment>
        <translation>Aktivieren</translation>
    </message>
    <message>
        <source>Désactiver</source>
        <comment>65227</comment>
        <translation>Deaktivieren</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot;&#13;&#13;Le Port %d est déjà utilisé</source>
        <comment>65228</comment>
        <translation>Verbindung &quot;%s&quot;&#13;&#13;Port %d wird bereits verwendet</translation>
    </message>
    <message>
        <source>TARVIX Port Mapping&#13;&#13;Arrêt en cours. Attendez SVP...</source>
        <comment>65229</comment>
        <translation>TARVIX Port Mapping&#13;&#13;Wird beendet. Bitte warten...</translation>
    </message>
    <message>
        <source>Trop de niveaux de liens symboliques.</source>
        <comment>65232</comment>
        <translation>Zu viele Ebenen symbolischer Verknüpfungen.</translation>
    </message>
    <message>
        <source>Nom de fichier trop long.</source>
        <comment>65233</comment>
        <translation>Dateiname zu lang.</translation>
    </message>
    <message>
        <source>Hôte arrêté.</source>
        <comment>65234</comment>
        <translation>Der Host ist nicht in Betrieb.</translation>
    </message>
    <message>
        <source>Pas de route vers l&apos;hôte.</source>
        <comment>65235</comment>
        <translation>Keine Route zum Host.</translation>
    </message>
    <message>
        <source>Répertoire non vide</source>
        <comment>65236</comment>
        <translation>Verzeichnis nicht leer</translation>
    </message>
    <message>
        <source>Famille de protocole non supportée.</source>
        <comment>65248</comment>
        <translation>Protokollfamilie wird nicht unterstützt.</translation>
    </message>
    <message>
        <source>Famille d&apos;adresse non supportée par la famille de protocole.</source>
        <comment>65249</comment>
        <translation>Adressfamilie wird von der Protokollfamilie nicht unterstützt.</translation>
    </message>
    <message>
        <source>Adresse déjà utilisée.</source>
        <comment>65250</comment>
        <translation>Adresse wird bereits verwendet.</translation>
    </message>
    <message>
        <source>Impossible d&apos;affecter l&apos;adresse requise.</source>
        <comment>65251</comment>
        <translation>Die angeforderte Adresse kann nicht zugewiesen werden.</translation>
    </message>
    <message>
        <source>Le réseau est arrêté.</source>
        <comment>65252</comment>
        <translation>Das Netzwerk ist nicht in Betrieb.</translation>
    </message>
    <message>
        <source>Le réseau est inaccessible.</source>
        <comment>65253</comment>
        <translation>Das Netzwerk ist nicht erreichbar.</translation>
    </message>
    <message>
        <source>Connexion interrompue ou réinitialisée par le réseau.</source>
        <comment>65254</comment>
        <translation>Verbindung vom Netzwerk unterbrochen oder zurückgesetzt.</translation>
    </message>
    <message>
        <source>Le logiciel a provoqué l&apos;interruption de la connexion.</source>
        <comment>65255</comment>
        <translation>Die Verbindung wurde durch die Software abgebrochen.</translation>
    </message>
    <message>
        <source>Connexion réinitialisée par l&apos;homologue (peer).</source>
        <comment>65256</comment>
        <translation>Verbindung von der Gegenstelle zurückgesetzt.</translation>
    </message>
    <message>
        <source>Aucun espace tampon disponible.</source>
        <comment>65257</comment>
        <translation>Kein Pufferspeicher verfügbar.</translation>
    </message>
    <message>
        <source>Socket déjà connecté.</source>
        <comment>65258</comment>
        <translation>Der Socket ist bereits verbunden.</translation>
    </message>
    <message>
        <source>Le socket n&apos;est pas connecté.</source>
        <comment>65259</comment>
        <translation>Der Socket ist nicht verbunden.</translation>
    </message>
    <message>
        <source>Envoi ou réception impossible après la fermeture du socket.</source>
        <comment>65260</comment>
        <translation>Senden oder Empfangen nach dem Schließen des Sockets nicht möglich.</translation>
    </message>
    <message>
        <source>Références trop nombreuses, attribution impossible.</source>
        <comment>65261</comment>
        <translation>Zu viele Verweise, Zuweisung nicht möglich.</translation>
    </message>
    <message>
        <source>Délai de connexion dépassé.</source>
        <comment>65262</comment>
        <translation>Zeitüberschreitung der Verbindung.</translation>
    </message>
    <message>
        <source>Connexion refusée.</source>
        <comment>65263</comment>
        <translation>Verbindung abgelehnt.</translation>
    </message>
    <message>
        <source>Nombre de fichiers incorrect.</source>
        <comment>65264</comment>
        <translation>Ungültige Dateinummer.</translation>
    </message>
    <message>
        <source>Accès refusé.</source>
        <comment>65265</comment>
        <translation>Zugriff verweigert.</translation>
    </message>
    <message>
        <source>Adresse incorrecte.</source>
        <comment>65266</comment>
        <translation>Ungültige Adresse.</translation>
    </message>
    <message>
        <source>Argument incorrect.</source>
        <comment>65267</comment>
        <translation>Ungültiges Argument.</translation>
    </message>
    <message>
        <source>Trop de fichiers ouverts.</source>
        <comment>65268</comment>
        <translation>Zu viele offene Dateien.</translation>
    </message>
    <message>
        <source>L&apos;opération risquerait de bloquer. </source>
        <comment>65269</comment>
        <translation>Der Vorgang würde blockieren.</translation>
    </message>
    <message>
        <source>Opération en cours.</source>
        <comment>65270</comment>
        <translation>Vorgang wird ausgeführt.</translation>
    </message>
    <message>
        <source>Opération déjà en cours.</source>
        <comment>65271</comment>
        <translation>Vorgang wird bereits ausgeführt.</translation>
    </message>
    <message>
        <source>Opération socket sur cible non-socket.</source>
        <comment>65272</comment>
        <translation>Socket-Operation auf einem Objekt, das kein Socket ist.</translation>
    </message>
    <message>
        <source>Adresse de destination requise.</source>
        <comment>65273</comment>
        <translation>Zieladresse erforderlich.</translation>
    </message>
    <message>
        <source>Message trop long.</source>
        <comment>65274</comment>
        <translation>Nachricht zu lang.</translation>
    </message>
    <message>
        <source>Type de protocole inapproprié pour le socket.</source>
        <comment>65275</comment>
        <translation>Falscher Protokolltyp für den Socket.</translation>
    </message>
    <message>
        <source>Option de protocole incorrecte.</source>
        <comment>65276</comment>
        <translation>Ungültige Protokolloption.</translation>
    </message>
    <message>
        <source>Protocole non supporté.</source>
        <comment>65277</comment>
        <translation>Protokoll wird nicht unterstützt.</translation>
    </message>
    <message>
        <source>Type de socket non supporté.</source>
        <comment>65278</comment>
        <translation>Sockettyp wird nicht unterstützt.</translation>
    </message>
    <message>
        <source>Opération non supportée sur un socket.</source>
        <comment>65279</comment>
        <translation>Vorgang wird für Sockets nicht unterstützt.</translation>
    </message>
    <message>
        <source>%s n&apos;a pas pu être chargé.</source>
        <comment>65280</comment>
        <translation>%s konnte nicht geladen werden.</translation>
    </message>
    <message>
        <source>Taille d&apos;ensemble dépassée.</source>
        <comment>65281</comment>
        <translation>Maximale Größe der Menge überschritten.</translation>
    </message>
    <message>
        <source>Classe Thread non spécifiée.</source>
        <comment>65282</comment>
        <translation>Thread-Klasse nicht angegeben.</translation>
    </message>
    <message>
        <source>Un seul TNetAntiFreeze peut exister par application.</source>
        <comment>65283</comment>
        <translation>Pro Anwendung darf es nur ein TNetAntiFreeze geben.</translation>
    </message>
    <message>
        <source>InterceptEnabled ne peut être défini à true lorsque Intercept vaut nil.</source>
        <comment>65284</comment>
        <translation>InterceptEnabled kann nicht auf true gesetzt werden, solange Intercept nil ist.</translation>
    </message>
    <message>
        <source>Aucun gestionnaire d&apos;exécution n&apos;a été trouvé.</source>
        <comment>65285</comment>
        <translation>Keine Ausführungsroutine gefunden.</translation>
    </message>
    <message>
        <source>Pas de données pour la lecture.</source>
        <comment>65286</comment>
        <translation>Keine Daten zum Lesen vorhanden.</translation>
    </message>
    <message>
        <source>Résolution du nom d&apos;hôte %s.</source>
        <comment>65287</comment>
        <translation>Hostname %s wird aufgelöst.</translation>
    </message>
    <message>
        <source>Connexion à %s.</source>
        <comment>65288</comment>
        <translation>Verbindung mit %s wird hergestellt.</translation>
    </message>
    <message>
        <source>Connecté.</source>
        <comment>65289</comment>
        <translation>Verbunden.</translation>
    </message>
    <message>
        <source>Déconnexion de %s.</source>
        <comment>65290</comment>
        <translation>Verbindung mit %s wird getrennt.</translation>
    </message>
    <message>
        <source>Pas connecté.</source>
        <comment>65291</comment>
        <translation>Nicht verbunden.</translation>
    </message>
    <message>
        <source>%s</source>
        <comment>65292</comment>
        <translation>%s</translation>
    </message>
    <message>
        <source>%s n&apos;est pas un service correct.</source>
        <comment>65293</comment>
        <translation>%s ist kein gültiger Dienst.</translation>
    </message>
    <message>
        <source>Erreur de socket # %d&#13;
%s</source>
        <comment>65294</comment>
        <translation>Socket-Fehler # %d&#13;
%s</translation>
    </message>
    <message>
        <source>Appel système interrompu.</source>
        <comment>65295</comment>
        <translation>Systemaufruf unterbrochen.</translation>
    </message>
    <message>
        <source>%s n&apos;est pas un entier correct</source>
        <comment>65301</comment>
        <translation>%s ist keine gültige Ganzzahl</translation>
    </message>
    <message>
        <source>%s n&apos;est pas un booléen correct</source>
        <comment>65302</comment>
        <translation>%s ist kein gültiger Wahrheitswert</translation>
    </message>
    <message>
        <source>Déjà connecté.</source>
        <comment>65306</comment>
        <translation>Bereits verbunden.</translation>
    </message>
    <message>
        <source>Impossible d&apos;allouer le socket.</source>
        <comment>65307</comment>
        <translation>Socket kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>La connexion s&apos;est terminée proprement.</source>
        <comment>65308</comment>
        <translation>Die Verbindung wurde ordnungsgemäß beendet.</translation>
    </message>
    <message>
        <source>Impossible d&apos;établir une liaison avec le socket. L&apos;adresse et le port sont déjà utilisés.</source>
        <comment>65309</comment>
        <translation>Socket konnte nicht gebunden werden. Adresse und Port werden bereits verwendet.</translation>
    </message>
    <message>
        <source>Pas suffisamment de données en mémoire tampon.</source>
        <comment>65310</comment>
        <translation>Nicht genügend Daten im Puffer.</translation>
    </message>
    <message>
        <source>Erreur d&apos;initialisation Winsock.</source>
        <comment>65311</comment>
        <translation>Fehler bei der Winsock-Initialisierung.</translation>
    </message>
    <message>
        <source>ExtractData : StringList pas créée !</source>
        <comment>65327</comment>
        <translation>ExtractData: StringList nicht erstellt!</translation>
    </message>
    <message>
        <source>Avertissement</source>
        <comment>65346</comment>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Erreur</source>
        <comment>65347</comment>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Information</source>
        <comment>65348</comment>
        <translation>Information</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <comment>65349</comment>
        <translation>Bestätigung</translation>
    </message>
    <message>
        <source>&amp;Oui</source>
        <comment>65350</comment>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>&amp;Non</source>
        <comment>65351</comment>
        <translation>&amp;Nein</translation>
    </message>
    <message>
        <source>OK</source>
        <comment>65352</comment>
        <translation>OK</translation>
    </message>
    <message>
        <source>Annuler</source>
        <comment>65353</comment>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Erreur socket Windows : %s (%d), avec l&apos;API &apos;%s&apos;</source>
        <comment>65392</comment>
        <translation>Windows-Socket-Fehler: %s (%d), bei API &apos;%s&apos;</translation>
    </message>
    <message>
        <source>Erreur socket asynchrone %d</source>
        <comment>65393</comment>
        <translation>Asynchroner Socket-Fehler %d</translation>
    </message>
    <message>
        <source>Aucune adresse spécifiée</source>
        <comment>65394</comment>
        <translation>Keine Adresse angegeben</translation>
    </message>
    <message>
        <source>Impossible de créer le nouveau socket</source>
        <comment>65395</comment>
        <translation>Neuer Socket kann nicht erstellt werden</translation>
    </message>
    <message>
        <source>Socket déjà ouvert</source>
        <comment>65396</comment>
        <translation>Socket bereits geöffnet</translation>
    </message>
    <message>
        <source>Modification de valeur impossible lorsque le socket est actif</source>
        <comment>65397</comment>
        <translation>Der Wert kann nicht geändert werden, solange der Socket aktiv ist</translation>
    </message>
    <message>
        <source>Echec à la définition des données pour &apos;%s&apos;</source>
        <comment>65437</comment>
        <translation>Fehler beim Setzen der Daten für &apos;%s&apos;</translation>
    </message>
    <message>
        <source>Type de données incorrect pour &apos;%s&apos;</source>
        <comment>65438</comment>
        <translation>Ungültiger Datentyp für &apos;%s&apos;</translation>
    </message>
    <message>
        <source>Aucun argument pour le format &apos;%s&apos;</source>
        <comment>65496</comment>
        <translation>Kein Argument für das Format &apos;%s&apos;</translation>
    </message>
    <message>
        <source>Le format &apos;%s&apos; est incorrect ou incompatible avec l&apos;argument</source>
        <comment>65497</comment>
        <translation>Format &apos;%s&apos; ist ungültig oder passt nicht zum Argument</translation>
    </message>
    <message>
        <source>&apos;%s&apos; n&apos;est pas une valeur entière correcte</source>
        <comment>65520</comment>
        <translation>&apos;%s&apos; ist kein gültiger ganzzahliger Wert</translation>
    </message>
    <message>
        <source>Erreur E/S %d</source>
        <comment>65522</comment>
        <translation>E/A-Fehler %d</translation>
    </message>
    <message>
        <source>Fichier introuvable</source>
        <comment>65523</comment>
        <translation>Datei nicht gefunden</translation>
    </message>
    <message>
        <source>Nom de fichier incorrect</source>
        <comment>65524</comment>
        <translation>Ungültiger Dateiname</translation>
    </message>
    <message>
        <source>Trop de fichiers ouverts</source>
        <comment>65525</comment>
        <translation>Zu viele offene Dateien</translation>
    </message>
    <message>
        <source>Accès au fichier refusé</source>
        <comment>65526</comment>
        <translation>Dateizugriff verweigert</translation>
    </message>
    <message>
        <source>Lecture au-delà de la fin de fichier</source>
        <comment>65527</comment>
        <translation>Lesen über das Dateiende hinaus</translation>
    </message>
    <message>
        <source>Disque plein</source>
        <comment>65528</comment>
        <translation>Datenträger voll</translation>
    </message>
    <message>
        <source>Aucune application n&apos;a pu ouvrir le document d&apos;aide :&#13;%s</source>
        <comment>65060</comment>
        <translation>Keine Anwendung konnte das Hilfedokument öffnen:&#13;%s</translation>
    </message>
    <message>
        <source>Aucune application n&apos;a pu ouvrir la page web :&#13;%s</source>
        <comment>65061</comment>
        <translation>Keine Anwendung konnte die Webseite öffnen:&#13;%s</translation>
    </message>
    <message>
        <source>Le document d&apos;aide est introuvable :&#13;%s</source>
        <comment>65062</comment>
        <translation>Das Hilfedokument wurde nicht gefunden:&#13;%s</translation>
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
        <translation>Aufruf: tarvix-relay [--ini DATEI] [--all | --mapping NAME...] [--quiet]
Aktiviert die Weiterleitungen einer Einstellungsdatei und leitet ihren Datenverkehr weiter, bis SIGINT, SIGTERM oder SIGHUP eintrifft.
Ohne --all und --mapping werden die Weiterleitungen aktiviert, deren AutoStart 1 ist.

  --ini DATEI     Einstellungsdatei (Vorgabe: %s)
  --all           aktiviert alle Weiterleitungen der Datei
  --mapping NAME  aktiviert die Weiterleitung dieses Namens (wiederholbar)
  --quiet, -q     zeigt angenommene und beendete Clients nicht an
  --help, -h      zeigt diese Hilfe an

Exit-Codes:
  0  Ende durch ein Signal, alle Weiterleitungen deaktiviert (oder Hilfe angezeigt)
  1  unerwarteter Fehler
  2  ungültige Befehlszeile
  3  Einstellungsdatei fehlt oder ist nicht lesbar
  4  ungültiger Wert in der Einstellungsdatei
  5  unbekannter Weiterleitungsname
  6  keine Weiterleitung zu aktivieren
  7  eine Weiterleitung konnte nicht aktiviert werden (Port belegt...); keine bleibt aktiv</translation>
    </message>
    <message>
        <source>Démarrer avec la session</source>
        <comment>65080</comment>
        <translation>Mit der Sitzung starten</translation>
    </message>
    <message>
        <source>Le démarrage avec la session ne peut pas être enregistré dans %s :&#13;%s</source>
        <comment>65081</comment>
        <translation>Der Start mit der Sitzung kann nicht in %s gespeichert werden:&#13;%s</translation>
    </message>
    <message>
        <source>Le démarrage avec la session ne peut pas être supprimé (%s) :&#13;%s</source>
        <comment>65082</comment>
        <translation>Der Start mit der Sitzung kann nicht entfernt werden (%s):&#13;%s</translation>
    </message>
    <message>
        <source>TARVIX Port Mapping est déjà lancé pour le fichier %s mais ne répond pas.</source>
        <comment>65083</comment>
        <translation>TARVIX Port Mapping läuft bereits für die Datei %s, antwortet aber nicht.</translation>
    </message>
    <message>
        <source>→ %s:%d</source>
        <comment>65140</comment>
        <translation>→ %s:%d</translation>
    </message>
    <message>
        <source>%s connexion ouverte, %s depuis l&apos;activation — reçus %s, envoyés %s</source>
        <comment>65141</comment>
        <translation>%s Verbindung offen, %s seit der Aktivierung — empfangen %s, gesendet %s</translation>
    </message>
    <message>
        <source>%s connexions ouvertes, %s depuis l&apos;activation — reçus %s, envoyés %s</source>
        <comment>65142</comment>
        <translation>%s Verbindungen offen, %s seit der Aktivierung — empfangen %s, gesendet %s</translation>
    </message>
    <message>
        <source>Dernier échec vers la destination à %s : %s</source>
        <comment>65143</comment>
        <translation>Letzter Fehlschlag zum Ziel um %s: %s</translation>
    </message>
    <message>
        <source>connexion refusée par la destination</source>
        <comment>65144</comment>
        <translation>Verbindung vom Ziel abgelehnt</translation>
    </message>
    <message>
        <source>hôte inconnu</source>
        <comment>65145</comment>
        <translation>unbekannter Host</translation>
    </message>
    <message>
        <source>pas de réponse</source>
        <comment>65146</comment>
        <translation>keine Antwort</translation>
    </message>
    <message>
        <source>erreur de socket # %d</source>
        <comment>65147</comment>
        <translation>Socket-Fehler # %d</translation>
    </message>
    <message>
        <source>%s o</source>
        <comment>65148</comment>
        <translation>%s Byte</translation>
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
        <translation>Weiterleitung &quot;%s&quot;: Client %s:%d nach %d ms beendet, %d Byte vom Client, %d Byte zum Client, %s</translation>
    </message>
    <message>
        <source>fermée par le client</source>
        <comment>65153</comment>
        <translation>vom Client geschlossen</translation>
    </message>
    <message>
        <source>fermée par la destination</source>
        <comment>65154</comment>
        <translation>vom Ziel geschlossen</translation>
    </message>
    <message>
        <source>réinitialisée</source>
        <comment>65155</comment>
        <translation>zurückgesetzt</translation>
    </message>
    <message>
        <source>destination injoignable</source>
        <comment>65156</comment>
        <translation>Ziel nicht erreichbar</translation>
    </message>
    <message>
        <source>désactivée</source>
        <comment>65157</comment>
        <translation>deaktiviert</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : %d ouverte(s), %d depuis l&apos;activation, %d octets des clients, %d octets vers les clients</source>
        <comment>65158</comment>
        <translation>Weiterleitung &quot;%s&quot;: %d offen, %d seit der Aktivierung, %d Byte von Clients, %d Byte zu Clients</translation>
    </message>
    <message>
        <source>Trafic :
  --log-connections  une ligne par client terminé : adresse, port, durée, octets dans chaque sens, fin
  SIGUSR1            une ligne par connexion active avec ses compteurs, comme à l&apos;arrêt</source>
        <comment>65159</comment>
        <translation>Datenverkehr:
  --log-connections  eine Zeile je beendetem Client: Adresse, Port, Dauer, Bytes in jede Richtung, Ende
  SIGUSR1            eine Zeile je aktiver Weiterleitung mit ihren Zählern, wie beim Beenden</translation>
    </message>
    <message>
        <source>Arrêter</source>
        <comment>64050</comment>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; (port %d) : activation impossible&#13;&#13;%s</source>
        <comment>64051</comment>
        <translation>Verbindung &quot;%s&quot; (Port %d) konnte nicht aktiviert werden&#13;&#13;%s</translation>
    </message>
    <message>
        <source>Activation impossible : %s</source>
        <comment>64052</comment>
        <translation>Aktivierung fehlgeschlagen: %s</translation>
    </message>
    <message>
        <source>Le port local %d est déjà celui de la connexion &quot;%s&quot;.&#13;&#13;Sauver quand même ?</source>
        <comment>64053</comment>
        <translation>Der lokale Port %d ist bereits der Port der Verbindung &quot;%s&quot;.&#13;&#13;Trotzdem speichern?</translation>
    </message>
    <message>
        <source>Toutes les interfaces IPv4</source>
        <comment>64054</comment>
        <translation>Alle IPv4-Schnittstellen</translation>
    </message>
    <message>
        <source>Cet ordinateur seulement (127.0.0.1)</source>
        <comment>64055</comment>
        <translation>Nur dieser Computer (127.0.0.1)</translation>
    </message>
    <message>
        <source>Toutes les interfaces (IPv4 et IPv6)</source>
        <comment>64056</comment>
        <translation>Alle Schnittstellen (IPv4 und IPv6)</translation>
    </message>
    <message>
        <source>Adresse d&apos;écoute incorrecte : %s&#13;(une adresse IPv4 ou IPv6 de cet ordinateur, par exemple 127.0.0.1 ou ::1)</source>
        <comment>64057</comment>
        <translation>Ungültige Empfangsadresse: %s&#13;(eine IPv4- oder IPv6-Adresse dieses Computers, zum Beispiel 127.0.0.1 oder ::1)</translation>
    </message>
    <message>
        <source>Client admis incorrect : %s&#13;(des adresses ou réseaux IPv4 ou IPv6 séparés par des virgules, par exemple 192.168.1.0/24, ::1)</source>
        <comment>64058</comment>
        <translation>Ungültiger zugelassener Client: %s&#13;(IPv4- oder IPv6-Adressen oder -Netze, durch Kommas getrennt, zum Beispiel 192.168.1.0/24, ::1)</translation>
    </message>
    <message>
        <source>Écoute sur %s</source>
        <comment>64059</comment>
        <translation>Empfängt auf %s</translation>
    </message>
    <message>
        <source>Clients admis : %s</source>
        <comment>64060</comment>
        <translation>Zugelassene Clients: %s</translation>
    </message>
    <message>
        <source>%s client refusé</source>
        <comment>64061</comment>
        <translation>%s Client abgewiesen</translation>
    </message>
    <message>
        <source>%s clients refusés</source>
        <comment>64062</comment>
        <translation>%s Clients abgewiesen</translation>
    </message>
    <message>
        <source>Utilisation : tarvix [--help | --version]

TARVIX Port Mapping relaie des ports TCP. Sans option, la fenêtre et l&apos;icône de la zone de notification s&apos;ouvrent, ou la fenêtre du programme déjà lancé pour le même fichier de paramètres vient au premier plan.

  --help     affiche cette aide
  --version  affiche la version

Fichier de paramètres : %s
Sans bureau : tarvix-relay --help</source>
        <comment>64063</comment>
        <translation>Aufruf: tarvix [--help | --version]

TARVIX Port Mapping leitet TCP-Ports weiter. Ohne Option öffnen sich das Fenster und das Symbol im Infobereich, oder das Fenster des bereits für dieselbe Einstellungsdatei laufenden Programms kommt nach vorn.

  --help     zeigt diese Hilfe
  --version  zeigt die Version

Einstellungsdatei: %s
Ohne Desktop: tarvix-relay --help</translation>
    </message>
    <message>
        <source>Adresse ou réseau incorrect : %s</source>
        <comment>64000</comment>
        <translation>Ungültige Adresse oder ungültiges Netz: %s</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : client %s port %d refusé (hors de la liste AllowFrom)</source>
        <comment>64001</comment>
        <translation>Weiterleitung &quot;%s&quot;: Client %s Port %d abgewiesen (nicht in der AllowFrom-Liste)</translation>
    </message>
    <message>
        <source>%s, section [%s] : ListenAddress=%s n&apos;est pas une adresse IPv4 ou IPv6 (par exemple 127.0.0.1, ::1 ou ::)</source>
        <comment>64002</comment>
        <translation>%s, Abschnitt [%s]: ListenAddress=%s ist keine IPv4- oder IPv6-Adresse (zum Beispiel 127.0.0.1, ::1 oder ::)</translation>
    </message>
    <message>
        <source>%s, section [%s] : AllowFrom=%s : %s</source>
        <comment>64003</comment>
        <translation>%s, Abschnitt [%s]: AllowFrom=%s: %s</translation>
    </message>
    <message>
        <source>Connexion incorrecte : %s (%s n&apos;est pas une adresse IPv4 ou une adresse IPv6 entre crochets où écouter)</source>
        <comment>64004</comment>
        <translation>Ungültige Weiterleitung: %s (%s ist keine IPv4-Adresse und keine IPv6-Adresse in eckigen Klammern zum Lauschen)</translation>
    </message>
    <message>
        <source>Option --allow : %s</source>
        <comment>64005</comment>
        <translation>Option --allow: %s</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : écoute sur l&apos;adresse %s</source>
        <comment>64006</comment>
        <translation>Weiterleitung &quot;%s&quot;: lauscht auf Adresse %s</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : clients admis : %s</source>
        <comment>64007</comment>
        <translation>Weiterleitung &quot;%s&quot;: zugelassene Clients: %s</translation>
    </message>
    <message>
        <source>Pour n&apos;écouter que sur cet ordinateur, ôtez le « ; » de la ligne suivante (AllowFrom=... restreint les clients admis)</source>
        <comment>64008</comment>
        <translation>Um nur auf diesem Computer zu lauschen, entfernen Sie das &quot;;&quot; der nächsten Zeile (AllowFrom=... beschränkt die zugelassenen Clients)</translation>
    </message>
    <message>
        <source>Où écouter, qui admettre :
  ÉCOUTE          adresse IPv4, ou IPv6 entre crochets ([::1] ; [::] : toutes les interfaces IPv4 et IPv6) ;
                  sans elle, toutes les interfaces IPv4
  --allow LISTE   n&apos;admet que ces clients sur les connexions de la ligne de commande : adresses et réseaux
                  séparés par des virgules (127.0.0.0/8,::1) ; les autres reçoivent un reset
  Dans le fichier, par connexion : ListenAddress=127.0.0.1 et AllowFrom=192.168.1.0/24, ::1</source>
        <comment>64009</comment>
        <translation>Wo lauschen, wen zulassen:
  ADRESSE         eine IPv4-Adresse oder IPv6 in eckigen Klammern ([::1]; [::]: alle IPv4- und IPv6-Schnittstellen);
                  ohne sie alle IPv4-Schnittstellen
  --allow LISTE   lässt für die Weiterleitungen der Befehlszeile nur diese Clients zu: Adressen und Netze,
                  durch Kommas getrennt (127.0.0.0/8,::1); die anderen erhalten einen Reset
  In der Datei, je Weiterleitung: ListenAddress=127.0.0.1 und AllowFrom=192.168.1.0/24, ::1</translation>
    </message>
    <message>
        <source>Attention : %s, section [%s] : Address=%s n&apos;est ni une adresse ni un nom d&apos;hôte, la connexion ne relaiera aucun client</source>
        <comment>64202</comment>
        <translation>Warnung: %s, Abschnitt [%s]: Address=%s ist weder eine Adresse noch ein Hostname, die Weiterleitung wird keinen Client weiterleiten</translation>
    </message>
    <message>
        <source>Attention : %s, section [%s] : AutoStart=%s n&apos;est ni 0 ni 1 ; seul son octet de poids faible compte, il est lu comme %d</source>
        <comment>64203</comment>
        <translation>Warnung: %s, Abschnitt [%s]: AutoStart=%s ist weder 0 noch 1; nur das niedrigste Byte zählt, es wird als %d gelesen</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT" sourcelanguage="fr_FR">
<context>
    <name>Catalogue</name>
    <message>
        <source>Cible d&apos;export inconnue : %s (haproxy ou nginx)</source>
        <comment>64100</comment>
        <translation>Destinazione di esportazione sconosciuta: %s (haproxy o nginx)</translation>
    </message>
    <message>
        <source>Les options --export et --check ne peuvent pas être utilisées ensemble</source>
        <comment>64101</comment>
        <translation>Le opzioni --export e --check non possono essere usate insieme</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : exportation vers %s impossible : %s</source>
        <comment>64102</comment>
        <translation>Connessione &quot;%s&quot;: impossibile esportarla verso %s: %s</translation>
    </message>
    <message>
        <source>l&apos;adresse d&apos;écoute &quot;%s&quot; n&apos;est pas une adresse IPv4 ou IPv6</source>
        <comment>64103</comment>
        <translation>l&apos;indirizzo di ascolto &quot;%s&quot; non è un indirizzo IPv4 o IPv6</translation>
    </message>
    <message>
        <source>l&apos;hôte distant &quot;%s&quot; n&apos;est ni une adresse ni un nom d&apos;hôte</source>
        <comment>64104</comment>
        <translation>l&apos;host remoto &quot;%s&quot; non è né un indirizzo né un nome host</translation>
    </message>
    <message>
        <source>le port local %d est déjà celui de la connexion &quot;%s&quot; (tarvix-relay ne l&apos;activerait pas)</source>
        <comment>64105</comment>
        <translation>la porta locale %d è già della connessione &quot;%s&quot; (tarvix-relay non la attiverebbe)</translation>
    </message>
    <message>
        <source>Produit par tarvix-relay --export %s le %s</source>
        <comment>64110</comment>
        <translation>Prodotto da tarvix-relay --export %s il %s</translation>
    </message>
    <message>
        <source>Connexions du fichier %s :</source>
        <comment>64111</comment>
        <translation>Connessioni del file %s:</translation>
    </message>
    <message>
        <source>Connexions de la ligne de commande :</source>
        <comment>64112</comment>
        <translation>Connessioni della riga di comando:</translation>
    </message>
    <message>
        <source>Non repris : les états du programme de bureau, les lignes de --log-connections et le résumé de SIGUSR1.</source>
        <comment>64113</comment>
        <translation>Non riportati: gli stati del programma desktop, le righe di --log-connections e il riepilogo di SIGUSR1.</translation>
    </message>
    <message>
        <source>Chaque tentative de connexion à la destination est limitée à 21 s, comme dans tarvix-relay.</source>
        <comment>64114</comment>
        <translation>Ogni tentativo di connessione alla destinazione è limitato a 21 s, come in tarvix-relay.</translation>
    </message>
    <message>
        <source>tarvix-relay ne coupe pas une connexion inactive : ces délais sont les plus longs que le proxy accepte (24 jours).</source>
        <comment>64115</comment>
        <translation>tarvix-relay non interrompe una connessione inattiva: questi tempi sono i più lunghi che il proxy accetta (24 giorni).</translation>
    </message>
    <message>
        <source>Un client qui termine son envoi reçoit encore toute la réponse, comme par tarvix-relay.</source>
        <comment>64116</comment>
        <translation>Un client che termina l&apos;invio riceve ancora tutta la risposta, come attraverso tarvix-relay.</translation>
    </message>
    <message>
        <source>Debian livre le module stream à part ; retirez cette ligne là où il est intégré à nginx.</source>
        <comment>64117</comment>
        <translation>Debian fornisce il modulo stream a parte; togliete questa riga dove è integrato in nginx.</translation>
    </message>
    <message>
        <source>Chaque client relayé occupe deux connexions d&apos;un processus.</source>
        <comment>64118</comment>
        <translation>Ogni client inoltrato occupa due connessioni di un processo.</translation>
    </message>
    <message>
        <source>%s résout ce nom à son démarrage ; tarvix-relay le résout pour chaque client.</source>
        <comment>64119</comment>
        <translation>%s risolve questo nome all&apos;avvio; tarvix-relay lo risolve per ogni client.</translation>
    </message>
    <message>
        <source>Vers un proxy établi, quand une machine ne suffit plus :
  --export haproxy|nginx  écrit sur la sortie standard une configuration complète qui relaie les connexions choisies (mêmes choix que pour les activer), sans rien activer ;
                  vérifiez-la avec haproxy -c -f FICHIER ou nginx -t -c FICHIER.
  Non repris : les états du programme de bureau, les lignes de --log-connections, le résumé de SIGUSR1.</source>
        <comment>64120</comment>
        <translation>Verso un proxy affermato, quando una macchina non basta più:
  --export haproxy|nginx  scrive sull&apos;output standard una configurazione completa che inoltra le connessioni scelte (la stessa scelta usata per attivarle), senza attivare nulla;
                  verificatela con haproxy -c -f FILE o nginx -t -c FILE.
  Non riportati: gli stati del programma desktop, le righe di --log-connections, il riepilogo di SIGUSR1.</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : client accepté, %s port %d (%d ouvert(s))</source>
        <comment>64150</comment>
        <translation>Inoltro &quot;%s&quot;: client accettato, %s porta %d (%d aperti)</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : client %s port %d, %s port %d injoignable : %s</source>
        <comment>64151</comment>
        <translation>Inoltro &quot;%s&quot;: client %s porta %d, %s porta %d non raggiunto: %s</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : %d autre(s) échec(s) vers la destination en une seconde, le dernier : %s</source>
        <comment>64152</comment>
        <translation>Inoltro &quot;%s&quot;: altri %d fallimenti verso la destinazione in un secondo, l&apos;ultimo: %s</translation>
    </message>
    <message>
        <source>Aucune connexion à activer dans %s : en attente d&apos;un rechargement</source>
        <comment>64153</comment>
        <translation>Nessun inoltro da attivare in %s: in attesa di un ricaricamento</translation>
    </message>
    <message>
        <source>%d connexion(s) active(s), %d non appliquée(s) au dernier rechargement (voir le journal)</source>
        <comment>64154</comment>
        <translation>%d inoltro/i attivo/i, %d non applicato/i all&apos;ultimo ricaricamento (vedere il log)</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : la nouvelle version ne démarre pas, l&apos;ancienne reste active</source>
        <comment>64155</comment>
        <translation>Inoltro &quot;%s&quot;: la nuova versione non si avvia, la vecchia resta attiva</translation>
    </message>
    <message>
        <source>Rechargement terminé : %d connexion(s) active(s), %d non appliquée(s)</source>
        <comment>64156</comment>
        <translation>Ricaricamento terminato: %d inoltro/i attivo/i, %d non applicato/i</translation>
    </message>
    <message>
        <source>l&apos;hôte distant %s ne se résout pas : %s</source>
        <comment>64157</comment>
        <translation>l&apos;host remoto %s non si risolve: %s</translation>
    </message>
    <message>
        <source>Service :
  --service       un fichier sans connexion à activer n&apos;est pas une erreur : attend un rechargement (SIGHUP)
  --version       affiche la version</source>
        <comment>64158</comment>
        <translation>Servizio:
  --service       un file senza inoltri da attivare non è un errore: attende un ricaricamento (SIGHUP)
  --version       mostra la versione</translation>
    </message>
    <message>
        <source>L&apos;hôte distant %s et le port %d mènent au port d&apos;écoute de la connexion elle-même : chaque client lui reviendrait sans fin</source>
        <comment>64200</comment>
        <translation>L&apos;host remoto %s e la porta %d riportano alla porta di ascolto della connessione stessa: ogni client vi tornerebbe senza fine</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : %d client(s) refusé(s) faute de thread disponible</source>
        <comment>64201</comment>
        <translation>Connessione &quot;%s&quot;: %d client rifiutato/i, nessun thread disponibile</translation>
    </message>
    <message>
        <source>Connexion incorrecte : %s (attendu [ÉCOUTE:]PORTLOCAL:HÔTE:PORT)</source>
        <comment>65100</comment>
        <translation>Inoltro non valido: %s (atteso [ASCOLTO:]PORTALOCALE:HOST:PORTA)</translation>
    </message>
    <message>
        <source>Connexion incorrecte : %s (%s n&apos;est pas un port entre 1 et 65535)</source>
        <comment>65101</comment>
        <translation>Inoltro non valido: %s (%s non è una porta tra 1 e 65535)</translation>
    </message>
    <message>
        <source>Connexion incorrecte : %s (l&apos;hôte est vide ou contient des espaces)</source>
        <comment>65102</comment>
        <translation>Inoltro non valido: %s (l&apos;host è vuoto o contiene spazi)</translation>
    </message>
    <message>
        <source>Connexion incorrecte : %s (le port local %d est déjà celui de %s)</source>
        <comment>65103</comment>
        <translation>Inoltro non valido: %s (la porta locale %d è già usata da %s)</translation>
    </message>
    <message>
        <source>Les options --all et --mapping choisissent dans un fichier de paramètres : ajoutez --ini FICHIER</source>
        <comment>65104</comment>
        <translation>Le opzioni --all e --mapping scelgono da un file di impostazioni: aggiungere --ini FILE</translation>
    </message>
    <message>
        <source>Pour relayer un port, écrivez dans %s une connexion comme celle-ci (LocalPort : le port écouté ici ; Address et Port : l&apos;hôte et le port vers lesquels relayer), puis relancez tarvix-relay :</source>
        <comment>65105</comment>
        <translation>Per inoltrare una porta, scrivere in %s un inoltro come questo (LocalPort: la porta in ascolto qui; Address e Port: host e porta verso cui inoltrare), poi riavviare tarvix-relay:</translation>
    </message>
    <message>
        <source>Exemple</source>
        <comment>65106</comment>
        <translation>Esempio</translation>
    </message>
    <message>
        <source>Ou, sans fichier de paramètres : %s</source>
        <comment>65107</comment>
        <translation>Oppure, senza file di impostazioni: %s</translation>
    </message>
    <message>
        <source>Attention : %s semble écrit en UTF-16 ; enregistrez-le en UTF-8</source>
        <comment>65108</comment>
        <translation>Attenzione: %s sembra scritto in UTF-16; salvarlo in UTF-8</translation>
    </message>
    <message>
        <source>Attention : %s, section [%s] : pas de clé LocalPort, la connexion écoute sur le port %d</source>
        <comment>65109</comment>
        <translation>Attenzione: %s, sezione [%s]: nessuna chiave LocalPort, l&apos;inoltro ascolta sulla porta %d</translation>
    </message>
    <message>
        <source>Attention : %s, section [%s] : pas de clé Address, la connexion ne relaie vers aucun hôte</source>
        <comment>65110</comment>
        <translation>Attenzione: %s, sezione [%s]: nessuna chiave Address, l&apos;inoltro non punta verso alcun host</translation>
    </message>
    <message>
        <source>Attention : %s, section [%s] : Address est vide, la connexion ne relaie vers aucun hôte</source>
        <comment>65111</comment>
        <translation>Attenzione: %s, sezione [%s]: Address è vuoto, l&apos;inoltro non punta verso alcun host</translation>
    </message>
    <message>
        <source>Attention : %s, section [%s] : pas de clé Port, la connexion relaie vers le port %d</source>
        <comment>65112</comment>
        <translation>Attenzione: %s, sezione [%s]: nessuna chiave Port, l&apos;inoltro punta verso la porta %d</translation>
    </message>
    <message>
        <source>Attention : %s, section [%s] : la clé &quot;%s&quot; a des espaces autour et n&apos;est pas lue comme %s</source>
        <comment>65113</comment>
        <translation>Attenzione: %s, sezione [%s]: la chiave &quot;%s&quot; ha spazi intorno e non viene letta come %s</translation>
    </message>
    <message>
        <source>Attention : %s, section [%s] : la ligne &quot;%s&quot; n&apos;a pas de signe = et ne compte pas</source>
        <comment>65114</comment>
        <translation>Attenzione: %s, sezione [%s]: la riga &quot;%s&quot; non ha il segno = e non conta</translation>
    </message>
    <message>
        <source>Attention : %s, sections [%s] et [%s] : deux connexions sur le port local %d</source>
        <comment>65115</comment>
        <translation>Attenzione: %s, sezioni [%s] e [%s]: due inoltri sulla porta locale %d</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : le port %d est déjà celui de la connexion &quot;%s&quot;, elle n&apos;est pas activée</source>
        <comment>65116</comment>
        <translation>Inoltro &quot;%s&quot;: la porta %d è già usata dall&apos;inoltro &quot;%s&quot;; non viene attivato</translation>
    </message>
    <message>
        <source>Vérification terminée : %d connexion(s) à activer, %d avertissement(s), aucune erreur</source>
        <comment>65117</comment>
        <translation>Verifica terminata: %d inoltro/i da attivare, %d avviso/i, nessun errore</translation>
    </message>
    <message>
        <source>%d connexion(s) active(s)</source>
        <comment>65118</comment>
        <translation>%d inoltro/i attivo/i</translation>
    </message>
    <message>
        <source>Rechargement demandé (%s) : relecture de %s</source>
        <comment>65119</comment>
        <translation>Ricaricamento richiesto (%s): rilettura di %s</translation>
    </message>
    <message>
        <source>Rechargement demandé (%s) : pas de fichier de paramètres, rien ne change</source>
        <comment>65120</comment>
        <translation>Ricaricamento richiesto (%s): nessun file di impostazioni, non cambia nulla</translation>
    </message>
    <message>
        <source>Rechargement abandonné, rien n&apos;a changé : %s</source>
        <comment>65121</comment>
        <translation>Ricaricamento annullato, nulla è cambiato: %s</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : inchangée, reste active</source>
        <comment>65122</comment>
        <translation>Inoltro &quot;%s&quot;: invariato, resta attivo</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : retirée, désactivée</source>
        <comment>65123</comment>
        <translation>Inoltro &quot;%s&quot;: rimosso, disattivato</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : modifiée, écoute sur le port %d, relais vers %s port %d</source>
        <comment>65124</comment>
        <translation>Inoltro &quot;%s&quot;: modificato, in ascolto sulla porta %d, inoltro verso %s porta %d</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : ajoutée, écoute sur le port %d, relais vers %s port %d</source>
        <comment>65125</comment>
        <translation>Inoltro &quot;%s&quot;: aggiunto, in ascolto sulla porta %d, inoltro verso %s porta %d</translation>
    </message>
    <message>
        <source>Rechargement terminé : %d connexion(s) active(s)</source>
        <comment>65126</comment>
        <translation>Ricaricamento terminato: %d inoltro/i attivo/i</translation>
    </message>
    <message>
        <source>Nouveau signal (%s) : fin immédiate</source>
        <comment>65127</comment>
        <translation>Nuovo segnale (%s): fine immediata</translation>
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
        <translation>Codici di uscita:
  0  arresto tramite segnale, tutti gli inoltri disattivati (o aiuto mostrato, o verifica senza errori)
  1  errore imprevisto
  2  riga di comando non valida
  3  file di impostazioni mancante o illeggibile (viene mostrato un esempio di inoltro)
  4  valore non valido nel file di impostazioni
  5  nome di inoltro sconosciuto
  6  nessun inoltro da attivare (viene mostrato un esempio di inoltro)
  7  un inoltro non ha potuto essere attivato (porta occupata...); nessuno resta attivo</translation>
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
        <translation>Uso: tarvix-relay [OPZIONI] [[ASCOLTO:]PORTALOCALE:HOST:PORTA...]
Inoltra porte TCP senza finestra: gli inoltri di un file di impostazioni, quelli della riga di comando, o entrambi, fino a SIGINT o SIGTERM.
SIGHUP rilegge il file: gli inoltri invariati restano attivi con i loro client.
Senza --all né --mapping, vengono attivati gli inoltri del file il cui AutoStart vale 1.

  [ASCOLTO:]PORTALOCALE:HOST:PORTA  ascolta su PORTALOCALE e inoltra verso HOST (nome o indirizzo) porta PORTA;
                  senza --ini non viene letto alcun file di impostazioni
  --ini FILE      file di impostazioni (predefinito: %s)
  --all           attiva tutti gli inoltri del file
  --mapping NOME  attiva l&apos;inoltro con questo nome (ripetibile)
  --quiet, -q     non mostra i client accettati e terminati
  --check         verifica il file e la riga di comando senza attivare nulla
  --help, -h      mostra questo aiuto</translation>
    </message>
    <message>
        <source>Option inconnue : %s</source>
        <comment>65169</comment>
        <translation>Opzione sconosciuta: %s</translation>
    </message>
    <message>
        <source>Valeur manquante pour l&apos;option %s</source>
        <comment>65170</comment>
        <translation>Valore mancante per l&apos;opzione %s</translation>
    </message>
    <message>
        <source>Option donnée plusieurs fois : %s</source>
        <comment>65171</comment>
        <translation>Opzione indicata più volte: %s</translation>
    </message>
    <message>
        <source>Argument inattendu : %s</source>
        <comment>65172</comment>
        <translation>Argomento inatteso: %s</translation>
    </message>
    <message>
        <source>Les options --all et --mapping ne peuvent pas être utilisées ensemble</source>
        <comment>65173</comment>
        <translation>Le opzioni --all e --mapping non possono essere usate insieme</translation>
    </message>
    <message>
        <source>Voir tarvix-relay --help</source>
        <comment>65174</comment>
        <translation>Vedere tarvix-relay --help</translation>
    </message>
    <message>
        <source>%s : %s</source>
        <comment>65175</comment>
        <translation>%s: %s</translation>
    </message>
    <message>
        <source>%s, section [%s] : %s</source>
        <comment>65176</comment>
        <translation>%s, sezione [%s]: %s</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; introuvable dans %s</source>
        <comment>65177</comment>
        <translation>Inoltro &quot;%s&quot; non trovato in %s</translation>
    </message>
    <message>
        <source>Aucune connexion à activer dans %s</source>
        <comment>65178</comment>
        <translation>Nessun inoltro da attivare in %s</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : écoute sur le port %d, relais vers %s port %d</source>
        <comment>65179</comment>
        <translation>Inoltro &quot;%s&quot;: in ascolto sulla porta %d, inoltro verso %s porta %d</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : client accepté (%d ouvert(s))</source>
        <comment>65180</comment>
        <translation>Inoltro &quot;%s&quot;: client accettato (%d aperti)</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : client terminé (%d ouvert(s))</source>
        <comment>65181</comment>
        <translation>Inoltro &quot;%s&quot;: client terminato (%d aperti)</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; (port %d) : %s</source>
        <comment>65182</comment>
        <translation>Inoltro &quot;%s&quot; (porta %d): %s</translation>
    </message>
    <message>
        <source>Arrêt demandé (%s) : désactivation des connexions</source>
        <comment>65183</comment>
        <translation>Arresto richiesto (%s): disattivazione degli inoltri</translation>
    </message>
    <message>
        <source>Connexions désactivées</source>
        <comment>65184</comment>
        <translation>Inoltri disattivati</translation>
    </message>
    <message>
        <source>Erreur inattendue : %s</source>
        <comment>65185</comment>
        <translation>Errore imprevisto: %s</translation>
    </message>
    <message>
        <source>%s, section [%s] : %s=%d n&apos;est pas un port entre 1 et 65535</source>
        <comment>65186</comment>
        <translation>%s, sezione [%s]: %s=%d non è una porta tra 1 e 65535</translation>
    </message>
    <message>
        <source>%d ligne(s) du journal perdue(s) : la sortie d&apos;erreur ne suivait pas</source>
        <comment>65187</comment>
        <translation>%d righe di log perse: lo standard error non teneva il passo</translation>
    </message>
    <message>
        <source>Impossible d&apos;enregistrer &apos;%s&apos; : le fichier de paramètres n&apos;admet ni saut de ligne ni Ctrl-Z, ni « = » dans un nom de clé, ni « [ » au début d&apos;un nom de clé</source>
        <comment>65188</comment>
        <translation>Impossibile salvare &apos;%s&apos;: il file delle impostazioni non ammette né a capo né Ctrl-Z, né «=» in un nome di chiave, né «[» all&apos;inizio di un nome di chiave</translation>
    </message>
    <message>
        <source>Pile Winsock</source>
        <comment>65220</comment>
        <translation>Stack Winsock</translation>
    </message>
    <message>
        <source>Modifier</source>
        <comment>65221</comment>
        <translation>Modifica</translation>
    </message>
    <message>
        <source>Connexion impossible à l&apos;adresse %s sur le port %d</source>
        <comment>65222</comment>
        <translation>Impossibile connettersi a %s sulla porta %d</translation>
    </message>
    <message>
        <source>Connexion réussie</source>
        <comment>65223</comment>
        <translation>Connessione riuscita</translation>
    </message>
    <message>
        <source>Suppression de &quot;%s&quot;&#13;&#13;Confirmez ?</source>
        <comment>65224</comment>
        <translation>Eliminare &quot;%s&quot;?&#13;&#13;Confermare l&apos;eliminazione.</translation>
    </message>
    <message>
        <source>Activer</source>
        <comment>65226</comment>
        <translation>Attiva</translation>
    </message>
    <message>
        <source>Désactiver</source>
        <comment>65227</comment>
        <translation>Disattiva</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot;&#13;&#13;Le Port %d est déjà utilisé</source>
        <comment>65228</comment>
        <translation>Connessione &quot;%s&quot;&#13;&#13;La porta %d è già in uso</translation>
    </message>
    <message>
        <source>TARVIX Port Mapping&#13;&#13;Arrêt en cours. Attendez SVP...</source>
        <comment>65229</comment>
        <translation>TARVIX Port Mapping&#13;&#13;Chiusura in corso. Attendere...</translation>
    </message>
    <message>
        <source>Trop de niveaux de liens symboliques.</source>
        <comment>65232</comment>
        <translation>Troppi livelli di collegamenti simbolici.</translation>
    </message>
    <message>
        <source>Nom de fichier trop long.</source>
        <comment>65233</comment>
        <translation>Nome di file troppo lungo.</translation>
    </message>
    <message>
        <source>Hôte arrêté.</source>
        <comment>65234</comment>
        <translation>L&apos;host non è attivo.</translation>
    </message>
    <message>
        <source>Pas de route vers l&apos;hôte.</source>
        <comment>65235</comment>
        <translation>Nessun percorso verso l&apos;host.</translation>
    </message>
    <message>
        <source>Répertoire non vide</source>
        <comment>65236</comment>
        <translation>Cartella non vuota</translation>
    </message>
    <message>
        <source>Famille de protocole non supportée.</source>
        <comment>65248</comment>
        <translation>Famiglia di protocolli non supportata.</translation>
    </message>
    <message>
        <source>Famille d&apos;adresse non supportée par la famille de protocole.</source>
        <comment>65249</comment>
        <translation>Famiglia di indirizzi non supportata dalla famiglia di protocolli.</translation>
    </message>
    <message>
        <source>Adresse déjà utilisée.</source>
        <comment>65250</comment>
        <translation>Indirizzo già in uso.</translation>
    </message>
    <message>
        <source>Impossible d&apos;affecter l&apos;adresse requise.</source>
        <comment>65251</comment>
        <translation>Impossibile assegnare l&apos;indirizzo richiesto.</translation>
    </message>
    <message>
        <source>Le réseau est arrêté.</source>
        <comment>65252</comment>
        <translation>La rete non è attiva.</translation>
    </message>
    <message>
        <source>Le réseau est inaccessible.</source>
        <comment>65253</comment>
        <translation>La rete non è raggiungibile.</translation>
    </message>
    <message>
        <source>Connexion interrompue ou réinitialisée par le réseau.</source>
        <comment>65254</comment>
        <translation>Connessione interrotta o reimpostata dalla rete.</translation>
    </message>
    <message>
        <source>Le logiciel a provoqué l&apos;interruption de la connexion.</source>
        <comment>65255</comment>
        <translation>Connessione interrotta dal software.</translation>
    </message>
    <message>
        <source>Connexion réinitialisée par l&apos;homologue (peer).</source>
        <comment>65256</comment>
        <translation>Connessione reimpostata dall&apos;host remoto.</translation>
    </message>
    <message>
        <source>Aucun espace tampon disponible.</source>
        <comment>65257</comment>
        <translation>Spazio di buffer non disponibile.</translation>
    </message>
    <message>
        <source>Socket déjà connecté.</source>
        <comment>65258</comment>
        <translation>Il socket è già connesso.</translation>
    </message>
    <message>
        <source>Le socket n&apos;est pas connecté.</source>
        <comment>65259</comment>
        <translation>Il socket non è connesso.</translation>
    </message>
    <message>
        <source>Envoi ou réception impossible après la fermeture du socket.</source>
        <comment>65260</comment>
        <translation>Impossibile inviare o ricevere dopo la chiusura del socket.</translation>
    </message>
    <message>
        <source>Références trop nombreuses, attribution impossible.</source>
        <comment>65261</comment>
        <translation>Troppi riferimenti, impossibile allocare.</translation>
    </message>
    <message>
        <source>Délai de connexion dépassé.</source>
        <comment>65262</comment>
        <translation>Tempo di connessione scaduto.</translation>
    </message>
    <message>
        <source>Connexion refusée.</source>
        <comment>65263</comment>
        <translation>Connessione rifiutata.</translation>
    </message>
    <message>
        <source>Nombre de fichiers incorrect.</source>
        <comment>65264</comment>
        <translation>Numero di file non valido.</translation>
    </message>
    <message>
        <source>Accès refusé.</source>
        <comment>65265</comment>
        <translation>Accesso negato.</translation>
    </message>
    <message>
        <source>Adresse incorrecte.</source>
        <comment>65266</comment>
        <translation>Indirizzo non valido.</translation>
    </message>
    <message>
        <source>Argument incorrect.</source>
        <comment>65267</comment>
        <translation>Argomento non valido.</translation>
    </message>
    <message>
        <source>Trop de fichiers ouverts.</source>
        <comment>65268</comment>
        <translation>Troppi file aperti.</translation>
    </message>
    <message>
        <source>L&apos;opération risquerait de bloquer. </source>
        <comment>65269</comment>
        <translation>L&apos;operazione sarebbe bloccante.</translation>
    </message>
    <message>
        <source>Opération en cours.</source>
        <comment>65270</comment>
        <translation>Operazione in corso.</translation>
    </message>
    <message>
        <source>Opération déjà en cours.</source>
        <comment>65271</comment>
        <translation>Operazione già in corso.</translation>
    </message>
    <message>
        <source>Opération socket sur cible non-socket.</source>
        <comment>65272</comment>
        <translation>Operazione socket su un oggetto che non è un socket.</translation>
    </message>
    <message>
        <source>Adresse de destination requise.</source>
        <comment>65273</comment>
        <translation>Indirizzo di destinazione obbligatorio.</translation>
    </message>
    <message>
        <source>Message trop long.</source>
        <comment>65274</comment>
        <translation>Messaggio troppo lungo.</translation>
    </message>
    <message>
        <source>Type de protocole inapproprié pour le socket.</source>
        <comment>65275</comment>
        <translation>Tipo di protocollo errato per il socket.</translation>
    </message>
    <message>
        <source>Option de protocole incorrecte.</source>
        <comment>65276</comment>
        <translation>Opzione di protocollo non valida.</translation>
    </message>
    <message>
        <source>Protocole non supporté.</source>
        <comment>65277</comment>
        <translation>Protocollo non supportato.</translation>
    </message>
    <message>
        <source>Type de socket non supporté.</source>
        <comment>65278</comment>
        <translation>Tipo di socket non supportato.</translation>
    </message>
    <message>
        <source>Opération non supportée sur un socket.</source>
        <comment>65279</comment>
        <translation>Operazione non supportata sul socket.</translation>
    </message>
    <message>
        <source>%s n&apos;a pas pu être chargé.</source>
        <comment>65280</comment>
        <translation>Impossibile caricare %s.</translation>
    </message>
    <message>
        <source>Taille d&apos;ensemble dépassée.</source>
        <comment>65281</comment>
        <translation>Dimensione massima dell&apos;insieme superata.</translation>
    </message>
    <message>
        <source>Classe Thread non spécifiée.</source>
        <comment>65282</comment>
        <translation>Classe del thread non specificata.</translation>
    </message>
    <message>
        <source>Un seul TNetAntiFreeze peut exister par application.</source>
        <comment>65283</comment>
        <translation>Può esistere un solo TNetAntiFreeze per applicazione.</translation>
    </message>
    <message>
        <source>InterceptEnabled ne peut être défini à true lorsque Intercept vaut nil.</source>
        <comment>65284</comment>
        <translation>InterceptEnabled non può essere impostato a true quando Intercept è nil.</translation>
    </message>
    <message>
        <source>Aucun gestionnaire d&apos;exécution n&apos;a été trouvé.</source>
        <comment>65285</comment>
        <translation>Nessun gestore di esecuzione trovato.</translation>
    </message>
    <message>
        <source>Pas de données pour la lecture.</source>
        <comment>65286</comment>
        <translation>Nessun dato da leggere.</translation>
    </message>
    <message>
        <source>Résolution du nom d&apos;hôte %s.</source>
        <comment>65287</comment>
        <translation>Risoluzione del nome host %s.</translation>
    </message>
    <message>
        <source>Connexion à %s.</source>
        <comment>65288</comment>
        <translation>Connessione a %s.</translation>
    </message>
    <message>
        <source>Connecté.</source>
        <comment>65289</comment>
        <translation>Connesso.</translation>
    </message>
    <message>
        <source>Déconnexion de %s.</source>
        <comment>65290</comment>
        <translation>Disconnessione da %s.</translation>
    </message>
    <message>
        <source>Pas connecté.</source>
        <comment>65291</comment>
        <translation>Non connesso.</translation>
    </message>
    <message>
        <source>%s</source>
        <comment>65292</comment>
        <translation>%s</translation>
    </message>
    <message>
        <source>%s n&apos;est pas un service correct.</source>
        <comment>65293</comment>
        <translation>%s non è un servizio valido.</translation>
    </message>
    <message>
        <source>Erreur de socket # %d&#13;
%s</source>
        <comment>65294</comment>
        <translation>Errore socket n. %d&#13;
%s</translation>
    </message>
    <message>
        <source>Appel système interrompu.</source>
        <comment>65295</comment>
        <translation>Chiamata di sistema interrotta.</translation>
    </message>
    <message>
        <source>%s n&apos;est pas un entier correct</source>
        <comment>65301</comment>
        <translation>%s non è un numero intero valido</translation>
    </message>
    <message>
        <source>%s n&apos;est pas un booléen correct</source>
        <comment>65302</comment>
        <translation>%s non è un valore booleano valido</translation>
    </message>
    <message>
        <source>Déjà connecté.</source>
        <comment>65306</comment>
        <translation>Già connesso.</translation>
    </message>
    <message>
        <source>Impossible d&apos;allouer le socket.</source>
        <comment>65307</comment>
        <translation>Impossibile allocare il socket.</translation>
    </message>
    <message>
        <source>La connexion s&apos;est terminée proprement.</source>
        <comment>65308</comment>
        <translation>La connessione è stata chiusa correttamente.</translation>
    </message>
    <message>
        <source>Impossible d&apos;établir une liaison avec le socket. L&apos;adresse et le port sont déjà utilisés.</source>
        <comment>65309</comment>
        <translation>Impossibile associare il socket. Indirizzo e porta sono già in uso.</translation>
    </message>
    <message>
        <source>Pas suffisamment de données en mémoire tampon.</source>
        <comment>65310</comment>
        <translation>Dati insufficienti nel buffer.</translation>
    </message>
    <message>
        <source>Erreur d&apos;initialisation Winsock.</source>
        <comment>65311</comment>
        <translation>Errore di inizializzazione di Winsock.</translation>
    </message>
    <message>
        <source>ExtractData : StringList pas créée !</source>
        <comment>65327</comment>
        <translation>ExtractData: StringList non creata!</translation>
    </message>
    <message>
        <source>Avertissement</source>
        <comment>65346</comment>
        <translation>Avviso</translation>
    </message>
    <message>
        <source>Erreur</source>
        <comment>65347</comment>
        <translation>Errore</translation>
    </message>
    <message>
        <source>Information</source>
        <comment>65348</comment>
        <translation>Informazione</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <comment>65349</comment>
        <translation>Conferma</translation>
    </message>
    <message>
        <source>&amp;Oui</source>
        <comment>65350</comment>
        <translation>&amp;Sì</translation>
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
        <translation>Annulla</translation>
    </message>
    <message>
        <source>Erreur socket Windows : %s (%d), avec l&apos;API &apos;%s&apos;</source>
        <comment>65392</comment>
        <translation>Errore socket Windows: %s (%d), con l&apos;API &apos;%s&apos;</translation>
    </message>
    <message>
        <source>Erreur socket asynchrone %d</source>
        <comment>65393</comment>
        <translation>Errore socket asincrono %d</translation>
    </message>
    <message>
        <source>Aucune adresse spécifiée</source>
        <comment>65394</comment>
        <translation>Nessun indirizzo specificato</translation>
    </message>
    <message>
        <source>Impossible de créer le nouveau socket</source>
        <comment>65395</comment>
        <translation>Impossibile creare il nuovo socket</translation>
    </message>
    <message>
        <source>Socket déjà ouvert</source>
        <comment>65396</comment>
        <translation>Socket già aperto</translation>
    </message>
    <message>
        <source>Modification de valeur impossible lorsque le socket est actif</source>
        <comment>65397</comment>
        <translation>Impossibile modificare il valore mentre il socket è attivo</translation>
    </message>
    <message>
        <source>Echec à la définition des données pour &apos;%s&apos;</source>
        <comment>65437</comment>
        <translation>Impossibile impostare i dati per &apos;%s&apos;</translation>
    </message>
    <message>
        <source>Type de données incorrect pour &apos;%s&apos;</source>
        <comment>65438</comment>
        <translation>Tipo di dati non valido per &apos;%s&apos;</translation>
    </message>
    <message>
        <source>Aucun argument pour le format &apos;%s&apos;</source>
        <comment>65496</comment>
        <translation>Nessun argomento per il formato &apos;%s&apos;</translation>
    </message>
    <message>
        <source>Le format &apos;%s&apos; est incorrect ou incompatible avec l&apos;argument</source>
        <comment>65497</comment>
        <translation>Il formato &apos;%s&apos; non è valido o è incompatibile con l&apos;argomento</translation>
    </message>
    <message>
        <source>&apos;%s&apos; n&apos;est pas une valeur entière correcte</source>
        <comment>65520</comment>
        <translation>&apos;%s&apos; non è un valore intero valido</translation>
    </message>
    <message>
        <source>Erreur E/S %d</source>
        <comment>65522</comment>
        <translation>Errore di I/O %d</translation>
    </message>
    <message>
        <source>Fichier introuvable</source>
        <comment>65523</comment>
        <translation>File non trovato</translation>
    </message>
    <message>
        <source>Nom de fichier incorrect</source>
        <comment>65524</comment>
        <translation>Nome di file non valido</translation>
    </message>
    <message>
        <source>Trop de fichiers ouverts</source>
        <comment>65525</comment>
        <translation>Troppi file aperti</translation>
    </message>
    <message>
        <source>Accès au fichier refusé</source>
        <comment>65526</comment>
        <translation>Accesso al file negato</translation>
    </message>
    <message>
        <source>Lecture au-delà de la fin de fichier</source>
        <comment>65527</comment>
        <translation>Lettura oltre la fine del file</translation>
    </message>
    <message>
        <source>Disque plein</source>
        <comment>65528</comment>
        <translation>Disco pieno</translation>
    </message>
    <message>
        <source>Aucune application n&apos;a pu ouvrir le document d&apos;aide :&#13;%s</source>
        <comment>65060</comment>
        <translation>Nessuna applicazione ha potuto aprire il documento di guida:&#13;%s</translation>
    </message>
    <message>
        <source>Aucune application n&apos;a pu ouvrir la page web :&#13;%s</source>
        <comment>65061</comment>
        <translation>Nessuna applicazione ha potuto aprire la pagina web:&#13;%s</translation>
    </message>
    <message>
        <source>Le document d&apos;aide est introuvable :&#13;%s</source>
        <comment>65062</comment>
        <translation>Impossibile trovare il documento di guida:&#13;%s</translation>
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
        <translation>Uso: tarvix-relay [--ini FILE] [--all | --mapping NOME...] [--quiet]
Attiva gli inoltri di un file di impostazioni e ne inoltra il traffico fino a SIGINT, SIGTERM o SIGHUP.
Senza --all né --mapping vengono attivati gli inoltri con AutoStart uguale a 1.

  --ini FILE      file di impostazioni (predefinito: %s)
  --all           attiva tutti gli inoltri del file
  --mapping NOME  attiva la connessione con questo nome (ripetibile)
  --quiet, -q     non mostra i client accettati e terminati
  --help, -h      mostra questo aiuto

Codici di uscita:
  0  arresto su segnale, tutti gli inoltri disattivati (o aiuto mostrato)
  1  errore imprevisto
  2  riga di comando non valida
  3  file di impostazioni mancante o illeggibile
  4  valore non valido nel file di impostazioni
  5  nome di connessione sconosciuto
  6  nessuna connessione da attivare
  7  una connessione non è stata attivata (porta occupata...); nessuna resta attiva</translation>
    </message>
    <message>
        <source>Démarrer avec la session</source>
        <comment>65080</comment>
        <translation>Avvia con la sessione</translation>
    </message>
    <message>
        <source>Le démarrage avec la session ne peut pas être enregistré dans %s :&#13;%s</source>
        <comment>65081</comment>
        <translation>L&apos;avvio con la sessione non può essere salvato in %s:&#13;%s</translation>
    </message>
    <message>
        <source>Le démarrage avec la session ne peut pas être supprimé (%s) :&#13;%s</source>
        <comment>65082</comment>
        <translation>L&apos;avvio con la sessione non può essere rimosso (%s):&#13;%s</translation>
    </message>
    <message>
        <source>TARVIX Port Mapping est déjà lancé pour le fichier %s mais ne répond pas.</source>
        <comment>65083</comment>
        <translation>TARVIX Port Mapping è già in esecuzione per il file %s ma non risponde.</translation>
    </message>
    <message>
        <source>→ %s:%d</source>
        <comment>65140</comment>
        <translation>→ %s:%d</translation>
    </message>
    <message>
        <source>%s connexion ouverte, %s depuis l&apos;activation — reçus %s, envoyés %s</source>
        <comment>65141</comment>
        <translation>%s connessione aperta, %s dall&apos;attivazione — ricevuti %s, inviati %s</translation>
    </message>
    <message>
        <source>%s connexions ouvertes, %s depuis l&apos;activation — reçus %s, envoyés %s</source>
        <comment>65142</comment>
        <translation>%s connessioni aperte, %s dall&apos;attivazione — ricevuti %s, inviati %s</translation>
    </message>
    <message>
        <source>Dernier échec vers la destination à %s : %s</source>
        <comment>65143</comment>
        <translation>Ultimo errore verso la destinazione alle %s: %s</translation>
    </message>
    <message>
        <source>connexion refusée par la destination</source>
        <comment>65144</comment>
        <translation>connessione rifiutata dalla destinazione</translation>
    </message>
    <message>
        <source>hôte inconnu</source>
        <comment>65145</comment>
        <translation>host sconosciuto</translation>
    </message>
    <message>
        <source>pas de réponse</source>
        <comment>65146</comment>
        <translation>nessuna risposta</translation>
    </message>
    <message>
        <source>erreur de socket # %d</source>
        <comment>65147</comment>
        <translation>errore di socket # %d</translation>
    </message>
    <message>
        <source>%s o</source>
        <comment>65148</comment>
        <translation>%s byte</translation>
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
        <translation>Inoltro &quot;%s&quot;: client %s:%d terminato dopo %d ms, %d byte dal client, %d byte verso il client, %s</translation>
    </message>
    <message>
        <source>fermée par le client</source>
        <comment>65153</comment>
        <translation>chiusa dal client</translation>
    </message>
    <message>
        <source>fermée par la destination</source>
        <comment>65154</comment>
        <translation>chiusa dalla destinazione</translation>
    </message>
    <message>
        <source>réinitialisée</source>
        <comment>65155</comment>
        <translation>reimpostata</translation>
    </message>
    <message>
        <source>destination injoignable</source>
        <comment>65156</comment>
        <translation>destinazione irraggiungibile</translation>
    </message>
    <message>
        <source>désactivée</source>
        <comment>65157</comment>
        <translation>disattivata</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : %d ouverte(s), %d depuis l&apos;activation, %d octets des clients, %d octets vers les clients</source>
        <comment>65158</comment>
        <translation>Inoltro &quot;%s&quot;: %d aperte, %d dall&apos;attivazione, %d byte dai client, %d byte verso i client</translation>
    </message>
    <message>
        <source>Trafic :
  --log-connections  une ligne par client terminé : adresse, port, durée, octets dans chaque sens, fin
  SIGUSR1            une ligne par connexion active avec ses compteurs, comme à l&apos;arrêt</source>
        <comment>65159</comment>
        <translation>Traffico:
  --log-connections  una riga per ogni client terminato: indirizzo, porta, durata, byte in ogni direzione, fine
  SIGUSR1            una riga per ogni inoltro attivo con i suoi contatori, come all&apos;arresto</translation>
    </message>
    <message>
        <source>Arrêter</source>
        <comment>64050</comment>
        <translation>Interrompi</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; (port %d) : activation impossible&#13;&#13;%s</source>
        <comment>64051</comment>
        <translation>Impossibile attivare il collegamento &quot;%s&quot; (porta %d)&#13;&#13;%s</translation>
    </message>
    <message>
        <source>Activation impossible : %s</source>
        <comment>64052</comment>
        <translation>Attivazione non riuscita: %s</translation>
    </message>
    <message>
        <source>Le port local %d est déjà celui de la connexion &quot;%s&quot;.&#13;&#13;Sauver quand même ?</source>
        <comment>64053</comment>
        <translation>La porta locale %d è già quella del collegamento &quot;%s&quot;.&#13;&#13;Salvare comunque?</translation>
    </message>
    <message>
        <source>Toutes les interfaces IPv4</source>
        <comment>64054</comment>
        <translation>Tutte le interfacce IPv4</translation>
    </message>
    <message>
        <source>Cet ordinateur seulement (127.0.0.1)</source>
        <comment>64055</comment>
        <translation>Solo questo computer (127.0.0.1)</translation>
    </message>
    <message>
        <source>Toutes les interfaces (IPv4 et IPv6)</source>
        <comment>64056</comment>
        <translation>Tutte le interfacce (IPv4 e IPv6)</translation>
    </message>
    <message>
        <source>Adresse d&apos;écoute incorrecte : %s&#13;(une adresse IPv4 ou IPv6 de cet ordinateur, par exemple 127.0.0.1 ou ::1)</source>
        <comment>64057</comment>
        <translation>Indirizzo di ascolto non valido: %s&#13;(un indirizzo IPv4 o IPv6 di questo computer, per esempio 127.0.0.1 o ::1)</translation>
    </message>
    <message>
        <source>Client admis incorrect : %s&#13;(des adresses ou réseaux IPv4 ou IPv6 séparés par des virgules, par exemple 192.168.1.0/24, ::1)</source>
        <comment>64058</comment>
        <translation>Client ammesso non valido: %s&#13;(indirizzi o reti IPv4 o IPv6 separati da virgole, per esempio 192.168.1.0/24, ::1)</translation>
    </message>
    <message>
        <source>Écoute sur %s</source>
        <comment>64059</comment>
        <translation>In ascolto su %s</translation>
    </message>
    <message>
        <source>Clients admis : %s</source>
        <comment>64060</comment>
        <translation>Client ammessi: %s</translation>
    </message>
    <message>
        <source>%s client refusé</source>
        <comment>64061</comment>
        <translation>%s client rifiutato</translation>
    </message>
    <message>
        <source>%s clients refusés</source>
        <comment>64062</comment>
        <translation>%s client rifiutati</translation>
    </message>
    <message>
        <source>Utilisation : tarvix [--help | --version]

TARVIX Port Mapping relaie des ports TCP. Sans option, la fenêtre et l&apos;icône de la zone de notification s&apos;ouvrent, ou la fenêtre du programme déjà lancé pour le même fichier de paramètres vient au premier plan.

  --help     affiche cette aide
  --version  affiche la version

Fichier de paramètres : %s
Sans bureau : tarvix-relay --help</source>
        <comment>64063</comment>
        <translation>Uso: tarvix [--help | --version]

TARVIX Port Mapping inoltra porte TCP. Senza opzioni si aprono la finestra e l&apos;icona nell&apos;area di notifica, oppure la finestra del programma già avviato per lo stesso file di impostazioni passa in primo piano.

  --help     mostra questo aiuto
  --version  mostra la versione

File di impostazioni: %s
Senza desktop: tarvix-relay --help</translation>
    </message>
    <message>
        <source>Adresse ou réseau incorrect : %s</source>
        <comment>64000</comment>
        <translation>Indirizzo o rete non valido: %s</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : client %s port %d refusé (hors de la liste AllowFrom)</source>
        <comment>64001</comment>
        <translation>Inoltro &quot;%s&quot;: client %s porta %d rifiutato (non nella lista AllowFrom)</translation>
    </message>
    <message>
        <source>%s, section [%s] : ListenAddress=%s n&apos;est pas une adresse IPv4 ou IPv6 (par exemple 127.0.0.1, ::1 ou ::)</source>
        <comment>64002</comment>
        <translation>%s, sezione [%s]: ListenAddress=%s non è un indirizzo IPv4 o IPv6 (per esempio 127.0.0.1, ::1 o ::)</translation>
    </message>
    <message>
        <source>%s, section [%s] : AllowFrom=%s : %s</source>
        <comment>64003</comment>
        <translation>%s, sezione [%s]: AllowFrom=%s: %s</translation>
    </message>
    <message>
        <source>Connexion incorrecte : %s (%s n&apos;est pas une adresse IPv4 ou une adresse IPv6 entre crochets où écouter)</source>
        <comment>64004</comment>
        <translation>Inoltro non valido: %s (%s non è un indirizzo IPv4 o un indirizzo IPv6 tra parentesi quadre su cui ascoltare)</translation>
    </message>
    <message>
        <source>Option --allow : %s</source>
        <comment>64005</comment>
        <translation>Opzione --allow: %s</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : écoute sur l&apos;adresse %s</source>
        <comment>64006</comment>
        <translation>Inoltro &quot;%s&quot;: in ascolto sull&apos;indirizzo %s</translation>
    </message>
    <message>
        <source>Connexion &quot;%s&quot; : clients admis : %s</source>
        <comment>64007</comment>
        <translation>Inoltro &quot;%s&quot;: client ammessi: %s</translation>
    </message>
    <message>
        <source>Pour n&apos;écouter que sur cet ordinateur, ôtez le « ; » de la ligne suivante (AllowFrom=... restreint les clients admis)</source>
        <comment>64008</comment>
        <translation>Per ascoltare solo su questo computer, togliere il &quot;;&quot; dalla riga seguente (AllowFrom=... limita i client ammessi)</translation>
    </message>
    <message>
        <source>Où écouter, qui admettre :
  ÉCOUTE          adresse IPv4, ou IPv6 entre crochets ([::1] ; [::] : toutes les interfaces IPv4 et IPv6) ;
                  sans elle, toutes les interfaces IPv4
  --allow LISTE   n&apos;admet que ces clients sur les connexions de la ligne de commande : adresses et réseaux
                  séparés par des virgules (127.0.0.0/8,::1) ; les autres reçoivent un reset
  Dans le fichier, par connexion : ListenAddress=127.0.0.1 et AllowFrom=192.168.1.0/24, ::1</source>
        <comment>64009</comment>
        <translation>Dove ascoltare, chi ammettere:
  ASCOLTO         un indirizzo IPv4, o IPv6 tra parentesi quadre ([::1]; [::]: tutte le interfacce IPv4 e IPv6);
                  senza, tutte le interfacce IPv4
  --allow ELENCO  ammette solo questi client sugli inoltri della riga di comando: indirizzi e reti
                  separati da virgole (127.0.0.0/8,::1); gli altri ricevono un reset
  Nel file, per inoltro: ListenAddress=127.0.0.1 e AllowFrom=192.168.1.0/24, ::1</translation>
    </message>
    <message>
        <source>Attention : %s, section [%s] : Address=%s n&apos;est ni une adresse ni un nom d&apos;hôte, la connexion ne relaiera aucun client</source>
        <comment>64202</comment>
        <translation>Attenzione: %s, sezione [%s]: Address=%s non è né un indirizzo né un nome host, l&apos;inoltro non inoltrerà alcun client</translation>
    </message>
    <message>
        <source>Attention : %s, section [%s] : AutoStart=%s n&apos;est ni 0 ni 1 ; seul son octet de poids faible compte, il est lu comme %d</source>
        <comment>64203</comment>
        <translation>Attenzione: %s, sezione [%s]: AutoStart=%s non è né 0 né 1; conta solo il byte più basso, viene letto come %d</translation>
    </message>
</context>
</TS>

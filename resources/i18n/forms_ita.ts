<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT" sourcelanguage="fr_FR">
<context>
    <name>fMain</name>
    <message>
        <source>TARVIX Port Mapping</source>
        <translation>TARVIX Port Mapping</translation>
    </message>
    <message>
        <source>Connexion</source>
        <translation>Connessione</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Porta</translation>
    </message>
    <message>
        <source>Activer</source>
        <translation>Attiva</translation>
    </message>
    <message>
        <source>Main</source>
        <translation>Principale</translation>
    </message>
    <message>
        <source>Ouvrir</source>
        <translation>Apri</translation>
    </message>
    <message>
        <source>Application</source>
        <translation>Applicazione</translation>
    </message>
    <message>
        <source>Tout désactiver</source>
        <translation>Disattiva tutto</translation>
    </message>
    <message>
        <source>Nouveau</source>
        <translation>Nuovo</translation>
    </message>
    <message>
        <source>Modifier</source>
        <translation>Modifica</translation>
    </message>
    <message>
        <source>Supprimer</source>
        <translation>Elimina</translation>
    </message>
    <message>
        <source>Aide</source>
        <translation>Guida</translation>
    </message>
    <message>
        <source>Fermer</source>
        <translation>Chiudi</translation>
    </message>
    <message>
        <source>TARVIX sur le web</source>
        <translation>TARVIX sul web</translation>
    </message>
    <message>
        <source>Quitter</source>
        <translation>Esci</translation>
    </message>
    <message>
        <source>Langue</source>
        <translation>Lingua</translation>
    </message>
</context>
<context>
    <name>fNewModify</name>
    <message>
        <source>Ajouter</source>
        <translation>Aggiungi</translation>
    </message>
    <message>
        <source>Ecoute</source>
        <translation>Ascolto</translation>
    </message>
    <message>
        <source>Nom</source>
        <translation>Nome</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Porta</translation>
    </message>
    <message>
        <source>Démarrage automatique</source>
        <translation>Avvio automatico</translation>
    </message>
    <message>
        <source>Ordinateur distant</source>
        <translation>Computer remoto</translation>
    </message>
    <message>
        <source>Adresse</source>
        <translation>Indirizzo</translation>
    </message>
    <message>
        <source>Tester</source>
        <translation>Prova</translation>
    </message>
    <message>
        <source>Sauver</source>
        <translation>Salva</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>Test en cours...</source>
        <translation>Prova in corso...</translation>
    </message>
    <message>
        <source>Écouter sur</source>
        <translation>Ascolta su</translation>
    </message>
    <message>
        <source>Clients</source>
        <translation>Client</translation>
    </message>
    <message>
        <source>tous</source>
        <translation>tutti</translation>
    </message>
    <message>
        <source>Adresses et réseaux admis, séparés par des virgules, par exemple 192.168.1.0/24, ::1 ; vide : tous</source>
        <translation>Indirizzi e reti ammessi, separati da virgole, per esempio 192.168.1.0/24, ::1; vuoto: tutti</translation>
    </message>
</context>
</TS>

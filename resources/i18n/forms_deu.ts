<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="fr_FR">
<context>
    <name>fMain</name>
    <message>
        <source>TARVIX Port Mapping</source>
        <translation>TARVIX Port Mapping</translation>
    </message>
    <message>
        <source>Connexion</source>
        <translation>Verbindung</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Activer</source>
        <translation>Aktivieren</translation>
    </message>
    <message>
        <source>Main</source>
        <translation>Hauptfenster</translation>
    </message>
    <message>
        <source>Ouvrir</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Application</source>
        <translation>Anwendung</translation>
    </message>
    <message>
        <source>Tout désactiver</source>
        <translation>Alle deaktivieren</translation>
    </message>
    <message>
        <source>Nouveau</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>Modifier</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Supprimer</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Aide</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Fermer</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>TARVIX sur le web</source>
        <translation>TARVIX im Web</translation>
    </message>
    <message>
        <source>Quitter</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Langue</source>
        <translation>Sprache</translation>
    </message>
</context>
<context>
    <name>fNewModify</name>
    <message>
        <source>Ajouter</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Ecoute</source>
        <translation>Empfang</translation>
    </message>
    <message>
        <source>Nom</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Démarrage automatique</source>
        <translation>Automatisch starten</translation>
    </message>
    <message>
        <source>Ordinateur distant</source>
        <translation>Entfernter Computer</translation>
    </message>
    <message>
        <source>Adresse</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Tester</source>
        <translation>Testen</translation>
    </message>
    <message>
        <source>Sauver</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Test en cours...</source>
        <translation>Test läuft...</translation>
    </message>
    <message>
        <source>Écouter sur</source>
        <translation>Empfang auf</translation>
    </message>
    <message>
        <source>Clients</source>
        <translation>Clients</translation>
    </message>
    <message>
        <source>tous</source>
        <translation>alle</translation>
    </message>
    <message>
        <source>Adresses et réseaux admis, séparés par des virgules, par exemple 192.168.1.0/24, ::1 ; vide : tous</source>
        <translation>Zugelassene Adressen und Netze, durch Kommas getrennt, zum Beispiel 192.168.1.0/24, ::1; leer: alle</translation>
    </message>
</context>
</TS>

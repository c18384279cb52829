<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="fr_FR">
<context>
    <name>fMain</name>
    <message>
        <source>TARVIX Port Mapping</source>
        <translation>TARVIX Port Mapping</translation>
    </message>
    <message>
        <source>Connexion</source>
        <translation>Connection</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Activer</source>
        <translation>Activate</translation>
    </message>
    <message>
        <source>Main</source>
        <translation>Main</translation>
    </message>
    <message>
        <source>Ouvrir</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Application</source>
        <translation>Application</translation>
    </message>
    <message>
        <source>Tout désactiver</source>
        <translation>Deactivate all</translation>
    </message>
    <message>
        <source>Nouveau</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Modifier</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Supprimer</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Aide</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Fermer</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>TARVIX sur le web</source>
        <translation>TARVIX on the web</translation>
    </message>
    <message>
        <source>Quitter</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Langue</source>
        <translation>Language</translation>
    </message>
</context>
<context>
    <name>fNewModify</name>
    <message>
        <source>Ajouter</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Ecoute</source>
        <translation>Listening</translation>
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
        <translation>Start automatically</translation>
    </message>
    <message>
        <source>Ordinateur distant</source>
        <translation>Remote computer</translation>
    </message>
    <message>
        <source>Adresse</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>Tester</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>Sauver</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Test en cours...</source>
        <translation>Testing...</translation>
    </message>
    <message>
        <source>Écouter sur</source>
        <translation>Listen on</translation>
    </message>
    <message>
        <source>Clients</source>
        <translation>Clients</translation>
    </message>
    <message>
        <source>tous</source>
        <translation>all</translation>
    </message>
    <message>
        <source>Adresses et réseaux admis, séparés par des virgules, par exemple 192.168.1.0/24, ::1 ; vide : tous</source>
        <translation>Allowed addresses and networks, separated by commas, for example 192.168.1.0/24, ::1; empty: all</translation>
    </message>
</context>
</TS>

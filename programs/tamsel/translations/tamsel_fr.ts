<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>tamsel::TamselWindow</name>
    <message>
        <source>0: nothing</source>
        <translation>0&#xa0;: rien</translation>
    </message>
    <message>
        <source>1: reply lines</source>
        <translation>1&#xa0;: lignes de réponse</translation>
    </message>
    <message>
        <source>4: also sending and closing</source>
        <translation>4&#xa0;: aussi l&apos;envoi et la fermeture</translation>
    </message>
    <message>
        <source>8: every step</source>
        <translation>8&#xa0;: chaque étape</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucun</translation>
    </message>
    <message>
        <source>TLS from the start</source>
        <translation>TLS dès le début</translation>
    </message>
    <message>
        <source>Server</source>
        <translation>Serveur</translation>
    </message>
    <message>
        <source>name, IPv4 or IPv6 address</source>
        <translation>nom, adresse IPv4 ou IPv6</translation>
    </message>
    <message>
        <source> ms</source>
        <translation> ms</translation>
    </message>
    <message>
        <source>no limit</source>
        <translation>sans limite</translation>
    </message>
    <message>
        <source>How the server&apos;s replies end</source>
        <translation>Comment se termine une réponse du serveur</translation>
    </message>
    <message>
        <source>Read the &amp;greeting after connecting</source>
        <translation>Lire l&apos;&amp;accueil après la connexion</translation>
    </message>
    <message>
        <source>&amp;Port</source>
        <translation>&amp;Port</translation>
    </message>
    <message>
        <source>P&amp;rotocol</source>
        <translation>P&amp;rotocole</translation>
    </message>
    <message>
        <source>&amp;Host</source>
        <translation>&amp;Hôte</translation>
    </message>
    <message>
        <source>Report &amp;level</source>
        <translation>Ni&amp;veau de trace</translation>
    </message>
    <message>
        <source>&amp;Time-out</source>
        <translation>&amp;Temps limite</translation>
    </message>
    <message>
        <source>T&amp;LS</source>
        <translation>T&amp;LS</translation>
    </message>
    <message>
        <source>&amp;Connect</source>
        <translation>&amp;Connecter</translation>
    </message>
    <message>
        <source>&amp;Disconnect</source>
        <translation>Déc&amp;onnecter</translation>
    </message>
    <message>
        <source>C&amp;ancel</source>
        <translation>Ann&amp;uler</translation>
    </message>
    <message>
        <source>Ends the operation that is waiting (Esc)</source>
        <translation>Met fin à l&apos;opération en attente (Échap)</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>Commande</translation>
    </message>
    <message>
        <source>&amp;Send</source>
        <translation>&amp;Envoyer</translation>
    </message>
    <message>
        <source>Co&amp;mmand</source>
        <translation>Co&amp;mmande</translation>
    </message>
    <message>
        <source>Each line is sent as a command; the reply is listed below</source>
        <translation>Chaque ligne est envoyée comme commande&#xa0;; la réponse s&apos;affiche dans la liste ci-dessous</translation>
    </message>
    <message>
        <source>Commands and replies</source>
        <translation>Commandes et réponses</translation>
    </message>
    <message>
        <source>Reply no.</source>
        <translation>N° de réponse</translation>
    </message>
    <message>
        <source>Reply</source>
        <translation>Réponse</translation>
    </message>
    <message>
        <source>Status trace</source>
        <translation>Trace d&apos;état</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Save session as text...</source>
        <translation>Enregistrer la session en &amp;texte...</translation>
    </message>
    <message>
        <source>Save session</source>
        <translation>Enregistrer la session</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>É&amp;dition</translation>
    </message>
    <message>
        <source>&amp;Copy session</source>
        <translation>&amp;Copier la session</translation>
    </message>
    <message>
        <source>C&amp;lear session</source>
        <translation>&amp;Effacer la session</translation>
    </message>
    <message>
        <source>STARTTLS: tamsel asks for the upgrade after the greeting (EHLO and STARTTLS, STLS, AUTH TLS, a001 STARTTLS); with SMTP, send EHLO again</source>
        <translation>STARTTLS&#xa0;: tamsel demande le passage en TLS après l&apos;accueil (EHLO et STARTTLS, STLS, AUTH TLS, a001 STARTTLS)&#xa0;; en SMTP, renvoyez ensuite EHLO</translation>
    </message>
    <message>
        <source>extra CA file (PEM), optional</source>
        <translation>fichier d&apos;AC supplémentaire (PEM), facultatif</translation>
    </message>
    <message>
        <source>CA file</source>
        <translation>Fichier d&apos;AC</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>Parcour&amp;ir...</translation>
    </message>
    <message>
        <source>Do &amp;not check the certificate</source>
        <translation>&amp;Ne pas vérifier le certificat</translation>
    </message>
    <message>
        <source>Any certificate passes: the connection is encrypted, but the server may not be who it claims to be</source>
        <translation>Tout certificat est accepté&#xa0;: la connexion est chiffrée, mais le serveur n&apos;est peut-être pas celui qu&apos;il prétend être</translation>
    </message>
    <message>
        <source>CA certificates</source>
        <translation>Certificats d&apos;AC</translation>
    </message>
    <message>
        <source>PEM certificates (*.pem *.crt);;All files (*)</source>
        <translation>Certificats PEM (*.pem *.crt);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Not encrypted</source>
        <translation>Non chiffré</translation>
    </message>
    <message>
        <source>Warning: the certificate will not be checked</source>
        <translation>Attention&#xa0;: le certificat ne sera pas vérifié</translation>
    </message>
    <message>
        <source>Encrypted, certificate verified</source>
        <translation>Chiffré, certificat vérifié</translation>
    </message>
    <message>
        <source>Encrypted, certificate NOT verified</source>
        <translation>Chiffré, certificat NON vérifié</translation>
    </message>
    <message>
        <source>Padlock: %1</source>
        <translation>Cadenas&#xa0;: %1</translation>
    </message>
    <message>
        <source>Local address: %1</source>
        <translation>Adresse locale&#xa0;: %1</translation>
    </message>
    <message>
        <source>(greeting)</source>
        <translation>(accueil)</translation>
    </message>
    <message>
        <source>The reply number</source>
        <translation>Le numéro de réponse</translation>
    </message>
    <message>
        <source>(connection closed)</source>
        <translation>(connexion fermée)</translation>
    </message>
    <message>
        <source>(no reply expected)</source>
        <translation>(aucune réponse attendue)</translation>
    </message>
    <message>
        <source>Reply to %1: %2</source>
        <translation>Réponse à %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>(failed: %1)</source>
        <translation>(échec&#xa0;: %1)</translation>
    </message>
    <message>
        <source>(timed out after %1 ms)</source>
        <translation>(délai dépassé après %1 ms)</translation>
    </message>
    <message>
        <source>(cancelled)</source>
        <translation>(annulé)</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Could not save the session to %1: %2</source>
        <translation>Impossible d&apos;enregistrer la session dans %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>message data, one line at a time; a line &quot;.&quot; ends it</source>
        <translation>texte du message, une ligne à la fois&#xa0;; une ligne «&#xa0;.&#xa0;» le termine</translation>
    </message>
    <message>
        <source>the data line of %1</source>
        <translation>la ligne de données de %1</translation>
    </message>
    <message>
        <source>a line to send, for instance HELO or NOOP</source>
        <translation>une ligne à envoyer, par exemple HELO ou NOOP</translation>
    </message>
    <message>
        <source>Waiting... (Esc cancels)</source>
        <translation>En attente... (Échap annule)</translation>
    </message>
    <message>
        <source>Connected to %1:%2</source>
        <translation>Connecté à %1:%2</translation>
    </message>
    <message>
        <source>Not connected</source>
        <translation>Non connecté</translation>
    </message>
    <message>
        <source>(message, 1 line)</source>
        <translation>(message, 1 ligne)</translation>
    </message>
    <message>
        <source>(message, %1 lines)</source>
        <translation>(message, %1 lignes)</translation>
    </message>
    <message>
        <source>&amp;User</source>
        <translation>Utili&amp;sateur</translation>
    </message>
    <message>
        <source>STARTTLS (%1)</source>
        <translation>STARTTLS (%1)</translation>
    </message>
    <message>
        <source>none: no log-in</source>
        <translation>vide&#xa0;: sans authentification</translation>
    </message>
    <message>
        <source>never stored</source>
        <translation>jamais enregistré</translation>
    </message>
    <message>
        <source>Best offered</source>
        <translation>Le meilleur proposé</translation>
    </message>
    <message>
        <source>The protocol&apos;s own command</source>
        <translation>Commande propre au protocole</translation>
    </message>
    <message>
        <source>Allow the password without TLS</source>
        <translation>Autoriser le mot de passe sans TLS</translation>
    </message>
    <message>
        <source>PLAIN, LOGIN and the protocol&apos;s own command send the password itself: without TLS anyone on the way can read it</source>
        <translation>PLAIN, LOGIN et la commande propre au protocole envoient le mot de passe lui-même&#xa0;: sans TLS, n&apos;importe qui sur le trajet peut le lire</translation>
    </message>
    <message>
        <source>Pass&amp;word</source>
        <translation>M&amp;ot de passe</translation>
    </message>
    <message>
        <source>&amp;Mechanism</source>
        <translation>&amp;Mécanisme</translation>
    </message>
    <message>
        <source>... (%1 bytes)</source>
        <translation>... (%1 octets)</translation>
    </message>
</context>
<context>
    <name>toolkit::ErrorBox</name>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>tamsel::CommandLine</name>
    <message>
        <source>Usage: tamsel [HOST PORT [OPTIONS]]</source>
        <translation>Utilisation&#xa0;: tamsel [HÔTE PORT [OPTIONS]]</translation>
    </message>
    <message>
        <source>A client for line-oriented TCP services such as SMTP, FTP, POP3, IMAP,
Redis or memcached.</source>
        <translation>Un client pour les services TCP orientés ligne, tels que SMTP, FTP, POP3,
IMAP, Redis ou memcached.</translation>
    </message>
    <message>
        <source>Without arguments, and with a display, tamsel opens its window. With HOST
(a name, a dotted IPv4 address or an IPv6 address, with or without
brackets) and PORT it connects, reads the server&apos;s greeting, logs in when
asked to, runs one command per line of standard input (empty lines are
skipped) and prints each reply line as it arrives. Where a reply ends
depends on the protocol (see --protocol).</source>
        <translation>Sans argument, et avec un écran, tamsel ouvre sa fenêtre. Avec HÔTE (un
nom, une adresse IPv4 en notation pointée ou une adresse IPv6, avec ou sans
crochets) et PORT, il se connecte, lit l&apos;accueil du serveur, s&apos;identifie si
on le lui demande, exécute une commande par ligne de l&apos;entrée standard (les
lignes vides sont ignorées) et affiche chaque ligne de réponse dès son
arrivée. La fin d&apos;une réponse dépend du protocole (voir --protocol).</translation>
    </message>
    <message>
        <source>After an SMTP reply 354 the following lines are message data, sent as they
are (blank lines kept, a leading dot doubled) up to a line &quot;.&quot;; then the
reply is read. A memcached storage command (set, add, replace, append,
prepend, cas) takes the next line as its data line; a --send text may carry
it after a line break ($&apos;set k 0 0 2\r\nhi&apos;), and is then sent as it is.
Values (Redis bulk strings, memcached values, IMAP literals) of any size
are read by their byte count and written byte for byte, followed by a line
end. IMAP commands get a tag (a001, a002, ...) when they start with a
command name; a --send text &quot;APPEND box {n}&quot; followed by a line break and
the message sends the message as a literal once the server says &quot;+&quot; (at
once with LITERAL+).</source>
        <translation>Après une réponse SMTP 354, les lignes suivantes sont les données du
message, envoyées telles quelles (lignes vides conservées, point initial
doublé) jusqu&apos;à une ligne « . » ; la réponse est lue ensuite. Une commande
de stockage de memcached (set, add, replace, append, prepend, cas) prend la
ligne suivante comme ligne de données ; un texte --send peut la porter
après un saut de ligne ($&apos;set k 0 0 2\r\nhi&apos;), et il est alors envoyé tel
quel. Les valeurs (chaînes « bulk » de Redis, valeurs de memcached,
littéraux IMAP) de toute taille sont lues selon leur nombre d&apos;octets et
écrites octet pour octet, suivies d&apos;une fin de ligne. Les commandes IMAP
reçoivent une étiquette (a001, a002, ...) lorsqu&apos;elles commencent par un
nom de commande ; un texte --send « APPEND box {n} » suivi d&apos;un saut de
ligne et du message envoie le message comme littéral dès que le serveur
répond « + » (aussitôt avec LITERAL+).</translation>
    </message>
    <message>
        <source>  --send TEXT        run TEXT as a command instead of reading standard
                     input (may be given more than once)</source>
        <translation>  --send TEXTE       exécuter TEXTE comme commande au lieu de lire l&apos;entrée
                     standard (peut être donné plusieurs fois)</translation>
    </message>
    <message>
        <source>  --protocol NAME    how replies end: auto (default: a reply &quot;ddd-...&quot; ends
                     at the line &quot;ddd ...&quot;, any other reply is one line),
                     line (one line), smtp, ftp, pop3 (multi-line replies
                     of CAPA, LIST, UIDL, RETR, TOP end at &quot;.&quot;), imap
                     (untagged lines up to the tagged one), redis (RESP),
                     memcached (get, gets, stats end at END)</source>
        <translation>  --protocol NOM     comment finissent les réponses : auto (par défaut : une
                     réponse « ddd-... » finit à la ligne « ddd ... », toute
                     autre réponse est une ligne), line (une ligne), smtp, ftp,
                     pop3 (les réponses sur plusieurs lignes à CAPA, LIST,
                     UIDL, RETR, TOP finissent à « . »), imap (lignes sans
                     étiquette jusqu&apos;à celle qui en a une), redis (RESP),
                     memcached (get, gets, stats finissent à END)</translation>
    </message>
    <message>
        <source>  --greeting         read a greeting whatever the protocol (smtp, ftp, pop3
                     and imap always read one; auto takes what the server
                     sends within half a second as the greeting)</source>
        <translation>  --greeting         lire un accueil quel que soit le protocole (smtp, ftp,
                     pop3 et imap en lisent toujours un ; auto prend pour
                     accueil ce que le serveur envoie dans la demi-seconde)</translation>
    </message>
    <message>
        <source>  --no-greeting      read no greeting</source>
        <translation>  --no-greeting      ne lire aucun accueil</translation>
    </message>
    <message>
        <source>  --expect CODES     stop with exit status 3 at the first reply (greeting
                     included) outside CODES: reply numbers with x for any
                     digit, or words the reply starts with (for IMAP also
                     its tagged status), separated by commas, for instance
                     2xx,3xx or +OK or STORED,END or OK</source>
        <translation>  --expect CODES     s&apos;arrêter avec le code de sortie 3 à la première réponse
                     (accueil compris) hors de CODES : numéros de réponse avec
                     x pour n&apos;importe quel chiffre, ou mots par lesquels
                     commence la réponse (pour IMAP aussi son statut étiqueté),
                     séparés par des virgules, par exemple 2xx,3xx ou +OK ou
                     STORED,END ou OK</translation>
    </message>
    <message>
        <source>  --transcript       print both sides: commands &quot;-&gt; &quot;, replies &quot;&lt;- &quot;</source>
        <translation>  --transcript       afficher les deux côtés : commandes &quot;-&gt; &quot;, réponses &quot;&lt;- &quot;</translation>
    </message>
    <message>
        <source>  --timestamps       with --transcript, start each line with the time</source>
        <translation>  --timestamps       avec --transcript, commencer chaque ligne par l&apos;heure</translation>
    </message>
    <message>
        <source>  --timeout MS       limit of each wait in milliseconds, 0 for none
                     (default 10000)</source>
        <translation>  --timeout MS       temps limite de chaque attente en millisecondes, 0 pour
                     aucun (par défaut 10000)</translation>
    </message>
    <message>
        <source>  --level N          write the status texts up to report level N to
                     standard error: 1 every reply line, greeting included,
                     4 also sending and closing, 8 everything (default 0:
                     none)</source>
        <translation>  --level N          écrire les textes d&apos;état jusqu&apos;au niveau de trace N sur la
                     sortie d&apos;erreur standard : 1 chaque ligne de réponse,
                     accueil compris, 4 aussi l&apos;envoi et la fermeture, 8 tout
                     (par défaut 0 : rien)</translation>
    </message>
    <message>
        <source>  --tls              speak TLS from the start (SMTPS 465, POP3S 995,
                     IMAPS 993, ...); the server&apos;s certificate must be
                     valid for HOST</source>
        <translation>  --tls              parler TLS dès le début (SMTPS 465, POP3S 995, IMAPS 993,
                     ...) ; le certificat du serveur doit être valide pour HÔTE</translation>
    </message>
    <message>
        <source>  --starttls PROTO   upgrade to TLS after the protocol&apos;s own request:
                     smtp (EHLO, STARTTLS), pop3 (STLS), ftp (AUTH TLS)
                     or imap (STARTTLS); the greeting and these replies
                     are printed; with smtp, send EHLO again (a log-in
                     does so itself)</source>
        <translation>  --starttls PROTO   passer à TLS après la demande propre au protocole : smtp
                     (EHLO, STARTTLS), pop3 (STLS), ftp (AUTH TLS) ou imap
                     (STARTTLS) ; l&apos;accueil et ces réponses sont affichés ;
                     avec smtp, renvoyer EHLO ensuite (une identification le
                     fait d&apos;elle-même)</translation>
    </message>
    <message>
        <source>  --cafile FILE      trust the certificates in FILE (PEM) besides the
                     system&apos;s</source>
        <translation>  --cafile FICHIER   faire confiance aux certificats de FICHIER (PEM) en plus
                     de ceux du système</translation>
    </message>
    <message>
        <source>  --insecure         do not check the server&apos;s certificate (a warning
                     says so on standard error)</source>
        <translation>  --insecure         ne pas vérifier le certificat du serveur (un avertissement
                     le signale sur la sortie d&apos;erreur standard)</translation>
    </message>
    <message>
        <source>  --user NAME        log in as NAME right after the greeting and any TLS
                     upgrade, before the first command: SMTP (its own EHLO,
                     then AUTH), POP3 (AUTH, or USER and PASS), IMAP
                     (AUTHENTICATE, or LOGIN), FTP (USER and PASS), Redis
                     (AUTH). The password comes from the environment
                     variable TAMSEL_PASSWORD, from --password-file, or is
                     asked for on the terminal without echo; never from
                     the command line. It is never printed: &quot;****&quot; stands
                     for it in the transcript.</source>
        <translation>  --user NOM         s&apos;identifier comme NOM juste après l&apos;accueil et un
                     éventuel passage à TLS, avant la première commande : SMTP
                     (son propre EHLO, puis AUTH), POP3 (AUTH, ou USER et
                     PASS), IMAP (AUTHENTICATE, ou LOGIN), FTP (USER et PASS),
                     Redis (AUTH). Le mot de passe vient de la variable
                     d&apos;environnement TAMSEL_PASSWORD, de --password-file, ou
                     est demandé sur le terminal sans écho ; jamais de la ligne
                     de commande. Il n&apos;est jamais affiché : « **** » le
                     remplace dans la transcription.</translation>
    </message>
    <message>
        <source>  --password-file F  read the password from the first line of F</source>
        <translation>  --password-file F  lire le mot de passe dans la première ligne de F</translation>
    </message>
    <message>
        <source>  --auth MECH        the mechanism: PLAIN, LOGIN, CRAM-MD5, SCRAM-SHA-1 or
                     SCRAM-SHA-256 (GNU SASL), or NATIVE for the protocol&apos;s
                     own command; default: the best that the server offers
                     (SCRAM-SHA-256 first), else the protocol&apos;s command</source>
        <translation>  --auth MÉCA        le mécanisme : PLAIN, LOGIN, CRAM-MD5, SCRAM-SHA-1 ou
                     SCRAM-SHA-256 (GNU SASL), ou NATIVE pour la commande
                     propre au protocole ; par défaut : le meilleur que le
                     serveur propose (SCRAM-SHA-256 d&apos;abord), sinon la commande
                     du protocole</translation>
    </message>
    <message>
        <source>  --allow-plaintext  let the password (PLAIN, LOGIN, NATIVE) go over a
                     connection without TLS (a warning says so)</source>
        <translation>  --allow-plaintext  laisser passer le mot de passe (PLAIN, LOGIN, NATIVE) sur
                     une connexion sans TLS (un avertissement le signale)</translation>
    </message>
    <message>
        <source>  --help             show this text and exit</source>
        <translation>  --help             afficher ce texte et quitter</translation>
    </message>
    <message>
        <source>  --version          show the version and exit</source>
        <translation>  --version          afficher la version et quitter</translation>
    </message>
    <message>
        <source>  0  every command got its reply and no reply was an error</source>
        <translation>  0  chaque commande a reçu sa réponse et aucune réponse n&apos;était une erreur</translation>
    </message>
    <message>
        <source>  1  connecting failed, a wait timed out, a line was too long, the server
     closed the connection, refused STARTTLS or sent a malformed reply</source>
        <translation>  1  la connexion a échoué, une attente a dépassé le temps limite, une ligne
     était trop longue, le serveur a fermé la connexion, refusé STARTTLS ou
     envoyé une réponse mal formée</translation>
    </message>
    <message>
        <source>  2  wrong arguments, or no password to be had</source>
        <translation>  2  arguments erronés, ou aucun mot de passe à obtenir</translation>
    </message>
    <message>
        <source>  3  with --expect: a reply outside the expected codes (the run stops
     there); without: at least one error reply of the protocol (4xx or 5xx,
     -ERR, a Redis error, memcached ERROR, CLIENT_ERROR or SERVER_ERROR,
     IMAP NO or BAD)</source>
        <translation>  3  avec --expect : une réponse hors des codes attendus (l&apos;exécution s&apos;arrête
     là) ; sans : au moins une réponse d&apos;erreur du protocole (4xx ou 5xx, -ERR,
     une erreur Redis, ERROR, CLIENT_ERROR ou SERVER_ERROR de memcached, NO ou
     BAD d&apos;IMAP)</translation>
    </message>
    <message>
        <source>  4  the log-in was refused, or could not be done (no mechanism that both
     sides know, or a password without TLS and without --allow-plaintext)</source>
        <translation>  4  l&apos;identification a été refusée, ou n&apos;a pas pu se faire (aucun mécanisme
     connu des deux côtés, ou un mot de passe sans TLS et sans
     --allow-plaintext)</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Options&#xa0;:</translation>
    </message>
    <message>
        <source>Exit status:</source>
        <translation>Code de sortie&#xa0;:</translation>
    </message>
    <message>
        <source>--password is not taken: a password on the command line is visible to every user of the machine; use TAMSEL_PASSWORD, --password-file or the prompt</source>
        <translation>--password n&apos;est pas accepté&#xa0;: un mot de passe sur la ligne de commande est visible de tous les utilisateurs de la machine&#xa0;; utilisez TAMSEL_PASSWORD, --password-file ou la saisie au terminal</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 demande une valeur</translation>
    </message>
    <message>
        <source>--starttls takes smtp, pop3, ftp or imap: %1</source>
        <translation>--starttls accepte smtp, pop3, ftp ou imap&#xa0;: %1</translation>
    </message>
    <message>
        <source>unknown protocol %1 (auto, line, smtp, ftp, pop3, imap, redis, memcached)</source>
        <translation>protocole inconnu %1 (auto, line, smtp, ftp, pop3, imap, redis, memcached)</translation>
    </message>
    <message>
        <source>--expect takes codes separated by commas: %1</source>
        <translation>--expect accepte des codes séparés par des virgules&#xa0;: %1</translation>
    </message>
    <message>
        <source>--timeout takes milliseconds from 0 up: %1</source>
        <translation>--timeout accepte des millisecondes à partir de 0&#xa0;: %1</translation>
    </message>
    <message>
        <source>--level takes a number from 0 to 255: %1</source>
        <translation>--level accepte un nombre de 0 à 255&#xa0;: %1</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>option inconnue %1</translation>
    </message>
    <message>
        <source>--tls and --starttls exclude each other</source>
        <translation>--tls et --starttls s&apos;excluent mutuellement</translation>
    </message>
    <message>
        <source>--cafile and --insecure need --tls or --starttls</source>
        <translation>--cafile et --insecure demandent --tls ou --starttls</translation>
    </message>
    <message>
        <source>--auth, --password-file and --allow-plaintext need --user</source>
        <translation>--auth, --password-file et --allow-plaintext demandent --user</translation>
    </message>
    <message>
        <source>--user needs a protocol with a log-in (smtp, pop3, imap, ftp, redis), not %1</source>
        <translation>--user demande un protocole avec identification (smtp, pop3, imap, ftp, redis), pas %1</translation>
    </message>
    <message>
        <source>--send holds a line break; only a memcached storage command (its data line) and an IMAP command (its literal) may carry one: give each command its own --send</source>
        <translation>--send contient un saut de ligne&#xa0;; seules une commande de stockage de memcached (sa ligne de données) et une commande IMAP (son littéral) peuvent en porter un&#xa0;: donnez à chaque commande son propre --send</translation>
    </message>
    <message>
        <source>HOST and PORT are needed</source>
        <translation>HÔTE et PORT sont nécessaires</translation>
    </message>
    <message>
        <source>the host is empty</source>
        <translation>l&apos;hôte est vide</translation>
    </message>
    <message>
        <source>PORT must be a number from 1 to 65535: %1</source>
        <translation>PORT doit être un nombre de 1 à 65535&#xa0;: %1</translation>
    </message>
    <message>
        <source>cannot read the password from %1</source>
        <translation>impossible de lire le mot de passe dans %1</translation>
    </message>
    <message>
        <source>--user needs a password: set TAMSEL_PASSWORD, give --password-file, or run in a terminal</source>
        <translation>--user demande un mot de passe&#xa0;: définissez TAMSEL_PASSWORD, donnez --password-file, ou lancez dans un terminal</translation>
    </message>
    <message>
        <source>Password for %1: </source>
        <translation>Mot de passe pour %1&#xa0;: </translation>
    </message>
    <message>
        <source>warning: --insecure: the server&apos;s certificate is not checked</source>
        <translation>avertissement&#xa0;: --insecure&#xa0;: le certificat du serveur n&apos;est pas vérifié</translation>
    </message>
    <message>
        <source>1 error reply from %1</source>
        <translation>1 réponse d&apos;erreur de %1</translation>
    </message>
    <message>
        <source>%1 error replies from %2</source>
        <translation>%1 réponses d&apos;erreur de %2</translation>
    </message>
    <message>
        <source>warning: --allow-plaintext: the password may go to %1 without TLS</source>
        <translation>avertissement&#xa0;: --allow-plaintext&#xa0;: le mot de passe peut aller à %1 sans TLS</translation>
    </message>
    <message>
        <source>unexpected greeting from %1: %2</source>
        <translation>accueil inattendu de %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>unexpected reply to %1 from %2: %3</source>
        <translation>réponse inattendue à %1 de %2&#xa0;: %3</translation>
    </message>
    <message>
        <source>no display for the window; give HOST and PORT to run without one</source>
        <translation>pas d&apos;écran pour la fenêtre&#xa0;; donnez HÔTE et PORT pour travailler sans</translation>
    </message>
    <message>
        <source>the window could not be started (%1); give HOST and PORT to run without one</source>
        <translation>la fenêtre n&apos;a pas pu être lancée (%1)&#xa0;; donnez HÔTE et PORT pour travailler sans</translation>
    </message>
    <message>
        <source>Try &apos;tamsel --help&apos;.</source>
        <translation>Essayez «&#xa0;tamsel --help&#xa0;».</translation>
    </message>
</context>
<context>
    <name>tamsel::Session</name>
    <message>
        <source>%1 closed the connection</source>
        <translation>%1 a fermé la connexion</translation>
    </message>
    <message>
        <source>%1 sent a line longer than 64 KiB</source>
        <translation>%1 a envoyé une ligne de plus de 64 Kio</translation>
    </message>
    <message>
        <source>%1 sent a %2</source>
        <translation>%1 a envoyé&#xa0;: %2</translation>
    </message>
    <message>
        <source>the connection to %1 failed: %2</source>
        <translation>la connexion à %1 a échoué&#xa0;: %2</translation>
    </message>
    <message>
        <source>the host %1 was not found</source>
        <translation>l&apos;hôte %1 est introuvable</translation>
    </message>
    <message>
        <source>the host name is too long</source>
        <translation>le nom d&apos;hôte est trop long</translation>
    </message>
    <message>
        <source>looking up the host %1 timed out after %2 ms</source>
        <translation>la recherche de l&apos;hôte %1 a dépassé le temps limite après %2&#xa0;ms</translation>
    </message>
    <message>
        <source>connecting to %1 timed out after %2 ms</source>
        <translation>la connexion à %1 a dépassé le temps limite après %2&#xa0;ms</translation>
    </message>
    <message>
        <source>connecting to %1 was cancelled</source>
        <translation>la connexion à %1 a été annulée</translation>
    </message>
    <message>
        <source>%1 refused the connection</source>
        <translation>%1 a refusé la connexion</translation>
    </message>
    <message>
        <source>could not connect to %1</source>
        <translation>impossible de se connecter à %1</translation>
    </message>
    <message>
        <source>could not connect to %1: %2</source>
        <translation>impossible de se connecter à %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>no reply from %1: timed out after %2 ms</source>
        <translation>pas de réponse de %1&#xa0;: temps limite dépassé après %2&#xa0;ms</translation>
    </message>
    <message>
        <source>the wait for %1 was cancelled</source>
        <translation>l&apos;attente de %1 a été annulée</translation>
    </message>
    <message>
        <source>already connected to %1</source>
        <translation>déjà connecté à %1</translation>
    </message>
    <message>
        <source>TLS with %1 failed: %2</source>
        <translation>TLS avec %1 a échoué&#xa0;: %2</translation>
    </message>
    <message>
        <source>the TLS handshake with %1 timed out after %2 ms</source>
        <translation>la négociation TLS avec %1 a dépassé le temps limite après %2&#xa0;ms</translation>
    </message>
    <message>
        <source>the TLS handshake with %1 was cancelled</source>
        <translation>la négociation TLS avec %1 a été annulée</translation>
    </message>
    <message>
        <source>%1 sent plain text right after agreeing to STARTTLS; it was dropped and TLS refused, since such bytes may be injected</source>
        <translation>%1 a envoyé du texte en clair juste après avoir accepté STARTTLS&#xa0;; il a été écarté et TLS refusé, car de tels octets peuvent avoir été injectés</translation>
    </message>
    <message>
        <source>; certificate %1, issued by %2, valid until %3</source>
        <translation>&#xa0;; certificat %1, émis par %2, valable jusqu&apos;au %3</translation>
    </message>
    <message>
        <source>; verified</source>
        <translation>&#xa0;; vérifié</translation>
    </message>
    <message>
        <source>; not verified: %1</source>
        <translation>&#xa0;; non vérifié&#xa0;: %1</translation>
    </message>
</context>
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

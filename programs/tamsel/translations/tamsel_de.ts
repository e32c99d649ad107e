<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>tamsel::CommandLine</name>
    <message>
        <source>Usage: tamsel [HOST PORT [OPTIONS]]</source>
        <translation>Aufruf: tamsel [HOST PORT [OPTIONEN]]</translation>
    </message>
    <message>
        <source>A client for line-oriented TCP services such as SMTP, FTP, POP3, IMAP,
Redis or memcached.</source>
        <translation>Ein Client für zeilenorientierte TCP-Dienste wie SMTP, FTP, POP3, IMAP,
Redis oder memcached.</translation>
    </message>
    <message>
        <source>Without arguments, and with a display, tamsel opens its window. With HOST
(a name, a dotted IPv4 address or an IPv6 address, with or without
brackets) and PORT it connects, reads the server&apos;s greeting, logs in when
asked to, runs one command per line of standard input (empty lines are
skipped) and prints each reply line as it arrives. Where a reply ends
depends on the protocol (see --protocol).</source>
        <translation>Ohne Argumente und mit einem Bildschirm öffnet tamsel sein Fenster. Mit
HOST (einem Namen, einer IPv4-Adresse in Punktschreibweise oder einer
IPv6-Adresse, mit oder ohne eckige Klammern) und PORT verbindet es sich,
liest die Begrüßung des Servers, meldet sich auf Wunsch an, führt je Zeile
der Standardeingabe einen Befehl aus (leere Zeilen werden übergangen) und
gibt jede Antwortzeile aus, sobald sie eintrifft. Wo eine Antwort endet,
hängt vom Protokoll ab (siehe --protocol).</translation>
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
        <translation>Nach einer SMTP-Antwort 354 sind die folgenden Zeilen Nachrichtendaten; sie
werden unverändert gesendet (Leerzeilen bleiben, ein Punkt am Zeilenanfang
wird verdoppelt) bis zu einer Zeile &quot;.&quot;, danach wird die Antwort gelesen.
Ein Speicherbefehl von memcached (set, add, replace, append, prepend, cas)
nimmt die nächste Zeile als seine Datenzeile; ein --send-Text kann sie nach
einem Zeilenumbruch mitbringen ($&apos;set k 0 0 2\r\nhi&apos;) und wird dann
unverändert gesendet. Werte (Redis-Bulk-Strings, memcached-Werte,
IMAP-Literale) jeder Größe werden nach ihrer Byte-Zahl gelesen und Byte für
Byte ausgegeben, gefolgt von einem Zeilenende. IMAP-Befehle erhalten ein
Tag (a001, a002, ...), wenn sie mit einem Befehlsnamen beginnen; ein
--send-Text &quot;APPEND box {n}&quot;, gefolgt von einem Zeilenumbruch und der
Nachricht, sendet die Nachricht als Literal, sobald der Server &quot;+&quot; sagt
(mit LITERAL+ sofort).</translation>
    </message>
    <message>
        <source>  --send TEXT        run TEXT as a command instead of reading standard
                     input (may be given more than once)</source>
        <translation>  --send TEXT        TEXT als Befehl ausführen, statt die Standardeingabe zu
                     lesen (mehrfach möglich)</translation>
    </message>
    <message>
        <source>  --protocol NAME    how replies end: auto (default: a reply &quot;ddd-...&quot; ends
                     at the line &quot;ddd ...&quot;, any other reply is one line),
                     line (one line), smtp, ftp, pop3 (multi-line replies
                     of CAPA, LIST, UIDL, RETR, TOP end at &quot;.&quot;), imap
                     (untagged lines up to the tagged one), redis (RESP),
                     memcached (get, gets, stats end at END)</source>
        <translation>  --protocol NAME    woran Antworten enden: auto (Vorgabe: eine Antwort
                     &quot;ddd-...&quot; endet an der Zeile &quot;ddd ...&quot;, jede andere
                     Antwort ist eine Zeile), line (eine Zeile), smtp, ftp,
                     pop3 (mehrzeilige Antworten auf CAPA, LIST, UIDL, RETR,
                     TOP enden an &quot;.&quot;), imap (Zeilen ohne Tag bis zu der mit
                     Tag), redis (RESP), memcached (get, gets, stats enden an
                     END)</translation>
    </message>
    <message>
        <source>  --greeting         read a greeting whatever the protocol (smtp, ftp, pop3
                     and imap always read one; auto takes what the server
                     sends within half a second as the greeting)</source>
        <translation>  --greeting         eine Begrüßung lesen, gleich welches Protokoll (smtp, ftp,
                     pop3 und imap lesen immer eine; auto nimmt, was der Server
                     binnen einer halben Sekunde sendet, als Begrüßung)</translation>
    </message>
    <message>
        <source>  --no-greeting      read no greeting</source>
        <translation>  --no-greeting      keine Begrüßung lesen</translation>
    </message>
    <message>
        <source>  --expect CODES     stop with exit status 3 at the first reply (greeting
                     included) outside CODES: reply numbers with x for any
                     digit, or words the reply starts with (for IMAP also
                     its tagged status), separated by commas, for instance
                     2xx,3xx or +OK or STORED,END or OK</source>
        <translation>  --expect CODES     mit Rückgabewert 3 bei der ersten Antwort (Begrüßung
                     eingeschlossen) außerhalb von CODES anhalten:
                     Antwortnummern mit x für eine beliebige Ziffer oder
                     Wörter, mit denen die Antwort beginnt (bei IMAP auch ihr
                     Status mit Tag), durch Kommas getrennt, zum Beispiel
                     2xx,3xx oder +OK oder STORED,END oder OK</translation>
    </message>
    <message>
        <source>  --transcript       print both sides: commands &quot;-&gt; &quot;, replies &quot;&lt;- &quot;</source>
        <translation>  --transcript       beide Seiten ausgeben: Befehle &quot;-&gt; &quot;, Antworten &quot;&lt;- &quot;</translation>
    </message>
    <message>
        <source>  --timestamps       with --transcript, start each line with the time</source>
        <translation>  --timestamps       mit --transcript jede Zeile mit der Uhrzeit beginnen</translation>
    </message>
    <message>
        <source>  --timeout MS       limit of each wait in milliseconds, 0 for none
                     (default 10000)</source>
        <translation>  --timeout MS       Zeitlimit jedes Wartens in Millisekunden, 0 für keines
                     (Vorgabe 10000)</translation>
    </message>
    <message>
        <source>  --level N          write the status texts up to report level N to
                     standard error: 1 every reply line, greeting included,
                     4 also sending and closing, 8 everything (default 0:
                     none)</source>
        <translation>  --level N          die Statustexte bis Meldestufe N auf die
                     Standardfehlerausgabe schreiben: 1 jede Antwortzeile,
                     Begrüßung eingeschlossen, 4 auch Senden und Schließen, 8
                     alles (Vorgabe 0: nichts)</translation>
    </message>
    <message>
        <source>  --tls              speak TLS from the start (SMTPS 465, POP3S 995,
                     IMAPS 993, ...); the server&apos;s certificate must be
                     valid for HOST</source>
        <translation>  --tls              von Anfang an TLS sprechen (SMTPS 465, POP3S 995, IMAPS
                     993, ...); das Zertifikat des Servers muss für HOST gültig
                     sein</translation>
    </message>
    <message>
        <source>  --starttls PROTO   upgrade to TLS after the protocol&apos;s own request:
                     smtp (EHLO, STARTTLS), pop3 (STLS), ftp (AUTH TLS)
                     or imap (STARTTLS); the greeting and these replies
                     are printed; with smtp, send EHLO again (a log-in
                     does so itself)</source>
        <translation>  --starttls PROTO   nach der protokolleigenen Anfrage auf TLS umstellen: smtp
                     (EHLO, STARTTLS), pop3 (STLS), ftp (AUTH TLS) oder imap
                     (STARTTLS); die Begrüßung und diese Antworten werden
                     ausgegeben; bei smtp danach erneut EHLO senden (eine
                     Anmeldung tut das selbst)</translation>
    </message>
    <message>
        <source>  --cafile FILE      trust the certificates in FILE (PEM) besides the
                     system&apos;s</source>
        <translation>  --cafile DATEI     den Zertifikaten in DATEI (PEM) zusätzlich zu denen des
                     Systems vertrauen</translation>
    </message>
    <message>
        <source>  --insecure         do not check the server&apos;s certificate (a warning
                     says so on standard error)</source>
        <translation>  --insecure         das Zertifikat des Servers nicht prüfen (eine Warnung auf
                     der Standardfehlerausgabe sagt das)</translation>
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
        <translation>  --user NAME        sich direkt nach der Begrüßung und einer TLS-Umstellung,
                     vor dem ersten Befehl, als NAME anmelden: SMTP (eigenes
                     EHLO, dann AUTH), POP3 (AUTH, oder USER und PASS), IMAP
                     (AUTHENTICATE, oder LOGIN), FTP (USER und PASS), Redis
                     (AUTH). Das Passwort kommt aus der Umgebungsvariablen
                     TAMSEL_PASSWORD, aus --password-file oder wird am Terminal
                     ohne Echo abgefragt; nie von der Befehlszeile. Es wird nie
                     ausgegeben: In der Mitschrift steht &quot;****&quot; dafür.</translation>
    </message>
    <message>
        <source>  --password-file F  read the password from the first line of F</source>
        <translation>  --password-file D  das Passwort aus der ersten Zeile von D lesen</translation>
    </message>
    <message>
        <source>  --auth MECH        the mechanism: PLAIN, LOGIN, CRAM-MD5, SCRAM-SHA-1 or
                     SCRAM-SHA-256 (GNU SASL), or NATIVE for the protocol&apos;s
                     own command; default: the best that the server offers
                     (SCRAM-SHA-256 first), else the protocol&apos;s command</source>
        <translation>  --auth VERF        das Verfahren: PLAIN, LOGIN, CRAM-MD5, SCRAM-SHA-1 oder
                     SCRAM-SHA-256 (GNU SASL) oder NATIVE für den eigenen
                     Befehl des Protokolls; Vorgabe: das beste, das der Server
                     anbietet (SCRAM-SHA-256 zuerst), sonst der Befehl des
                     Protokolls</translation>
    </message>
    <message>
        <source>  --allow-plaintext  let the password (PLAIN, LOGIN, NATIVE) go over a
                     connection without TLS (a warning says so)</source>
        <translation>  --allow-plaintext  das Passwort (PLAIN, LOGIN, NATIVE) über eine Verbindung
                     ohne TLS gehen lassen (eine Warnung sagt das)</translation>
    </message>
    <message>
        <source>  --help             show this text and exit</source>
        <translation>  --help             diesen Text zeigen und beenden</translation>
    </message>
    <message>
        <source>  --version          show the version and exit</source>
        <translation>  --version          die Version zeigen und beenden</translation>
    </message>
    <message>
        <source>  0  every command got its reply and no reply was an error</source>
        <translation>  0  jeder Befehl bekam seine Antwort, und keine Antwort war ein Fehler</translation>
    </message>
    <message>
        <source>  1  connecting failed, a wait timed out, a line was too long, the server
     closed the connection, refused STARTTLS or sent a malformed reply</source>
        <translation>  1  das Verbinden schlug fehl, ein Warten überschritt das Zeitlimit, eine
     Zeile war zu lang, der Server schloss die Verbindung, lehnte STARTTLS ab
     oder sandte eine fehlerhafte Antwort</translation>
    </message>
    <message>
        <source>  2  wrong arguments, or no password to be had</source>
        <translation>  2  falsche Argumente, oder kein Passwort zu bekommen</translation>
    </message>
    <message>
        <source>  3  with --expect: a reply outside the expected codes (the run stops
     there); without: at least one error reply of the protocol (4xx or 5xx,
     -ERR, a Redis error, memcached ERROR, CLIENT_ERROR or SERVER_ERROR,
     IMAP NO or BAD)</source>
        <translation>  3  mit --expect: eine Antwort außerhalb der erwarteten Codes (der Lauf endet
     dort); ohne: mindestens eine Fehlerantwort des Protokolls (4xx oder 5xx,
     -ERR, ein Redis-Fehler, memcached ERROR, CLIENT_ERROR oder SERVER_ERROR,
     IMAP NO oder BAD)</translation>
    </message>
    <message>
        <source>  4  the log-in was refused, or could not be done (no mechanism that both
     sides know, or a password without TLS and without --allow-plaintext)</source>
        <translation>  4  die Anmeldung wurde abgelehnt oder war nicht möglich (kein Verfahren, das
     beide Seiten kennen, oder ein Passwort ohne TLS und ohne
     --allow-plaintext)</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Optionen:</translation>
    </message>
    <message>
        <source>Exit status:</source>
        <translation>Rückgabewert:</translation>
    </message>
    <message>
        <source>--password is not taken: a password on the command line is visible to every user of the machine; use TAMSEL_PASSWORD, --password-file or the prompt</source>
        <translation>--password wird nicht angenommen: Ein Passwort auf der Befehlszeile ist für jeden Benutzer des Rechners sichtbar; verwenden Sie TAMSEL_PASSWORD, --password-file oder die Abfrage</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 braucht einen Wert</translation>
    </message>
    <message>
        <source>--starttls takes smtp, pop3, ftp or imap: %1</source>
        <translation>--starttls nimmt smtp, pop3, ftp oder imap: %1</translation>
    </message>
    <message>
        <source>unknown protocol %1 (auto, line, smtp, ftp, pop3, imap, redis, memcached)</source>
        <translation>unbekanntes Protokoll %1 (auto, line, smtp, ftp, pop3, imap, redis, memcached)</translation>
    </message>
    <message>
        <source>--expect takes codes separated by commas: %1</source>
        <translation>--expect nimmt durch Kommas getrennte Codes: %1</translation>
    </message>
    <message>
        <source>--timeout takes milliseconds from 0 up: %1</source>
        <translation>--timeout nimmt Millisekunden ab 0: %1</translation>
    </message>
    <message>
        <source>--level takes a number from 0 to 255: %1</source>
        <translation>--level nimmt eine Zahl von 0 bis 255: %1</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>unbekannte Option %1</translation>
    </message>
    <message>
        <source>--tls and --starttls exclude each other</source>
        <translation>--tls und --starttls schließen einander aus</translation>
    </message>
    <message>
        <source>--cafile and --insecure need --tls or --starttls</source>
        <translation>--cafile und --insecure brauchen --tls oder --starttls</translation>
    </message>
    <message>
        <source>--auth, --password-file and --allow-plaintext need --user</source>
        <translation>--auth, --password-file und --allow-plaintext brauchen --user</translation>
    </message>
    <message>
        <source>--user needs a protocol with a log-in (smtp, pop3, imap, ftp, redis), not %1</source>
        <translation>--user braucht ein Protokoll mit Anmeldung (smtp, pop3, imap, ftp, redis), nicht %1</translation>
    </message>
    <message>
        <source>--send holds a line break; only a memcached storage command (its data line) and an IMAP command (its literal) may carry one: give each command its own --send</source>
        <translation>--send enthält einen Zeilenumbruch; nur ein Speicherbefehl von memcached (seine Datenzeile) und ein IMAP-Befehl (sein Literal) dürfen einen enthalten: Geben Sie jedem Befehl ein eigenes --send</translation>
    </message>
    <message>
        <source>HOST and PORT are needed</source>
        <translation>HOST und PORT werden benötigt</translation>
    </message>
    <message>
        <source>the host is empty</source>
        <translation>der Host ist leer</translation>
    </message>
    <message>
        <source>PORT must be a number from 1 to 65535: %1</source>
        <translation>PORT muss eine Zahl von 1 bis 65535 sein: %1</translation>
    </message>
    <message>
        <source>cannot read the password from %1</source>
        <translation>das Passwort kann nicht aus %1 gelesen werden</translation>
    </message>
    <message>
        <source>--user needs a password: set TAMSEL_PASSWORD, give --password-file, or run in a terminal</source>
        <translation>--user braucht ein Passwort: Setzen Sie TAMSEL_PASSWORD, geben Sie --password-file an oder starten Sie in einem Terminal</translation>
    </message>
    <message>
        <source>Password for %1: </source>
        <translation>Passwort für %1: </translation>
    </message>
    <message>
        <source>warning: --insecure: the server&apos;s certificate is not checked</source>
        <translation>Warnung: --insecure: Das Zertifikat des Servers wird nicht geprüft</translation>
    </message>
    <message>
        <source>1 error reply from %1</source>
        <translation>1 Fehlerantwort von %1</translation>
    </message>
    <message>
        <source>%1 error replies from %2</source>
        <translation>%1 Fehlerantworten von %2</translation>
    </message>
    <message>
        <source>warning: --allow-plaintext: the password may go to %1 without TLS</source>
        <translation>Warnung: --allow-plaintext: Das Passwort kann ohne TLS an %1 gehen</translation>
    </message>
    <message>
        <source>unexpected greeting from %1: %2</source>
        <translation>unerwartete Begrüßung von %1: %2</translation>
    </message>
    <message>
        <source>unexpected reply to %1 from %2: %3</source>
        <translation>unerwartete Antwort auf %1 von %2: %3</translation>
    </message>
    <message>
        <source>no display for the window; give HOST and PORT to run without one</source>
        <translation>kein Bildschirm für das Fenster; geben Sie HOST und PORT an, um ohne einen zu arbeiten</translation>
    </message>
    <message>
        <source>the window could not be started (%1); give HOST and PORT to run without one</source>
        <translation>das Fenster konnte nicht gestartet werden (%1); geben Sie HOST und PORT an, um ohne es zu arbeiten</translation>
    </message>
    <message>
        <source>Try &apos;tamsel --help&apos;.</source>
        <translation>Mehr dazu: &apos;tamsel --help&apos;.</translation>
    </message>
</context>
<context>
    <name>tamsel::Session</name>
    <message>
        <source>%1 closed the connection</source>
        <translation>%1 hat die Verbindung geschlossen</translation>
    </message>
    <message>
        <source>%1 sent a line longer than 64 KiB</source>
        <translation>%1 hat eine Zeile von mehr als 64 KiB gesendet</translation>
    </message>
    <message>
        <source>%1 sent a %2</source>
        <translation>%1 hat gesendet: %2</translation>
    </message>
    <message>
        <source>the connection to %1 failed: %2</source>
        <translation>die Verbindung mit %1 ist fehlgeschlagen: %2</translation>
    </message>
    <message>
        <source>the host %1 was not found</source>
        <translation>der Host %1 wurde nicht gefunden</translation>
    </message>
    <message>
        <source>the host name is too long</source>
        <translation>der Hostname ist zu lang</translation>
    </message>
    <message>
        <source>looking up the host %1 timed out after %2 ms</source>
        <translation>die Suche nach dem Host %1 hat nach %2 ms das Zeitlimit überschritten</translation>
    </message>
    <message>
        <source>connecting to %1 timed out after %2 ms</source>
        <translation>das Verbinden mit %1 hat nach %2 ms das Zeitlimit überschritten</translation>
    </message>
    <message>
        <source>connecting to %1 was cancelled</source>
        <translation>das Verbinden mit %1 wurde abgebrochen</translation>
    </message>
    <message>
        <source>%1 refused the connection</source>
        <translation>%1 hat die Verbindung abgelehnt</translation>
    </message>
    <message>
        <source>could not connect to %1</source>
        <translation>Verbindung mit %1 nicht möglich</translation>
    </message>
    <message>
        <source>could not connect to %1: %2</source>
        <translation>Verbindung mit %1 nicht möglich: %2</translation>
    </message>
    <message>
        <source>no reply from %1: timed out after %2 ms</source>
        <translation>keine Antwort von %1: Zeitlimit nach %2 ms überschritten</translation>
    </message>
    <message>
        <source>the wait for %1 was cancelled</source>
        <translation>das Warten auf %1 wurde abgebrochen</translation>
    </message>
    <message>
        <source>already connected to %1</source>
        <translation>bereits mit %1 verbunden</translation>
    </message>
    <message>
        <source>TLS with %1 failed: %2</source>
        <translation>TLS mit %1 ist fehlgeschlagen: %2</translation>
    </message>
    <message>
        <source>the TLS handshake with %1 timed out after %2 ms</source>
        <translation>der TLS-Handshake mit %1 hat nach %2 ms das Zeitlimit überschritten</translation>
    </message>
    <message>
        <source>the TLS handshake with %1 was cancelled</source>
        <translation>der TLS-Handshake mit %1 wurde abgebrochen</translation>
    </message>
    <message>
        <source>%1 sent plain text right after agreeing to STARTTLS; it was dropped and TLS refused, since such bytes may be injected</source>
        <translation>%1 hat direkt nach der Zusage von STARTTLS Klartext gesendet; er wurde verworfen und TLS abgelehnt, da solche Bytes eingeschleust sein können</translation>
    </message>
    <message>
        <source>; certificate %1, issued by %2, valid until %3</source>
        <translation>; Zertifikat %1, ausgestellt von %2, gültig bis %3</translation>
    </message>
    <message>
        <source>; verified</source>
        <translation>; geprüft</translation>
    </message>
    <message>
        <source>; not verified: %1</source>
        <translation>; nicht geprüft: %1</translation>
    </message>
</context>
<context>
    <name>tamsel::TamselWindow</name>
    <message>
        <source>0: nothing</source>
        <translation>0: nichts</translation>
    </message>
    <message>
        <source>1: reply lines</source>
        <translation>1: Antwortzeilen</translation>
    </message>
    <message>
        <source>4: also sending and closing</source>
        <translation>4: auch Senden und Schließen</translation>
    </message>
    <message>
        <source>8: every step</source>
        <translation>8: jeder Schritt</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>TLS from the start</source>
        <translation>TLS von Anfang an</translation>
    </message>
    <message>
        <source>Server</source>
        <translation>Server</translation>
    </message>
    <message>
        <source>name, IPv4 or IPv6 address</source>
        <translation>Name, IPv4- oder IPv6-Adresse</translation>
    </message>
    <message>
        <source> ms</source>
        <translation> ms</translation>
    </message>
    <message>
        <source>no limit</source>
        <translation>unbegrenzt</translation>
    </message>
    <message>
        <source>How the server&apos;s replies end</source>
        <translation>Woran das Ende einer Antwort des Servers erkannt wird</translation>
    </message>
    <message>
        <source>Read the &amp;greeting after connecting</source>
        <translation>Be&amp;grüßung nach dem Verbinden lesen</translation>
    </message>
    <message>
        <source>&amp;Port</source>
        <translation>&amp;Port</translation>
    </message>
    <message>
        <source>P&amp;rotocol</source>
        <translation>P&amp;rotokoll</translation>
    </message>
    <message>
        <source>&amp;Host</source>
        <translation>&amp;Host</translation>
    </message>
    <message>
        <source>Report &amp;level</source>
        <translation>&amp;Meldestufe</translation>
    </message>
    <message>
        <source>&amp;Time-out</source>
        <translation>&amp;Zeitlimit</translation>
    </message>
    <message>
        <source>T&amp;LS</source>
        <translation>T&amp;LS</translation>
    </message>
    <message>
        <source>&amp;Connect</source>
        <translation>&amp;Verbinden</translation>
    </message>
    <message>
        <source>&amp;Disconnect</source>
        <translation>&amp;Trennen</translation>
    </message>
    <message>
        <source>C&amp;ancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Ends the operation that is waiting (Esc)</source>
        <translation>Beendet den wartenden Vorgang (Esc)</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>Befehl</translation>
    </message>
    <message>
        <source>&amp;Send</source>
        <translation>&amp;Senden</translation>
    </message>
    <message>
        <source>Co&amp;mmand</source>
        <translation>Be&amp;fehl</translation>
    </message>
    <message>
        <source>Each line is sent as a command; the reply is listed below</source>
        <translation>Jede Zeile wird als Befehl gesendet; die Antwort erscheint in der Liste darunter</translation>
    </message>
    <message>
        <source>Commands and replies</source>
        <translation>Befehle und Antworten</translation>
    </message>
    <message>
        <source>Reply no.</source>
        <translation>Antwort-Nr.</translation>
    </message>
    <message>
        <source>Reply</source>
        <translation>Antwort</translation>
    </message>
    <message>
        <source>Status trace</source>
        <translation>Statusprotokoll</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Save session as text...</source>
        <translation>Sitzung als Text &amp;speichern...</translation>
    </message>
    <message>
        <source>Save session</source>
        <translation>Sitzung speichern</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Copy session</source>
        <translation>Sitzung &amp;kopieren</translation>
    </message>
    <message>
        <source>C&amp;lear session</source>
        <translation>Sitzung &amp;leeren</translation>
    </message>
    <message>
        <source>STARTTLS: tamsel asks for the upgrade after the greeting (EHLO and STARTTLS, STLS, AUTH TLS, a001 STARTTLS); with SMTP, send EHLO again</source>
        <translation>STARTTLS: tamsel bittet nach der Begrüßung um die Umstellung auf TLS (EHLO und STARTTLS, STLS, AUTH TLS, a001 STARTTLS); bei SMTP danach erneut EHLO senden</translation>
    </message>
    <message>
        <source>extra CA file (PEM), optional</source>
        <translation>zusätzliche CA-Datei (PEM), optional</translation>
    </message>
    <message>
        <source>CA file</source>
        <translation>CA-Datei</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>Aus&amp;wählen...</translation>
    </message>
    <message>
        <source>Do &amp;not check the certificate</source>
        <translation>Zertifikat &amp;nicht prüfen</translation>
    </message>
    <message>
        <source>Any certificate passes: the connection is encrypted, but the server may not be who it claims to be</source>
        <translation>Jedes Zertifikat wird angenommen: Die Verbindung ist verschlüsselt, aber der Server ist vielleicht nicht der, für den er sich ausgibt</translation>
    </message>
    <message>
        <source>CA certificates</source>
        <translation>CA-Zertifikate</translation>
    </message>
    <message>
        <source>PEM certificates (*.pem *.crt);;All files (*)</source>
        <translation>PEM-Zertifikate (*.pem *.crt);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Not encrypted</source>
        <translation>Nicht verschlüsselt</translation>
    </message>
    <message>
        <source>Warning: the certificate will not be checked</source>
        <translation>Warnung: Das Zertifikat wird nicht geprüft</translation>
    </message>
    <message>
        <source>Encrypted, certificate verified</source>
        <translation>Verschlüsselt, Zertifikat geprüft</translation>
    </message>
    <message>
        <source>Encrypted, certificate NOT verified</source>
        <translation>Verschlüsselt, Zertifikat NICHT geprüft</translation>
    </message>
    <message>
        <source>Padlock: %1</source>
        <translation>Vorhängeschloss: %1</translation>
    </message>
    <message>
        <source>Local address: %1</source>
        <translation>Lokale Adresse: %1</translation>
    </message>
    <message>
        <source>(greeting)</source>
        <translation>(Begrüßung)</translation>
    </message>
    <message>
        <source>The reply number</source>
        <translation>Die Antwortnummer</translation>
    </message>
    <message>
        <source>(connection closed)</source>
        <translation>(Verbindung geschlossen)</translation>
    </message>
    <message>
        <source>(no reply expected)</source>
        <translation>(keine Antwort erwartet)</translation>
    </message>
    <message>
        <source>Reply to %1: %2</source>
        <translation>Antwort auf %1: %2</translation>
    </message>
    <message>
        <source>(failed: %1)</source>
        <translation>(fehlgeschlagen: %1)</translation>
    </message>
    <message>
        <source>(timed out after %1 ms)</source>
        <translation>(Zeitlimit nach %1 ms überschritten)</translation>
    </message>
    <message>
        <source>(cancelled)</source>
        <translation>(abgebrochen)</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Could not save the session to %1: %2</source>
        <translation>Die Sitzung konnte nicht in %1 gespeichert werden: %2</translation>
    </message>
    <message>
        <source>message data, one line at a time; a line &quot;.&quot; ends it</source>
        <translation>Nachrichtentext, Zeile für Zeile; eine Zeile &quot;.&quot; beendet ihn</translation>
    </message>
    <message>
        <source>the data line of %1</source>
        <translation>die Datenzeile von %1</translation>
    </message>
    <message>
        <source>a line to send, for instance HELO or NOOP</source>
        <translation>eine zu sendende Zeile, etwa HELO oder NOOP</translation>
    </message>
    <message>
        <source>Waiting... (Esc cancels)</source>
        <translation>Warten... (Esc bricht ab)</translation>
    </message>
    <message>
        <source>Connected to %1:%2</source>
        <translation>Verbunden mit %1:%2</translation>
    </message>
    <message>
        <source>Not connected</source>
        <translation>Nicht verbunden</translation>
    </message>
    <message>
        <source>(message, 1 line)</source>
        <translation>(Nachricht, 1 Zeile)</translation>
    </message>
    <message>
        <source>(message, %1 lines)</source>
        <translation>(Nachricht, %1 Zeilen)</translation>
    </message>
    <message>
        <source>&amp;User</source>
        <translation>Ben&amp;utzer</translation>
    </message>
    <message>
        <source>STARTTLS (%1)</source>
        <translation>STARTTLS (%1)</translation>
    </message>
    <message>
        <source>none: no log-in</source>
        <translation>leer: ohne Anmeldung</translation>
    </message>
    <message>
        <source>never stored</source>
        <translation>wird nie gespeichert</translation>
    </message>
    <message>
        <source>Best offered</source>
        <translation>Bester angebotener</translation>
    </message>
    <message>
        <source>The protocol&apos;s own command</source>
        <translation>Eigener Befehl des Protokolls</translation>
    </message>
    <message>
        <source>Allow the password without TLS</source>
        <translation>Passwort ohne TLS erlauben</translation>
    </message>
    <message>
        <source>PLAIN, LOGIN and the protocol&apos;s own command send the password itself: without TLS anyone on the way can read it</source>
        <translation>PLAIN, LOGIN und der eigene Befehl des Protokolls senden das Passwort selbst: Ohne TLS kann es jeder auf dem Weg mitlesen</translation>
    </message>
    <message>
        <source>Pass&amp;word</source>
        <translation>Passw&amp;ort</translation>
    </message>
    <message>
        <source>&amp;Mechanism</source>
        <translation>Me&amp;chanismus</translation>
    </message>
    <message>
        <source>... (%1 bytes)</source>
        <translation>... (%1 Bytes)</translation>
    </message>
</context>
<context>
    <name>toolkit::ErrorBox</name>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
</context>
</TS>

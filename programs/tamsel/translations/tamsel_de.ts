<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
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

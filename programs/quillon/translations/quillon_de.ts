<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>QuillonForm</name>
    <message>
        <source>Convert units</source>
        <translation>Einheiten umrechnen</translation>
    </message>
    <message>
        <source>Fin&amp;d a unit</source>
        <translation>Einheit s&amp;uchen</translation>
    </message>
    <message>
        <source>symbol or name, in every category (Ctrl+F)</source>
        <translation>Symbol oder Name, in allen Kategorien (Strg+F)</translation>
    </message>
    <message>
        <source>Up and Down choose a hit; Enter makes it the From unit, Shift+Enter the To unit; Escape clears</source>
        <translation>Auf und Ab wählen einen Treffer; Eingabe macht ihn zur Von-Einheit, Umschalt+Eingabe zur Nach-Einheit; Esc leert die Suche</translation>
    </message>
    <message>
        <source>Enter or a click: From unit; Shift+Enter or Shift+click: To unit</source>
        <translation>Eingabe oder Klick: Von-Einheit; Umschalt+Eingabe oder Umschalt+Klick: Nach-Einheit</translation>
    </message>
    <message>
        <source>&amp;Category</source>
        <translation>&amp;Kategorie</translation>
    </message>
    <message>
        <source>&amp;From</source>
        <translation>&amp;Von</translation>
    </message>
    <message>
        <source>&amp;To</source>
        <translation>&amp;Nach</translation>
    </message>
    <message>
        <source>The kind of quantity</source>
        <translation>Die Art der Größe</translation>
    </message>
    <message>
        <source>The unit the amount is given in</source>
        <translation>Die Einheit, in der der Betrag angegeben ist</translation>
    </message>
    <message>
        <source>The unit to convert to</source>
        <translation>Die Einheit, in die umgerechnet wird</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>Betrag</translation>
    </message>
    <message>
        <source>&amp;Amount</source>
        <translation>&amp;Betrag</translation>
    </message>
    <message>
        <source>A number or a whole expression: 2*3, (5+7)/2, sqrt(2), 3!, $FF</source>
        <translation>Eine Zahl oder ein ganzer Ausdruck: 2*3, (5+7)/2, sqrt(2), 3!, $FF</translation>
    </message>
    <message>
        <source>S&amp;wap from and to</source>
        <translation>Von und Nach &amp;tauschen</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>&amp;Recent conversions: Enter recalls, Ctrl+C copies</source>
        <translation>&amp;Letzte Umrechnungen: Eingabe holt zurück, Strg+C kopiert</translation>
    </message>
    <message>
        <source>Enter or a click recalls a conversion; Ctrl+C copies it; Delete removes it</source>
        <translation>Eingabe oder ein Klick holt eine Umrechnung zurück; Strg+C kopiert sie; Entf entfernt sie</translation>
    </message>
    <message>
        <source>Reca&amp;ll</source>
        <translation>&amp;Aufrufen</translation>
    </message>
    <message>
        <source>Cop&amp;y</source>
        <translation>Kop&amp;ieren</translation>
    </message>
    <message>
        <source>Remo&amp;ve</source>
        <translation>Entfe&amp;rnen</translation>
    </message>
    <message>
        <source>Quick calc: simply supported beam</source>
        <translation>Schnellrechnung: Einfeldträger</translation>
    </message>
    <message>
        <source>Point load &amp;P</source>
        <translation>Einzellast &amp;P</translation>
    </message>
    <message>
        <source>&amp;Uniform load w</source>
        <translation>&amp;Gleichstreckenlast w</translation>
    </message>
    <message>
        <source>Spa&amp;n L</source>
        <translation>Stütz&amp;weite L</translation>
    </message>
    <message>
        <source>Largest moment PL/4 + wL^2/8</source>
        <translation>Größtes Biegemoment PL/4 + wL^2/8</translation>
    </message>
    <message>
        <source>Largest shear P/2 + wL/2</source>
        <translation>Größte Querkraft P/2 + wL/2</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Anzeige</translation>
    </message>
    <message>
        <source>He&amp;xadecimal</source>
        <translation>He&amp;xadezimal</translation>
    </message>
    <message>
        <source>Show values as $ and hexadecimal digits</source>
        <translation>Werte als $ und Hexadezimalziffern anzeigen</translation>
    </message>
    <message>
        <source>Units of the quick calc:</source>
        <translation>Einheiten der Schnellrechnung:</translation>
    </message>
    <message>
        <source>&amp;English (kips, ft)</source>
        <translation>&amp;Englisch (kips, ft)</translation>
    </message>
    <message>
        <source>&amp;SI (kN, m)</source>
        <translation>&amp;SI (kN, m)</translation>
    </message>
    <message>
        <source>C&amp;odes (F1, L2)</source>
        <translation>C&amp;odes (F1, L2)</translation>
    </message>
</context>
<context>
    <name>quillon::MainWindow</name>
    <message>
        <source>quillon – units calculator</source>
        <translation>quillon – Einheitenrechner</translation>
    </message>
    <message>
        <source>Units found</source>
        <translation>Gefundene Einheiten</translation>
    </message>
    <message>
        <source>&amp;Amount</source>
        <translation>&amp;Betrag</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>This category has no units.</source>
        <translation>Diese Kategorie hat keine Einheiten.</translation>
    </message>
    <message>
        <source>&amp;Amount in %1</source>
        <translation>&amp;Betrag in %1</translation>
    </message>
    <message>
        <source>Result in %1</source>
        <translation>Ergebnis in %1</translation>
    </message>
    <message>
        <source>No unit matches</source>
        <translation>Keine Einheit passt</translation>
    </message>
    <message>
        <source>The units of this entry are no longer in the catalogue</source>
        <translation>Die Einheiten dieses Eintrags sind nicht mehr im Katalog</translation>
    </message>
</context>
<context>
    <name>quillon::QuestionLine</name>
    <message>
        <source>Ask: 60 mph * 2 h to km, 5 ft 3 in to cm, 20 °C to °F</source>
        <translation>Eine Frage, etwa: 60 mph * 2 h to km, 5 ft 3 in to cm, 20 °C to °F</translation>
    </message>
    <message>
        <source>&amp;Question:</source>
        <translation>&amp;Frage:</translation>
    </message>
    <message>
        <source>Answer</source>
        <translation>Antwort</translation>
    </message>
    <message>
        <source>Notes on the units</source>
        <translation>Hinweise zu den Einheiten</translation>
    </message>
    <message>
        <source>Questions asked</source>
        <translation>Gestellte Fragen</translation>
    </message>
    <message>
        <source>(%1)</source>
        <translation>(%1)</translation>
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

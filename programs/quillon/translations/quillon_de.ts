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
    <name>quillon::CommandLine</name>
    <message>
        <source>note:</source>
        <translation>Hinweis:</translation>
    </message>
    <message>
        <source>usage:</source>
        <translation>Aufruf:</translation>
    </message>
    <message>
        <source>this text (also --help, -h)</source>
        <translation>dieser Text (auch --help, -h)</translation>
    </message>
    <message>
        <source>list the units: names, definition, exact value</source>
        <translation>Einheiten auflisten: Namen, Definition, exakter Wert</translation>
    </message>
    <message>
        <source>convert AMOUNT FROM TO</source>
        <extracomment>The command&apos;s name stays as it is typed; its arguments are named in capitals.</extracomment>
        <translation>convert BETRAG VON NACH</translation>
    </message>
    <message>
        <source>convert AMOUNT from unit FROM to unit TO</source>
        <translation>BETRAG von Einheit VON in Einheit NACH umrechnen</translation>
    </message>
    <message>
        <source>exact QUESTION...</source>
        <extracomment>The command&apos;s name stays as it is typed; its arguments are named in capitals.</extracomment>
        <translation>exact FRAGE...</translation>
    </message>
    <message>
        <source>answer with exact fractions (1250/381)</source>
        <translation>mit exakten Brüchen antworten (1250/381)</translation>
    </message>
    <message>
        <source>Usage:</source>
        <translation>Aufruf:</translation>
    </message>
    <message>
        <source>ENTRY...</source>
        <translation>EINGABE...</translation>
    </message>
    <message>
        <source>evaluate each entry, one result per line</source>
        <translation>jede Eingabe auswerten, ein Ergebnis je Zeile</translation>
    </message>
    <message>
        <source>the window when there is a display; otherwise a prompt
(in a terminal, with history) or one entry per line
of standard input</source>
        <extracomment>Lines of at most 53 characters: each starts in column 26.</extracomment>
        <translation>das Fenster, wenn ein Bildschirm da ist; sonst eine
Eingabeaufforderung (im Terminal, mit Verlauf) oder
eine Eingabe je Zeile der Standardeingabe</translation>
    </message>
    <message>
        <source>evaluate entries even when the first one looks like a command</source>
        <translation>Eingaben auswerten, auch wenn die erste
wie ein Befehl aussieht</translation>
    </message>
    <message>
        <source>print the version</source>
        <translation>die Version ausgeben</translation>
    </message>
    <message>
        <source>An entry is an arithmetic expression. Results are printed with up to 18
significant digits. Errors go to standard error, and the exit status is 1 when
an entry could not be evaluated.
</source>
        <translation>Eine Eingabe ist ein Rechenausdruck. Ergebnisse werden mit bis zu 18
signifikanten Stellen ausgegeben. Fehler gehen auf die Standardfehlerausgabe,
und der Rückgabewert ist 1, wenn eine Eingabe nicht ausgewertet werden konnte.
</translation>
    </message>
    <message>
        <source>Numbers     12  2.5  .5  1.5E-7  2e3; the decimal separator is &quot;%1&quot; (from your locale).
            $FF is hexadecimal, read as a signed 32-bit integer ($FFFFFFFF is -1).
</source>
        <translation>Zahlen      12  2.5  .5  1.5E-7  2e3; das Dezimaltrennzeichen ist &quot;%1&quot;
            (aus Ihrem Gebietsschema).
            $FF ist hexadezimal, gelesen als vorzeichenbehaftete 32-Bit-Zahl
            ($FFFFFFFF ist -1).
</translation>
    </message>
    <message>
        <source>Constants   pi, e
Operators   from highest to lowest precedence, each level left to right:
              ^               power (2^3^2 is (2^3)^2 = 64)
              *  /  %  &amp;      multiply, divide, integer remainder, and (1 or 0)
              +  -  |         add, subtract, or (1 or 0; the right side is not
                              evaluated when the left one is not 0)
              =               equal (1 or 0)
            n!                factorial of an integer (postfix)
Functions   sin cos tan sec cosec csc cotan arcsin arccos arctan
            sinh cosh tanh arcsinh arccosh arctanh
            abs int frac round ceil floor ln log sqrt
            (angles in radians; log is base 10)
Blanks are ignored anywhere: 1 000 is 1000.
</source>
        <extracomment>The labels fill the first 12 columns, lines have at most 79 characters; names, operators and functions stay as they are typed.</extracomment>
        <translation>Konstanten  pi, e
Operatoren  vom höchsten zum niedrigsten Vorrang, jede Stufe von links nach
            rechts:
              ^               Potenz (2^3^2 ist (2^3)^2 = 64)
              *  /  %  &amp;      Multiplikation, Division, ganzzahliger Rest,
                              logisches Und (1 oder 0)
              +  -  |         Addition, Subtraktion, logisches Oder (1 oder 0;
                              die rechte Seite wird nicht ausgewertet, wenn
                              die linke nicht 0 ist)
              =               gleich (1 oder 0)
            n!                Fakultät einer ganzen Zahl (nachgestellt)
Funktionen  sin cos tan sec cosec csc cotan arcsin arccos arctan
            sinh cosh tanh arcsinh arccosh arctanh
            abs int frac round ceil floor ln log sqrt
            (Winkel im Bogenmaß; log ist der Zehnerlogarithmus)
Leerzeichen werden überall ignoriert: 1 000 ist 1000.
</translation>
    </message>
    <message>
        <source>Units       An entry with units is a question, answered exactly and rounded
            once at the end:
              60 mph * 2 h to km        1 kg m/s^2 to N     3 kWh / 2 h to W
              5 km in mi   5km to mi    1 nautical mile to km
              5 ft 3 in to cm           1 h 30 min to min   (compound amounts)
              1.8 m to ft;in            100000 s to d;h;min;s (split answers)
              1 square mile to km^2     10 fluid ounces to ml   2 MPa to psi
            Units are written by symbol, name or plural, with SI prefixes
            (kN, MPa, µs, kilometres) and binary ones (KiB, GiB). Juxtaposed
            units multiply before &quot;/&quot; divides: J/kg K is J/(kg K). &quot;per&quot;
            divides, &quot;^&quot; or &quot;²&quot; raises to a power. The joining words are to,
            in, into, as and -&gt;.
            Temperatures: &quot;20 °C to °F&quot; (also degC, C, F, K, R) converts a
            reading between scales; a difference of temperatures is written
            in K, deltaC, deltaF or deltaR (20 K to deltaF is 36).
            Everyday meanings: lb, oz and ton are masses (lbf, ozf, tonf the
            forces); kB, MB, GB are powers of ten (KiB, MiB, GiB of two);
            gallon, quart, pint, cup and fl oz are the US measures
            (&quot;imperial gallon&quot; the others). A note on standard error says so.
            &quot;quillon units&quot; lists every unit; &quot;quillon exact&quot; answers with
            fractions (1 ft to m is 381/1250).
</source>
        <extracomment>What the user types stays English (units, to, in, per), in the examples too.</extracomment>
        <translation>Einheiten   Eine Eingabe mit Einheiten ist eine Frage; sie wird exakt
            beantwortet und erst am Ende einmal gerundet:
              60 mph * 2 h to km        1 kg m/s^2 to N     3 kWh / 2 h to W
              5 km in mi   5km to mi    1 nautical mile to km
              5 ft 3 in to cm           1 h 30 min to min   (zusammengesetzt)
              1.8 m to ft;in            100000 s to d;h;min;s (aufgeteilt)
              1 square mile to km^2     10 fluid ounces to ml   2 MPa to psi
            Einheiten werden als Symbol, Name oder Mehrzahl geschrieben, mit
            SI-Vorsätzen (kN, MPa, µs, kilometres) und binären (KiB, GiB).
            Nebeneinander stehende Einheiten multiplizieren, bevor &quot;/&quot; teilt:
            J/kg K ist J/(kg K). &quot;per&quot; teilt, &quot;^&quot; oder &quot;²&quot; potenziert. Die
            Bindewörter sind to, in, into, as und -&gt; (englisch, wie die
            Namen der Einheiten).
            Temperaturen: &quot;20 °C to °F&quot; (auch degC, C, F, K, R) rechnet einen
            Messwert zwischen den Skalen um; eine Temperaturdifferenz wird in
            K, deltaC, deltaF oder deltaR geschrieben (20 K to deltaF ist 36).
            Alltagsbedeutungen: lb, oz und ton sind Massen (lbf, ozf, tonf die
            Kräfte); kB, MB, GB sind Zehnerpotenzen (KiB, MiB, GiB
            Zweierpotenzen); gallon, quart, pint, cup und fl oz sind die
            US-Maße (&quot;imperial gallon&quot; usw. die britischen). Ein Hinweis auf
            der Standardfehlerausgabe sagt das.
            &quot;quillon units&quot; listet alle Einheiten auf; &quot;quillon exact&quot;
            antwortet mit Brüchen (1 ft to m ist 381/1250).
</translation>
    </message>
    <message>
        <source>More units  quillon reads the definitions that ship with it and
            $XDG_CONFIG_HOME/quillon/units.txt (~/.config/quillon/units.txt),
            lines such as &quot;smoot = 67 in&quot; or &quot;[speed]&quot; and &quot;furlong per
            fortnight, fpf = furlong/fortnight&quot; (see the README).
</source>
        <translation>Eigene      quillon liest die mitgelieferten Definitionen und
Einheiten   $XDG_CONFIG_HOME/quillon/units.txt (~/.config/quillon/units.txt),
            Zeilen wie &quot;smoot = 67 in&quot; oder &quot;[speed]&quot; und &quot;furlong per
            fortnight, fpf = furlong/fortnight&quot; (siehe README).
</translation>
    </message>
    <message>
        <source>Things to know:
  - A function applies to the term right after its name, not to a product or a
    sum: sin2*3 is sin(2)*3, and sin3! is sin(6). Write sin(2*3) for more.
  - A minus at the start, after an operator, after &quot;e&quot;/&quot;E&quot;, after another minus
    or after a function name that begins the entry (sin-1) is a sign, and a
    sign binds before &quot;^&quot;: -2^2 is (-2)^2 = 4. Elsewhere it subtracts.
  - A minus after e is a sign, so e-1 is no valid entry: write e+-1 or (e)-1.
  - A group in parentheses is replaced by the digits of its value, so a group
    right after digits joins them: 2(3) is 23, not 2*3. Write 2*(3).
  - A sign may not stand before a function name: -sin(1) fails, -(sin(1)) works.
  - Every intermediate result is rounded to 18 significant digits; a lone number
    or function keeps full precision (pi*1 is 3.14159265358979324).
</source>
        <translation>Gut zu wissen:
  - Eine Funktion wirkt auf den Term direkt nach ihrem Namen, nicht auf ein
    Produkt oder eine Summe: sin2*3 ist sin(2)*3, und sin3! ist sin(6).
    Schreiben Sie sin(2*3) für mehr.
  - Ein Minus am Anfang, nach einem Operator, nach &quot;e&quot;/&quot;E&quot;, nach einem anderen
    Minus oder nach einem Funktionsnamen, der die Eingabe beginnt (sin-1), ist
    ein Vorzeichen, und ein Vorzeichen bindet vor &quot;^&quot;: -2^2 ist (-2)^2 = 4.
    Sonst subtrahiert es.
  - Ein Minus nach e ist ein Vorzeichen, also ist e-1 keine gültige Eingabe:
    Schreiben Sie e+-1 oder (e)-1.
  - Eine Gruppe in Klammern wird durch die Ziffern ihres Werts ersetzt, also
    verbindet sich eine Gruppe direkt nach Ziffern mit ihnen: 2(3) ist 23,
    nicht 2*3. Schreiben Sie 2*(3).
  - Vor einem Funktionsnamen darf kein Vorzeichen stehen: -sin(1) scheitert,
    -(sin(1)) geht.
  - Jedes Zwischenergebnis wird auf 18 signifikante Stellen gerundet; eine
    einzelne Zahl oder Funktion behält die volle Genauigkeit (pi*1 ist
    3.14159265358979324).
</translation>
    </message>
</context>
<context>
    <name>quillon::Launch</name>
    <message>
        <source>the window program quillon-window was not found</source>
        <translation>das Fensterprogramm quillon-window wurde nicht gefunden</translation>
    </message>
    <message>
        <source>%1; using the command line</source>
        <translation>%1; es geht auf der Befehlszeile weiter</translation>
    </message>
    <message>
        <source>the prompt program quillon-prompt was not found</source>
        <translation>das Eingabeprogramm quillon-prompt wurde nicht gefunden</translation>
    </message>
    <message>
        <source>%1; reading lines without editing</source>
        <translation>%1; Zeilen werden ohne Bearbeitung gelesen</translation>
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
    <name>quillon::Questions</name>
    <message>
        <source>at %1:</source>
        <translation>an Stelle %1:</translation>
    </message>
    <message>
        <source>the units file that ships with quillon was not found</source>
        <translation>die mit quillon gelieferte Einheitendatei wurde nicht gefunden</translation>
    </message>
</context>
<context>
    <name>quillon::UnitNotes</name>
    <message>
        <source>GB is 10^9 bytes; 2^30 bytes is GiB (1 GiB = 1.073741824 GB)</source>
        <translation>GB sind 10^9 Byte; 2^30 Byte sind GiB (1 GiB = 1.073741824 GB)</translation>
    </message>
    <message>
        <source>MB is 10^6 bytes; 2^20 bytes is MiB (1 MiB = 1.048576 MB)</source>
        <translation>MB sind 10^6 Byte; 2^20 Byte sind MiB (1 MiB = 1.048576 MB)</translation>
    </message>
    <message>
        <source>kB is 1000 bytes; 1024 bytes is KiB</source>
        <translation>kB sind 1000 Byte; 1024 Byte sind KiB</translation>
    </message>
    <message>
        <source>TB is 10^12 bytes; 2^40 bytes is TiB (1 TiB = 1.099511627776 TB)</source>
        <translation>TB sind 10^12 Byte; 2^40 Byte sind TiB (1 TiB = 1.099511627776 TB)</translation>
    </message>
    <message>
        <source>lb is taken as the pound of mass (0.45359237 kg); the pound-force is lbf</source>
        <translation>lb steht für das Pfund als Masse (0.45359237 kg); die Kraft (pound-force) ist lbf</translation>
    </message>
    <message>
        <source>oz is taken as the ounce of mass (28.349523125 g); the troy ounce is ozt, the US fluid ounce fl oz</source>
        <translation>oz steht für die Unze als Masse (28.349523125 g); die Feinunze (troy ounce) ist ozt, die US-Flüssigunze fl oz</translation>
    </message>
    <message>
        <source>ton is taken as the US short ton (2000 lb); the long ton (2240 lb) is &quot;long ton&quot;, the metric tonne t</source>
        <translation>ton steht für die amerikanische kurze Tonne, short ton (2000 lb); die lange Tonne (2240 lb) ist &quot;long ton&quot;, die metrische Tonne t</translation>
    </message>
    <message>
        <source>gallon is taken as the US gallon (3.785411784 L); the imperial gallon (4.54609 L) is &quot;imperial gallon&quot;</source>
        <translation>gallon steht für die US-Gallone (3.785411784 L); die britische Gallone (4.54609 L) ist &quot;imperial gallon&quot;</translation>
    </message>
    <message>
        <source>quart is taken as the US liquid quart (0.946352946 L); the imperial quart (1.1365225 L) is &quot;imperial quart&quot;</source>
        <translation>quart steht für das US-Flüssigkeitsquart (0.946352946 L); das britische Quart (1.1365225 L) ist &quot;imperial quart&quot;</translation>
    </message>
    <message>
        <source>pint is taken as the US liquid pint (0.473176473 L); the imperial pint (0.56826125 L) is &quot;imperial pint&quot;</source>
        <translation>pint steht für das US-Flüssigkeitspint (0.473176473 L); das britische Pint (0.56826125 L) ist &quot;imperial pint&quot;</translation>
    </message>
    <message>
        <source>cup is taken as the US cup (236.5882365 mL); the metric cup (250 mL) is &quot;metric cup&quot;</source>
        <translation>cup steht für den US-Cup (236.5882365 mL); der metrische Cup (250 mL) ist &quot;metric cup&quot;</translation>
    </message>
    <message>
        <source>fl oz is taken as the US fluid ounce (29.5735295625 mL); the imperial fluid ounce (28.4130625 mL) is &quot;imperial fluid ounce&quot;</source>
        <translation>fl oz steht für die US-Flüssigunze (29.5735295625 mL); die britische Flüssigunze (28.4130625 mL) ist &quot;imperial fluid ounce&quot;</translation>
    </message>
    <message>
        <source>Cal is the food calorie (1000 cal); the small calorie is cal</source>
        <translation>Cal ist die Kalorie der Nährwertangaben (1000 cal); die kleine Kalorie ist cal</translation>
    </message>
    <message>
        <source>hp is taken as the mechanical horsepower (745.69987158227022 W); the metric one is PS, the electric one hpE</source>
        <translation>hp steht für die mechanische Horsepower (745.69987158227022 W); die metrische Pferdestärke ist PS, die elektrische Horsepower hpE</translation>
    </message>
    <message>
        <source>cal is taken as the thermochemical calorie (4.184 J); the international table one is cal_IT</source>
        <translation>cal steht für die thermochemische Kalorie (4.184 J); die internationale Kalorie (IT) ist cal_IT</translation>
    </message>
    <message>
        <source>Btu is taken as the international table Btu (1055.05585262 J); the thermochemical one is Btu_th</source>
        <translation>Btu steht für die internationale Btu (IT, 1055.05585262 J); die thermochemische ist Btu_th</translation>
    </message>
    <message>
        <source>a year is taken as the Julian year (365.25 days); the calendar one is &quot;gregorian year&quot;</source>
        <translation>ein Jahr steht für das julianische Jahr (365.25 Tage); das Kalenderjahr ist &quot;gregorian year&quot;</translation>
    </message>
    <message>
        <source>mil is a thousandth of an inch; the angle is &quot;angular mil&quot;</source>
        <translation>mil ist ein Tausendstel Zoll; das Winkelmaß ist &quot;angular mil&quot;</translation>
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

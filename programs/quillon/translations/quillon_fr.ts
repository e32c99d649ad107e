<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>QuillonForm</name>
    <message>
        <source>Convert units</source>
        <translation>Convertir des unités</translation>
    </message>
    <message>
        <source>Fin&amp;d a unit</source>
        <translation>Chercher une &amp;unité</translation>
    </message>
    <message>
        <source>symbol or name, in every category (Ctrl+F)</source>
        <translation>symbole ou nom, dans toutes les catégories (Ctrl+F)</translation>
    </message>
    <message>
        <source>Up and Down choose a hit; Enter makes it the From unit, Shift+Enter the To unit; Escape clears</source>
        <translation>Haut et Bas choisissent une unité trouvée&#xa0;; Entrée en fait l&apos;unité De, Maj+Entrée l&apos;unité Vers&#xa0;; Échap efface la recherche</translation>
    </message>
    <message>
        <source>Enter or a click: From unit; Shift+Enter or Shift+click: To unit</source>
        <translation>Entrée ou un clic&#xa0;: unité De&#xa0;; Maj+Entrée ou Maj+clic&#xa0;: unité Vers</translation>
    </message>
    <message>
        <source>&amp;Category</source>
        <translation>&amp;Catégorie</translation>
    </message>
    <message>
        <source>&amp;From</source>
        <translation>&amp;De</translation>
    </message>
    <message>
        <source>&amp;To</source>
        <translation>&amp;Vers</translation>
    </message>
    <message>
        <source>The kind of quantity</source>
        <translation>La nature de la grandeur</translation>
    </message>
    <message>
        <source>The unit the amount is given in</source>
        <translation>L&apos;unité dans laquelle la quantité est donnée</translation>
    </message>
    <message>
        <source>The unit to convert to</source>
        <translation>L&apos;unité vers laquelle convertir</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>Quantité</translation>
    </message>
    <message>
        <source>&amp;Amount</source>
        <translation>&amp;Quantité</translation>
    </message>
    <message>
        <source>A number or a whole expression: 2*3, (5+7)/2, sqrt(2), 3!, $FF</source>
        <translation>Un nombre ou une expression complète&#xa0;: 2*3, (5+7)/2, sqrt(2), 3!, $FF</translation>
    </message>
    <message>
        <source>S&amp;wap from and to</source>
        <translation>Per&amp;muter De et Vers</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Résultat</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Historique</translation>
    </message>
    <message>
        <source>&amp;Recent conversions: Enter recalls, Ctrl+C copies</source>
        <translation>Conversions réce&amp;ntes&#xa0;: Entrée rappelle, Ctrl+C copie</translation>
    </message>
    <message>
        <source>Enter or a click recalls a conversion; Ctrl+C copies it; Delete removes it</source>
        <translation>Entrée ou un clic rappelle une conversion&#xa0;; Ctrl+C la copie&#xa0;; Suppr la supprime</translation>
    </message>
    <message>
        <source>Reca&amp;ll</source>
        <translation>&amp;Rappeler</translation>
    </message>
    <message>
        <source>Cop&amp;y</source>
        <translation>C&amp;opier</translation>
    </message>
    <message>
        <source>Remo&amp;ve</source>
        <translation>Supprim&amp;er</translation>
    </message>
    <message>
        <source>Quick calc: simply supported beam</source>
        <translation>Calcul rapide&#xa0;: poutre sur appuis simples</translation>
    </message>
    <message>
        <source>Point load &amp;P</source>
        <translation>Charge ponctuelle &amp;P</translation>
    </message>
    <message>
        <source>&amp;Uniform load w</source>
        <translation>Charge répartie &amp;w</translation>
    </message>
    <message>
        <source>Spa&amp;n L</source>
        <translation>Portée &amp;L</translation>
    </message>
    <message>
        <source>Largest moment PL/4 + wL^2/8</source>
        <translation>Moment maximal PL/4 + wL^2/8</translation>
    </message>
    <message>
        <source>Largest shear P/2 + wL/2</source>
        <translation>Effort tranchant maximal P/2 + wL/2</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Affichage</translation>
    </message>
    <message>
        <source>He&amp;xadecimal</source>
        <translation>He&amp;xadécimal</translation>
    </message>
    <message>
        <source>Show values as $ and hexadecimal digits</source>
        <translation>Afficher les valeurs en $ et chiffres hexadécimaux</translation>
    </message>
    <message>
        <source>Units of the quick calc:</source>
        <translation>Unités du calcul rapide&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;English (kips, ft)</source>
        <translation>&amp;Impériales (kips, ft)</translation>
    </message>
    <message>
        <source>&amp;SI (kN, m)</source>
        <translation>&amp;SI (kN, m)</translation>
    </message>
    <message>
        <source>C&amp;odes (F1, L2)</source>
        <translation>Codes &amp;bruts (F1, L2)</translation>
    </message>
</context>
<context>
    <name>quillon::CommandLine</name>
    <message>
        <source>note:</source>
        <translation>remarque :</translation>
    </message>
    <message>
        <source>usage:</source>
        <translation>utilisation :</translation>
    </message>
    <message>
        <source>this text (also --help, -h)</source>
        <translation>ce texte (aussi --help, -h)</translation>
    </message>
    <message>
        <source>list the units: names, definition, exact value</source>
        <translation>lister les unités : noms, définition, valeur exacte</translation>
    </message>
    <message>
        <source>convert AMOUNT FROM TO</source>
        <extracomment>The command&apos;s name stays as it is typed; its arguments are named in capitals.</extracomment>
        <translation>convert QUANTITÉ DE VERS</translation>
    </message>
    <message>
        <source>convert AMOUNT from unit FROM to unit TO</source>
        <translation>convertir QUANTITÉ de l&apos;unité DE vers l&apos;unité VERS</translation>
    </message>
    <message>
        <source>exact QUESTION...</source>
        <extracomment>The command&apos;s name stays as it is typed; its arguments are named in capitals.</extracomment>
        <translation>exact QUESTION...</translation>
    </message>
    <message>
        <source>answer with exact fractions (1250/381)</source>
        <translation>répondre par des fractions exactes (1250/381)</translation>
    </message>
    <message>
        <source>Usage:</source>
        <translation>Utilisation :</translation>
    </message>
    <message>
        <source>ENTRY...</source>
        <translation>ENTRÉE...</translation>
    </message>
    <message>
        <source>evaluate each entry, one result per line</source>
        <translation>évaluer chaque entrée, un résultat par ligne</translation>
    </message>
    <message>
        <source>the window when there is a display; otherwise a prompt
(in a terminal, with history) or one entry per line
of standard input</source>
        <extracomment>Lines of at most 53 characters: each starts in column 26.</extracomment>
        <translation>la fenêtre s&apos;il y a un affichage ; sinon une invite
(dans un terminal, avec historique) ou une entrée
par ligne de l&apos;entrée standard</translation>
    </message>
    <message>
        <source>evaluate entries even when the first one looks like a command</source>
        <translation>évaluer les entrées même si la première
ressemble à une commande</translation>
    </message>
    <message>
        <source>print the version</source>
        <translation>afficher la version</translation>
    </message>
    <message>
        <source>An entry is an arithmetic expression. Results are printed with up to 18
significant digits. Errors go to standard error, and the exit status is 1 when
an entry could not be evaluated.
</source>
        <translation>Une entrée est une expression arithmétique. Les résultats s&apos;affichent avec
jusqu&apos;à 18 chiffres significatifs. Les erreurs vont sur la sortie d&apos;erreur
standard, et le code de retour vaut 1 si une entrée n&apos;a pas pu être évaluée.
</translation>
    </message>
    <message>
        <source>Numbers     12  2.5  .5  1.5E-7  2e3; the decimal separator is &quot;%1&quot; (from your locale).
            $FF is hexadecimal, read as a signed 32-bit integer ($FFFFFFFF is -1).
</source>
        <translation>Nombres     12  2.5  .5  1.5E-7  2e3 ; le séparateur décimal est &quot;%1&quot;
            (selon vos paramètres régionaux).
            $FF est hexadécimal, lu comme un entier signé de 32 bits
            ($FFFFFFFF vaut -1).
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
        <translation>Constantes  pi, e
Opérateurs  de la priorité la plus forte à la plus faible, chaque niveau de
            gauche à droite :
              ^               puissance (2^3^2 vaut (2^3)^2 = 64)
              *  /  %  &amp;      multiplication, division, reste entier,
                              et logique (1 ou 0)
              +  -  |         addition, soustraction, ou logique (1 ou 0 ;
                              le membre de droite n&apos;est pas évalué quand
                              celui de gauche ne vaut pas 0)
              =               égalité (1 ou 0)
            n!                factorielle d&apos;un entier (postfixe)
Fonctions   sin cos tan sec cosec csc cotan arcsin arccos arctan
            sinh cosh tanh arcsinh arccosh arctanh
            abs int frac round ceil floor ln log sqrt
            (angles en radians ; log est le logarithme décimal)
Les blancs sont ignorés partout : 1 000 vaut 1000.
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
        <translation>Unités      Une entrée avec des unités est une question, résolue exactement
            et arrondie une seule fois à la fin :
              60 mph * 2 h to km        1 kg m/s^2 to N     3 kWh / 2 h to W
              5 km in mi   5km to mi    1 nautical mile to km
              5 ft 3 in to cm           1 h 30 min to min (quantités composées)
              1.8 m to ft;in            100000 s to d;h;min;s (réponse découpée)
              1 square mile to km^2     10 fluid ounces to ml   2 MPa to psi
            Les unités s&apos;écrivent par symbole, nom ou pluriel, avec les
            préfixes SI (kN, MPa, µs, kilometres) et binaires (KiB, GiB). Des
            unités juxtaposées se multiplient avant que &quot;/&quot; ne divise : J/kg K
            vaut J/(kg K). &quot;per&quot; divise, &quot;^&quot; ou &quot;²&quot; élève à une puissance. Les
            mots de liaison sont to, in, into, as et -&gt; (en anglais, comme les
            noms des unités).
            Températures : &quot;20 °C to °F&quot; (aussi degC, C, F, K, R) convertit
            une lecture d&apos;une échelle à l&apos;autre ; un écart de températures
            s&apos;écrit en K, deltaC, deltaF ou deltaR (20 K to deltaF vaut 36).
            Sens courants : lb, oz et ton sont des masses (lbf, ozf, tonf les
            forces) ; kB, MB, GB sont des puissances de dix (KiB, MiB, GiB de
            deux) ; gallon, quart, pint, cup et fl oz sont les mesures
            américaines (&quot;imperial gallon&quot; etc. les impériales). Une remarque
            sur la sortie d&apos;erreur standard le signale.
            &quot;quillon units&quot; liste toutes les unités ; &quot;quillon exact&quot; répond
            par des fractions (1 ft to m vaut 381/1250).
</translation>
    </message>
    <message>
        <source>More units  quillon reads the definitions that ship with it and
            $XDG_CONFIG_HOME/quillon/units.txt (~/.config/quillon/units.txt),
            lines such as &quot;smoot = 67 in&quot; or &quot;[speed]&quot; and &quot;furlong per
            fortnight, fpf = furlong/fortnight&quot; (see the README).
</source>
        <translation>Vos unités  quillon lit les définitions livrées avec lui puis
            $XDG_CONFIG_HOME/quillon/units.txt (~/.config/quillon/units.txt),
            des lignes comme &quot;smoot = 67 in&quot; ou &quot;[speed]&quot; et &quot;furlong per
            fortnight, fpf = furlong/fortnight&quot; (voir le README).
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
        <translation>À savoir :
  - Une fonction s&apos;applique au terme qui suit immédiatement son nom, pas à un
    produit ni à une somme : sin2*3 vaut sin(2)*3, et sin3! vaut sin(6).
    Écrivez sin(2*3) pour davantage.
  - Un moins au début, après un opérateur, après &quot;e&quot;/&quot;E&quot;, après un autre moins
    ou après un nom de fonction qui commence l&apos;entrée (sin-1) est un signe, et
    un signe s&apos;applique avant &quot;^&quot; : -2^2 vaut (-2)^2 = 4. Ailleurs, il
    soustrait.
  - Un moins après e est un signe, donc e-1 n&apos;est pas une entrée valide :
    écrivez e+-1 ou (e)-1.
  - Un groupe entre parenthèses est remplacé par les chiffres de sa valeur ;
    un groupe juste après des chiffres s&apos;y colle donc : 2(3) vaut 23, et non
    2*3. Écrivez 2*(3).
  - Un signe ne peut pas précéder un nom de fonction : -sin(1) échoue,
    -(sin(1)) fonctionne.
  - Chaque résultat intermédiaire est arrondi à 18 chiffres significatifs ; un
    nombre ou une fonction seuls gardent toute leur précision (pi*1 vaut
    3.14159265358979324).
</translation>
    </message>
</context>
<context>
    <name>quillon::Launch</name>
    <message>
        <source>the window program quillon-window was not found</source>
        <translation>le programme de la fenêtre, quillon-window, est introuvable</translation>
    </message>
    <message>
        <source>%1; using the command line</source>
        <translation>%1 ; quillon continue en ligne de commande</translation>
    </message>
    <message>
        <source>the prompt program quillon-prompt was not found</source>
        <translation>le programme d&apos;invite, quillon-prompt, est introuvable</translation>
    </message>
    <message>
        <source>%1; reading lines without editing</source>
        <translation>%1 ; lecture des lignes sans édition</translation>
    </message>
</context>
<context>
    <name>quillon::MainWindow</name>
    <message>
        <source>quillon – units calculator</source>
        <translation>quillon – convertisseur d&apos;unités</translation>
    </message>
    <message>
        <source>Units found</source>
        <translation>Unités trouvées</translation>
    </message>
    <message>
        <source>&amp;Amount</source>
        <translation>&amp;Quantité</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Résultat</translation>
    </message>
    <message>
        <source>This category has no units.</source>
        <translation>Cette catégorie n&apos;a aucune unité.</translation>
    </message>
    <message>
        <source>&amp;Amount in %1</source>
        <translation>&amp;Quantité en %1</translation>
    </message>
    <message>
        <source>Result in %1</source>
        <translation>Résultat en %1</translation>
    </message>
    <message>
        <source>No unit matches</source>
        <translation>Aucune unité ne correspond</translation>
    </message>
    <message>
        <source>The units of this entry are no longer in the catalogue</source>
        <translation>Les unités de cette entrée ne sont plus dans le catalogue</translation>
    </message>
</context>
<context>
    <name>quillon::QuestionLine</name>
    <message>
        <source>Ask: 60 mph * 2 h to km, 5 ft 3 in to cm, 20 °C to °F</source>
        <translation>Posez une question, par exemple&#xa0;: 60 mph * 2 h to km, 5 ft 3 in to cm, 20 °C to °F</translation>
    </message>
    <message>
        <source>&amp;Question:</source>
        <translation>Ques&amp;tion&#xa0;:</translation>
    </message>
    <message>
        <source>Answer</source>
        <translation>Réponse</translation>
    </message>
    <message>
        <source>Notes on the units</source>
        <translation>Remarques sur les unités</translation>
    </message>
    <message>
        <source>Questions asked</source>
        <translation>Questions posées</translation>
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
        <translation>à la position %1 :</translation>
    </message>
    <message>
        <source>the units file that ships with quillon was not found</source>
        <translation>le fichier d&apos;unités livré avec quillon est introuvable</translation>
    </message>
</context>
<context>
    <name>quillon::UnitNotes</name>
    <message>
        <source>GB is 10^9 bytes; 2^30 bytes is GiB (1 GiB = 1.073741824 GB)</source>
        <translation>GB vaut 10^9 octets ; 2^30 octets s&apos;écrivent GiB (1 GiB = 1.073741824 GB)</translation>
    </message>
    <message>
        <source>MB is 10^6 bytes; 2^20 bytes is MiB (1 MiB = 1.048576 MB)</source>
        <translation>MB vaut 10^6 octets ; 2^20 octets s&apos;écrivent MiB (1 MiB = 1.048576 MB)</translation>
    </message>
    <message>
        <source>kB is 1000 bytes; 1024 bytes is KiB</source>
        <translation>kB vaut 1000 octets ; 1024 octets s&apos;écrivent KiB</translation>
    </message>
    <message>
        <source>TB is 10^12 bytes; 2^40 bytes is TiB (1 TiB = 1.099511627776 TB)</source>
        <translation>TB vaut 10^12 octets ; 2^40 octets s&apos;écrivent TiB (1 TiB = 1.099511627776 TB)</translation>
    </message>
    <message>
        <source>lb is taken as the pound of mass (0.45359237 kg); the pound-force is lbf</source>
        <translation>lb est pris au sens de la livre de masse (0.45359237 kg) ; la livre-force est lbf</translation>
    </message>
    <message>
        <source>oz is taken as the ounce of mass (28.349523125 g); the troy ounce is ozt, the US fluid ounce fl oz</source>
        <translation>oz est pris au sens de l&apos;once de masse (28.349523125 g) ; l&apos;once troy est ozt, l&apos;once liquide américaine fl oz</translation>
    </message>
    <message>
        <source>ton is taken as the US short ton (2000 lb); the long ton (2240 lb) is &quot;long ton&quot;, the metric tonne t</source>
        <translation>ton est pris au sens de la tonne courte américaine, short ton (2000 lb) ; la tonne longue (2240 lb) est &quot;long ton&quot;, la tonne métrique t</translation>
    </message>
    <message>
        <source>gallon is taken as the US gallon (3.785411784 L); the imperial gallon (4.54609 L) is &quot;imperial gallon&quot;</source>
        <translation>gallon est pris au sens du gallon américain (3.785411784 L) ; le gallon impérial (4.54609 L) est &quot;imperial gallon&quot;</translation>
    </message>
    <message>
        <source>quart is taken as the US liquid quart (0.946352946 L); the imperial quart (1.1365225 L) is &quot;imperial quart&quot;</source>
        <translation>quart est pris au sens du quart liquide américain (0.946352946 L) ; le quart impérial (1.1365225 L) est &quot;imperial quart&quot;</translation>
    </message>
    <message>
        <source>pint is taken as the US liquid pint (0.473176473 L); the imperial pint (0.56826125 L) is &quot;imperial pint&quot;</source>
        <translation>pint est pris au sens de la pinte liquide américaine (0.473176473 L) ; la pinte impériale (0.56826125 L) est &quot;imperial pint&quot;</translation>
    </message>
    <message>
        <source>cup is taken as the US cup (236.5882365 mL); the metric cup (250 mL) is &quot;metric cup&quot;</source>
        <translation>cup est pris au sens de la tasse américaine (236.5882365 mL) ; la tasse métrique (250 mL) est &quot;metric cup&quot;</translation>
    </message>
    <message>
        <source>fl oz is taken as the US fluid ounce (29.5735295625 mL); the imperial fluid ounce (28.4130625 mL) is &quot;imperial fluid ounce&quot;</source>
        <translation>fl oz est pris au sens de l&apos;once liquide américaine (29.5735295625 mL) ; l&apos;once liquide impériale (28.4130625 mL) est &quot;imperial fluid ounce&quot;</translation>
    </message>
    <message>
        <source>Cal is the food calorie (1000 cal); the small calorie is cal</source>
        <translation>Cal est la calorie alimentaire (1000 cal) ; la petite calorie est cal</translation>
    </message>
    <message>
        <source>hp is taken as the mechanical horsepower (745.69987158227022 W); the metric one is PS, the electric one hpE</source>
        <translation>hp est pris au sens du horsepower mécanique (745.69987158227022 W) ; le cheval-vapeur métrique est PS, le horsepower électrique hpE</translation>
    </message>
    <message>
        <source>cal is taken as the thermochemical calorie (4.184 J); the international table one is cal_IT</source>
        <translation>cal est pris au sens de la calorie thermochimique (4.184 J) ; la calorie internationale (IT) est cal_IT</translation>
    </message>
    <message>
        <source>Btu is taken as the international table Btu (1055.05585262 J); the thermochemical one is Btu_th</source>
        <translation>Btu est pris au sens de la Btu internationale (IT, 1055.05585262 J) ; la Btu thermochimique est Btu_th</translation>
    </message>
    <message>
        <source>a year is taken as the Julian year (365.25 days); the calendar one is &quot;gregorian year&quot;</source>
        <translation>une année est prise au sens de l&apos;année julienne (365.25 jours) ; l&apos;année civile est &quot;gregorian year&quot;</translation>
    </message>
    <message>
        <source>mil is a thousandth of an inch; the angle is &quot;angular mil&quot;</source>
        <translation>mil est un millième de pouce ; l&apos;angle est &quot;angular mil&quot;</translation>
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

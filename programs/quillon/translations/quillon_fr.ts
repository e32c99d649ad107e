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
    <name>toolkit::ErrorBox</name>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
</context>
</TS>
